import math

import numpy as np
import pytest

import velkora


def consecutive(k1, k2, a0):
    """A => B => C in one reactor."""
    r1 = velkora.Reaction("A => B", k1)
    r2 = velkora.Reaction("B => C", k2)
    reactor = velkora.Reactor([r1, r2])
    reactor.concentrations = {"A": a0}
    net = velkora.ReactorNet([reactor])
    net.set_tolerances(1e-10, 1e-14)
    net.set_sensitivity_tolerances(1e-8, 1e-12)
    return reactor, net


def test_consecutive_reactions_follow_the_analytic_solution():
    k1, k2, a0 = 2.0, 0.5, 3.0
    reactor, net = consecutive(k1, k2, a0)
    assert reactor.species == ["A", "B", "C"]
    for t in (0.1, 0.5, 1.0, 3.0):
        net.advance(t)
        assert net.time == t
        a = a0 * math.exp(-k1 * t)
        b = a0 * k1 / (k2 - k1) * (math.exp(-k1 * t) - math.exp(-k2 * t))
        c = a0 - a - b
        np.testing.assert_allclose(reactor.concentrations, [a, b, c], rtol=1e-7, atol=1e-12)
        # d ln[A] / d ln k1 = -k1 t, and [A] does not depend on k2.
        assert net.sensitivity("A", 0) == pytest.approx(-k1 * t, rel=1e-5)
        assert abs(net.sensitivity("A", 1)) < 1e-6


def test_network_settings_and_steps():
    reactor, net = consecutive(1.0, 1.0, 1.0)
    assert (net.rtol, net.atol) == (1e-10, 1e-14)
    net.set_initial_time(2.0)
    net.set_max_time_step(0.01)
    t = net.step()
    assert 2.0 < t <= 2.01
    with pytest.raises(velkora.VelkoraError) as caught:
        net.advance(1.0)
    assert "lies before the current time" in str(caught.value)
    with pytest.raises(velkora.VelkoraError):
        net.set_tolerances(-1.0, 1e-12)
    with pytest.raises(velkora.VelkoraError) as caught:
        velkora.ReactorNet([reactor, reactor])
    assert caught.value.status == -2
    with pytest.raises(TypeError):
        velkora.ReactorNet([object()])

import math

import numpy as np
import pytest

import velkora

KB = 1.380649e-23
NA = 6.02214076e23
R = KB * NA


def test_a_pure_gas_has_the_chapman_enskog_rigid_sphere_values():
    # Independent of the library: mu = 5/16 sqrt(pi m kB T) / (pi s^2),
    # D = 3/16 sqrt(2 pi kB T / m_r) / (n pi s^2), lambda = mu/M (cp + 5/4 R).
    M, s, T, P = 39.948e-3, 3.64e-10, 500.0, 2e5
    with velkora.HardSphereGas([M], [s]) as gas:
        gas.set_state(T, P, [1.0])
        m = M / NA
        mu = 5.0 / 16.0 * math.sqrt(math.pi * m * KB * T) / (math.pi * s * s)
        n = P / (KB * T)
        d = 3.0 / 16.0 * math.sqrt(2.0 * math.pi * KB * T / (m / 2.0)) / (n * math.pi * s * s)
        assert gas.transport_model == "HardSphere"
        assert gas.viscosity == pytest.approx(mu, rel=1e-12)
        assert gas.thermal_conductivity == pytest.approx(mu / M * 3.75 * R, rel=1e-12)
        assert gas.binary_diff_coeffs[0, 0] == pytest.approx(d, rel=1e-12)
        assert gas.electrical_conductivity == 0.0
        np.testing.assert_array_equal(gas.thermal_diff_coeffs, [0.0])


def test_mixture_arrays_have_the_shapes_and_symmetry_of_the_physics():
    gas = velkora.HardSphereGas([0.028, 0.032, 0.004], [3.75e-10, 3.61e-10, 2.18e-10], [29.1, 29.4, 20.8])
    gas.set_state(300.0, 101325.0, [0.7, 0.2, 0.1])
    D = gas.binary_diff_coeffs
    assert D.shape == (3, 3)
    np.testing.assert_allclose(D, D.T)
    assert D[2, 0] > D[1, 0]  # helium diffuses fastest
    fluxes = gas.mass_fluxes([0.6, 0.3, 0.1], [0.7, 0.2, 0.1], 1e-3)
    assert abs(fluxes.sum()) < 1e-12 * abs(fluxes).max()
    molar = gas.molar_fluxes([0.6, 0.3, 0.1], [0.7, 0.2, 0.1], 1e-3)
    np.testing.assert_allclose(molar * [0.028, 0.032, 0.004], fluxes)
    with pytest.raises(velkora.VelkoraError) as caught:
        gas.multi_diff_coeffs
    assert "not provided" in str(caught.value)
    with pytest.raises(velkora.VelkoraError):
        gas.set_state(-1.0, 1e5, [0.7, 0.2, 0.1])
    with pytest.raises(ValueError):
        gas.set_state(300.0, 1e5, [1.0])

"""Ignition delays of closed, adiabatic reactors."""

from __future__ import annotations

import math
from typing import Mapping, Optional, Union

from ._errors import FAILED_DOUBLE, _error_count, fail
from ._library import unchecked
from .kinetics import Mechanism
from .reactors import IdealGasReactor, ReactorNet

# The handles are ints of the objects made here.
_step = unchecked("reactornet_step")
_temperature = unchecked("reactor_temperature")


def ignition_delay(mechanism: Mechanism, T: float, P: float, X: Union[str, Mapping[str, float]],
                   kind: str = "constant-pressure", t_end: Optional[float] = None, rise: Optional[float] = None,
                   rtol: float = 1e-8, atol: float = 1e-15) -> float:
    """The ignition delay, s, of a mixture in a closed, adiabatic
    IdealGasReactor, or NaN when it does not ignite by `t_end`.

    The network takes its own internal steps from t = 0, and the delay is
    read off the temperatures at those steps:

    - by default, the time of the largest dT/dt: the slopes between
      consecutive steps, their maximum, and the vertex of the parabola
      through that slope and its two neighbours (at the middles of their
      steps);
    - with `rise` (K), the first time the temperature reaches T + rise,
      interpolated linearly between the two steps around it.

    Args:
        mechanism: the Mechanism.
        T, P: the initial temperature (K) and pressure (Pa).
        X: the composition in mole numbers, "CH4:0.5, O2:1, N2:3.76" or a
            mapping.
        kind: "constant-pressure", "constant-volume" or
            "constant-temperature" (which never ignites: NaN).
        t_end: the latest time, s (default 10). Without `rise` the
            integration stops earlier, once the temperature has risen by 400
            K and its rate has fallen below a hundredth of its largest.
        rise: the temperature rise of the delay's definition, K; None for
            the largest dT/dt.
        rtol, atol: the integrator's tolerances.
    """
    end = 10.0 if t_end is None else float(t_end)
    reactor = IdealGasReactor(mechanism, T, P, X, kind)
    net = ReactorNet([reactor])
    try:
        net.set_tolerances(rtol, atol)
        return _delay(net._handle, reactor._handle, float(T), end, rise)
    finally:
        net.close()
        reactor.close()


def _delay(h, r, T0, end, rise):
    """The stepping loop of ignition_delay, on the handles of a network and
    its reactor. It runs once per internal step: it keeps only the slopes
    around the largest one, and looks its functions up once."""
    step, temperature, failed = _step, _temperature, FAILED_DOUBLE
    target = T0 + rise if rise is not None else math.inf
    t = previous_t = 0.0
    previous_T = temp = T0
    best = 0.0        # the largest slope so far
    around = None     # [middle, slope] of the steps before, at and after it
    after = False     # whether the step after the best is still to come
    last = None       # [middle, slope] of the previous step
    while t < end:
        t = step(h)
        if t == failed and _error_count() > 0:
            fail(t, "reactornet_step")
        temp = temperature(r)
        if temp >= target:
            return previous_t + (target - previous_T) * (t - previous_t) / (temp - previous_T)
        slope = (temp - previous_T) / (t - previous_t)
        middle = 0.5 * (t + previous_t)
        if after:
            around[4], around[5], after = middle, slope, False
        if slope > best:
            best = slope
            around = [last[0], last[1], middle, slope, None, None] if last else [None, None, middle, slope, None, None]
            after = True
        elif rise is None and temp - T0 > 400.0 and slope < 0.01 * best:
            break
        last = (middle, slope)
        previous_t, previous_T = t, temp
    if rise is not None or around is None or temp - T0 < 400.0:
        return math.nan
    return _vertex(*around)


def _vertex(x0, y0, x1, y1, x2, y2):
    """The time of the largest slope y1 at x1: the vertex of the parabola
    through the slopes of the steps before (x0, y0), at and after it (x2, y2),
    or x1 where a neighbour is missing or the three do not bend down."""
    if x0 is None or x2 is None:
        return x1
    d = (x0 - x1) * (x0 - x2) * (x1 - x2)
    a = (x2 * (y1 - y0) + x1 * (y0 - y2) + x0 * (y2 - y1)) / d
    b = (x2 * x2 * (y0 - y1) + x1 * x1 * (y2 - y0) + x0 * x0 * (y1 - y2)) / d
    if not a < 0.0:
        return x1
    vertex = -b / (2.0 * a)
    return min(max(vertex, x0), x2)

"""Reactors and reactor networks."""

from __future__ import annotations

import ctypes
from typing import Iterable, List, Mapping, Sequence, Tuple, Union

import numpy as np

from ._errors import FAILED_DOUBLE, _error_count, check, check_double, fail
from ._handle import HandleOwner
from ._library import lib
from ._text import text

_concentration = lib.reactor_concentration
_set_concentration = lib.reactor_setConcentration
_time = lib.reactornet_time
_rtol = lib.reactornet_rtol
_atol = lib.reactornet_atol
_step = lib.reactornet_step
_advance = lib.reactornet_advance
_sensitivity = lib.reactornet_sensitivity


def _handles(objects: Iterable[object], kind: type) -> Tuple[int, ctypes.Array]:
    """The handles of `objects`, all of type `kind`, as a C array."""
    objects = list(objects)
    for o in objects:
        if not isinstance(o, kind):
            raise TypeError("expected {} objects, got {!r}".format(kind.__name__, o))
    return len(objects), (ctypes.c_int * len(objects))(*[o.handle for o in objects])


class ReactorBase(HandleOwner):
    """What every reactor has: species and their concentrations. A network
    (ReactorNet) takes reactors of any kind."""

    __slots__ = ()
    _what = "reactor"

    @property
    def species(self) -> List[str]:
        """The species names, in the reactor's order."""
        n = check(lib.reactor_nSpecies(self._handle), "reactor_nSpecies")
        return [text(lib.reactor_speciesName, "reactor_speciesName", self._handle, k) for k in range(n)]

    def concentration(self, species: str) -> float:
        """The concentration of one species, mol/m^3."""
        value = _concentration(self._handle, species.encode())
        if value == FAILED_DOUBLE and _error_count() > 0:
            fail(value, "reactor_concentration")
        return value


class Reactor(ReactorBase):
    """A closed, isothermal, constant-volume batch reactor whose species are
    those of its reactions, all at concentration 0 to begin with.

    Args:
        reactions: the Reaction objects; the reactor keeps its own share of
            each, so they may be closed afterwards.
    """

    __slots__ = ()

    def __init__(self, reactions: Iterable["Reaction"]) -> None:
        from .kinetics import Reaction

        n, handles = _handles(reactions, Reaction)
        self._own(check(lib.reactor_new(n, handles), "reactor_new"), lib.reactor_del)

    def set_concentration(self, species: str, value: float) -> None:
        """Sets the concentration of one species, mol/m^3 (finite, not negative)."""
        status = _set_concentration(self._handle, species.encode(), float(value))
        if status != 0:
            fail(status, "reactor_setConcentration")

    @property
    def concentrations(self) -> np.ndarray:
        """All concentrations, mol/m^3, as a numpy array in species order.
        Assign a mapping {species: value} to set some of them, or a sequence
        of one value per species to set all."""
        return np.array([self.concentration(s) for s in self.species])

    @concentrations.setter
    def concentrations(self, values: Union[Mapping[str, float], Sequence[float]]) -> None:
        if hasattr(values, "items"):
            for species, value in values.items():
                self.set_concentration(species, value)
            return
        names = self.species
        values = list(values)
        if len(values) != len(names):
            raise ValueError("got {} concentrations for {} species".format(len(values), len(names)))
        for species, value in zip(names, values):
            self.set_concentration(species, value)


def _composition(X: Union[str, Mapping[str, float]]) -> bytes:
    if isinstance(X, str):
        return X.encode()
    if hasattr(X, "items"):
        return ", ".join("{}:{!r}".format(name, float(value)) for name, value in X.items()).encode()
    raise TypeError("a composition is a string 'H2:1, O2:1' or a mapping, not {!r}".format(X))


class IdealGasReactor(ReactorBase):
    """A closed, adiabatic reactor of an ideal gas reacting by a mechanism's
    kinetics, with an energy equation. Its state is the temperature and the
    mass fractions; in a network its components are named "temperature" and
    by the species.

    Args:
        mechanism: the Mechanism; the reactor keeps its own share of it.
        T: the initial temperature, K.
        P: the initial pressure, Pa.
        X: the initial composition in mole numbers, a string "H2:1, O2:1,
            N2:3.76" or a mapping {"H2": 1, ...} (normalised; species left
            out are 0).
        kind: "constant-pressure" (the enthalpy is conserved),
            "constant-volume" (the internal energy is conserved) or
            "constant-temperature".
        sensitivities: whether a network integrates the sensitivities to
            this reactor's rates (needed for ReactorNet.sensitivity).
    """

    __slots__ = ("_sensitivities",)

    def __init__(self, mechanism: "Mechanism", T: float, P: float, X: Union[str, Mapping[str, float]],
                 kind: str = "constant-pressure", sensitivities: bool = False) -> None:
        handle = check(lib.reactor_newIdealGas(mechanism.handle, str(kind).encode(), float(T), float(P),
                                               _composition(X)), "reactor_newIdealGas")
        self._own(handle, lib.reactor_del)
        self._sensitivities = False
        self.sensitivities = sensitivities

    @property
    def temperature(self) -> float:
        """The temperature, K."""
        return check_double(lib.reactor_temperature(self._handle), "reactor_temperature")

    @property
    def pressure(self) -> float:
        """The pressure, Pa."""
        return check_double(lib.reactor_pressure(self._handle), "reactor_pressure")

    @property
    def density(self) -> float:
        """The density, kg/m^3."""
        return check_double(lib.reactor_density(self._handle), "reactor_density")

    def mole_fraction(self, species: str) -> float:
        """The mole fraction of one species."""
        return check_double(lib.reactor_moleFraction(self._handle, species.encode()), "reactor_moleFraction")

    def mass_fraction(self, species: str) -> float:
        """The mass fraction of one species."""
        return check_double(lib.reactor_massFraction(self._handle, species.encode()), "reactor_massFraction")

    @property
    def mole_fractions(self) -> np.ndarray:
        """All mole fractions, in species order."""
        return np.array([self.mole_fraction(s) for s in self.species])

    @property
    def mass_fractions(self) -> np.ndarray:
        """All mass fractions, in species order."""
        return np.array([self.mass_fraction(s) for s in self.species])

    @property
    def sensitivities(self) -> bool:
        """Whether a network integrates the sensitivities to this reactor's
        rates; settable (a network that holds the reactor then starts its
        integrator again from the current state)."""
        return self._sensitivities

    @sensitivities.setter
    def sensitivities(self, value: bool) -> None:
        check(lib.reactor_setSensitivities(self._handle, 1 if value else 0), "reactor_setSensitivities")
        self._sensitivities = bool(value)


class ReactorNet(HandleOwner):
    """Reactors integrated together in time (CVODES), with the sensitivities
    of their components to the rate of each reaction.

    Args:
        reactors: the reactors (Reactor, IdealGasReactor), each at most once.
    """

    __slots__ = ()
    _what = "reactor network"

    def __init__(self, reactors: Iterable[ReactorBase]) -> None:
        n, handles = _handles(reactors, ReactorBase)
        self._own(check(lib.reactornet_new(n, handles), "reactornet_new"), lib.reactornet_del)

    @property
    def time(self) -> float:
        """The current time, s."""
        h = self._h
        if h < 0:
            self._refuse_closed()
        t = _time(h)
        if t == FAILED_DOUBLE and _error_count() > 0:
            fail(t, "reactornet_time")
        return t

    @property
    def rtol(self) -> float:
        """The relative tolerance of the concentrations."""
        return check_double(_rtol(self._handle), "reactornet_rtol")

    @property
    def atol(self) -> float:
        """The absolute tolerance of the concentrations, mol/m^3."""
        return check_double(_atol(self._handle), "reactornet_atol")

    def set_tolerances(self, rtol: float, atol: float) -> None:
        """Tolerances of the concentrations (defaults 1e-9 and 1e-15)."""
        check(lib.reactornet_setTolerances(self._handle, float(rtol), float(atol)), "reactornet_setTolerances")

    def set_sensitivity_tolerances(self, rtol: float, atol: float) -> None:
        """Tolerances of the sensitivities (defaults 1e-6 and 1e-8)."""
        check(
            lib.reactornet_setSensitivityTolerances(self._handle, float(rtol), float(atol)),
            "reactornet_setSensitivityTolerances",
        )

    def set_initial_time(self, t: float) -> None:
        """Sets the time, s, from which the network integrates."""
        check(lib.reactornet_setInitialTime(self._handle, float(t)), "reactornet_setInitialTime")

    def set_max_time_step(self, step: float) -> None:
        """Largest internal step, s; 0 for no limit."""
        check(lib.reactornet_setMaxTimeStep(self._handle, float(step)), "reactornet_setMaxTimeStep")

    def advance(self, t: float) -> None:
        """Integrates to exactly time `t`, s."""
        h = self._h
        if h < 0:
            self._refuse_closed()
        status = _advance(h, float(t))
        if status != 0:
            fail(status, "reactornet_advance")

    def step(self) -> float:
        """Takes one internal step; returns the new time, s."""
        h = self._h
        if h < 0:
            self._refuse_closed()
        t = _step(h)
        if t == FAILED_DOUBLE and _error_count() > 0:
            fail(t, "reactornet_step")
        return t

    def sensitivity(self, component: str, parameter: int, reactor: int = 0) -> float:
        """Normalized sensitivity d ln y / d ln k of component `component` (a
        species, or "temperature" of an ideal-gas reactor) of reactor
        `reactor` (its index in the network) to the rate of reaction
        `parameter` (numbered across the network)."""
        return check_double(
            _sensitivity(self._handle, component.encode(), int(parameter), int(reactor)), "reactornet_sensitivity"
        )

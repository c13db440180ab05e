"""Transport-property evaluators."""

from __future__ import annotations

import ctypes
from typing import Callable, Iterable, List, Optional, Sequence, Tuple

import numpy as np

from ._errors import check, check_double
from ._handle import HandleOwner
from ._library import lib
from ._text import text

_double_p = ctypes.POINTER(ctypes.c_double)


def _array(values: Sequence[float], n: Optional[int] = None, name: str = "values") -> np.ndarray:
    a = np.ascontiguousarray(values, dtype=np.float64)
    if a.ndim != 1 or (n is not None and a.size != n):
        raise ValueError("{} must be a sequence of {} numbers".format(name, n if n is not None else "some"))
    return a


def _pointer(a: np.ndarray):
    return a.ctypes.data_as(_double_p)


class Transport(HandleOwner):
    """The transport properties of a mixture at the evaluator's state, SI
    units. Subclasses create the evaluator and set its state.

    Attributes:
        n_species: the number of species.
    """

    __slots__ = ("n_species",)
    _what = "transport evaluator"

    @property
    def transport_model(self) -> str:
        """The name of the model."""
        return text(lib.trans_transportModel, "trans_transportModel", self._handle)

    @property
    def viscosity(self) -> float:
        """Mixture viscosity, Pa s."""
        return check_double(lib.trans_viscosity(self._handle), "trans_viscosity")

    @property
    def thermal_conductivity(self) -> float:
        """Mixture thermal conductivity, W/m/K."""
        return check_double(lib.trans_thermalConductivity(self._handle), "trans_thermalConductivity")

    @property
    def electrical_conductivity(self) -> float:
        """Electrical conductivity, S/m."""
        return check_double(lib.trans_electricalConductivity(self._handle), "trans_electricalConductivity")

    @property
    def mix_diff_coeffs(self) -> np.ndarray:
        """Mixture-averaged diffusion coefficients, m^2/s, one per species."""
        d = np.empty(self.n_species)
        check(lib.trans_getMixDiffCoeffs(self._handle, d.size, _pointer(d)), "trans_getMixDiffCoeffs")
        return d

    @property
    def thermal_diff_coeffs(self) -> np.ndarray:
        """Thermal diffusion coefficients, kg/m/s, one per species."""
        d = np.empty(self.n_species)
        check(lib.trans_getThermalDiffCoeffs(self._handle, d.size, _pointer(d)), "trans_getThermalDiffCoeffs")
        return d

    def _matrix(self, function: Callable[..., int], name: str) -> np.ndarray:
        n = self.n_species
        d = np.empty((n, n))  # D[j, i] in C order is D_ij at d[j * n + i]
        check(function(self._handle, n, n * n, _pointer(d)), name)
        return d.T.copy()

    @property
    def binary_diff_coeffs(self) -> np.ndarray:
        """Binary diffusion coefficients D[i, j], m^2/s."""
        return self._matrix(lib.trans_getBinaryDiffCoeffs, "trans_getBinaryDiffCoeffs")

    @property
    def multi_diff_coeffs(self) -> np.ndarray:
        """Multicomponent diffusion coefficients D[i, j], m^2/s, where the
        model provides them."""
        return self._matrix(lib.trans_getMultiDiffCoeffs, "trans_getMultiDiffCoeffs")

    def _fluxes(self, function: Callable[..., int], name: str, state1: Sequence[float], state2: Sequence[float],
                delta: float) -> np.ndarray:
        n = self.n_species
        a = _array(state1, n, "state1")
        b = _array(state2, n, "state2")
        out = np.empty(n)
        check(function(self._handle, n, _pointer(a), n, _pointer(b), float(delta), n, _pointer(out)), name)
        return out

    def molar_fluxes(self, state1: Sequence[float], state2: Sequence[float], delta: float) -> np.ndarray:
        """Molar diffusive fluxes, mol/m^2/s, between two states (for a gas,
        mole fractions) `delta` m apart, positive from the first to the second."""
        return self._fluxes(lib.trans_getMolarFluxes, "trans_getMolarFluxes", state1, state2, delta)

    def mass_fluxes(self, state1: Sequence[float], state2: Sequence[float], delta: float) -> np.ndarray:
        """Mass diffusive fluxes, kg/m^2/s, as molar_fluxes()."""
        return self._fluxes(lib.trans_getMassFluxes, "trans_getMassFluxes", state1, state2, delta)


class HardSphereGas(Transport):
    """A dilute mixture of neutral rigid-sphere molecules (first
    Chapman-Enskog approximation; Wilke and Mason-Saxena mixing rules). It
    starts at 300 K, 101325 Pa and equal mole fractions.

    Args:
        molar_masses: kg/mol, one per species.
        diameters: collision diameters, m.
        molar_cp: constant molar heat capacities, J/mol/K; None for 5/2 R.
    """

    __slots__ = ()

    def __init__(self, molar_masses: Sequence[float], diameters: Sequence[float],
                 molar_cp: Optional[Sequence[float]] = None) -> None:
        m = _array(molar_masses, name="molar_masses")
        n = m.size
        d = _array(diameters, n, "diameters")
        cp = None if molar_cp is None else _array(molar_cp, n, "molar_cp")
        handle = check(
            lib.gastrans_new(n, _pointer(m), _pointer(d), None if cp is None else _pointer(cp)), "gastrans_new"
        )
        self.n_species = n
        self._own(handle, lib.trans_del)

    def set_state(self, T: float, P: float, X: Sequence[float]) -> None:
        """Sets temperature (K), pressure (Pa) and mole fractions (summing to 1)."""
        x = _array(X, self.n_species, "X")
        check(lib.gastrans_setState(self._handle, float(T), float(P), x.size, _pointer(x)), "gastrans_setState")


def _names(names: Iterable[str]) -> Tuple[int, ctypes.Array]:
    names = [str(n) for n in names]
    return len(names), (ctypes.c_char_p * len(names))(*[n.encode() for n in names])


class GasTransport(Transport):
    """Kinetic theory of a dilute gas mixture with Lennard-Jones (and, for
    polar species, Stockmayer) potentials, as combustion codes use it.

    Args:
        species: names of species the library has data for: H2, H, O2, O,
            OH, H2O, HO2, H2O2, N2, Ar, He, CO, CO2, CH4, CH3, CH2O, C2H2,
            C2H4, C2H6, NO, NO2, N2O and NH3.
        model: "mixture-averaged", or "multicomponent", which adds the
            multicomponent diffusion coefficients.

    It starts at 300 K, 101325 Pa and equal mole fractions.
    """

    __slots__ = ()

    def __init__(self, species: Iterable[str], model: str = "mixture-averaged") -> None:
        n, names = _names(species)
        handle = check(lib.gastrans_newFromSpecies(n, names, model.encode()), "gastrans_newFromSpecies")
        self.n_species = n
        self._own(handle, lib.trans_del)

    @classmethod
    def from_parameters(cls, names: Iterable[str], molar_mass: Sequence[float], geometry: Sequence[int],
                        well_depth: Sequence[float], diameter: Sequence[float],
                        dipole: Optional[Sequence[float]] = None, polarizability: Optional[Sequence[float]] = None,
                        rot_relax: Optional[Sequence[float]] = None, molar_cp: Optional[Sequence[float]] = None,
                        model: str = "mixture-averaged") -> "GasTransport":
        """An evaluator from the caller's molecular data, SI units: molar
        masses (kg/mol), geometries (0 atom, 1 linear, 2 nonlinear),
        Lennard-Jones well depths over Boltzmann's constant (K) and diameters
        (m), dipole moments (C m), polarizabilities (m^3), rotational
        collision numbers at 298 K, constant heat capacities (J/mol/K; None
        for rigid rotors)."""
        self = cls.__new__(cls)
        n, c_names = _names(names)
        arrays = [_array(a, n, label) for a, label in
                  ((molar_mass, "molar_mass"), (well_depth, "well_depth"), (diameter, "diameter"))]
        optional = [None if a is None else _array(a, n, label) for a, label in
                    ((dipole, "dipole"), (polarizability, "polarizability"), (rot_relax, "rot_relax"),
                     (molar_cp, "molar_cp"))]
        geometries = (ctypes.c_int * n)(*[int(g) for g in geometry])
        handle = check(
            lib.gastrans_newFromParameters(
                n, c_names, _pointer(arrays[0]), geometries, _pointer(arrays[1]), _pointer(arrays[2]),
                *[None if a is None else _pointer(a) for a in optional], model.encode()),
            "gastrans_newFromParameters")
        self.n_species = n
        self._own(handle, lib.trans_del)
        return self

    @property
    def species(self) -> List[str]:
        """The species names, in the evaluator's order."""
        return [text(lib.gastrans_speciesName, "gastrans_speciesName", self._handle, k) for k in range(self.n_species)]

    def set_state(self, T: float, P: float, X: Sequence[float]) -> None:
        """Sets temperature (K), pressure (Pa) and mole fractions (normalised)."""
        x = _array(X, self.n_species, "X")
        check(lib.gastrans_setState(self._handle, float(T), float(P), x.size, _pointer(x)), "gastrans_setState")

"""Reactions and mechanisms."""

from __future__ import annotations

import os
from typing import List, Optional, Union

import numpy as np

from ._errors import check, check_double, fail
from ._handle import HandleOwner
from ._library import lib
from ._text import text

_new = lib.mech_newReaction
_new_default = lib.rxn_new
_equation = lib.rxn_equation
_type = lib.rxn_type
_id = lib.rxn_id
_set_id = lib.rxn_setId
_third_body = lib.rxn_usesThirdBody
_valid = lib.rxn_valid
_allow = lib.rxn_allowNonreactantOrders
_set_allow = lib.rxn_setAllowNonreactantOrders


class Reaction(HandleOwner):
    """A mass-action reaction with constant rate coefficients.

    Args:
        equation: reactants, an arrow ("=>" irreversible, "<=>" reversible)
            and products, e.g. "A + B => C", "2 H + M <=> H2 + M". None
            makes a reaction in the library's default state (no species).
        forward: forward rate coefficient, SI units: (m^3/mol)^(order-1)/s.
        reverse: reverse rate coefficient; 0 for an irreversible reaction.

    Raises:
        VelkoraError: a faulty equation (the message gives the column of the
            fault) or coefficient.
    """

    __slots__ = ()
    _what = "reaction"

    def __init__(self, equation: Optional[str] = None, forward: float = 0.0, reverse: float = 0.0) -> None:
        if equation is None:
            handle = check(_new_default(), "rxn_new")
        else:
            handle = check(_new(equation.encode(), float(forward), float(reverse)), "mech_newReaction")
        self._own(handle, lib.rxn_del)

    @property
    def equation(self) -> str:
        """The equation in canonical form ("A + B => C")."""
        return text(_equation, "rxn_equation", self._handle)

    @property
    def type(self) -> str:
        """The kind of rate: "mass-action" or "three-body" for constant
        coefficients; "elementary", "three-body", "falloff",
        "chemically-activated" or "pressure-dependent-Arrhenius" for a
        mechanism's reactions."""
        return text(_type, "rxn_type", self._handle)

    @property
    def id(self) -> str:
        """The caller's identifier of the reaction; settable."""
        return text(_id, "rxn_id", self._handle)

    @id.setter
    def id(self, value: str) -> None:
        status = _set_id(self._handle, str(value).encode())
        if status != 0:
            fail(status, "rxn_setId")

    @property
    def valid(self) -> bool:
        """Whether the reaction is marked valid."""
        return bool(check(_valid(self._handle), "rxn_valid"))

    @property
    def uses_third_body(self) -> bool:
        """Whether the reaction has a third body ("+ M")."""
        return bool(check(_third_body(self._handle), "rxn_usesThirdBody"))

    @property
    def allow_nonreactant_orders(self) -> bool:
        """Whether species other than reactants may have orders; settable."""
        return bool(check(_allow(self._handle), "rxn_allowNonreactantOrders"))

    @allow_nonreactant_orders.setter
    def allow_nonreactant_orders(self, value: bool) -> None:
        status = _set_allow(self._handle, 1 if value else 0)
        if status != 0:
            fail(status, "rxn_setAllowNonreactantOrders")

    def __repr__(self) -> str:
        return "Reaction({!r})".format(self.equation) if not self.closed else "Reaction(<closed>)"

    @classmethod
    def _adopt(cls, handle: int) -> "Reaction":
        """The Reaction of a handle the library gave out (mech_reaction)."""
        self = cls.__new__(cls)
        self._own(handle, lib.rxn_del)
        return self


class Mechanism(HandleOwner):
    """A gas-phase mechanism in CHEMKIN-II format: elements, species with
    their thermodynamics, and reactions (Arrhenius, third bodies with
    efficiencies, Lindemann, Troe and SRI falloff, chemically activated,
    PLOG, REV, DUPLICATE, FORD, RORD).

    Args:
        path: the mechanism file (chem.inp).
        thermo: the thermo file (therm.dat), or None when the mechanism file
            holds all thermo data; entries in the mechanism take precedence.

    Raises:
        VelkoraError: a file that cannot be read or is faulty; the message
            names the file, the line, the column where it helps, and the
            fault.
    """

    __slots__ = ("_species", "_reactions")
    _what = "mechanism"

    def __init__(self, path: Union[str, os.PathLike], thermo: Optional[Union[str, os.PathLike]] = None) -> None:
        handle = check(lib.mech_load(os.fsencode(path), None if thermo is None else os.fsencode(thermo)), "mech_load")
        self._own(handle, lib.mech_del)
        self._species = None
        self._reactions = None

    @property
    def n_species(self) -> int:
        """The number of species."""
        return check(lib.mech_nSpecies(self._handle), "mech_nSpecies")

    @property
    def n_reactions(self) -> int:
        """The number of reactions."""
        return check(lib.mech_nReactions(self._handle), "mech_nReactions")

    @property
    def species(self) -> List[str]:
        """The species names, in the order the mechanism declares them."""
        if self._species is None:
            self._species = [text(lib.mech_speciesName, "mech_speciesName", self._handle, k)
                             for k in range(self.n_species)]
        return list(self._species)

    def species_index(self, name: str) -> int:
        """The index of species `name`; VelkoraError for an unknown one."""
        return check(lib.mech_speciesIndex(self._handle, name.encode()), "mech_speciesIndex")

    @property
    def reactions(self) -> List[Reaction]:
        """The reactions as Reaction objects, in the order of the file; they
        share the mechanism's records."""
        if self._reactions is None:
            self._reactions = [Reaction._adopt(check(lib.mech_reaction(self._handle, i), "mech_reaction"))
                               for i in range(self.n_reactions)]
        return list(self._reactions)

    def _per_species(self, function, name: str, T: float) -> np.ndarray:
        h = self._handle
        return np.array([check_double(function(h, k, float(T)), name) for k in range(self.n_species)])

    def species_cp(self, T: float) -> np.ndarray:
        """Standard-state molar heat capacities at T, J/mol/K, in species
        order; VelkoraError for a T outside a species' data range."""
        return self._per_species(lib.mech_speciesCp, "mech_speciesCp", T)

    def species_enthalpy(self, T: float) -> np.ndarray:
        """Standard-state molar enthalpies at T, J/mol (formation included)."""
        return self._per_species(lib.mech_speciesEnthalpy, "mech_speciesEnthalpy", T)

    def species_entropy(self, T: float) -> np.ndarray:
        """Standard-state molar entropies at T and 1 atm, J/mol/K."""
        return self._per_species(lib.mech_speciesEntropy, "mech_speciesEntropy", T)

    def __repr__(self) -> str:
        if self.closed:
            return "Mechanism(<closed>)"
        return "Mechanism({} species, {} reactions)".format(self.n_species, self.n_reactions)

"""Reactions."""

from __future__ import annotations

from typing import Optional

from ._errors import check, fail
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
        """"mass-action" or "three-body"."""
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

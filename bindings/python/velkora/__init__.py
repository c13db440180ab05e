"""Velkora from Python: mechanisms in CHEMKIN format with their
thermodynamics, ideal-gas and batch reactors, reactor networks with
sensitivities, ignition delays, and transport properties, over the library's
C interface.

    >>> import velkora
    >>> gri = velkora.Mechanism("chem.inp", "therm.dat")      # doctest: +SKIP
    >>> velkora.ignition_delay(gri, 1000.0, 13.5 * 101325, "CH4:0.5, O2:1, N2:3.76")  # doctest: +SKIP
    0.0594...

Reactions with constant rate coefficients in a batch reactor:

    >>> import velkora
    >>> r = velkora.Reaction("A => B", 2.0)
    >>> reactor = velkora.Reactor([r])
    >>> reactor.set_concentration("A", 1.0)
    >>> net = velkora.ReactorNet([reactor])
    >>> net.advance(0.5)
    >>> round(reactor.concentration("A"), 6)   # exp(-1)
    0.367879

Every failure of the library raises VelkoraError, with the library's message
and the raw status value. Objects delete their handles on close(), on
leaving a `with` block, or when collected; using a closed object raises
VelkoraError. Objects have fixed attributes: assigning one they do not have
raises AttributeError.

The shared library is the one named by the environment variable
VELKORA_LIBRARY, else the one installed with this package, else the one in
the source tree's build folder, else the one the system's loader finds
(libvelkora.so.0).
"""

from ._errors import VelkoraError
from ._version import __version__
from ._library import lib as _lib
from ._library import path as library_path
from ._text import text as _text
from .ignition import ignition_delay
from .kinetics import Mechanism, Reaction
from .reactors import IdealGasReactor, Reactor, ReactorBase, ReactorNet
from .transport import GasTransport, HardSphereGas, Transport

__all__ = [
    "VelkoraError",
    "Mechanism",
    "Reaction",
    "ReactorBase",
    "Reactor",
    "IdealGasReactor",
    "ReactorNet",
    "ignition_delay",
    "Transport",
    "HardSphereGas",
    "GasTransport",
    "version",
    "library_path",
    "__version__",
]


def version() -> str:
    """The version of the library in use, "major.minor.patch"."""
    return _text(_lib.app_version, "app_version")

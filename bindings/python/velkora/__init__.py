"""Velkora from Python: reactions, batch reactors and reactor networks with
sensitivities, and transport properties, over the library's C interface.

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
from .kinetics import Reaction
from .reactors import Reactor, ReactorNet
from .transport import GasTransport, HardSphereGas, Transport

__all__ = [
    "VelkoraError",
    "Reaction",
    "Reactor",
    "ReactorNet",
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

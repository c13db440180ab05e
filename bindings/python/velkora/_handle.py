"""The handle an object holds, deleted exactly once."""

from __future__ import annotations

import weakref
from typing import Any, Callable

from ._errors import VelkoraError


class HandleOwner:
    """Base of the objects that hold a handle of the C interface. The handle
    is deleted exactly once: by close(), on leaving a `with` block, or when
    the object is collected. Using a closed object raises VelkoraError before
    any call into the library.

    Objects have fixed attributes (``__slots__``): assigning one they do not
    have raises AttributeError instead of passing unnoticed.
    """

    __slots__ = ("_h", "_finalizer", "__weakref__")

    #: What the object is called in the message for a closed object.
    _what = "object"

    def _own(self, handle: int, delete: Callable[[int], Any]) -> None:
        self._h = handle
        self._finalizer = weakref.finalize(self, delete, handle)

    @property
    def _handle(self) -> int:
        h = getattr(self, "_h", -1)
        if h < 0:
            raise VelkoraError("the {} is closed".format(self._what), None, None)
        return h

    @property
    def handle(self) -> int:
        """The integer handle of the C interface; VelkoraError once closed."""
        return self._handle

    def close(self) -> None:
        """Deletes the handle now; later calls do nothing."""
        finalizer = getattr(self, "_finalizer", None)
        if finalizer is not None:
            finalizer()
        self._h = -1

    @property
    def closed(self) -> bool:
        """Whether the handle was deleted."""
        return getattr(self, "_h", -1) < 0

    def __enter__(self):
        return self

    def __exit__(self, *exc: object) -> bool:
        self.close()
        return False

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

    def __new__(cls, *args: Any, **kwargs: Any):
        self = super().__new__(cls)
        self._h = -1  # no handle until _own(), and again after close()
        self._finalizer = None
        return self

    def _own(self, handle: int, delete: Callable[[int], Any]) -> None:
        self._h = handle
        self._finalizer = weakref.finalize(self, delete, handle)

    def _refuse_closed(self) -> None:
        raise VelkoraError("the {} is closed".format(self._what), None, None)

    @property
    def _handle(self) -> int:
        # Hot paths read self._h and call _refuse_closed() themselves.
        h = self._h
        if h < 0:
            self._refuse_closed()
        return h

    @property
    def handle(self) -> int:
        """The integer handle of the C interface; VelkoraError once closed."""
        return self._handle

    def close(self) -> None:
        """Deletes the handle now; later calls do nothing."""
        if self._finalizer is not None:
            self._finalizer()
        self._h = -1

    @property
    def closed(self) -> bool:
        """Whether the handle was deleted."""
        return self._h < 0

    def __enter__(self):
        return self

    def __exit__(self, *exc: object) -> bool:
        self.close()
        return False

"""The handle an object holds, deleted exactly once."""

import weakref


class HandleOwner:
    """Base of the objects that hold a handle of the C interface. The handle
    is deleted exactly once: by close(), on leaving a `with` block, or when
    the object is collected."""

    _handle = -1

    def _own(self, handle, delete):
        self._handle = handle
        self._finalizer = weakref.finalize(self, delete, handle)

    @property
    def handle(self):
        """The integer handle of the C interface."""
        return self._handle

    def close(self):
        """Deletes the handle now; later calls do nothing."""
        finalizer = getattr(self, "_finalizer", None)
        if finalizer is not None:
            finalizer()

    @property
    def closed(self):
        """Whether the handle was deleted."""
        finalizer = getattr(self, "_finalizer", None)
        return finalizer is None or not finalizer.alive

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

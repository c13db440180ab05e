"""How failures of the C interface become Python exceptions."""

from __future__ import annotations

import ctypes
from typing import NoReturn, Optional, Union

from ._library import lib

#: What a C function that returns a double gives for every failure.
FAILED_DOUBLE = -999.999

_last_error = lib.app_lastError
_pop_error = lib.app_popError
_error_count = lib.app_errorCount


class VelkoraError(Exception):
    """A call into the library failed.

    Attributes:
        message: the library's text for the failure, taken (and removed)
            from the calling thread's error stack.
        status: the raw status value the C function returned (-1, -2, -999,
            or -999.999 for functions that return a double); None when the
            package refused the call before reaching the library (a closed
            object).
        function: the name of the C function, or None.
    """

    def __init__(self, message: str, status: Optional[Union[int, float]], function: Optional[str]) -> None:
        super().__init__(message)
        self.message = message
        self.status = status
        self.function = function


def take_error() -> str:
    """Removes the newest message from the calling thread's error stack and
    returns it ("" if the stack is empty)."""
    size = _last_error(0, None)
    if size <= 1:
        return ""
    buf = ctypes.create_string_buffer(size)
    _last_error(size, buf)
    _pop_error()
    return buf.value.decode("utf-8", "replace")


def fail(status: Union[int, float], function: str) -> NoReturn:
    """Raises the VelkoraError of a failed call."""
    message = take_error() or "{} failed with status {}".format(function, status)
    raise VelkoraError(message, status, function)


def check(status: int, function: str) -> int:
    """`status` of an int function, or the VelkoraError it stands for: every
    negative value is a failure."""
    if status < 0:
        fail(status, function)
    return status


def check_double(value: float, function: str) -> float:
    """`value` of a double function. -999.999 is a failure only when the
    error stack holds the reason: a genuine result of that value is returned
    as it is."""
    if value == FAILED_DOUBLE and _error_count() > 0:
        fail(value, function)
    return value

"""Strings returned by the string convention: the C function copies the text
into a buffer and returns the size that holds all of it."""

from __future__ import annotations

import ctypes
from typing import Any, Callable

from ._errors import check

_SIZE = 256


def text(function: Callable[..., int], name: str, *args: Any) -> str:
    """Calls `function(*args, buflen, buf)` and returns the text: one call
    when it fits in 256 bytes, a second with a buffer of the size asked
    for otherwise."""
    buf = ctypes.create_string_buffer(_SIZE)
    size = check(function(*args, _SIZE, buf), name)
    if size > _SIZE:
        buf = ctypes.create_string_buffer(size)
        check(function(*args, size, buf), name)
    return buf.value.decode("utf-8", "replace")

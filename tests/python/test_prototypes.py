"""Every function the installed C header declares has a Python prototype
with the same types, and the package declares no function the header lacks."""

import ctypes
import os
import re

from velkora import _library

HEADER_DIR = os.environ.get(
    "VELKORA_INCLUDE", os.path.join(os.path.dirname(__file__), "..", "..", "src")
)

C_TYPES = {
    "int": ctypes.c_int,
    "double": ctypes.c_double,
    "const char*": ctypes.c_char_p,
    "char*": ctypes.c_char_p,
    "const int*": ctypes.POINTER(ctypes.c_int),
    "const char* const*": ctypes.POINTER(ctypes.c_char_p),
    "double*": ctypes.POINTER(ctypes.c_double),
    "const double*": ctypes.POINTER(ctypes.c_double),
    "void*": ctypes.c_void_p,
    "velkora_LogWriter": _library.LOG_WRITER,
}


def headers(path, seen):
    """The header at `path` and those it includes with quotes, once each."""
    path = os.path.normpath(path)
    if path in seen:
        return
    seen.add(path)
    with open(path) as f:
        text = f.read()
    yield text
    for include in re.findall(r'#include "([^"]+)"', text):
        for root in (os.path.dirname(path), HEADER_DIR):
            candidate = os.path.join(root, include)
            if os.path.exists(candidate):
                yield from headers(candidate, seen)
                break


def declared_functions():
    text = "\n".join(headers(os.path.join(HEADER_DIR, "velkora", "velkora.h"), set()))
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    found = {}
    for result, name, args in re.findall(r"^VELKORA_EXPORT\s+(int|double)\s+(\w+)\(([^)]*)\);", text, flags=re.M):
        types = []
        for arg in args.split(","):
            arg = " ".join(arg.split())
            if arg in ("void", ""):
                continue
            type_ = re.sub(r"\s*\w+$", "", arg).replace(" *", "*").replace("* const*", "* const*")
            types.append(type_)
        found[name] = (result, types)
    return found


def test_every_declared_function_has_a_matching_prototype():
    declared = declared_functions()
    assert len(declared) >= 50
    assert set(declared) == set(_library.PROTOTYPES)
    for name, (result, args) in declared.items():
        restype, argtypes = _library.PROTOTYPES[name]
        assert restype is C_TYPES[result], name
        assert [C_TYPES[a] for a in args] == list(argtypes), name

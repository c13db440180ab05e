"""Every function the installed C header declares has a Python prototype
and a Fortran interface of the same types, and neither binding declares a
function the header lacks."""

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


FORTRAN_MODULE = os.path.join(os.path.dirname(__file__), "..", "..", "bindings", "fortran", "velkora_c.f90")

# The C types an argument of each Fortran kind may stand for. An assumed-size
# array or a scalar without `value` is passed by reference; `type(c_ptr),
# value` is any pointer (the optional arrays and strings, user data).
POINTERS = {"const char*", "char*", "const int*", "double*", "const double*", "void*", "const char* const*"}
FORTRAN_KINDS = {
    "integer value": {"int"},
    "real value": {"double"},
    "integer reference": {"const int*"},
    "real reference": {"double*", "const double*"},
    "character reference": {"const char*", "char*"},
    "ptr value": POINTERS,
    "ptr reference": {"const char* const*"},
    "funptr value": {"velkora_LogWriter"},
}


def fortran_interfaces(text):
    """{C name: (result kind, [(argument kind, intent)])} of every bind(C)
    function in the Fortran source `text`."""
    text = re.sub(r"&\s*\n\s*", " ", re.sub(r"!.*", "", text))
    found = {}
    pattern = (r"^\s*(integer|real)\((c_int|c_double)\)\s+function\s+(\w+)\(([^)]*)\)\s*"
               r'bind\(C,\s*name="(\w+)"\)(.*?)^\s*end function')
    for _, kind, name, args, c_name, body in re.findall(pattern, text, flags=re.M | re.S):
        declared = {}
        for line in body.splitlines():
            m = re.match(r"\s*(integer|real|character|type)\((\w+)(?:=\w+)?\)((?:,\s*[\w()]+)*)\s*::\s*(.*)", line)
            if not m:
                continue
            base, kind_name, attributes, names = m.groups()
            base = kind_name[2:] if base == "type" else base
            intent = re.search(r"intent\((\w+)\)", attributes)
            for entity in re.findall(r"\w+(?:\(\*\))?", names):
                array = entity.endswith("(*)")
                passing = "value" if "value" in attributes and not array else "reference"
                declared[entity.replace("(*)", "")] = (f"{base} {passing}", intent.group(1) if intent else None)
        arguments = [a.strip() for a in args.split(",") if a.strip()]
        found[c_name] = (name, {"c_int": "int", "c_double": "double"}[kind],
                         [declared.get(a, ("undeclared", None)) for a in arguments])
    return found


def fortran_mismatches(declared, interfaces):
    """What differs between the C declarations and the Fortran interfaces."""
    problems = [f"{name}: no Fortran interface" for name in sorted(set(declared) - set(interfaces))]
    problems += [f"{name}: not in the C header" for name in sorted(set(interfaces) - set(declared))]
    for name in sorted(set(declared) & set(interfaces)):
        result, args = declared[name]
        fortran_name, fortran_result, fortran_args = interfaces[name]
        if fortran_name != name:
            problems.append(f"{name}: bound by the Fortran function {fortran_name}")
        if fortran_result != result:
            problems.append(f"{name}: returns {fortran_result} in Fortran, {result} in C")
        if len(fortran_args) != len(args):
            problems.append(f"{name}: {len(fortran_args)} arguments in Fortran, {len(args)} in C")
            continue
        for position, (c_type, (kind, intent)) in enumerate(zip(args, fortran_args), 1):
            if c_type not in FORTRAN_KINDS.get(kind, ()):
                problems.append(f"{name}, argument {position}: {kind} for {c_type}")
            # The library writes through non-const pointers only: intent(out)
            # on a const one would promise the caller a result never written.
            if intent in ("out", "inout") and c_type.startswith("const"):
                problems.append(f"{name}, argument {position}: intent({intent}) for {c_type}")
    return problems


def read_fortran_module():
    with open(FORTRAN_MODULE) as f:
        return f.read()


def test_every_declared_function_has_a_matching_fortran_interface():
    interfaces = fortran_interfaces(read_fortran_module())
    assert len(interfaces) >= 60
    assert fortran_mismatches(declared_functions(), interfaces) == []


def test_the_fortran_comparison_sees_each_kind_of_fault():
    module = read_fortran_module()
    declared = declared_functions()
    faults = {
        # a handle passed by reference where C takes it by value
        "rxn_del, argument 1: integer reference for int": module.replace(
            'bind(C, name="rxn_del")\n            import :: c_int\n            integer(c_int), value :: handle',
            'bind(C, name="rxn_del")\n            import :: c_int\n            integer(c_int) :: handle'),
        "reactor_temperature: returns int in Fortran, double in C": module.replace(
            "real(c_double) function reactor_temperature(", "integer(c_int) function reactor_temperature("),
        "mech_nSpecies: no Fortran interface": module.replace('bind(C, name="mech_nSpecies")', 'bind(C, name="x")'),
    }
    for expected, text in faults.items():
        assert text != module, expected
        assert expected in fortran_mismatches(declared, fortran_interfaces(text))

"""Finding and loading the shared library, and the prototype of every C
function of its interface, declared once."""

from __future__ import annotations

import ctypes
import glob
import os

_c_int = ctypes.c_int
_c_double = ctypes.c_double
_c_char_p = ctypes.c_char_p
_int_p = ctypes.POINTER(ctypes.c_int)
_double_p = ctypes.POINTER(ctypes.c_double)
_char_pp = ctypes.POINTER(ctypes.c_char_p)

#: The log writer callback type of app_setLogWriter.
LOG_WRITER = ctypes.CFUNCTYPE(None, ctypes.c_char_p, ctypes.c_void_p)

#: name: (result type, argument types). Every function the C header
#: declares; tests compare this table with the header.
PROTOTYPES = {
    # error stack, log, version
    "app_errorCount": (_c_int, []),
    "app_lastError": (_c_int, [_c_int, _c_char_p]),
    "app_popError": (_c_int, []),
    "app_clearErrors": (_c_int, []),
    "app_version": (_c_int, [_c_int, _c_char_p]),
    "app_setLogWriter": (_c_int, [LOG_WRITER, ctypes.c_void_p]),
    # reactions
    "rxn_new": (_c_int, []),
    "rxn_equation": (_c_int, [_c_int, _c_int, _c_char_p]),
    "rxn_type": (_c_int, [_c_int, _c_int, _c_char_p]),
    "rxn_id": (_c_int, [_c_int, _c_int, _c_char_p]),
    "rxn_setId": (_c_int, [_c_int, _c_char_p]),
    "rxn_usesThirdBody": (_c_int, [_c_int]),
    "rxn_valid": (_c_int, [_c_int]),
    "rxn_allowNonreactantOrders": (_c_int, [_c_int]),
    "rxn_setAllowNonreactantOrders": (_c_int, [_c_int, _c_int]),
    "rxn_del": (_c_int, [_c_int]),
    "rxn_cabinetSize": (_c_int, []),
    "mech_newReaction": (_c_int, [_c_char_p, _c_double, _c_double]),
    # mechanisms
    "mech_load": (_c_int, [_c_char_p, _c_char_p]),
    "mech_nSpecies": (_c_int, [_c_int]),
    "mech_nReactions": (_c_int, [_c_int]),
    "mech_speciesName": (_c_int, [_c_int, _c_int, _c_int, _c_char_p]),
    "mech_speciesIndex": (_c_int, [_c_int, _c_char_p]),
    "mech_speciesCp": (_c_double, [_c_int, _c_int, _c_double]),
    "mech_speciesEnthalpy": (_c_double, [_c_int, _c_int, _c_double]),
    "mech_speciesEntropy": (_c_double, [_c_int, _c_int, _c_double]),
    "mech_reaction": (_c_int, [_c_int, _c_int]),
    "mech_del": (_c_int, [_c_int]),
    "mech_cabinetSize": (_c_int, []),
    # reactors
    "reactor_new": (_c_int, [_c_int, _int_p]),
    "reactor_nSpecies": (_c_int, [_c_int]),
    "reactor_speciesName": (_c_int, [_c_int, _c_int, _c_int, _c_char_p]),
    "reactor_setConcentration": (_c_int, [_c_int, _c_char_p, _c_double]),
    "reactor_concentration": (_c_double, [_c_int, _c_char_p]),
    "reactor_newIdealGas": (_c_int, [_c_int, _c_char_p, _c_double, _c_double, _c_char_p]),
    "reactor_temperature": (_c_double, [_c_int]),
    "reactor_pressure": (_c_double, [_c_int]),
    "reactor_density": (_c_double, [_c_int]),
    "reactor_moleFraction": (_c_double, [_c_int, _c_char_p]),
    "reactor_massFraction": (_c_double, [_c_int, _c_char_p]),
    "reactor_setSensitivities": (_c_int, [_c_int, _c_int]),
    "reactor_del": (_c_int, [_c_int]),
    "reactor_cabinetSize": (_c_int, []),
    # reactor networks
    "reactornet_new": (_c_int, [_c_int, _int_p]),
    "reactornet_setInitialTime": (_c_int, [_c_int, _c_double]),
    "reactornet_setMaxTimeStep": (_c_int, [_c_int, _c_double]),
    "reactornet_setTolerances": (_c_int, [_c_int, _c_double, _c_double]),
    "reactornet_setSensitivityTolerances": (_c_int, [_c_int, _c_double, _c_double]),
    "reactornet_advance": (_c_int, [_c_int, _c_double]),
    "reactornet_step": (_c_double, [_c_int]),
    "reactornet_time": (_c_double, [_c_int]),
    "reactornet_rtol": (_c_double, [_c_int]),
    "reactornet_atol": (_c_double, [_c_int]),
    "reactornet_sensitivity": (_c_double, [_c_int, _c_char_p, _c_int, _c_int]),
    "reactornet_del": (_c_int, [_c_int]),
    "reactornet_cabinetSize": (_c_int, []),
    # transport evaluators
    "trans_transportModel": (_c_int, [_c_int, _c_int, _c_char_p]),
    "trans_viscosity": (_c_double, [_c_int]),
    "trans_thermalConductivity": (_c_double, [_c_int]),
    "trans_electricalConductivity": (_c_double, [_c_int]),
    "trans_getThermalDiffCoeffs": (_c_int, [_c_int, _c_int, _double_p]),
    "trans_getMixDiffCoeffs": (_c_int, [_c_int, _c_int, _double_p]),
    "trans_getBinaryDiffCoeffs": (_c_int, [_c_int, _c_int, _c_int, _double_p]),
    "trans_getMultiDiffCoeffs": (_c_int, [_c_int, _c_int, _c_int, _double_p]),
    "trans_getMolarFluxes": (_c_int, [_c_int, _c_int, _double_p, _c_int, _double_p, _c_double, _c_int, _double_p]),
    "trans_getMassFluxes": (_c_int, [_c_int, _c_int, _double_p, _c_int, _double_p, _c_double, _c_int, _double_p]),
    "trans_del": (_c_int, [_c_int]),
    "trans_cabinetSize": (_c_int, []),
    "gastrans_new": (_c_int, [_c_int, _double_p, _double_p, _double_p]),
    "gastrans_newFromSpecies": (_c_int, [_c_int, _char_pp, _c_char_p]),
    "gastrans_newFromParameters": (
        _c_int,
        [_c_int, _char_pp, _double_p, _int_p, _double_p, _double_p, _double_p, _double_p, _double_p, _double_p,
         _c_char_p],
    ),
    "gastrans_setState": (_c_int, [_c_int, _c_double, _c_double, _c_int, _double_p]),
    "gastrans_nSpecies": (_c_int, [_c_int]),
    "gastrans_speciesName": (_c_int, [_c_int, _c_int, _c_int, _c_char_p]),
}


def _candidates() -> list:
    """Where the library may be, in order of preference."""
    explicit = os.environ.get("VELKORA_LIBRARY")
    if explicit:
        return [explicit]
    found = []
    try:  # written by `cmake --install` next to the installed package
        from . import _installed

        found.append(_installed.LIBRARY)
    except ImportError:
        pass
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.normpath(os.path.join(here, "..", "..", ".."))
    for build in sorted(glob.glob(os.path.join(root, "build*"))):
        found.extend(sorted(glob.glob(os.path.join(build, "libvelkora.so*"))))
    # Last, whatever the system's loader finds (an install under /usr/local,
    # or a pip-installed package with the library on LD_LIBRARY_PATH).
    found.append("libvelkora.so.0")
    return found


def load() -> tuple:
    """The shared library with every prototype declared."""
    tried = []
    for path in _candidates():
        if os.sep in path and not os.path.exists(path):
            tried.append(path)
            continue
        try:
            lib = ctypes.CDLL(path)
        except OSError as err:
            tried.append("{} ({})".format(path, err))
            continue
        for name, (restype, argtypes) in PROTOTYPES.items():
            function = getattr(lib, name)
            function.restype = restype
            function.argtypes = argtypes
        return lib, path
    raise OSError(
        "velkora: cannot find libvelkora.so; set VELKORA_LIBRARY to its path"
        + (" (tried: " + ", ".join(tried) + ")" if tried else "")
    )


lib, path = load()


def unchecked(name: str):
    """A second entry to a function of (int, ...) arguments, with its result
    type but without argument conversion: a third cheaper per call, for loops
    that call it once per integrator step with ints they have checked."""
    restype, argtypes = PROTOTYPES[name]
    assert all(a is ctypes.c_int for a in argtypes), name
    function = ctypes.CDLL(path)[name]
    function.restype = restype
    return function

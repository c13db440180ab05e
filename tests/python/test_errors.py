import weakref

import velkora
from velkora import _errors


def test_a_genuine_result_of_the_failure_value_is_no_error():
    velkora._lib.app_clearErrors()
    assert _errors.check_double(-999.999, "somewhere") == -999.999


def test_objects_delete_their_handle_once_when_collected():
    r = velkora.Reaction("A => B", 1.0)
    handle = r.handle
    ref = weakref.ref(r)
    del r
    assert ref() is None
    # The slot stays, and is deleted: a second delete is refused.
    assert velkora._lib.rxn_del(handle) == -1
    assert "Lookup table does not contain" in _errors.take_error()


def test_version_matches_the_library():
    parts = velkora.version().split(".")
    assert len(parts) == 3 and all(p.isdigit() for p in parts)


def test_the_package_version_is_the_library_version():
    assert velkora.__version__ == velkora.version()

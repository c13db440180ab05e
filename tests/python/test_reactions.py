import pytest

import velkora


def test_a_reaction_reads_back_what_it_was_built_from():
    with velkora.Reaction("B + A => C", 2.0) as r:
        assert r.equation == "A + B => C"
        assert r.type == "mass-action"
        assert r.valid and not r.uses_third_body
        assert r.id == ""
        r.id = "first step"
        assert r.id == "first step"
        r.allow_nonreactant_orders = True
        assert r.allow_nonreactant_orders
    three = velkora.Reaction("2 H + M <=> H2 + M", 1e3, 1e-2)
    assert (three.type, three.uses_third_body) == ("three-body", True)
    default = velkora.Reaction()
    assert default.equation == "<=>"


def test_long_texts_come_back_whole():
    r = velkora.Reaction("A => B", 1.0)
    r.id = "x" * 1000
    assert r.id == "x" * 1000


def test_faults_raise_with_the_library_message_and_status():
    with pytest.raises(velkora.VelkoraError) as caught:
        velkora.Reaction("A => => B", 1.0)
    err = caught.value
    assert str(err) == "parseReaction: Reaction equation 'A => => B', column 6: second arrow."
    assert (err.status, err.function) == (-1, "mech_newReaction")
    assert velkora._lib.app_errorCount() == 0  # taken off the stack


def test_a_closed_reaction_fails_with_the_registry_message():
    r = velkora.Reaction("A => B", 1.0)
    handle = r.handle
    r.close()
    r.close()  # once only
    assert r.closed
    with pytest.raises(velkora.VelkoraError) as caught:
        r.equation
    assert str(caught.value) == "Cabinet::at: Object with index {} has been deleted.".format(handle)
    with pytest.raises(velkora.VelkoraError) as caught:
        r.id = "late"
    assert caught.value.status == -999  # the setters' failure value

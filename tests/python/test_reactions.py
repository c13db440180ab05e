import pytest

import velkora
from velkora import _errors


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


def test_a_closed_object_is_refused_before_any_call():
    r = velkora.Reaction("A => B", 1.0)
    handle = r.handle
    r.close()
    r.close()  # once only
    assert r.closed
    for use in (lambda: r.equation, lambda: setattr(r, "id", "late"), lambda: r.handle):
        with pytest.raises(velkora.VelkoraError) as caught:
            use()
        assert str(caught.value) == "the reaction is closed"
        assert (caught.value.status, caught.value.function) == (None, None)
    assert velkora._lib.app_errorCount() == 0  # the library was not asked
    # The library itself refuses the deleted handle with the registry message.
    assert velkora._lib.rxn_equation(handle, 0, None) == -1
    assert _errors.take_error() == "Cabinet::at: Object with index {} has been deleted.".format(handle)
    reactor = velkora.Reactor([velkora.Reaction("A => B", 1.0)])
    net = velkora.ReactorNet([reactor])
    with net:
        pass
    with pytest.raises(velkora.VelkoraError, match="^the reactor network is closed$"):
        net.advance(1.0)
    gas = velkora.HardSphereGas([0.028], [3.7e-10])
    gas.close()
    with pytest.raises(velkora.VelkoraError, match="^the transport evaluator is closed$"):
        gas.viscosity


def test_objects_refuse_attributes_they_do_not_have():
    reactor = velkora.Reactor([velkora.Reaction("A => B", 1.0)])
    with pytest.raises(AttributeError):
        reactor.temperature = 1000.0  # an isothermal reactor has no temperature
    with pytest.raises(AttributeError):
        velkora.Reaction("A => B", 1.0).rate = 2.0

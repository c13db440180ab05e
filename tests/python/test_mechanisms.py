"""Real mechanisms from Python: loading, species thermodynamics, ideal-gas
reactors and ignition delays, against CHEMKIN-II's results and NIST-JANAF.

The mechanisms come from the chemFoam cases of Debian's openfoam-examples
(scripts/fetch-chemistry.sh); without them the tests are skipped, unless
VELKORA_REQUIRE_CHEMISTRY_DATA is set."""

import math
import os
import re

import numpy as np
import pytest

import velkora
from velkora import _library

DATA = os.environ.get("VELKORA_CHEMISTRY_DATA", "")
ATM = 101325.0


def case(name):
    path = os.path.join(DATA, name, "chemkin")
    if not DATA or not os.path.exists(os.path.join(path, "chem.inp")):
        if os.environ.get("VELKORA_REQUIRE_CHEMISTRY_DATA"):
            pytest.fail(f"no reference data for the case {name} under '{DATA}' (scripts/fetch-chemistry.sh)")
        pytest.skip("no reference data (scripts/fetch-chemistry.sh)")
    return os.path.join(path, "chem.inp"), os.path.join(path, "therm.dat")


@pytest.fixture(scope="module")
def h2():
    return velkora.Mechanism(*case("h2"))


def test_a_mechanism_lists_its_species_and_shares_its_reactions(h2):
    assert (h2.n_species, h2.n_reactions) == (10, 27)
    assert h2.species == ["H2", "H", "O2", "O", "OH", "HO2", "H2O2", "H2O", "AR", "N2"]
    assert h2.species_index("H2O") == 7
    assert len(h2.reactions) == 27
    assert h2.reactions[1].equation == "O + OH <=> H + O2"
    assert h2.reactions[3].equation == "H + O2 (+M) <=> HO2 (+M)"
    assert repr(h2) == "Mechanism(10 species, 27 reactions)"


def test_species_thermodynamics_match_janaf_and_the_c_interface(h2):
    # NIST-JANAF: O2 cp(1000 K) 34.870 J/mol/K; H2O formation enthalpy
    # -241.826 kJ/mol; N2 S(298.15 K) 191.609 J/mol/K.
    cp = h2.species_cp(1000.0)
    h = h2.species_enthalpy(298.15)
    s = h2.species_entropy(298.15)
    assert isinstance(cp, np.ndarray) and cp.shape == (10,)
    assert cp[h2.species_index("O2")] == pytest.approx(34.870, rel=2e-3)
    assert h[h2.species_index("H2O")] == pytest.approx(-241826.0, rel=1e-3)
    assert s[h2.species_index("N2")] == pytest.approx(191.609, rel=1e-3)
    for k, name in enumerate(h2.species):
        handle = h2.handle
        assert cp[k] == _library.lib.mech_speciesCp(handle, k, 1000.0), name
        assert h[k] == _library.lib.mech_speciesEnthalpy(handle, k, 298.15), name
        assert s[k] == _library.lib.mech_speciesEntropy(handle, k, 298.15), name


def test_h2_reaches_t0_plus_400_k_within_0_2_percent_of_senkin(h2):
    # SENKIN (CHEMKIN-II) in the h2 case's senk.out: 2.20530e-4 s.
    delay = velkora.ignition_delay(h2, 1000.0, 2 * ATM, "H2:1, O2:1, N2:3.76", rise=400.0)
    assert delay == pytest.approx(2.20530e-4, rel=2e-3)
    # The largest dT/dt comes after the 400 K rise, before the end of heat release.
    steepest = velkora.ignition_delay(h2, 1000.0, 2 * ATM, "H2:1, O2:1, N2:3.76")
    assert delay < steepest < 1.05 * delay
    assert math.isnan(velkora.ignition_delay(h2, 1000.0, 2 * ATM, "H2:1, O2:1, N2:3.76", kind="constant-temperature"))
    assert math.isnan(velkora.ignition_delay(h2, 1000.0, 2 * ATM, "H2:1, O2:1, N2:3.76", t_end=1e-4))


def test_an_ideal_gas_reactor_starts_at_senkins_state_and_conserves_its_elements(h2):
    with velkora.IdealGasReactor(h2, 1000.0, 2 * ATM, {"H2": 1, "O2": 1, "N2": 3.76}) as gas:
        # SENKIN's initial density for the case, 0.58967 kg/m^3 (senk.out).
        assert gas.density == pytest.approx(0.58967, rel=1e-4)
        assert gas.species == h2.species
        x0 = gas.mole_fractions
        assert x0[h2.species_index("H2")] == pytest.approx(1 / 5.76)
        with velkora.ReactorNet([gas]) as net:
            net.set_tolerances(1e-9, 1e-15)
            net.advance(1e-3)
            assert gas.temperature > 2000.0
            assert gas.pressure == pytest.approx(2 * ATM)
            assert gas.mass_fractions.sum() == pytest.approx(1.0, abs=1e-9)
            # Complete combustion would give 1/5.26 = 0.190; dissociation takes a little.
            assert 0.18 < gas.mole_fraction("H2O") < 1 / 5.26
            # The mixture's atoms keep their ratios, H:O:N = 2:2:7.52.
            x = gas.mole_fractions
            atoms = {"H": {"H2": 2, "H": 1, "OH": 1, "HO2": 1, "H2O2": 2, "H2O": 2},
                     "O": {"O2": 2, "O": 1, "OH": 1, "HO2": 2, "H2O2": 2, "H2O": 1},
                     "N": {"N2": 2}}
            count = {e: sum(n * x[h2.species_index(s)] for s, n in of.items()) for e, of in atoms.items()}
            assert count["H"] / count["O"] == pytest.approx(1.0, rel=1e-9)
            assert count["N"] / count["O"] == pytest.approx(3.76, rel=1e-9)


def test_the_temperature_sensitivity_matches_a_difference_of_edited_mechanisms(tmp_path, h2):
    chem, thermo = case("h2")
    mixture, until = "H2:1, O2:1, N2:3.76", 2.0e-4

    def temperature(factor):
        with open(chem) as f:
            text = f.read()
        edited = re.sub(r"^(\s*O\+OH=O2\+H\s+)2\.02E\+14", lambda m: f"{m.group(1)}{2.02e14 * factor:.10E}", text,
                        flags=re.M)
        assert edited != text
        path = tmp_path / f"chem{factor}.inp"
        path.write_text(edited)
        with velkora.Mechanism(path, thermo) as mech, velkora.IdealGasReactor(mech, 1000.0, 2 * ATM, mixture) as gas:
            with velkora.ReactorNet([gas]) as net:
                net.set_tolerances(1e-11, 1e-18)
                net.advance(until)
                return gas.temperature

    with velkora.IdealGasReactor(h2, 1000.0, 2 * ATM, mixture) as gas:
        gas.sensitivities = True
        with velkora.ReactorNet([gas]) as net:
            net.set_tolerances(1e-9, 1e-15)
            net.set_sensitivity_tolerances(1e-6, 1e-9)
            net.advance(until)
            computed = net.sensitivity("temperature", 1)
    e = 1e-3
    difference = (math.log(temperature(1 + e)) - math.log(temperature(1 - e))) / (2 * e)
    assert abs(difference) > 1e-2
    assert computed == pytest.approx(difference, rel=2e-2)


@pytest.mark.parametrize(
    "build, message",
    [
        (lambda m: velkora.Mechanism("no/such/chem.inp"),
         "ChemkinReader::read: Cannot open the mechanism file 'no/such/chem.inp': No such file or directory."),
        (lambda m: velkora.IdealGasReactor(m, 1000.0, ATM, "H2:1, XY:1"),
         "reactor_newIdealGas: The composition 'H2:1, XY:1' names the unknown species 'XY'."),
        (lambda m: velkora.IdealGasReactor(m, 1000.0, ATM, "H2:1", kind="adiabatic"),
         "IdealGasReactor::kindFromName: Unknown reactor type 'adiabatic': use 'constant-pressure', "
         "'constant-volume' or 'constant-temperature'."),
        (lambda m: m.species_cp(6000.0),
         "mech_speciesCp: The temperature 6000 K lies outside the data range of species 'H2', 200 to 5000 K."),
        (lambda m: m.species_index("XY"), None),
    ],
)
def test_faults_raise_the_library_message(h2, build, message):
    with pytest.raises(velkora.VelkoraError) as caught:
        build(h2)
    if message is not None:
        assert str(caught.value) == message
    assert velkora._lib.app_errorCount() == 0


def test_a_faulty_mechanism_line_names_its_file_line_and_column(tmp_path):
    chem, thermo = case("h2")
    with open(chem) as f:
        text = f.read()
    path = tmp_path / "chem.inp"
    path.write_text(text.replace("REACTIONS", "REACTIONS\nH2+QQ=2OH   1.0E13 0.0 47780.", 1))
    with pytest.raises(velkora.VelkoraError) as caught:
        velkora.Mechanism(path, thermo)
    assert str(caught.value) == f"ChemkinReader::read: {path}, line 8, column 4: undeclared species 'QQ' in 'H2+QQ=2OH'."


def test_closed_mechanisms_and_reactors_refuse_use(h2):
    chem, thermo = case("h2")
    mech = velkora.Mechanism(chem, thermo)
    gas = velkora.IdealGasReactor(mech, 1000.0, ATM, "H2:2, O2:1")
    mech.close()
    # The reactor shares the mechanism's data: it lives on.
    assert gas.temperature == 1000.0
    gas.close()
    for use, what in ((lambda: mech.n_species, "mechanism"), (lambda: gas.temperature, "reactor")):
        with pytest.raises(velkora.VelkoraError) as caught:
            use()
        assert str(caught.value) == f"the {what} is closed"

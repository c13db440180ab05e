import math

import numpy as np
import pytest

import velkora

KB = 1.380649e-23
NA = 6.02214076e23
R = KB * NA


def test_a_pure_gas_has_the_chapman_enskog_rigid_sphere_values():
    # Independent of the library: mu = 5/16 sqrt(pi m kB T) / (pi s^2),
    # D = 3/16 sqrt(2 pi kB T / m_r) / (n pi s^2), lambda = mu/M (cp + 5/4 R).
    M, s, T, P = 39.948e-3, 3.64e-10, 500.0, 2e5
    with velkora.HardSphereGas([M], [s]) as gas:
        gas.set_state(T, P, [1.0])
        m = M / NA
        mu = 5.0 / 16.0 * math.sqrt(math.pi * m * KB * T) / (math.pi * s * s)
        n = P / (KB * T)
        d = 3.0 / 16.0 * math.sqrt(2.0 * math.pi * KB * T / (m / 2.0)) / (n * math.pi * s * s)
        assert gas.transport_model == "HardSphere"
        assert gas.viscosity == pytest.approx(mu, rel=1e-12)
        assert gas.thermal_conductivity == pytest.approx(mu / M * 3.75 * R, rel=1e-12)
        assert gas.binary_diff_coeffs[0, 0] == pytest.approx(d, rel=1e-12)
        assert gas.electrical_conductivity == 0.0
        np.testing.assert_array_equal(gas.thermal_diff_coeffs, [0.0])


def test_mixture_arrays_have_the_shapes_and_symmetry_of_the_physics():
    gas = velkora.HardSphereGas([0.028, 0.032, 0.004], [3.75e-10, 3.61e-10, 2.18e-10], [29.1, 29.4, 20.8])
    gas.set_state(300.0, 101325.0, [0.7, 0.2, 0.1])
    D = gas.binary_diff_coeffs
    assert D.shape == (3, 3)
    np.testing.assert_allclose(D, D.T)
    assert D[2, 0] > D[1, 0]  # helium diffuses fastest
    fluxes = gas.mass_fluxes([0.6, 0.3, 0.1], [0.7, 0.2, 0.1], 1e-3)
    assert abs(fluxes.sum()) < 1e-12 * abs(fluxes).max()
    molar = gas.molar_fluxes([0.6, 0.3, 0.1], [0.7, 0.2, 0.1], 1e-3)
    np.testing.assert_allclose(molar * [0.028, 0.032, 0.004], fluxes)
    with pytest.raises(velkora.VelkoraError) as caught:
        gas.multi_diff_coeffs
    assert "not provided" in str(caught.value)
    with pytest.raises(velkora.VelkoraError):
        gas.set_state(-1.0, 1e5, [0.7, 0.2, 0.1])
    with pytest.raises(ValueError):
        gas.set_state(300.0, 1e5, [1.0])


def test_kinetic_theory_nitrogen_viscosity_against_lemmon_and_jacobsen():
    # E. W. Lemmon and R. T. Jacobsen, Int. J. Thermophys. 25, 21 (2004):
    # the dilute-gas viscosity of nitrogen, micro Pa s.
    def reference(T):
        b = [0.431, -0.4623, 0.08406, 0.005341, -0.00331]
        s = sum(c * math.log(T / 98.94) ** i for i, c in enumerate(b))
        return 0.0266958 * math.sqrt(28.01348 * T) / (0.3656**2 * math.exp(s))

    with velkora.GasTransport(["N2", "O2"], "multicomponent") as gas:
        assert gas.species == ["N2", "O2"]
        assert gas.transport_model == "multicomponent"
        for T in (300.0, 1000.0):
            gas.set_state(T, 101325.0, [1.0, 0.0])
            assert 1e6 * gas.viscosity == pytest.approx(reference(T), rel=0.03)
        gas.set_state(1000.0, 101325.0, [2.0, 2.0])  # normalised
        D = gas.binary_diff_coeffs
        np.testing.assert_allclose(gas.multi_diff_coeffs[0, 1], D[0, 1], rtol=1e-12)


def test_kinetic_theory_from_parameters_matches_the_shipped_data():
    argon = velkora.GasTransport(["Ar"])
    own = velkora.GasTransport.from_parameters(["argon"], [39.948e-3], [0], [136.5], [3.33e-10])
    for gas in (argon, own):
        gas.set_state(700.0, 1e5, [1.0])
    assert own.viscosity == pytest.approx(argon.viscosity, rel=1e-12)
    with pytest.raises(velkora.VelkoraError) as caught:
        velkora.GasTransport(["N2", "XY"])
    assert str(caught.value) == "gastrans_newFromSpecies: Species 1: no data for 'XY'."

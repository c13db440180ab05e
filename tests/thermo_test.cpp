// Species thermodynamics and the ideal-gas mixture against values the library
// does not compute: the NIST-JANAF tables, statistical mechanics, and the
// densities CHEMKIN-II's SENKIN printed for the reference cases.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ChemistryData.h"
#include "support/ErrorText.h"
#include "velkora/platform/input/ChemkinReader.h"
#include "velkora/platform/thermo/Elements.h"
#include "velkora/platform/thermo/IdealGasMixture.h"
#include "velkora/platform/thermo/PhysicalConstants.h"

namespace Velkora
{
namespace
{

using testing::chemkinCase;
using testing::errorOf;

std::shared_ptr<Mechanism> loadCase(const std::string& name)
{
    return readChemkin(chemkinCase(name) + "chem.inp", chemkinCase(name) + "therm.dat");
}

const Species& speciesNamed(const Mechanism& m, const std::string& name)
{
    return m.species(m.speciesSet().speciesIndex(name));
}

TEST(SpeciesThermo, AgainstTheJanafTables)
{
    VELKORA_REQUIRE_CASE("gri");
    auto gri = loadCase("gri");
    // NIST-JANAF Thermochemical Tables, 4th ed. (M. W. Chase, J. Phys. Chem.
    // Ref. Data Monograph 9, 1998): cp and s in J/mol/K, h - h(298.15) and
    // the enthalpy of formation in kJ/mol, at 1 bar. The data's standard
    // state is 1 atm, R ln(1.01325) = 0.11 J/mol/K less entropy, within the
    // tolerance of the fits.
    struct Row
    {
        const char* species;
        double T, cp, s, dh;
    };
    const Row rows[] = {
        {"N2", 298.15, 29.124, 191.609, 0.0},   {"N2", 1000.0, 32.698, 228.170, 21.463},
        {"O2", 298.15, 29.376, 205.147, 0.0},   {"O2", 1000.0, 34.870, 243.578, 22.703},
        {"H2", 298.15, 28.836, 130.680, 0.0},   {"H2", 1000.0, 30.205, 166.114, 20.680},
        {"H2O", 298.15, 33.590, 188.834, 0.0},  {"H2O", 1000.0, 41.268, 232.738, 26.000},
        {"CO2", 298.15, 37.129, 213.795, 0.0},  {"CO2", 1000.0, 54.308, 269.299, 33.397},
        {"CO", 298.15, 29.142, 197.653, 0.0},   {"CO", 1000.0, 33.178, 234.538, 21.686},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.species) + " at " + std::to_string(r.T));
        const NasaPolynomial& p = speciesNamed(*gri, r.species).thermo;
        EXPECT_NEAR(GasConstant * p.cp_R(r.T) / r.cp, 1.0, 3e-3);
        EXPECT_NEAR(GasConstant * p.s_R(r.T) / r.s, 1.0, 1e-3);
        double dh = 1e-3 * GasConstant * (r.T * p.h_RT(r.T) - 298.15 * p.h_RT(298.15));
        EXPECT_NEAR(dh, r.dh, 0.05);
    }
    const struct
    {
        const char* species;
        double formation;
    } formations[] = {{"H2O", -241.826}, {"CO2", -393.522}, {"CO", -110.527}, {"O2", 0.0}};
    for (const auto& f : formations) {
        const NasaPolynomial& p = speciesNamed(*gri, f.species).thermo;
        EXPECT_NEAR(1e-3 * GasConstant * 298.15 * p.h_RT(298.15), f.formation, 0.05) << f.species;
    }
}

TEST(SpeciesThermo, MonatomicGasesFollowStatisticalMechanics)
{
    // Argon, and hydrogen atoms (spin doublet), up to 2500 K where no
    // electronic level is populated: cp = 5/2 R, h - h(298.15) = 5/2 R (T -
    // 298.15), and the Sackur-Tetrode entropy at 1 atm,
    // s/R = ln((2 pi m k T / h^2)^(3/2) k T / P) + 5/2 + ln g.
    VELKORA_REQUIRE_CASE("gri");
    auto gri = loadCase("gri");
    const double planck = 6.62607015e-34;
    for (const char* name : {"AR", "H"}) {
        const Species& s = speciesNamed(*gri, name);
        const double m = s.molarMass / Avogadro;
        const double degeneracy = std::string(name) == "H" ? 2.0 : 1.0;
        for (double T : {298.15, 1000.0, 2500.0}) {
            SCOPED_TRACE(std::string(name) + " at " + std::to_string(T));
            double sackurTetrode = std::log(std::pow(2.0 * Pi * m * Boltzmann * T / (planck * planck), 1.5) *
                                            Boltzmann * T / OneAtm) +
                                   2.5 + std::log(degeneracy);
            EXPECT_NEAR(s.thermo.cp_R(T), 2.5, 1e-6);
            EXPECT_NEAR(T * s.thermo.h_RT(T) - 298.15 * s.thermo.h_RT(298.15), 2.5 * (T - 298.15), 1e-3 * T);
            // Within ln(1.01325) = 0.013: some sources fitted 1-bar data.
            EXPECT_NEAR(s.thermo.s_R(T), sackurTetrode, 0.015);
        }
    }
}

TEST(SpeciesThermo, PolynomialsMeetAtTheirMidpoints)
{
    // Every species of the mechanisms: the two ranges agree where they meet.
    for (const char* name : {"h2", "gri"}) {
        VELKORA_REQUIRE_CASE(name);
        auto m = loadCase(name);
        for (const Species& s : m->speciesSet().allSpecies()) {
            SCOPED_TRACE(s.name);
            const double T = s.thermo.midTemp();
            const double below = std::nextafter(T, 0.0);
            EXPECT_NEAR(s.thermo.cp_R(below), s.thermo.cp_R(T), 2e-3 * s.thermo.cp_R(T));
            EXPECT_NEAR(s.thermo.h_RT(below), s.thermo.h_RT(T), 1e-3 * std::max(1.0, std::abs(s.thermo.h_RT(T))));
            EXPECT_NEAR(s.thermo.s_R(below), s.thermo.s_R(T), 1e-3 * s.thermo.s_R(T));
        }
    }
}

TEST(IdealGasMixture, DensitiesOfTheReferenceCasesAreSenkins)
{
    // SENKIN's initial densities: h2 (H2:O2:N2 1:1:3.76, 2 atm, 1000 K)
    // 0.58967 kg/m^3, gri (CH4:O2:N2 0.5:1:3.76, 13.5 atm, 1000 K) 4.5464:
    // the atomic weights and the gas constant.
    struct Case
    {
        const char* name;
        double P, density;
        std::vector<std::pair<const char*, double>> X;
    };
    const Case cases[] = {{"h2", 2.0, 0.58967, {{"H2", 1.0}, {"O2", 1.0}, {"N2", 3.76}}},
                          {"gri", 13.5, 4.5464, {{"CH4", 0.5}, {"O2", 1.0}, {"N2", 3.76}}}};
    for (const Case& c : cases) {
        VELKORA_REQUIRE_CASE(c.name);
        auto m = loadCase(c.name);
        IdealGasMixture gas(m->sharedSpecies());
        std::vector<double> X(m->nSpecies(), 0.0);
        for (const auto& [species, n] : c.X) {
            X[m->speciesSet().speciesIndex(species)] = n;
        }
        gas.setState_TPX(1000.0, c.P * OneAtm, X.data());
        EXPECT_NEAR(gas.density() / c.density, 1.0, 1e-4) << c.name;
    }
}

TEST(IdealGasMixture, PropertiesAreConsistentAndFollowTheState)
{
    VELKORA_REQUIRE_CASE("h2");
    auto m = loadCase("h2");
    IdealGasMixture gas(m->sharedSpecies());
    const size_t K = m->nSpecies();
    std::vector<double> X(K, 0.0);
    X[m->speciesSet().speciesIndex("H2")] = 2.0;
    X[m->speciesSet().speciesIndex("O2")] = 1.0;
    X[m->speciesSet().speciesIndex("AR")] = 1.0; // normalised: 0.5, 0.25, 0.25
    gas.setState_TPX(1500.0, 5e5, X.data());
    EXPECT_DOUBLE_EQ(gas.moleFractions()[m->speciesSet().speciesIndex("H2")], 0.5);
    const double M = 0.5 * 2.016e-3 + 0.25 * 31.998e-3 + 0.25 * 39.95e-3;
    EXPECT_NEAR(gas.meanMolarMass(), M, 1e-12);
    EXPECT_NEAR(gas.density(), 5e5 * M / (GasConstant * 1500.0), 1e-12);
    EXPECT_NEAR(gas.massFractions()[m->speciesSet().speciesIndex("AR")], 0.25 * 39.95e-3 / M, 1e-12);
    EXPECT_NEAR(gas.cpMole() - gas.cvMole(), GasConstant, 1e-9);
    EXPECT_NEAR(gas.enthalpyMole() - gas.intEnergyMole(), GasConstant * 1500.0, 1e-6);
    EXPECT_NEAR(gas.gibbsMole(), gas.enthalpyMole() - 1500.0 * gas.entropyMole(), 1e-6);
    EXPECT_NEAR(gas.cpMass(), gas.cpMole() / M, 1e-9);
    // cp as the derivative of h, by central differences; s of mixing.
    const double h = 1e-3;
    std::vector<double> Y = gas.massFractions();
    gas.setState_TPY(1500.0 + h, 5e5, Y.data());
    double hPlus = gas.enthalpyMass();
    gas.setState_TPY(1500.0 - h, 5e5, Y.data());
    double hMinus = gas.enthalpyMass();
    gas.setState_TPY(1500.0, 5e5, Y.data());
    EXPECT_NEAR((hPlus - hMinus) / (2 * h), gas.cpMass(), 1e-5 * gas.cpMass());
    std::vector<double> sk(K);
    gas.getEntropy_R(sk.data());
    double mixed = 0.0;
    for (size_t k = 0; k < K; k++) {
        double x = gas.moleFractions()[k];
        if (x > 0) {
            mixed += x * GasConstant * (sk[k] - std::log(x) - std::log(5e5 / OneAtm));
        }
    }
    EXPECT_NEAR(gas.entropyMole(), mixed, 1e-9);
    // A state at fixed density gives the pressure back.
    gas.setState_TRY(1500.0, gas.density(), Y.data());
    EXPECT_NEAR(gas.pressure(), 5e5, 1e-6);
}

TEST(IdealGasMixture, RefusesBadStatesAndKeepsTheOldOne)
{
    VELKORA_REQUIRE_CASE("h2");
    auto m = loadCase("h2");
    IdealGasMixture gas(m->sharedSpecies());
    std::vector<double> X(m->nSpecies(), 1.0), zeros(m->nSpecies(), 0.0), bad = X;
    bad[2] = -0.5;
    gas.setState_TPX(900.0, 1e5, X.data());
    EXPECT_EQ(errorOf([&] { gas.setState_TPX(0.0, 1e5, X.data()); }),
              "IdealGasMixture::setState_TPX: The temperature must be positive and finite, not 0.");
    EXPECT_EQ(errorOf([&] { gas.setState_TPX(900.0, NAN, X.data()); }),
              "IdealGasMixture::setState_TPX: The pressure must be positive and finite, not nan.");
    EXPECT_EQ(errorOf([&] { gas.setState_TPX(900.0, 1e5, bad.data()); }),
              "IdealGasMixture::setState_TPX: The fraction of species 2 (O2) must be finite and not negative, not "
              "-0.5.");
    EXPECT_EQ(errorOf([&] { gas.setState_TPY(900.0, 1e5, zeros.data()); }),
              "IdealGasMixture::setState_TPY: The fractions sum to 0; they must sum to a positive number.");
    EXPECT_EQ(gas.temperature(), 900.0);
    EXPECT_EQ(gas.pressure(), 1e5);
}

TEST(Elements, StandardAtomicWeights)
{
    // IUPAC 2021, abridged; symbols in any case.
    EXPECT_DOUBLE_EQ(standardAtomicWeight("H"), 1.0080e-3);
    EXPECT_DOUBLE_EQ(standardAtomicWeight("AR"), 39.95e-3);
    EXPECT_DOUBLE_EQ(standardAtomicWeight("he"), 4.0026e-3);
    EXPECT_DOUBLE_EQ(standardAtomicWeight("N"), 14.007e-3);
    EXPECT_LT(standardAtomicWeight("Xx"), 0.0);
}

} // namespace
} // namespace Velkora

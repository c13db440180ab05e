// Gas-phase kinetics against rates computed by hand from the formulas of the
// CHEMKIN-II manual, detailed balance against equilibrium constants computed
// here from the NASA coefficients, and element conservation.
#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ChemistryData.h"
#include "support/ToyMechanism.h"
#include "velkora/platform/input/ChemkinReader.h"
#include "velkora/platform/kinetics/GasKinetics.h"
#include "velkora/platform/kinetics/GasRate.h"
#include "velkora/platform/thermo/PhysicalConstants.h"

namespace Velkora
{
namespace
{

using testing::toySpecies;

constexpr double R = 6.02214076e23 * 1.380649e-23; // J/mol/K: N_A k, both exact since 2019
constexpr double atm = 101325.0;

// A T^b exp(-E/RT) with A in cm-mol-s units of reaction order n and E in cal/mol.
double arrhenius(double A, double n, double b, double E, double T)
{
    return A * std::pow(1e-6, n - 1.0) * std::pow(T, b) * std::exp(-E * 4.184 / (R * T));
}

double troe(double Pr, double T, double a, double T3, double T1, double T2)
{
    double Fcent = (1 - a) * std::exp(-T / T3) + a * std::exp(-T / T1) + (T2 > 0 ? std::exp(-T2 / T) : 0.0);
    double logF = std::log10(Fcent), logPr = std::log10(Pr);
    double c = -0.4 - 0.67 * logF, n = 0.75 - 1.27 * logF;
    double f1 = (logPr + c) / (n - 0.14 * (logPr + c));
    return std::pow(10.0, logF / (1 + f1 * f1));
}

// The toy mechanism at T, P and mole fractions X (by species name), by hand.
struct Hand
{
    double T, P;
    std::map<std::string, double> C;
    double total = 0.0;

    Hand(double T_, double P_, const std::map<std::string, double>& X) : T(T_), P(P_)
    {
        for (const auto& [name, x] : X) {
            C[name] = x * P / (R * T);
            total += C[name];
        }
    }
    double g(const std::string& name) const
    {
        for (const auto& s : toySpecies()) {
            if (name == s.name) {
                return s.g_RT(T);
            }
        }
        return NAN;
    }
    // K_c of a reaction given as (species, nu) with nu negative for reactants.
    double Kc(const std::vector<std::pair<std::string, double>>& nu) const
    {
        double sum = 0, dnu = 0;
        for (const auto& [name, n] : nu) {
            sum += n * g(name);
            dnu += n;
        }
        return std::exp(-sum) * std::pow(atm / (R * T), dnu);
    }
    double c(const std::string& name) const { return C.at(name); }
};

struct Expected
{
    double ropf, ropr;
};

std::vector<Expected> byHand(const Hand& h)
{
    const double T = h.T;
    std::vector<Expected> e;
    auto reversible = [&](double kf, double Kc, double fwd, double rev) { e.push_back({kf * fwd, kf / Kc * rev}); };
    // 1
    reversible(arrhenius(3.87e4, 2, 2.7, 6260, T), h.Kc({{"O", -1}, {"H2", -1}, {"H", 1}, {"OH", 1}}),
               h.c("O") * h.c("H2"), h.c("H") * h.c("OH"));
    // 2: [M] with efficiencies H2O 0, N2 0.5, AR 0.25
    double M2 = h.total - h.c("H2O") - 0.5 * h.c("N2") - 0.75 * h.c("AR");
    reversible(arrhenius(2.8e18, 3, -0.86, 0, T) * M2, h.Kc({{"H", -1}, {"O2", -1}, {"HO2", 1}}),
               h.c("H") * h.c("O2"), h.c("HO2"));
    // 3: Lindemann, H2O 0, H2 2.5
    double M3 = h.total - h.c("H2O") + 1.5 * h.c("H2");
    double kinf = arrhenius(4.52e13, 2, 0, 0, T), k0 = arrhenius(1.05e19, 3, -1.257, 0, T), Pr = k0 * M3 / kinf;
    reversible(kinf * Pr / (1 + Pr), h.Kc({{"H", -1}, {"O2", -1}, {"HO2", 1}}), h.c("H") * h.c("O2"), h.c("HO2"));
    // 4: Troe with four parameters
    kinf = arrhenius(1e14, 2, 0, 0, T);
    k0 = arrhenius(2e22, 3, -2, 0, T);
    Pr = k0 * h.total / kinf;
    reversible(kinf * Pr / (1 + Pr) * troe(Pr, T, 0.5, 100, 2000, 1e4), h.Kc({{"H", -1}, {"OH", -1}, {"H2O", 1}}),
               h.c("H") * h.c("OH"), h.c("H2O"));
    // 5: Troe with three, [M] = [N2]
    kinf = arrhenius(7.4e13, 2, -0.37, 0, T);
    k0 = arrhenius(2.3e18, 3, -0.9, -1700, T);
    Pr = k0 * h.c("N2") / kinf;
    reversible(kinf * Pr / (1 + Pr) * troe(Pr, T, 0.7346, 94, 1756, 0), h.Kc({{"OH", -2}, {"H2O2", 1}}),
               h.c("OH") * h.c("OH"), h.c("H2O2"));
    // 6: SRI with three
    kinf = arrhenius(1e12, 2, 0.5, 30000, T);
    k0 = arrhenius(1e20, 3, -1, 28000, T);
    Pr = k0 * h.total / kinf;
    double X = 1 / (1 + std::pow(std::log10(Pr), 2));
    reversible(kinf * Pr / (1 + Pr) * std::pow(0.5 * std::exp(-300 / T) + std::exp(-T / 1500), X),
               h.Kc({{"H2", -1}, {"O2", -1}, {"OH", 2}}), h.c("H2") * h.c("O2"), h.c("OH") * h.c("OH"));
    // 7: SRI with five
    kinf = arrhenius(1e13, 2, 0, 0, T);
    k0 = arrhenius(1e21, 3, -1.5, 0, T);
    Pr = k0 * h.total / kinf;
    X = 1 / (1 + std::pow(std::log10(Pr), 2));
    reversible(kinf * Pr / (1 + Pr) * 1.2 * std::pow(T, 0.1) * std::pow(0.6 * std::exp(-500 / T) + std::exp(-T / 1000), X),
               h.Kc({{"H", -1}, {"HO2", -1}, {"H2O2", 1}}), h.c("H") * h.c("HO2"), h.c("H2O2"));
    // 8: chemically activated
    k0 = arrhenius(1e16, 3, -1, 0, T);
    kinf = arrhenius(5e13, 2, 0.2, 100, T);
    Pr = k0 * h.total / kinf;
    reversible(k0 / (1 + Pr), h.Kc({{"O", -1}, {"OH", -1}, {"HO2", 1}}), h.c("O") * h.c("OH"), h.c("HO2"));
    // 9: PLOG, ln k linear in ln P between 0.1, 1 and 10 atm
    const double Ps[3] = {0.1 * atm, atm, 10 * atm};
    const double ks[3] = {arrhenius(1e9, 2, 1.1, 17500, T), arrhenius(2e9, 2, 1.05, 17200, T),
                          arrhenius(5e9, 2, 1.0, 17000, T)};
    double kplog = h.P <= Ps[0] ? ks[0] : h.P >= Ps[2] ? ks[2] : 0.0;
    for (int j = 0; j < 2; j++) {
        if (h.P > Ps[j] && h.P < Ps[j + 1]) {
            double f = std::log(h.P / Ps[j]) / std::log(Ps[j + 1] / Ps[j]);
            kplog = std::exp(std::log(ks[j]) + f * (std::log(ks[j + 1]) - std::log(ks[j])));
        }
    }
    reversible(kplog, h.Kc({{"H2O", -1}, {"H", -1}, {"H2", 1}, {"OH", 1}}), h.c("H2O") * h.c("H"), h.c("H2") * h.c("OH"));
    // 10: REV
    e.push_back({arrhenius(4.48e13, 2, 0, 1068, T) * h.c("H") * h.c("HO2"),
                 arrhenius(2e12, 2, 0.3, 55000, T) * h.c("H2") * h.c("O2")});
    // 11: irreversible
    e.push_back({arrhenius(8.4e13, 2, 0, 635, T) * h.c("H") * h.c("HO2"), 0.0});
    // 12: orders 1.5 and 0.5, so A in units of order 2
    e.push_back({arrhenius(1e12, 2, 0, 20000, T) * std::pow(h.c("H2"), 1.5) * std::sqrt(h.c("O2")), 0.0});
    // 13, 14
    double K13 = h.Kc({{"OH", -2}, {"O", 1}, {"H2O", 1}});
    reversible(arrhenius(3.57e4, 2, 2.4, -2112, T), K13, h.c("OH") * h.c("OH"), h.c("O") * h.c("H2O"));
    reversible(arrhenius(1e5, 2, 2.0, 0, T), K13, h.c("OH") * h.c("OH"), h.c("O") * h.c("H2O"));
    // 15: reverse order of H2 0.5
    reversible(arrhenius(1.98e6, 2, 2, 2435, T), h.Kc({{"H2O2", -1}, {"H", -1}, {"HO2", 1}, {"H2", 1}}),
               h.c("H2O2") * h.c("H"), h.c("HO2") * std::sqrt(h.c("H2")));
    return e;
}

TEST(GasKinetics, EveryKindOfRateAsComputedByHand)
{
    auto mech = parseChemkin("toy.inp", testing::toyMechanism(), "", nullptr);
    ASSERT_EQ(mech->nReactions(), 15u);
    auto kinetics = mech->newKinetics();
    const SpeciesSet& set = mech->speciesSet();
    std::map<std::string, double> X = {{"H", 0.05}, {"H2", 0.2}, {"O", 0.03}, {"O2", 0.15}, {"OH", 0.04},
                                       {"HO2", 0.01}, {"H2O", 0.1}, {"H2O2", 0.02}, {"N2", 0.3}, {"AR", 0.1}};
    // Two temperatures, and pressures below, inside and above the PLOG range.
    for (double T : {900.0, 1800.0}) {
        for (double P : {0.05 * atm, 0.4 * atm, 3 * atm, 20 * atm}) {
            SCOPED_TRACE("T " + std::to_string(T) + " P " + std::to_string(P));
            Hand h(T, P, X);
            std::vector<double> C(set.nSpecies());
            for (const auto& [name, c] : h.C) {
                C[set.speciesIndex(name)] = c;
            }
            kinetics->update(T, C.data());
            std::vector<Expected> e = byHand(h);
            for (size_t i = 0; i < e.size(); i++) {
                SCOPED_TRACE("reaction " + std::to_string(i + 1) + ": " + mech->reaction(i)->equation());
                EXPECT_NEAR(kinetics->forwardRatesOfProgress()[i] / e[i].ropf, 1.0, 1e-10);
                if (e[i].ropr == 0.0) {
                    EXPECT_EQ(kinetics->reverseRatesOfProgress()[i], 0.0);
                } else {
                    EXPECT_NEAR(kinetics->reverseRatesOfProgress()[i] / e[i].ropr, 1.0, 1e-10);
                }
            }
            // Net production rates: sum nu (q_f - q_r).
            std::vector<double> wdot(set.nSpecies());
            kinetics->getNetProductionRates(wdot.data());
            std::vector<double> expected(set.nSpecies(), 0.0);
            for (size_t i = 0; i < e.size(); i++) {
                const Reaction& r = *mech->reaction(i);
                for (const auto& [name, nu] : r.m_reactants) {
                    expected[set.speciesIndex(name)] -= nu * (e[i].ropf - e[i].ropr);
                }
                for (const auto& [name, nu] : r.m_products) {
                    expected[set.speciesIndex(name)] += nu * (e[i].ropf - e[i].ropr);
                }
            }
            for (size_t k = 0; k < wdot.size(); k++) {
                double scale = 0.0;
                for (size_t i = 0; i < e.size(); i++) {
                    scale += e[i].ropf + e[i].ropr;
                }
                EXPECT_NEAR(wdot[k], expected[k], 1e-10 * scale) << set.species(k).name;
            }
        }
    }
}

TEST(GasKinetics, MultipliersScaleForwardAndReverseRates)
{
    auto mech = parseChemkin("toy.inp", testing::toyMechanism(), "", nullptr);
    auto kinetics = mech->newKinetics();
    std::vector<double> C(mech->nSpecies(), 2.0);
    kinetics->update(1200.0, C.data());
    std::vector<double> f = kinetics->forwardRatesOfProgress(), r = kinetics->reverseRatesOfProgress();
    kinetics->setMultiplier(9, 3.0); // the REV reaction
    kinetics->setMultiplier(0, 0.5);
    kinetics->update(1200.0, C.data());
    EXPECT_DOUBLE_EQ(kinetics->forwardRatesOfProgress()[0], 0.5 * f[0]);
    EXPECT_DOUBLE_EQ(kinetics->reverseRatesOfProgress()[0], 0.5 * r[0]);
    EXPECT_DOUBLE_EQ(kinetics->reverseRatesOfProgress()[9], 3.0 * r[9]);
    EXPECT_DOUBLE_EQ(kinetics->forwardRatesOfProgress()[1], f[1]);
}

// g/RT of a species from its NASA coefficients, written out here.
double gibbs(const NasaPolynomial& p, double T)
{
    const auto& a = T < p.midTemp() ? p.low() : p.high();
    double h = a[0] + a[1] * T / 2 + a[2] * T * T / 3 + a[3] * T * T * T / 4 + a[4] * T * T * T * T / 5 + a[5] / T;
    double s = a[0] * std::log(T) + a[1] * T + a[2] * T * T / 2 + a[3] * T * T * T / 3 + a[4] * T * T * T * T / 4 + a[6];
    return h - s;
}

TEST(GasKinetics, DetailedBalanceAndElementConservationOnGriMech)
{
    VELKORA_REQUIRE_CASE("gri");
    auto gri = readChemkin(testing::chemkinCase("gri") + "chem.inp", testing::chemkinCase("gri") + "therm.dat");
    auto kinetics = gri->newKinetics();
    const SpeciesSet& set = gri->speciesSet();
    const size_t K = set.nSpecies();
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int reversibleChecked = 0;
    for (int trial = 0; trial < 20; trial++) {
        const double T = 600.0 + 2400.0 * unit(random);
        const double P = atm * std::pow(10.0, 2.0 * unit(random) - 1.0);
        std::vector<double> X(K), C(K);
        double sum = 0;
        for (double& x : X) {
            x = std::pow(unit(random), 3.0);
            sum += x;
        }
        for (size_t k = 0; k < K; k++) {
            C[k] = X[k] / sum * P / (R * T);
        }
        kinetics->update(T, C.data());
        // k_f / k_r = K_c for every reversible reaction without REV.
        for (size_t i = 0; i < gri->nReactions(); i++) {
            const Reaction& r = *gri->reaction(i);
            if (!r.m_reversible || static_cast<const GasRate&>(*r.m_rate).hasReverse) {
                continue;
            }
            double sumG = 0, dnu = 0;
            for (const auto& [name, nu] : r.m_reactants) {
                sumG -= nu * gibbs(set.species(set.speciesIndex(name)).thermo, T);
                dnu -= nu;
            }
            for (const auto& [name, nu] : r.m_products) {
                sumG += nu * gibbs(set.species(set.speciesIndex(name)).thermo, T);
                dnu += nu;
            }
            double Kc = std::exp(-sumG) * std::pow(atm / (R * T), dnu);
            double kf = kinetics->forwardRateConstants()[i], kr = kinetics->reverseRateConstants()[i];
            if (kf > 0) {
                ASSERT_NEAR(kf / kr / Kc, 1.0, 1e-9) << r.equation() << " at " << T;
                reversibleChecked++;
            }
        }
        // Elements are conserved by the net production rates, to round-off.
        std::vector<double> wdot(K);
        kinetics->getNetProductionRates(wdot.data());
        for (size_t m = 0; m < set.nElements(); m++) {
            double net = 0, scale = 0;
            for (size_t k = 0; k < K; k++) {
                net += set.atoms(k, m) * wdot[k];
                scale += set.atoms(k, m) * std::abs(wdot[k]);
            }
            EXPECT_LE(std::abs(net), 1e-12 * scale) << set.element(m).symbol << " at " << T;
        }
    }
    EXPECT_GT(reversibleChecked, 20 * 300);
}

// d wdot / dC by central differences of update(), column by column.
std::vector<std::vector<double>> differences(GasKinetics& kinetics, double T, std::vector<double> C)
{
    const size_t K = C.size();
    std::vector<std::vector<double>> J(K, std::vector<double>(K));
    std::vector<double> plus(K), minus(K);
    for (size_t j = 0; j < K; j++) {
        const double c = C[j], h = 1e-6 * std::max(std::abs(c), 1e-3);
        C[j] = c + h;
        kinetics.update(T, C.data());
        kinetics.getNetProductionRates(plus.data());
        C[j] = c - h;
        kinetics.update(T, C.data());
        kinetics.getNetProductionRates(minus.data());
        C[j] = c;
        for (size_t k = 0; k < K; k++) {
            J[k][j] = (plus[k] - minus[k]) / (2 * h);
        }
    }
    return J;
}

TEST(GasKinetics, ConcentrationJacobianAgainstDifferences)
{
    // Every entry, against central differences: the toy mechanism (every
    // kind of rate) and GRI-Mech at random states.
    std::vector<std::shared_ptr<Mechanism>> mechanisms = {
        parseChemkin("toy.inp", testing::toyMechanism(), "", nullptr)};
    if (testing::haveCase("gri")) {
        mechanisms.push_back(
            readChemkin(testing::chemkinCase("gri") + "chem.inp", testing::chemkinCase("gri") + "therm.dat"));
    }
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (const auto& m : mechanisms) {
        auto kinetics = m->newKinetics();
        const size_t K = m->nSpecies();
        const std::vector<int>& colptr = kinetics->jacobianColumns();
        const std::vector<int>& rows = kinetics->jacobianRows();
        for (int trial = 0; trial < 4; trial++) {
            const double T = 800.0 + 1600.0 * unit(random);
            const double P = atm * std::pow(10.0, 1.5 * unit(random) - 0.5);
            std::vector<double> C(K);
            for (double& c : C) {
                c = (0.01 + unit(random)) * P / (R * T) / K;
            }
            kinetics->update(T, C.data());
            std::vector<double> values(rows.size()), uniform(K);
            kinetics->evalConcentrationJacobian(values.data(), uniform.data());
            // The sparse part S plus the rank-one part t 1^T.
            std::vector<std::vector<double>> analytic(K);
            for (size_t k = 0; k < K; k++) {
                analytic[k].assign(K, uniform[k]);
            }
            for (size_t j = 0; j < K; j++) {
                for (int p = colptr[j]; p < colptr[j + 1]; p++) {
                    analytic[rows[p]][j] += values[p];
                }
            }
            auto fd = differences(*kinetics, T, C);
            for (size_t k = 0; k < K; k++) {
                double scale = 0.0;
                for (size_t j = 0; j < K; j++) {
                    scale = std::max(scale, std::abs(fd[k][j]));
                }
                for (size_t j = 0; j < K; j++) {
                    ASSERT_NEAR(analytic[k][j], fd[k][j], 1e-6 * scale + 1e-300)
                        << m->species(k).name << " / " << m->species(j).name << " at " << T << " K";
                }
            }
        }
    }
}

namespace edge
{

// Species of the toy mechanism and two isomers of H2 whose Gibbs functions
// are so large (h/RT about 900 at 1000 K) that exp(g/RT) overflows, while
// the equilibrium constants between them stay moderate.
std::vector<testing::ToySpecies> species()
{
    std::vector<testing::ToySpecies> list = testing::toySpecies();
    list.push_back({"X", "H   2               ", 3.5, 9.0e5, 1.0});
    list.push_back({"Y", "H   2               ", 3.5, 9.01e5, -2.0});
    return list;
}

std::string mechanism()
{
    std::string names, thermo = "THERMO ALL\n   200.000  1000.000  5000.000\n";
    for (const auto& s : species()) {
        names += std::string(s.name) + " ";
        thermo += testing::thermoEntry(s);
    }
    return "ELEMENTS\nH O N AR\nEND\nSPECIES\n" + names + "\nEND\n" + thermo + "END\n" + R"(REACTIONS
! 1 factors of K_c beyond a double's range: two, four, five of them
X+H<=>Y+H                  1.0E+13   0.0   1000.
! 2
X+O+OH<=>Y+OH+O            1.0E+12   0.0   0.0
! 3
2OH+X<=>H2O2+Y             1.0E+12   0.5   0.0
! 4 a coefficient that is not whole, reversible
H2+0.5O2<=>H2O             1.0E+12   0.0  20000.
! 5 Troe's terms that vanish (or are 1) at every temperature
H+OH(+M)<=>H2O(+M)         1.0E+14   0.0   0.0
   LOW/2.0E+22 -2.0 0.0/  TROE/0.5 1.0E-30 1.0E+30 1.0E+8/
! 6 REV on a three-body reaction
H+O2+M<=>HO2+M             2.8E+18  -0.86  0.0
   H2O/0.0/ N2/0.5/
   REV/1.0E+15 0.0 50000./
! 7 chemically activated without a high-pressure limit
O+OH(+M)<=>HO2(+M)         1.0E+16  -1.0   0.0
   HIGH/0.0 0.0 0.0/  TROE/0.5 100.0 2000.0 1.0E+4/
END
)";
}

double g(const std::string& name, double T)
{
    for (const auto& s : species()) {
        if (name == s.name) {
            return s.g_RT(T);
        }
    }
    return NAN;
}

// ln K_c of the reaction given as (species, nu), by hand.
double lnKc(const std::vector<std::pair<std::string, double>>& nu, double T)
{
    double sum = 0, dnu = 0;
    for (const auto& [name, n] : nu) {
        sum += n * g(name, T);
        dnu += n;
    }
    return -sum + dnu * std::log(atm / (R * T));
}

} // namespace edge

TEST(GasKinetics, EdgesOfTheKernelsAsComputedByHand)
{
    // Equilibrium constants whose factors overflow (and one of a coefficient
    // that is not whole), Troe's vanishing terms inside and outside the
    // temperatures where they are dropped, REV times [M], and a chemically
    // activated reaction without k_inf, whose rate is the limit 0.
    auto mech = parseChemkin("edge.inp", edge::mechanism(), "", nullptr);
    ASSERT_EQ(mech->nReactions(), 7u);
    auto kinetics = mech->newKinetics();
    const SpeciesSet& set = mech->speciesSet();
    const size_t K = set.nSpecies();
    for (double T : {250.0, 1000.0, 2500.0, 0.5, 2.0e7}) {
        SCOPED_TRACE("T " + std::to_string(T));
        const double P = atm;
        std::vector<double> C(K, 0.05 * P / (R * T));
        kinetics->update(T, C.data());
        const double total = 0.05 * K * P / (R * T), c = C[0];
        const std::vector<double>& kf = kinetics->forwardRateConstants();
        const std::vector<double>& kr = kinetics->reverseRateConstants();
        // kf / kr = K_c, compared as logarithms: K_c itself may overflow.
        const std::vector<std::vector<std::pair<std::string, double>>> nu = {
            {{"X", -1}, {"Y", 1}},
            {{"X", -1}, {"Y", 1}},
            {{"OH", -2}, {"X", -1}, {"H2O2", 1}, {"Y", 1}},
            {{"H2", -1}, {"O2", -0.5}, {"H2O", 1}},
        };
        for (size_t i = 0; i < nu.size() && T >= 250.0; i++) { // below, k_f underflows
            ASSERT_GT(kf[i], 0.0) << i;
            ASSERT_GT(kr[i], 0.0) << i;
            EXPECT_NEAR(std::log(kf[i]) - std::log(kr[i]), edge::lnKc(nu[i], T), 1e-9 * std::abs(edge::lnKc(nu[i], T)) + 1e-9)
                << mech->reaction(i)->equation();
        }
        if (T >= 250.0) {
            EXPECT_NEAR(kf[0] / arrhenius(1e13, 2, 0, 1000, T), 1.0, 1e-12);
        }
        // Troe with F_cent = 0.5 + exp(-1e8/T), the last term 0 up to 1e5 K.
        const double kinf = arrhenius(1e14, 2, 0, 0, T), k0 = arrhenius(2e22, 3, -2, 0, T), Pr = k0 * total / kinf;
        EXPECT_NEAR(kf[4] / (kinf * Pr / (1 + Pr) * troe(Pr, T, 0.5, 1e-30, 1e30, 1e8)), 1.0, 1e-10);
        // REV of a three-body reaction: times [M], efficiencies and all (A
        // in the units of HO2 + M, of order 2).
        const double M = total - c - 0.5 * c;
        if (T >= 250.0) {
            EXPECT_NEAR(kr[5] / (arrhenius(1e15, 2, 0, 50000, T) * M), 1.0, 1e-12);
        }
        EXPECT_NEAR(kf[5] / (arrhenius(2.8e18, 3, -0.86, 0, T) * M), 1.0, 1e-12);
        EXPECT_EQ(kf[6], 0.0);
        EXPECT_EQ(kr[6], 0.0);
        std::vector<double> wdot(K);
        kinetics->getNetProductionRates(wdot.data());
        for (size_t k = 0; k < K && T >= 250.0; k++) {
            EXPECT_TRUE(std::isfinite(wdot[k])) << set.species(k).name;
        }
    }
}

TEST(GasKinetics, EdgeJacobianAgainstDifferences)
{
    auto mech = parseChemkin("edge.inp", edge::mechanism(), "", nullptr);
    auto kinetics = mech->newKinetics();
    const size_t K = mech->nSpecies();
    const std::vector<int>& colptr = kinetics->jacobianColumns();
    const std::vector<int>& rows = kinetics->jacobianRows();
    std::mt19937 random(3);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (double T : {900.0, 1700.0}) {
        std::vector<double> C(K);
        for (double& c : C) {
            c = (0.05 + unit(random)) * atm / (R * T) / K;
        }
        kinetics->update(T, C.data());
        std::vector<double> values(rows.size()), uniform(K);
        kinetics->evalConcentrationJacobian(values.data(), uniform.data());
        auto fd = differences(*kinetics, T, C);
        for (size_t k = 0; k < K; k++) {
            double scale = 0.0;
            for (size_t j = 0; j < K; j++) {
                scale = std::max(scale, std::abs(fd[k][j]));
            }
            for (size_t j = 0; j < K; j++) {
                double analytic = uniform[k];
                for (int p = colptr[j]; p < colptr[j + 1]; p++) {
                    analytic += rows[p] == static_cast<int>(k) ? values[p] : 0.0;
                }
                ASSERT_NEAR(analytic, fd[k][j], 1e-6 * scale + 1e-300)
                    << mech->species(k).name << " / " << mech->species(j).name << " at " << T << " K";
            }
        }
    }
}

TEST(GasKinetics, EvaluatorsShareTheMechanismsCompiledModelAndNothingElse)
{
    auto mech = parseChemkin("toy.inp", testing::toyMechanism(), "", nullptr);
    auto a = mech->newKinetics(), b = mech->newKinetics();
    EXPECT_EQ(&a->model(), mech->compiled().get());
    EXPECT_EQ(&b->model(), mech->compiled().get());
    // One evaluator's state and multipliers are not the other's.
    std::vector<double> C(mech->nSpecies(), 2.0);
    a->update(1200.0, C.data());
    const std::vector<double> before = a->forwardRatesOfProgress();
    b->setMultiplier(0, 10.0);
    b->update(1700.0, C.data());
    a->update(1200.0, C.data());
    EXPECT_EQ(a->forwardRatesOfProgress(), before);
    EXPECT_DOUBLE_EQ(b->multiplier(0), 10.0);
    EXPECT_DOUBLE_EQ(a->multiplier(0), 1.0);
}

} // namespace
} // namespace Velkora

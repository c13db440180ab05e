// Ideal-gas reactors against CHEMKIN-II's SENKIN on the reference cases,
// against the conservation laws, and their Jacobian and sensitivities
// against finite differences.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ChemistryData.h"
#include "support/ErrorStack.h"
#include "support/ErrorText.h"
#include "support/ToyMechanism.h"
#include "velkora/platform/input/ChemkinReader.h"
#include "velkora/platform/kinetics/parseReaction.h"
#include "velkora/platform/reactors/BatchReactor.h"
#include "velkora/platform/reactors/IdealGasReactor.h"
#include "velkora/platform/reactors/ReactorNet.h"
#include "velkora/platform/thermo/Composition.h"
#include "velkora/platform/thermo/PhysicalConstants.h"
#include "velkora/velkora.h"

namespace Velkora
{
namespace
{

using testing::chemkinCase;
using testing::errorOf;

struct Case
{
    const char* name;
    double P_atm, T0, end;
    const char* composition;
};
const Case h2{"h2", 2.0, 1000.0, 1e-3, "H2:1, O2:1, N2:3.76"};
const Case gri{"gri", 13.5, 1000.0, 0.07, "CH4:0.5, O2:1, N2:3.76"};

std::shared_ptr<Mechanism> mechanismOf(const Case& c)
{
    return readChemkin(chemkinCase(c.name) + "chem.inp", chemkinCase(c.name) + "therm.dat");
}

//! Times and temperatures at every output or step.
struct History
{
    std::vector<double> t, T;

    //! When T first reaches `value`, by linear interpolation.
    double crossing(double value) const
    {
        for (size_t i = 1; i < T.size(); i++) {
            if (T[i] >= value) {
                return t[i - 1] + (value - T[i - 1]) * (t[i] - t[i - 1]) / (T[i] - T[i - 1]);
            }
        }
        return NAN;
    }
    //! The time of the largest dT/dt, as the slope over `window` seconds.
    double steepest(double window) const
    {
        double best = 0.0, when = NAN;
        for (double a = t.front(); a + window <= t.back(); a += window / 4) {
            double slope = (at(a + window) - at(a)) / window;
            if (slope > best) {
                best = slope;
                when = a + window / 2;
            }
        }
        return when;
    }
    double at(double time) const
    {
        size_t i = std::upper_bound(t.begin(), t.end(), time) - t.begin();
        if (i == 0) {
            return T.front();
        }
        if (i == t.size()) {
            return T.back();
        }
        return T[i - 1] + (time - t[i - 1]) * (T[i] - T[i - 1]) / (t[i] - t[i - 1]);
    }
};

//! SENKIN's printed history of a case, read from its senk.out.
History senkin(const Case& c)
{
    std::ifstream in(chemkinCase(c.name) + "senk.out");
    std::string line;
    History h;
    while (std::getline(in, line)) {
        // " Time (sec) =  5.9352E-02   T (K) =  1.2000E+03"
        double t, T;
        if (std::sscanf(line.c_str(), " Time (sec) = %lf T (K) = %lf", &t, &T) == 2) {
            h.t.push_back(t);
            h.T.push_back(T);
        }
    }
    return h;
}

History ignite(const Case& c, double rtol, double atol, ReactorNet::JacobianMethod method,
               IdealGasReactor::Kind kind = IdealGasReactor::ConstantPressure)
{
    auto m = mechanismOf(c);
    std::vector<double> X = parseComposition("test", c.composition, m->speciesSet());
    auto reactor = std::make_shared<IdealGasReactor>(m, kind, c.T0, c.P_atm * OneAtm, X.data());
    std::vector<std::shared_ptr<ReactorBase>> list = {reactor};
    ReactorNet net(list);
    net.setTolerances(rtol, atol);
    net.setJacobianMethod(method);
    History h{{0.0}, {c.T0}};
    while (net.time() < c.end) {
        h.t.push_back(net.step());
        h.T.push_back(reactor->temperature());
    }
    return h;
}

TEST(IdealGasReactor, IgnitionAsSenkinComputedIt)
{
    // The times of T0 + 200 K and T0 + 400 K and of the largest dT/dt within
    // 0.2 % of SENKIN's (read off its output, interpolated), the final
    // temperature within 1 K. At rtol 1e-8, atol 1e-15.
    for (const Case* c : {&h2, &gri}) {
        VELKORA_REQUIRE_CASE(c->name);
        SCOPED_TRACE(c->name);
        History reference = senkin(*c);
        ASSERT_GT(reference.t.size(), 100u);
        History ours = ignite(*c, 1e-8, 1e-15, ReactorNet::JacobianMethod::Analytic);
        for (double rise : {200.0, 400.0}) {
            EXPECT_NEAR(ours.crossing(c->T0 + rise) / reference.crossing(c->T0 + rise), 1.0, 2e-3) << rise;
        }
        // The slope over a window of a thousandth of the delay: SENKIN prints
        // 5 digits, and neighbouring rows repeat near ignition.
        const double window = 1e-3 * reference.crossing(c->T0 + 400.0);
        EXPECT_NEAR(ours.steepest(window) / reference.steepest(window), 1.0, 2e-3);
        EXPECT_NEAR(ours.T.back(), reference.T.back(), 1.0);
    }
    // The reference values of the cases' table.
    VELKORA_REQUIRE_CASE("h2");
    EXPECT_NEAR(senkin(h2).crossing(1200.0), 2.17769e-4, 1e-8);
}

TEST(IdealGasReactor, TheDenseDifferencePathGivesTheSameIgnition)
{
    VELKORA_REQUIRE_CASE("h2");
    History sparse = ignite(h2, 1e-8, 1e-15, ReactorNet::JacobianMethod::Analytic);
    History dense = ignite(h2, 1e-8, 1e-15, ReactorNet::JacobianMethod::DenseDifferences);
    EXPECT_NEAR(sparse.crossing(1400.0) / dense.crossing(1400.0), 1.0, 1e-5);
}

TEST(IdealGasReactor, ConservesEnergyDensityAndElements)
{
    VELKORA_REQUIRE_CASE("gri");
    auto m = mechanismOf(gri);
    std::vector<double> X = parseComposition("test", gri.composition, m->speciesSet());
    const SpeciesSet& set = m->speciesSet();
    auto elements = [&](const IdealGasReactor& r) {
        std::vector<double> e(set.nElements(), 0.0);
        for (size_t k = 0; k < set.nSpecies(); k++) {
            for (size_t el = 0; el < set.nElements(); el++) {
                e[el] += r.gas().massFractions()[k] / set.molarMasses()[k] * set.atoms(k, el);
            }
        }
        return e;
    };
    for (auto kind : {IdealGasReactor::ConstantPressure, IdealGasReactor::ConstantVolume}) {
        SCOPED_TRACE(IdealGasReactor::kindName(kind));
        auto r = std::make_shared<IdealGasReactor>(m, kind, 1000.0, gri.P_atm * OneAtm, X.data());
        std::vector<std::shared_ptr<ReactorBase>> list = {r};
        ReactorNet net(list);
        net.setTolerances(1e-9, 1e-15);
        const double h0 = r->gas().enthalpyMass(), u0 = r->gas().intEnergyMass(), rho0 = r->density();
        const double P0 = r->pressure();
        const std::vector<double> e0 = elements(*r);
        net.advance(0.07);
        EXPECT_GT(r->temperature(), 2500.0); // it burnt
        if (kind == IdealGasReactor::ConstantPressure) {
            EXPECT_NEAR(r->gas().enthalpyMass(), h0, 1e-6 * std::abs(r->gas().cpMass() * 1000.0));
            EXPECT_DOUBLE_EQ(r->pressure(), P0);
        } else {
            EXPECT_NEAR(r->gas().intEnergyMass(), u0, 1e-6 * std::abs(r->gas().cvMass() * 1000.0));
            EXPECT_NEAR(r->density(), rho0, 1e-12 * rho0);
            EXPECT_GT(r->pressure(), 2.0 * P0);
        }
        std::vector<double> e = elements(*r);
        for (size_t el = 0; el < e.size(); el++) {
            EXPECT_NEAR(e[el], e0[el], 1e-8 * e0[el]) << set.element(el).symbol;
        }
    }
}

TEST(IdealGasReactor, AnalyticJacobianAgainstDifferences)
{
    // Every entry at random states of GRI-Mech, burning, at constant
    // pressure and volume: the sparse part plus the rank-one terms the
    // reactor hands back, against central differences of the rates.
    VELKORA_REQUIRE_CASE("gri");
    auto m = mechanismOf(gri);
    const SpeciesSet& set = m->speciesSet();
    std::mt19937 random(17);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (auto kind : {IdealGasReactor::ConstantPressure, IdealGasReactor::ConstantVolume}) {
        for (int trial = 0; trial < 3; trial++) {
            SCOPED_TRACE(IdealGasReactor::kindName(kind) + " " + std::to_string(trial));
            std::vector<double> X(set.nSpecies());
            for (double& x : X) {
                x = std::pow(unit(random), 2.0);
            }
            const double T = 1000.0 + 1500.0 * unit(random);
            IdealGasReactor r(m, kind, T, OneAtm * (1.0 + 20.0 * unit(random)), X.data());
            const size_t n = r.nComponents();
            std::vector<double> y(n), f1(n), f2(n), mult(r.nReactions(), 1.0), a(n), b(n);
            r.getState(y.data());
            std::vector<int> colptr, rows;
            r.jacobianPattern(colptr, rows);
            std::vector<double> values(rows.size());
            bool rankOne = r.evalJacobian(y.data(), mult.data(), values.data(), a.data(), b.data());
            std::vector<std::vector<double>> J(n, std::vector<double>(n, 0.0));
            for (size_t j = 0; j < n; j++) {
                for (int p = colptr[j]; p < colptr[j + 1]; p++) {
                    J[rows[p]][j] = values[p];
                }
                for (size_t i = 0; rankOne && i < n; i++) {
                    J[i][j] += a[i] * b[j];
                }
            }
            std::vector<std::vector<double>> fd(n, std::vector<double>(n));
            for (size_t j = 0; j < n; j++) {
                std::vector<double> up = y, down = y;
                const double h = j == 0 ? 1e-4 * T : 1e-6 * std::max(y[j], 1e-3);
                up[j] += h;
                down[j] -= h;
                r.evalRates(up.data(), mult.data(), f1.data());
                r.evalRates(down.data(), mult.data(), f2.data());
                for (size_t i = 0; i < n; i++) {
                    fd[i][j] = (f1[i] - f2[i]) / (2 * h);
                }
            }
            for (size_t i = 0; i < n; i++) {
                double scale = 0.0;
                for (size_t j = 1; j < n; j++) {
                    scale = std::max(scale, std::abs(fd[i][j]));
                }
                for (size_t j = 0; j < n; j++) {
                    // The temperature column is itself a forward difference.
                    const double tolerance = j == 0 ? 1e-4 * std::abs(fd[i][0]) + 1e-6 * scale : 1e-5 * scale;
                    ASSERT_NEAR(J[i][j], fd[i][j], tolerance + 1e-200)
                        << "row " << (i == 0 ? "T" : set.species(i - 1).name) << " column "
                        << (j == 0 ? "T" : set.species(j - 1).name);
                }
            }
        }
    }
}

TEST(IdealGasReactor, TemperatureSensitivityAgainstTwoScaledRuns)
{
    // d ln T / d ln k of H + O2 <=> O + OH (the file's "O+OH=O2+H", reaction
    // 1) late in the induction of the h2 case, against (ln T+ - ln T-) / 2e
    // of two runs with its A scaled by 1 +- e. ln T is far from linear in ln
    // k there: e = 1e-3 leaves an error of 0.8 %, e = 1e-4 one of 0.008 %.
    VELKORA_REQUIRE_CASE("h2");
    std::ifstream in(chemkinCase("h2") + "chem.inp");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string thermo;
    {
        std::ifstream t(chemkinCase("h2") + "therm.dat");
        thermo.assign((std::istreambuf_iterator<char>(t)), std::istreambuf_iterator<char>());
    }
    const std::string line = "O+OH=O2+H               2.02E+14";
    ASSERT_NE(text.find(line), std::string::npos);
    const double time = 2.15e-4, e = 1e-4;
    auto temperatureAt = [&](double scale, double* sensitivity) {
        std::string scaled = text;
        scaled.replace(scaled.find(line), line.size(), "O+OH=O2+H               " + std::to_string(2.02e14 * scale));
        auto m = parseChemkin("h2.inp", scaled, "therm.dat", &thermo);
        std::vector<double> X = parseComposition("test", h2.composition, m->speciesSet());
        auto r = std::make_shared<IdealGasReactor>(m, IdealGasReactor::ConstantPressure, 1000.0, 2 * OneAtm, X.data());
        r->setSensitivitiesEnabled(sensitivity != nullptr);
        std::vector<std::shared_ptr<ReactorBase>> list = {r};
        ReactorNet net(list);
        // The scaled runs tight, for their difference; the sensitivities
        // at the tolerances a user would give them.
        net.setTolerances(sensitivity ? 1e-8 : 1e-10, sensitivity ? 1e-15 : 1e-16);
        net.setSensitivityTolerances(1e-6, 1e-8);
        net.advance(time);
        if (sensitivity) {
            *sensitivity = net.sensitivity(net.globalComponentIndex("temperature", 0), 1);
        }
        return r->temperature();
    };
    double sensitivity = 0.0;
    temperatureAt(1.0, &sensitivity);
    const double fd = (std::log(temperatureAt(1.0 + e, nullptr)) - std::log(temperatureAt(1.0 - e, nullptr))) / (2 * e);
    EXPECT_GT(std::abs(fd), 1.0); // the induction depends on this rate
    EXPECT_NEAR(sensitivity, fd, 2e-3 * std::abs(fd));
}

TEST(IdealGasReactor, JoinsNetworksWithBatchReactorsAndRefusesWhatItCannot)
{
    VELKORA_REQUIRE_CASE("h2");
    auto m = mechanismOf(h2);
    std::vector<double> X = parseComposition("test", h2.composition, m->speciesSet());
    auto gas = std::make_shared<IdealGasReactor>(m, IdealGasReactor::ConstantTemperature, 1200.0, OneAtm, X.data());
    auto batch = std::make_shared<BatchReactor>(std::vector<std::shared_ptr<Reaction>>{parseReaction("A => B", 2.0)});
    batch->setConcentration("A", 1.0);
    std::vector<std::shared_ptr<ReactorBase>> list = {batch, gas};
    ReactorNet net(list);
    // A batch reactor has no analytic Jacobian: the network uses differences.
    EXPECT_EQ(net.jacobianMethod(), ReactorNet::JacobianMethod::DenseDifferences);
    EXPECT_EQ(errorOf([&] { net.setJacobianMethod(ReactorNet::JacobianMethod::Analytic); }),
              "ReactorNet::setJacobianMethod: An analytic Jacobian needs every reactor to have one; a BatchReactor "
              "has none.");
    EXPECT_EQ(net.neq(), 2u + 11u); // A and B; T and 10 species
    EXPECT_EQ(net.globalComponentIndex("temperature", 1), 2u);
    EXPECT_EQ(net.globalComponentIndex("O2", 1), 2u + 1u + 2u);
    net.advance(0.5);
    EXPECT_NEAR(batch->concentration("A"), std::exp(-1.0), 1e-6);
    EXPECT_DOUBLE_EQ(gas->temperature(), 1200.0); // constant temperature
    EXPECT_NEAR(net.sensitivity(0, 0), -1.0, 1e-4); // the batch reactor's: d ln[A] / d ln k = -k t
    EXPECT_EQ(errorOf([&] { net.sensitivity(2, 1); }),
              "ReactorNet::sensitivity: Parameter 1 belongs to reactor 1, whose sensitivities are not integrated; "
              "enable them before integrating.");
    EXPECT_EQ(errorOf([&] { gas->setConcentration("H2", 1.0); }),
              "IdealGasReactor::setConcentration: The composition of an ideal-gas reactor is given when it is "
              "built.");
    EXPECT_EQ(errorOf([] { IdealGasReactor::kindFromName("isobaric"); }),
              "IdealGasReactor::kindFromName: Unknown reactor type 'isobaric': use 'constant-pressure', "
              "'constant-volume' or 'constant-temperature'.");
}

TEST(IdealGasReactor, TheSparseSolverRefactorsOnItsPivotOrderAndSaysWhatItDid)
{
    // Every setup of the Newton matrix is a factorization with pivoting or
    // a refactorization on the last pivot order, most of them the latter;
    // the sparse and the dense path reach the same state.
    auto m = parseChemkin("toy.inp", testing::toyMechanism(), "", nullptr);
    std::vector<double> X = parseComposition("test", "H2:2, O2:1, N2:3.76", m->speciesSet());
    std::vector<std::vector<double>> states;
    for (auto method : {ReactorNet::JacobianMethod::Analytic, ReactorNet::JacobianMethod::DenseDifferences}) {
        auto gas = std::make_shared<IdealGasReactor>(m, IdealGasReactor::ConstantPressure, 1300.0, OneAtm, X.data());
        std::vector<std::shared_ptr<ReactorBase>> list = {gas};
        ReactorNet net(list);
        net.setJacobianMethod(method);
        net.setTolerances(1e-9, 1e-15);
        net.advance(1e-3);
        const ReactorNet::Statistics s = net.statistics();
        EXPECT_GT(s.linearSetups, 10);
        EXPECT_EQ(s.factorizations + s.refactorizations, s.linearSetups);
        EXPECT_GT(s.setupSeconds, 0.0);
        EXPECT_GT(s.solveSeconds, 0.0);
        EXPECT_GT(s.jacobianEvaluations, 0);
        if (method == ReactorNet::JacobianMethod::Analytic) {
            EXPECT_GE(s.factorizations, 1);
            EXPECT_GT(s.refactorizations, s.factorizations);
        } else {
            EXPECT_EQ(s.refactorizations, 0);
        }
        states.emplace_back(gas->nComponents());
        gas->getState(states.back().data());
    }
    EXPECT_GT(states[0][0], 2000.0); // it burnt
    for (size_t i = 0; i < states[0].size(); i++) {
        EXPECT_NEAR(states[0][i], states[1][i], 1e-5 * std::max(1e-6, std::abs(states[1][i]))) << i;
    }
}

TEST(IdealGasReactorInterface, BuildsReadsAndRefusesByHandle)
{
    VELKORA_REQUIRE_CASE("h2");
    const std::string dir = chemkinCase("h2");
    int mech = mech_load((dir + "chem.inp").c_str(), (dir + "therm.dat").c_str());
    ASSERT_GE(mech, 0);
    int r = reactor_newIdealGas(mech, "constant-volume", 1000.0, 2 * OneAtm, " H2 : 1, O2:1 ,N2:3.76 ");
    ASSERT_GE(r, 0) << testing::lastError();
    EXPECT_DOUBLE_EQ(reactor_temperature(r), 1000.0);
    EXPECT_DOUBLE_EQ(reactor_pressure(r), 2 * OneAtm);
    EXPECT_NEAR(reactor_density(r), 0.58967, 1e-4);
    EXPECT_NEAR(reactor_moleFraction(r, "O2"), 1.0 / 5.76, 1e-15);
    EXPECT_NEAR(reactor_massFraction(r, "AR"), 0.0, 0.0);
    EXPECT_EQ(reactor_nSpecies(r), 10);
    char name[8];
    EXPECT_EQ(reactor_speciesName(r, 0, sizeof(name), name), 3);
    EXPECT_STREQ(name, "H2");
    EXPECT_NEAR(reactor_concentration(r, "H2"), 2 * OneAtm / (GasConstant * 1000.0) / 5.76, 1e-9);
    int net = reactornet_new(1, &r);
    EXPECT_EQ(reactornet_advance(net, 1e-3), 0);
    EXPECT_GT(reactor_temperature(r), 2400.0);
    EXPECT_EQ(reactornet_sensitivity(net, "temperature", 0, 0), -999.999);
    EXPECT_EQ(testing::lastError(),
              "ReactorNet::sensitivity: Parameter 0 belongs to reactor 0, whose sensitivities are not integrated; "
              "enable them before integrating.");

    struct Fault
    {
        std::function<double()> call;
        double status;
        std::string message;
    };
    int batch = reactor_new(1, std::vector<int>{mech_newReaction("A => B", 1.0, 0.0)}.data());
    const Fault faults[] = {
        {[&] { return reactor_newIdealGas(mech, "adiabatic", 1000, 1e5, "H2:1"); }, -1,
         "IdealGasReactor::kindFromName: Unknown reactor type 'adiabatic': use 'constant-pressure', "
         "'constant-volume' or 'constant-temperature'."},
        {[&] { return reactor_newIdealGas(mech, "constant-pressure", 1000, 1e5, "H2:1, XY:2"); }, -1,
         "reactor_newIdealGas: The composition 'H2:1, XY:2' names the unknown species 'XY'."},
        {[&] { return reactor_newIdealGas(mech, "constant-pressure", 1000, 1e5, "H2:-1"); }, -1,
         "reactor_newIdealGas: The composition 'H2:-1' gives species 'H2' the amount -1; amounts must be finite "
         "and not negative."},
        {[&] { return reactor_newIdealGas(mech, "constant-pressure", 1000, 1e5, "H2:inf"); }, -1,
         "reactor_newIdealGas: The composition 'H2:inf' gives species 'H2' the amount inf; amounts must be finite "
         "and not negative."},
        {[&] { return reactor_newIdealGas(mech, "constant-pressure", 1000, 1e5, " "); }, -1,
         "reactor_newIdealGas: The composition is empty: give it as 'NAME:VALUE, ...'."},
        {[&] { return reactor_newIdealGas(mech, "constant-pressure", 1000, 1e5, "H2 1"); }, -1,
         "reactor_newIdealGas: The composition 'H2 1' holds 'H2 1', not a pair 'NAME:VALUE'."},
        {[&] { return reactor_newIdealGas(mech, "constant-pressure", 1000, 1e5, "H2:1, H2:2"); }, -1,
         "reactor_newIdealGas: The composition 'H2:1, H2:2' gives species 'H2' twice."},
        {[&] { return reactor_newIdealGas(mech, "constant-pressure", 1000, 1e5, "H2:0, O2:0"); }, -1,
         "reactor_newIdealGas: The amounts of the composition 'H2:0, O2:0' sum to 0; they must sum to a positive "
         "number."},
        {[&] { return reactor_newIdealGas(mech, "constant-pressure", -5, 1e5, "H2:1"); }, -1,
         "IdealGasMixture::setState_TPX: The temperature must be positive and finite, not -5."},
        {[&] { return reactor_newIdealGas(mech + 1, "constant-pressure", 1000, 1e5, "H2:1"); }, -1,
         "Cabinet::at: Index " + std::to_string(mech + 1) + " out of range."},
        {[&] { return reactor_newIdealGas(mech, nullptr, 1000, 1e5, "H2:1"); }, -1,
         "reactor_newIdealGas: The reactor type is a null pointer."},
        {[&] { return reactor_temperature(batch); }, -999.999,
         "reactor_temperature: Reactor " + std::to_string(batch) + " is no ideal-gas reactor."},
        {[&] { return reactor_moleFraction(r, "XY"); }, -999.999, "IdealGasReactor::moleFraction: No species 'XY' in the reactor."},
        {[&] { return reactor_setConcentration(r, "H2", 1.0); }, -1,
         "IdealGasReactor::setConcentration: The composition of an ideal-gas reactor is given when it is built."},
        {[&] { return reactor_setSensitivities(batch, 1); }, -1,
         "reactor_setSensitivities: Reactor " + std::to_string(batch) + " is no ideal-gas reactor."},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.message);
        EXPECT_EQ(f.call(), f.status);
        EXPECT_EQ(testing::lastError(), f.message);
    }
    EXPECT_EQ(reactor_setSensitivities(r, 1), 0);
    EXPECT_EQ(reactornet_del(net), 0);
    EXPECT_EQ(reactor_del(r), 0);
    EXPECT_EQ(mech_del(mech), 0);
}

} // namespace
} // namespace Velkora

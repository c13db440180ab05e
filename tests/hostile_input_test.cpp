// Calls of the C interface that a fuzzer found to report success while
// something was wrong, or never to return. Each now fails cleanly, with a
// status value and a message, or succeeds with a sound result.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "velkora/platform/kinetics/parseReaction.h"
#include "velkora/platform/reactors/BatchReactor.h"
#include "velkora/platform/reactors/ReactorNet.h"
#include "velkora/platform/transport/Transport.h"
#include "support/ErrorStack.h"
#include "support/ErrorText.h"
#include "velkora/platform/kinetics/ConstantRate.h"
#include "velkora/velkora.h"

namespace Velkora
{
namespace
{

using testing::errorOf;
using testing::lastError;

int firstOrderNetwork(double a, double b)
{
    int rxn = mech_newReaction("A => B", 0.01, 0.0);
    int reactor = reactor_new(1, &rxn);
    EXPECT_EQ(reactor_setConcentration(reactor, "A", a), 0);
    EXPECT_EQ(reactor_setConcentration(reactor, "B", b), 0);
    return reactornet_new(1, &reactor);
}

TEST(HostileInput, ToleranceThatOverflowTheIntegratorAreRefused)
{
    int net = firstOrderNetwork(50.0, 20.0);
    struct Case
    {
        bool sensitivity;
        double rtol, atol;
        const char* message;
    };
    const Case cases[] = {
        {true, 1e-300, 1e-300,
         "ReactorNet::setSensitivityTolerances: The relative tolerance 1e-300 lies below machine precision: give 0 "
         "or at least 2.220446049250313e-16."},
        {true, 1e-6, 1e-300,
         "ReactorNet::setSensitivityTolerances: The absolute tolerance 1e-300 lies below 1e-100, which the "
         "integrator cannot honour."},
        {false, 1e-9, 0.0,
         "ReactorNet::setTolerances: The absolute tolerance 0 lies below 1e-100, which the integrator cannot "
         "honour."},
    };
    for (const Case& c : cases) {
        int status = c.sensitivity ? reactornet_setSensitivityTolerances(net, c.rtol, c.atol)
                                   : reactornet_setTolerances(net, c.rtol, c.atol);
        EXPECT_EQ(status, -1);
        EXPECT_EQ(lastError(), c.message);
    }
    // The limits themselves are accepted, and so is pure absolute control.
    EXPECT_EQ(reactornet_setSensitivityTolerances(net, 2.220446049250313e-16, 1e-100), 0);
    EXPECT_EQ(reactornet_setTolerances(net, 0.0, 1e-6), 0);
    EXPECT_EQ(reactornet_rtol(net), 0.0);

    // The sequence that used to send the clock back, then hang: the network
    // now keeps its default sensitivity tolerances and steps forward.
    int fuzzed = firstOrderNetwork(50.0, 20.0);
    EXPECT_EQ(reactornet_setSensitivityTolerances(fuzzed, 1e-300, 1e-300), -1);
    EXPECT_EQ(reactornet_advance(fuzzed, 1e-12), 0);
    double t = reactornet_time(fuzzed);
    EXPECT_EQ(t, 1e-12);
    for (int i = 0; i < 3; i++) {
        double next = reactornet_step(fuzzed);
        EXPECT_GT(next, t);
        t = next;
    }
}

// Rates that are not numbers: the integrator cannot make progress.
class NanReactor : public ReactorBase
{
public:
    NanReactor()
    {
        m_species = {"X"};
        m_concentrations = {1.0};
    }
    std::string type() const override { return "NanReactor"; }
    size_t nReactions() const override { return 1; }
    void evalRates(const double*, const double*, double* dcdt) const override { dcdt[0] = NAN; }
};

TEST(HostileInput, AnIntegratorThatCannotProceedFailsAndKeepsTheTime)
{
    std::vector<std::shared_ptr<ReactorBase>> reactors = {std::make_shared<NanReactor>()};
    auto net = newReactorNet(reactors);
    net->setInitialTime(2.0);
    std::string message = errorOf([&] { net->advance(3.0); });
    EXPECT_EQ(message.rfind("ReactorNet::advance: CVODES failed with ", 0), 0u) << message;
    EXPECT_NE(message.find("at t = 2 "), std::string::npos) << message;
    EXPECT_NE(message.find("a rate is not a finite number"), std::string::npos) << message;
    EXPECT_EQ(net->time(), 2.0);
    // Stepping afterwards fails the same way; time never moves back.
    message = errorOf([&] { net->step(); });
    EXPECT_EQ(message.rfind("ReactorNet::step: CVODES failed with ", 0), 0u) << message;
    EXPECT_EQ(net->time(), 2.0);
}

TEST(HostileInput, TransportInputsOutsideTheModelAreRefusedAtCreation)
{
    const double good = 0.028, sigma = 3.7e-10;
    struct Case
    {
        double molarMass, diameter;
        const char* message;
    };
    const Case cases[] = {
        {1e-300, sigma, "HardSphereGas::HardSphereGas: The molar mass of species 0 must lie in [1e-07, 1000], not 1e-300."},
        {5e-324, sigma, "HardSphereGas::HardSphereGas: The molar mass of species 0 must lie in [1e-07, 1000], not 5e-324."},
        {good, 1e-300, "HardSphereGas::HardSphereGas: The diameter of species 0 must lie in [1e-12, 1e-06], not 1e-300."},
        {good, 1e300, "HardSphereGas::HardSphereGas: The diameter of species 0 must lie in [1e-12, 1e-06], not 1e+300."},
    };
    const int before = trans_cabinetSize();
    for (const Case& c : cases) {
        EXPECT_EQ(gastrans_new(1, &c.molarMass, &c.diameter, nullptr), -1);
        EXPECT_EQ(lastError(), c.message);
    }
    EXPECT_EQ(trans_cabinetSize(), before);

    // At the extremes of the ranges every property is still a number.
    const double masses[] = {1e-7, 1e3}, diameters[] = {1e-12, 1e-6}, X[] = {0.5, 0.5};
    const double states[][2] = {{1e-2, 1e12}, {1e6, 1e-6}, {1e-2, 1e-6}, {1e6, 1e12}};
    int gas = gastrans_new(2, masses, diameters, nullptr);
    ASSERT_GE(gas, 0);
    for (const auto& state : states) {
        ASSERT_EQ(gastrans_setState(gas, state[0], state[1], 2, X), 0);
        double d[4];
        EXPECT_TRUE(std::isfinite(trans_viscosity(gas)) && trans_viscosity(gas) > 0.0);
        EXPECT_TRUE(std::isfinite(trans_thermalConductivity(gas)) && trans_thermalConductivity(gas) > 0.0);
        EXPECT_EQ(trans_getMixDiffCoeffs(gas, 2, d), 0);
        EXPECT_TRUE(std::isfinite(d[0]) && std::isfinite(d[1]) && d[0] > 0.0);
        EXPECT_EQ(trans_getBinaryDiffCoeffs(gas, 2, 4, d), 0);
        EXPECT_TRUE(std::isfinite(d[1]) && d[1] > 0.0);
    }
    trans_del(gas);
}

// A model whose results are not numbers: the base class turns them into errors.
class BrokenModel : public Transport
{
public:
    std::string transportModel() const override { return "broken"; }
    double viscosity() override { return finiteResult("BrokenModel::viscosity", NAN); }
    void getMixDiffCoeffs(double* d) override
    {
        requireOutput("BrokenModel::getMixDiffCoeffs", d);
        d[0] = INFINITY;
        requireFinite("BrokenModel::getMixDiffCoeffs", d, 1);
    }
};

TEST(HostileInput, NoPropertyIsANonFiniteSuccess)
{
    BrokenModel model;
    double d[1];
    EXPECT_EQ(errorOf([&] { model.viscosity(); }), "BrokenModel::viscosity: The result is not a finite number (nan).");
    EXPECT_EQ(errorOf([&] { model.getMixDiffCoeffs(d); }),
              "BrokenModel::getMixDiffCoeffs: Result 0 is not a finite number (inf).");
}

TEST(HostileInput, ExponentsOfCoefficientsReadBack)
{
    struct Case
    {
        const char* input;
        const char* printed;
        double coefficient;
    };
    const Case cases[] = {
        {"0.0000001 A => B", "1e-07 A => B", 1e-7},
        {"100000000000000000000 A => B", "1e+20 A => B", 1e20},
        {"1e+20 A => B", "1e+20 A => B", 1e20},
        {"2.5E-3A => B", "0.0025 A => B", 2.5e-3},
        {"2e => B", "2 e => B", 2.0},            // no digit after "e": species e
        {"3e+ A => B", "A + 3 e => B", 1.0},     // no digit after "e+": species e, then A
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        int rxn = mech_newReaction(c.input, 1.0, 0.0);
        ASSERT_GE(rxn, 0) << lastError();
        char text[64];
        ASSERT_LT(rxn_equation(rxn, sizeof(text), text), int(sizeof(text)));
        EXPECT_STREQ(text, c.printed);
        // The printed text is the same reaction.
        auto again = parseReaction(text, 1.0);
        EXPECT_EQ(again->equation(), c.printed);
        EXPECT_EQ(again->m_reactants.begin()->second, c.coefficient);
        rxn_del(rxn);
    }
}

TEST(HostileInput, PrintedEquationsAlwaysParseToTheSameReaction)
{
    // Coefficients over the whole range of doubles, printed and read again.
    unsigned long long seed = 12345;
    auto next = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return seed >> 11;
    };
    for (int i = 0; i < 2000; i++) {
        double a = std::ldexp(1.0 + double(next() % 1000000) / 1e6, int(next() % 2000) - 1000);
        double b = std::ldexp(1.0 + double(next() % 1000000) / 1e6, int(next() % 60) - 30);
        Reaction rxn;
        rxn.m_reactants = {{"A", a}, {"e", b}};
        rxn.m_products = {{"E5", 1.0}};
        rxn.m_reversible = (i % 2 == 0);
        auto parsed = parseReaction(rxn.equation(), 1.0);
        ASSERT_EQ(parsed->m_reactants, rxn.m_reactants) << rxn.equation();
        ASSERT_EQ(parsed->m_products, rxn.m_products) << rxn.equation();
        ASSERT_EQ(parsed->equation(), rxn.equation());
    }
}

TEST(HostileInput, ReactionsAndNetworksWithoutSpeciesAreRefused)
{
    EXPECT_EQ(mech_newReaction("M <=> M", 1.0, 1.0), -1);
    EXPECT_EQ(lastError(), "parseReaction: Reaction equation 'M <=> M', column 1: reactant side has no species.");
    EXPECT_EQ(mech_newReaction("A + M <=> M", 1.0, 1.0), -1);
    EXPECT_EQ(lastError(), "parseReaction: Reaction equation 'A + M <=> M', column 11: product side has no species.");

    auto rxn = std::make_shared<Reaction>();
    rxn->m_rate = std::make_shared<ConstantRate>();
    EXPECT_EQ(errorOf([&] { BatchReactor({rxn}); }), "BatchReactor::BatchReactor: The reactions have no species.");

    class Empty : public ReactorBase
    {
    public:
        std::string type() const override { return "Empty"; }
        size_t nReactions() const override { return 0; }
        void evalRates(const double*, const double*, double*) const override {}
    };
    std::vector<std::shared_ptr<ReactorBase>> reactors = {std::make_shared<Empty>()};
    EXPECT_EQ(errorOf([&] { newReactorNet(reactors); }),
              "ReactorNet::ReactorNet: The reactors of the network have no species.");
}

TEST(HostileInput, NullOutputArraysAreRefusedByTheEvaluator)
{
    const double M[] = {0.028, 0.032}, sigma[] = {3.75e-10, 3.61e-10}, X[] = {0.5, 0.5};
    int gas = gastrans_new(2, M, sigma, nullptr);
    ASSERT_GE(gas, 0);
    double state1[] = {0.4, 0.6}, state2[] = {0.6, 0.4};
    struct Case
    {
        int status;
        const char* message;
    };
    const Case cases[] = {
        {trans_getMixDiffCoeffs(gas, 2, nullptr), "HardSphereGas::getMixDiffCoeffs: The output array is a null pointer."},
        {trans_getThermalDiffCoeffs(gas, 2, nullptr),
         "HardSphereGas::getThermalDiffCoeffs: The output array is a null pointer."},
        {trans_getBinaryDiffCoeffs(gas, 2, 4, nullptr),
         "HardSphereGas::getBinaryDiffCoeffs: The output array is a null pointer."},
        {trans_getMolarFluxes(gas, 2, state1, 2, state2, 1e-3, 2, nullptr),
         "HardSphereGas::getMolarFluxes: The output array is a null pointer."},
        {trans_getMassFluxes(gas, 2, state1, 2, state2, 1e-3, 2, nullptr),
         "HardSphereGas::getMassFluxes: The output array is a null pointer."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.status, -1);
    }
    // Each pushed its own message, newest last.
    for (auto it = std::rbegin(cases); it != std::rend(cases); ++it) {
        EXPECT_EQ(lastError(), it->message);
        testing::errorStack().popError();
    }
    EXPECT_EQ(gastrans_setState(gas, 300.0, 1e5, 2, X), 0);
    trans_del(gas);
}

} // namespace
} // namespace Velkora

#include <cmath>
#include <memory>
#include <stdexcept>

#include <gtest/gtest.h>

#include "velkora/interface/VelkoraError.h"
#include "support/ErrorText.h"
#include "velkora/platform/reactors/BatchReactor.h"
#include "velkora/platform/reactors/ReactorNet.h"
#include "velkora/platform/kinetics/parseReaction.h"

namespace Velkora
{
namespace
{

using testing::errorOf;

std::shared_ptr<BatchReactor> reactor(std::vector<std::shared_ptr<Reaction>> reactions,
                                      std::vector<std::pair<const char*, double>> initial)
{
    auto r = std::make_shared<BatchReactor>(reactions);
    for (auto& [name, c] : initial) {
        r->setConcentration(name, c);
    }
    return r;
}

std::shared_ptr<ReactorNet> network(std::vector<std::shared_ptr<ReactorBase>> reactors)
{
    auto net = newReactorNet(reactors);
    net->setTolerances(1e-10, 1e-14);
    net->setSensitivityTolerances(1e-8, 1e-12);
    return net;
}

TEST(BatchReactor, SpeciesComeFromTheReactionsInOrderOfAppearance)
{
    BatchReactor r({parseReaction("B + A => C", 1.0), parseReaction("C <=> D + A", 1.0, 1.0)});
    ASSERT_EQ(r.nSpecies(), 4u);
    EXPECT_EQ(r.speciesName(0), "A");
    EXPECT_EQ(r.speciesName(1), "B");
    EXPECT_EQ(r.speciesName(2), "C");
    EXPECT_EQ(r.speciesName(3), "D");
    EXPECT_EQ(r.nReactions(), 2u);
    EXPECT_EQ(r.concentrations(), std::vector<double>(4, 0.0));
}

TEST(BatchReactor, RatesFollowMassActionWithThirdBodies)
{
    BatchReactor r({parseReaction("2 H + M => H2 + M", 3.0), parseReaction("H2 <=> 2 H", 0.5, 0.25)});
    std::vector<double> c = {2.0, 5.0}; // H, H2
    double mult[] = {1.0, 2.0};
    double dcdt[2];
    r.evalRates(c.data(), mult, dcdt);
    double r1 = 3.0 * 2.0 * 2.0 * 7.0;                  // kf [H]^2 [M]
    double r2 = 2.0 * (0.5 * 5.0 - 0.25 * 2.0 * 2.0);  // m (kf [H2] - kr [H]^2)
    EXPECT_DOUBLE_EQ(dcdt[0], -2.0 * r1 + 2.0 * r2);
    EXPECT_DOUBLE_EQ(dcdt[1], r1 - r2);
}

TEST(BatchReactor, RefusesBadInput)
{
    EXPECT_EQ(errorOf([] { BatchReactor r({}); }),
              "BatchReactor::BatchReactor: A reactor needs at least one reaction.");
    EXPECT_EQ(errorOf([] { BatchReactor r({std::make_shared<Reaction>()}); }),
              "BatchReactor::BatchReactor: Reaction 0 of the list has no rate coefficient.");
    BatchReactor r({parseReaction("A => B", 1.0)});
    EXPECT_EQ(errorOf([&] { r.setConcentration("X", 1.0); }),
              "ReactorBase::setConcentration: No species 'X' in the reactor.");
    EXPECT_EQ(errorOf([&] { r.setConcentration("A", -1.0); }),
              "ReactorBase::setConcentration: The concentration of 'A' must be finite and not negative, not -1.");
    EXPECT_EQ(errorOf([&] { r.concentration("X"); }), "ReactorBase::concentration: No species 'X' in the reactor.");
}

TEST(ReactorNet, FirstOrderDecayAndItsSensitivity)
{
    const double k = 2.0;
    auto r = reactor({parseReaction("A => B", k)}, {{"A", 1.0}});
    auto net = network({r});
    size_t a = net->globalComponentIndex("A", 0);
    size_t b = net->globalComponentIndex("B", 0);
    for (double t : {0.1, 0.5, 1.0, 2.0}) {
        net->advance(t);
        EXPECT_EQ(net->time(), t);
        double A = std::exp(-k * t);
        EXPECT_NEAR(r->concentration("A"), A, 1e-8);
        EXPECT_NEAR(r->concentration("B"), 1.0 - A, 1e-8);
        EXPECT_NEAR(net->sensitivity(a, 0), -k * t, 1e-5);
        EXPECT_NEAR(net->sensitivity(b, 0), k * t * A / (1.0 - A), 1e-5);
    }
    // A new setting takes effect on the next advance; until then the
    // sensitivities of the state reached stay readable.
    net->setMaxTimeStep(0.5);
    EXPECT_NEAR(net->sensitivity(a, 0), -k * 2.0, 1e-5);
}

TEST(ReactorNet, SecondOrderAndReversibleReactionsMatchClosedForms)
{
    const double k = 0.7, kf = 3.0, kr = 1.0;
    auto second = reactor({parseReaction("2 A => B", k)}, {{"A", 2.0}});
    auto reversible = reactor({parseReaction("C <=> D", kf, kr)}, {{"C", 1.0}});
    auto net = network({second, reversible});
    for (double t : {0.2, 1.0, 5.0}) {
        net->advance(t);
        double A = 2.0 / (1.0 + 2.0 * k * 2.0 * t);
        EXPECT_NEAR(second->concentration("A"), A, 1e-8);
        EXPECT_NEAR(second->concentration("B"), (2.0 - A) / 2.0, 1e-8);
        double C = (kr + kf * std::exp(-(kf + kr) * t)) / (kf + kr);
        EXPECT_NEAR(reversible->concentration("C"), C, 1e-8);
    }
    // Relaxed to equilibrium: D/C = kf/kr.
    net->advance(20.0);
    EXPECT_NEAR(reversible->concentration("D") / reversible->concentration("C"), kf / kr, 1e-6);
    // Parameters are numbered reactor by reactor; each reactor's species feel
    // only their own reactions.
    EXPECT_EQ(net->nParameters(), 2u);
    EXPECT_NEAR(net->sensitivity(net->globalComponentIndex("A", 0), 1), 0.0, 1e-12);
    EXPECT_NEAR(net->sensitivity(net->globalComponentIndex("C", 1), 0), 0.0, 1e-12);
}

TEST(ReactorNet, SensitivitiesAgreeWithFiniteDifferences)
{
    const char* equations[] = {"A + B => C", "C => D", "2 B <=> E"};
    const double rates[][2] = {{1.5, 0.0}, {0.4, 0.0}, {0.8, 0.3}};
    auto run = [&](int perturbed, double factor, std::shared_ptr<ReactorNet>* keep) {
        std::vector<std::shared_ptr<Reaction>> rxns;
        for (int j = 0; j < 3; j++) {
            double f = (j == perturbed) ? factor : 1.0;
            rxns.push_back(parseReaction(equations[j], rates[j][0] * f, rates[j][1] * f));
        }
        auto r = reactor(rxns, {{"A", 1.0}, {"B", 2.0}});
        auto net = network({r});
        net->advance(1.5);
        if (keep) {
            *keep = net;
        }
        return r;
    };
    std::shared_ptr<ReactorNet> net;
    run(-1, 1.0, &net);
    const double h = 1e-4;
    for (int j = 0; j < 3; j++) {
        auto up = run(j, 1.0 + h, nullptr);
        auto down = run(j, 1.0 - h, nullptr);
        for (const char* species : {"A", "B", "C", "D", "E"}) {
            double fd = (std::log(up->concentration(species)) - std::log(down->concentration(species)))
                        / (std::log1p(h) - std::log1p(-h));
            EXPECT_NEAR(net->sensitivity(net->globalComponentIndex(species, 0), j), fd, 1e-4)
                << species << " to reaction " << j;
        }
    }
}

TEST(ReactorNet, StepsAdvanceMonotonicallyAndAdvanceLandsOnTarget)
{
    auto r = reactor({parseReaction("A => B", 1.0)}, {{"A", 1.0}});
    auto net = network({r});
    net->setMaxTimeStep(0.05);
    double last = net->time();
    for (int i = 0; i < 20; i++) {
        double t = net->step();
        EXPECT_GT(t, last);
        EXPECT_LE(t - last, 0.05 + 1e-12);
        EXPECT_EQ(net->time(), t);
        last = t;
    }
    net->advance(last + 0.3);
    EXPECT_EQ(net->time(), last + 0.3);
    double t = net->step();
    EXPECT_GT(t, last + 0.3);
    EXPECT_NEAR(r->concentration("A"), std::exp(-t), 1e-8);
}

TEST(ReactorNet, ChangedConcentrationsRestartTheIntegration)
{
    auto r = reactor({parseReaction("A => B", 1.0)}, {{"A", 1.0}});
    auto net = network({r});
    net->advance(1.0);
    r->setConcentration("A", 4.0);
    r->setConcentration("B", 0.0);
    net->advance(2.0);
    EXPECT_NEAR(r->concentration("A"), 4.0 * std::exp(-1.0), 1e-8);
    net->setInitialTime(10.0);
    net->advance(11.0);
    EXPECT_NEAR(r->concentration("A"), 4.0 * std::exp(-2.0), 1e-8);
}

struct FailingReactor : ReactorBase
{
    FailingReactor()
    {
        m_species = {"X"};
        m_concentrations = {1.0};
    }
    std::string type() const override { return "Failing"; }
    size_t nReactions() const override { return 0; }
    void evalRates(const double*, const double*, double*) const override
    {
        throw std::runtime_error("no rates today");
    }
};

TEST(ReactorNet, ErrorsAreClear)
{
    auto r = reactor({parseReaction("A => B", 1.0)}, {{"A", 1.0}});
    auto net = network({r});
    net->advance(1.0);
    std::vector<std::shared_ptr<ReactorBase>> none, twice = {r, r};
    struct Case
    {
        std::function<void()> call;
        std::string message;
    };
    const double inf = INFINITY;
    const Case cases[] = {
        {[&] { newReactorNet(none); }, "ReactorNet::ReactorNet: A reactor network needs at least one reactor."},
        {[&] { newReactorNet(twice); }, "ReactorNet::ReactorNet: Reactor 1 of the list appears twice."},
        {[&] { net->setTolerances(-1e-6, 1e-12); },
         "ReactorNet::setTolerances: Tolerances must be finite and not negative, not rtol = -1e-06, atol = 1e-12."},
        {[&] { net->setSensitivityTolerances(1e-6, NAN); },
         "ReactorNet::setSensitivityTolerances: Tolerances must be finite and not negative, not rtol = 1e-06, atol = nan."},
        {[&] { net->setMaxTimeStep(-1.0); },
         "ReactorNet::setMaxTimeStep: The largest step must be finite and not negative, not -1."},
        {[&] { net->setInitialTime(inf); }, "ReactorNet::setInitialTime: The initial time must be finite, not inf."},
        {[&] { net->advance(0.5); }, "ReactorNet::advance: The target time 0.5 lies before the current time 1."},
        {[&] { net->globalComponentIndex("Z", 0); }, "ReactorNet::globalComponentIndex: No species 'Z' in reactor 0."},
        {[&] { net->globalComponentIndex("A", 1); },
         "ReactorNet::globalComponentIndex: Reactor index 1 out of range (the network has 1 reactors)."},
        {[&] { net->sensitivity(2, 0); },
         "ReactorNet::sensitivity: Component index 2 out of range (the network has 2 components)."},
        {[&] { net->sensitivity(0, 1); },
         "ReactorNet::sensitivity: Parameter index 1 out of range (the network has 1 parameters)."},
        // A C caller's -1 arrives as the largest size_t; shown as given.
        {[&] { net->globalComponentIndex("A", static_cast<size_t>(-1)); },
         "ReactorNet::globalComponentIndex: Reactor index -1 out of range (the network has 1 reactors)."},
        {[&] { net->sensitivity(static_cast<size_t>(-2), 0); },
         "ReactorNet::sensitivity: Component index -2 out of range (the network has 2 components)."},
        {[&] { net->sensitivity(0, static_cast<size_t>(-1)); },
         "ReactorNet::sensitivity: Parameter index -1 out of range (the network has 1 parameters)."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(errorOf(c.call), c.message);
    }
    EXPECT_EQ(net->time(), 1.0);
    EXPECT_EQ(net->m_rtol, 1e-10);

    std::vector<std::shared_ptr<ReactorBase>> broken = {std::make_shared<FailingReactor>()};
    auto failing = newReactorNet(broken);
    std::string message = errorOf([&] { failing->advance(1.0); });
    EXPECT_EQ(message.rfind("ReactorNet::advance: CVODES failed with CV_RHSFUNC_FAIL at t = 0 after 0 steps: ", 0), 0u)
        << message;
    EXPECT_NE(message.find("rate evaluation failed: no rates today"), std::string::npos) << message;
    // The same failure met by a step names the step.
    auto stepping = newReactorNet(broken);
    message = errorOf([&] { stepping->step(); });
    EXPECT_EQ(message.rfind("ReactorNet::step: CVODES failed with CV_RHSFUNC_FAIL at t = 0 after 0 steps: ", 0), 0u)
        << message;
}

} // namespace
} // namespace Velkora

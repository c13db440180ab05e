// The reactor-network functions of the C interface. An executable of its own:
// the first test needs a process whose network registry has not been used.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "support/ErrorStack.h"
#include "velkora/velkora.h"

namespace
{

using Velkora::testing::lastError;

int firstOrderReactor(double k, double a0)
{
    int rxn = mech_newReaction("A => B", k, 0.0);
    int r = reactor_new(1, &rxn);
    EXPECT_EQ(reactor_setConcentration(r, "A", a0), 0);
    EXPECT_EQ(rxn_del(rxn), 0); // the reactor keeps its reaction
    return r;
}

TEST(ReactorNetInterface, HandlesCountFromZeroAndSlotsStay)
{
    EXPECT_EQ(reactornet_cabinetSize(), 0);
    int r = firstOrderReactor(1.0, 1.0);
    EXPECT_EQ(reactornet_new(1, &r), 0);
    EXPECT_EQ(reactornet_new(1, &r), 1); // reactors may be shared between networks
    EXPECT_EQ(reactornet_del(0), 0);
    EXPECT_EQ(reactornet_cabinetSize(), 2);
    EXPECT_EQ(reactornet_new(1, &r), 2);
}

TEST(ReactorNetInterface, NewStopsAtTheFirstBadReactorHandle)
{
    int good = firstOrderReactor(1.0, 1.0);
    const int nets = reactornet_cabinetSize();
    const int reactors = reactor_cabinetSize();
    int list[] = {good, reactors + 5, good};

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(reactornet_new(3, list), -2);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(lastError(), "Cabinet::at: Index " + std::to_string(reactors + 5) + " out of range.");
    EXPECT_EQ(reactornet_cabinetSize(), nets);
    EXPECT_EQ(reactor_cabinetSize(), reactors);

    EXPECT_EQ(reactornet_new(0, list), -2);
    EXPECT_EQ(lastError(), "ReactorNet::ReactorNet: A reactor network needs at least one reactor.");
    EXPECT_EQ(reactornet_new(-3, nullptr), -2);
    EXPECT_EQ(reactornet_new(2, nullptr), -2);
    EXPECT_EQ(lastError(), "reactornet_new: The handle array is a null pointer.");
    EXPECT_EQ(reactornet_cabinetSize(), nets);
}

TEST(ReactorNetInterface, DrivesANetwork)
{
    int r = firstOrderReactor(2.0, 1.0);
    int net = reactornet_new(1, &r);
    ASSERT_GE(net, 0) << lastError();
    EXPECT_EQ(reactornet_setTolerances(net, 1e-10, 1e-14), 0);
    EXPECT_EQ(reactornet_rtol(net), 1e-10);
    EXPECT_EQ(reactornet_atol(net), 1e-14);
    EXPECT_EQ(reactornet_setSensitivityTolerances(net, 1e-8, 1e-12), 0);
    EXPECT_EQ(reactornet_setInitialTime(net, 1.0), 0);
    EXPECT_EQ(reactornet_setMaxTimeStep(net, 0.1), 0);
    EXPECT_EQ(reactornet_time(net), 1.0);

    EXPECT_EQ(reactornet_advance(net, 1.5), 0);
    EXPECT_EQ(reactornet_time(net), 1.5);
    EXPECT_NEAR(reactor_concentration(r, "A"), std::exp(-1.0), 1e-8);
    EXPECT_NEAR(reactornet_sensitivity(net, "A", 0, 0), -1.0, 1e-5);
    double t = reactornet_step(net);
    EXPECT_GT(t, 1.5);
    EXPECT_LE(t, 1.6 + 1e-12);

    EXPECT_EQ(reactornet_advance(net, 1.0), -1);
    EXPECT_EQ(lastError().rfind("ReactorNet::advance: The target time 1 lies before the current time", 0), 0u);
    EXPECT_EQ(reactornet_setTolerances(net, -1.0, 1e-14), -1);
    EXPECT_EQ(reactornet_rtol(net), 1e-10);
    EXPECT_EQ(reactornet_sensitivity(net, "Q", 0, 0), -999.999);
    EXPECT_EQ(lastError(), "ReactorNet::globalComponentIndex: No species 'Q' in reactor 0.");
    EXPECT_EQ(reactornet_sensitivity(net, "A", 0, -1), -999.999);
    EXPECT_EQ(lastError(), "ReactorNet::globalComponentIndex: Reactor index -1 out of range (the network has 1 reactors).");
    EXPECT_EQ(reactornet_sensitivity(net, "A", -1, 0), -999.999);
    EXPECT_EQ(lastError(), "ReactorNet::sensitivity: Parameter index -1 out of range (the network has 1 parameters).");
    EXPECT_EQ(reactornet_sensitivity(net, "A", 0, 1), -999.999);
    EXPECT_EQ(reactornet_sensitivity(net, nullptr, 0, 0), -999.999);
    EXPECT_EQ(lastError(), "reactornet_sensitivity: The component name is a null pointer.");
}

TEST(ReactorNetInterface, DeletedAndBadHandlesFail)
{
    int r = firstOrderReactor(1.0, 1.0);
    int net = reactornet_new(1, &r);
    ASSERT_EQ(reactornet_del(net), 0);
    const std::string deleted = "Cabinet::at: Object with index " + std::to_string(net) + " has been deleted.";
    const int past = reactornet_cabinetSize();
    const std::string outOfRange = "Cabinet::at: Index " + std::to_string(past) + " out of range.";

    for (int h : {net, -1, past}) {
        SCOPED_TRACE(h);
        const std::string expected = h == net ? deleted : "Cabinet::at: Index " + std::to_string(h) + " out of range.";
        struct Call
        {
            const char* name;
            double result;
            double failure;
        };
        const Call calls[] = {
            {"setInitialTime", double(reactornet_setInitialTime(h, 0.0)), -1},
            {"setMaxTimeStep", double(reactornet_setMaxTimeStep(h, 0.0)), -1},
            {"setTolerances", double(reactornet_setTolerances(h, 1e-6, 1e-12)), -1},
            {"setSensitivityTolerances", double(reactornet_setSensitivityTolerances(h, 1e-6, 1e-12)), -1},
            {"advance", double(reactornet_advance(h, 1.0)), -1},
            {"step", reactornet_step(h), -999.999},
            {"time", reactornet_time(h), -999.999},
            {"rtol", reactornet_rtol(h), -999.999},
            {"atol", reactornet_atol(h), -999.999},
            // The handle is resolved before the name is looked at.
            {"sensitivity", reactornet_sensitivity(h, nullptr, 0, 0), -999.999},
        };
        for (const Call& c : calls) {
            EXPECT_EQ(c.result, c.failure) << c.name;
        }
        EXPECT_EQ(lastError(), expected);
    }
    EXPECT_EQ(reactornet_del(net), -1);
    EXPECT_EQ(lastError(), "Cabinet::del: Lookup table does not contain reference to object.");
    EXPECT_EQ(reactornet_del(past), -1);
    EXPECT_EQ(lastError(), "Cabinet::del: Attempt made to delete a non-existing object.");
    EXPECT_EQ(reactornet_cabinetSize(), past);
}

TEST(ReactorInterface, BuildsReactorsAndGuardsTheirInput)
{
    int rxns[] = {mech_newReaction("A + B => C", 1.0, 0.0), mech_newReaction("C <=> D", 1.0, 2.0)};
    int r = reactor_new(2, rxns);
    ASSERT_GE(r, 0) << lastError();
    EXPECT_EQ(reactor_nSpecies(r), 4);
    char buf[8];
    EXPECT_EQ(reactor_speciesName(r, 3, sizeof(buf), buf), 2);
    EXPECT_STREQ(buf, "D");
    EXPECT_EQ(reactor_speciesName(r, 4, sizeof(buf), buf), -1);
    EXPECT_EQ(lastError(), "ReactorBase::speciesName: Species index 4 out of range (the reactor has 4).");
    EXPECT_EQ(reactor_speciesName(r, -1, sizeof(buf), buf), -1);
    EXPECT_EQ(reactor_setConcentration(r, "B", 3.5), 0);
    EXPECT_EQ(reactor_concentration(r, "B"), 3.5);
    EXPECT_EQ(reactor_setConcentration(r, "Z", 1.0), -1);
    EXPECT_EQ(reactor_setConcentration(r, "B", -1.0), -1);
    EXPECT_EQ(reactor_setConcentration(r, nullptr, 1.0), -1);
    EXPECT_EQ(lastError(), "reactor_setConcentration: The species name is a null pointer.");
    EXPECT_EQ(reactor_concentration(r, "Z"), -999.999);
    EXPECT_EQ(reactor_new(0, rxns), -1);
    EXPECT_EQ(lastError(), "BatchReactor::BatchReactor: A reactor needs at least one reaction.");
    EXPECT_EQ(reactor_new(1, nullptr), -1);
    int empty = rxn_new();
    EXPECT_EQ(reactor_new(1, &empty), -1);
    EXPECT_EQ(lastError(), "BatchReactor::BatchReactor: Reaction 0 of the list has no rate coefficient.");
    EXPECT_EQ(reactor_del(r), 0);
    EXPECT_EQ(reactor_nSpecies(r), -1);
    EXPECT_EQ(reactor_del(r), -1);
}

} // namespace

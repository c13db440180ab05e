#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "velkora/interface/VelkoraError.h"
#include "support/ErrorText.h"
#include "support/LogCapture.h"
#include "support/ScriptedSteadyProblem.h"

namespace Velkora
{
namespace
{

using testing::errorOf;

using testing::LogCapture;
using testing::ScriptedNewton;
using testing::ScriptedSteadyProblem;
using Step = ScriptedNewton::Step;

constexpr int fail = -1;

struct Observer : StepObserver
{
    void onStep(double dt) override { seen.push_back(dt); }
    std::vector<double> seen;
};

TEST(TimeStep, ThreeFailuresHalveTwiceThenRepairAtTheSameStep)
{
    ScriptedSteadyProblem p;
    p.scripted->script = {{fail}, {fail}, {fail}, {fail}, {1}};
    std::vector<double> x = {0, 0}, r(2);
    double dt = p.timeStep(1, 1e-5, x.data(), r.data(), 0);
    EXPECT_EQ(p.steps, (std::vector<double>{1e-5, 5e-6, 2.5e-6, 2.5e-6, 1.25e-6}));
    EXPECT_EQ(p.resets, 1);
    EXPECT_EQ(dt, 1.25e-6 * 1.5);
    EXPECT_EQ(x, (std::vector<double>{1, 1})); // the successful step's result
    EXPECT_EQ(p.m_stepsTaken, 1);
    EXPECT_EQ(p.residualEvaluations, 0); // nothing logged, nothing evaluated for it
}

TEST(TimeStep, StepGrowsOnlyWhenNewtonReusedTheJacobian)
{
    ScriptedSteadyProblem p;
    Observer observer;
    p.m_stepObserver = &observer;
    p.m_maxTimeStep = 3e-5;
    p.scripted->script = {{1, true}, {0}, {2}, {1}};
    std::vector<double> x = {0, 0}, r(2);
    double dt = p.timeStep(4, 1e-5, x.data(), r.data(), 0);
    // fresh Jacobian: kept; reused: x1.5 (any result of 0 or more succeeds); then capped.
    const double g1 = 1e-5 * 1.5, g2 = g1 * 1.5, g3 = g2 * 1.5;
    EXPECT_EQ(p.steps, (std::vector<double>{1e-5, 1e-5, g1, g2}));
    EXPECT_EQ(observer.seen, (std::vector<double>{1e-5, g1, g2, g3})); // before the cap
    EXPECT_EQ(dt, 3e-5);
    EXPECT_EQ(x, (std::vector<double>{4, 4}));
    EXPECT_EQ(p.scripted->calls[0].maxAge, 20); // the transient age limit
}

TEST(TimeStep, MinimumStepIsAllowedAndOnlyASmallerOneFails)
{
    ScriptedSteadyProblem p;
    p.scripted->script = {{fail}, {fail}, {fail}, {fail}};
    std::vector<double> x = {0, 0}, r(2);
    EXPECT_EQ(errorOf([&] { p.timeStep(1, 4e-16, x.data(), r.data(), 0); }),
              "OneDim::timeStep: Time integration failed. Minimum timestep (1e-16) reached.");
    // 2e-16, then exactly the minimum, then a repair at it; the next halving fails.
    EXPECT_EQ(p.steps, (std::vector<double>{4e-16, 2e-16, 1e-16, 1e-16}));
    EXPECT_EQ(x, (std::vector<double>{0, 0}));
}

TEST(TimeStep, StepLimitRaisesInMidPhaseAfterCopyingTheStep)
{
    ScriptedSteadyProblem p;
    p.m_stepsTaken = 498;
    p.scripted->script = {{1}, {1}, {1}};
    std::vector<double> x = {0, 0}, r(2);
    EXPECT_EQ(errorOf([&] { p.timeStep(10, 1e-5, x.data(), r.data(), 0); }),
              "OneDim::timeStep: Took maximum number of timesteps allowed (500) without reaching "
              "steady-state solution.");
    EXPECT_EQ(p.m_stepsTaken, 500);
    EXPECT_EQ(x, (std::vector<double>{2, 2}));
    EXPECT_EQ(p.scripted->script.size(), 1u);
}

TEST(TimeStep, NoStepsStillWritesTheTableFrame)
{
    ScriptedSteadyProblem p;
    std::vector<double> x = {0, 0}, r(2);
    LogCapture log;
    EXPECT_EQ(p.timeStep(0, 2e-5, x.data(), r.data(), 1), 2e-5);
    EXPECT_EQ(log.text(),
              "\n============================"
              "\nstep   dt (s)        log(ss)\n"
              "============================"
              "\n0      2.0000e-05    0.3010"
              "\n============================");
    EXPECT_TRUE(p.scripted->calls.empty());
}

TEST(TimeStep, ZeroResidualLogsMinusInfinity)
{
    ScriptedSteadyProblem p({0.0, 0.0});
    p.scripted->script = {{1}};
    std::vector<double> x = {0, 0}, r(2);
    LogCapture log;
    p.timeStep(1, 1e-5, x.data(), r.data(), 2);
    EXPECT_EQ(log.text(),
              "\nTimestep (0) dt= 1.0000e-05   log(ss)= -inf   "
              "\nTimestep (0) succeeded"
              "\nTimestep (1) dt= 1.5000e-05  log10(ss)= -inf   \n");
}

TEST(Ssnorm, IsTheRunningMaximumCarryingNaNOnlyUntilReplaced)
{
    const double nan = std::nan("");
    struct Case
    {
        std::vector<double> residual;
        double expected;
    };
    const Case cases[] = {
        {{0.5, -2.0, 1.0}, 2.0},
        {{-3.0, nan, 1.0}, 1.0},   // the NaN is replaced by the later 1.0
        {{1.0, 5.0, nan}, nan},    // a NaN at the end stays
        {{0.0, 0.0}, 0.0},
    };
    for (const Case& c : cases) {
        ScriptedSteadyProblem p(c.residual);
        std::vector<double> x(c.residual.size()), r(c.residual.size());
        double s = p.ssnorm(x.data(), r.data());
        if (std::isnan(c.expected)) {
            EXPECT_TRUE(std::isnan(s));
        } else {
            EXPECT_EQ(s, c.expected);
        }
        EXPECT_EQ(r[0], c.residual[0]); // the residual is left in r
    }
}

TEST(SteadySolve, AFirstAttemptThatConvergesTakesNoTimeSteps)
{
    ScriptedSteadyProblem p;
    p.scripted->script = {{1}};
    p.solve(0);
    EXPECT_EQ(p.m_stepsTaken, 0);
    ASSERT_EQ(p.debug.size(), 1u);
    EXPECT_EQ(p.debug[0].tag, "NewtonSuccess");
    EXPECT_EQ(p.debug[0].description, "After successful Newton solve");
    EXPECT_EQ(p.debug[0].attempt, 1);
    EXPECT_EQ(*p.m_state, (std::vector<double>{1, 1}));
    EXPECT_EQ(p.jacobianEvaluations, 1);
    EXPECT_EQ(p.jac->refactorRdt, (std::vector<double>{0.0}));
    EXPECT_TRUE(p.m_jacobianCurrent);
    EXPECT_EQ(p.scripted->calls[0].loglevel, 0);
    double out[2];
    p.getState(out);
    EXPECT_EQ(out[1], 1.0);

    // A second solve reuses the prepared Jacobian.
    p.scripted->script = {{1}};
    p.solve(0);
    EXPECT_EQ(p.jacobianEvaluations, 1);
}

TEST(SteadySolve, PhasesTakeTheTableEntriesThenItsLastEntry)
{
    ScriptedSteadyProblem p;
    const int table[] = {1, 2, 5};
    p.setTimeStep(1e-4, 3, table);
    p.setJacAge(7, 3);
    std::deque<Step> script;
    std::vector<int> phases = {1, 2, 5, 5, 5};
    for (int n : phases) {
        script.push_back({fail}); // the steady attempt
        for (int i = 0; i < n; i++) {
            script.push_back({1, true}); // fresh Jacobian: the step size stays
        }
    }
    script.push_back({1});
    p.scripted->script = script;
    p.solve(0);
    // Count the transient solves between steady ones.
    std::vector<int> counted;
    for (const auto& call : p.scripted->calls) {
        if (call.rdt == 0.0) {
            counted.push_back(0);
            EXPECT_EQ(call.maxAge, 7);
        } else {
            counted.back()++;
            EXPECT_EQ(call.maxAge, 3);
        }
    }
    counted.pop_back(); // the converged attempt
    EXPECT_EQ(counted, phases);
    EXPECT_EQ(p.steps.front(), 1e-4);
    EXPECT_EQ(p.m_stepsTaken, 18);
    EXPECT_EQ(p.m_lastTimeStepState, (std::vector<double>{18, 18}));
    EXPECT_EQ(*p.m_state, (std::vector<double>{19, 19}));
}

TEST(SteadySolve, TheCapAppliesBeforeLaterPhasesOnly)
{
    ScriptedSteadyProblem p;
    const int table[] = {1};
    p.setTimeStep(1e-2, 1, table);
    p.m_maxTimeStep = 1e-3;
    p.scripted->script = {{fail}, {1, true}, {fail}, {1, true}, {1}};
    p.solve(0);
    // The first phase starts above the cap (a step that succeeds is capped
    // after it); the second starts from the capped step.
    EXPECT_EQ(p.steps, (std::vector<double>{1e-2, 1e-3}));
}

TEST(SteadySolve, AttemptNumbersCycleAndOnlyANewGuessResetsThem)
{
    ScriptedSteadyProblem p;
    const int table[] = {1};
    p.setTimeStep(1e-5, 1, table);
    std::deque<Step> script;
    for (int i = 0; i < 10; i++) {
        script.push_back({fail});
        script.push_back({1, true});
    }
    script.push_back({1});
    p.scripted->script = script;
    p.solve(0);
    std::vector<int> attempts;
    for (const auto& d : p.debug) {
        if (d.tag != "Timestepping") {
            attempts.push_back(d.attempt);
        }
    }
    EXPECT_EQ(attempts, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1}));

    p.scripted->script = {{1}};
    p.solve(0);
    EXPECT_EQ(p.debug.back().attempt, 2); // the count goes on across solves
    std::vector<double> guess = {0, 0};
    p.setInitialGuess(guess.data());
    p.scripted->script = {{1}};
    p.solve(0);
    EXPECT_EQ(p.debug.back().attempt, 1);
}

TEST(SteadySolve, AFactorizationFailureInSteadyModeIsAbsorbed)
{
    for (int level : {1, 2}) {
        SCOPED_TRACE(level);
        ScriptedSteadyProblem p;
        const int table[] = {1};
        p.setTimeStep(1e-5, 1, table);
        p.jac->failNextRefactor = true;
        p.scripted->script = {{1, true}, {1}};
        LogCapture log;
        p.solve(level);
        // No Newton attempt on the failed preparation; one time step; then the
        // next attempt prepares the Jacobian again and converges.
        ASSERT_EQ(p.scripted->calls.size(), 2u);
        EXPECT_NE(p.scripted->calls[0].rdt, 0.0);
        EXPECT_EQ(p.scripted->calls[1].rdt, 0.0);
        EXPECT_EQ(p.jacobianEvaluations, 2);
        EXPECT_EQ(p.debug[0].tag, "NewtonFail");
        EXPECT_EQ(p.debug[0].description, "After unsuccessful Newton solve");
        const std::string detail = "\nSteady Jacobian factorization failed:\n"
                                   "  VelkoraError thrown by RecordingJacobian::refactorTransient:\n"
                                   "    Zero pivot in column 2.";
        EXPECT_EQ(log.text().find(detail) != std::string::npos, level >= 2) << log.text();
        // The heading is asked for first, then the detail; below level 2 neither.
        const std::vector<std::string> asked = {"errorHeading", "errorDetail"};
        EXPECT_EQ(p.jac->errorTextsAsked, level >= 2 ? asked : std::vector<std::string>());
    }
}

TEST(SteadySolve, RefusesTablesThatCannotEndAndAProblemWithoutJacobian)
{
    ScriptedSteadyProblem p;
    p.setTimeStep(1e-5, 0, nullptr);
    EXPECT_EQ(errorOf([&] { p.solve(0); }),
              "PseudoTransientProblem::solve: The table of time steps per phase is empty; give at least one entry.");
    const int table[] = {3, 0};
    p.setTimeStep(1e-5, 2, table);
    EXPECT_EQ(errorOf([&] { p.solve(0); }),
              "PseudoTransientProblem::solve: Entry 1 of the table of time steps per phase is 0; each must be at "
              "least 1.");
    EXPECT_TRUE(p.scripted->calls.empty());

    struct Bare : ScriptedSteadyProblem
    {
        Bare() { m_jacobian.reset(); }
    } bare;
    EXPECT_EQ(errorOf([&] { bare.solve(0); }),
              "PseudoTransientProblem::solve: No Jacobian is attached; call setLinearSolver() first.");
}

TEST(SteadySolve, DeprecatedFormWarnsEveryTimeAndReturnsOne)
{
    ScriptedSteadyProblem p;
    const std::string warning =
        "\nVelkora warning: PseudoTransientProblem::solve(double*, double*, int) is deprecated. To be removed "
        "after Velkora 3.2. Use setInitialGuess, solve(int), and getState instead.\n";
    LogCapture log;
    double x0[2] = {5, 6}, x1[2] = {0, 0};
    p.scripted->script = {{1}, {1}};
    EXPECT_EQ(p.solve(x0, x1, 0), 1);
    EXPECT_EQ(x1[0], 6.0);
    EXPECT_EQ(x1[1], 7.0);
    EXPECT_EQ(p.solve(x0, x1, 0), 1);
    EXPECT_EQ(log.text(), warning + warning);

    // When the solve throws, the output is left alone.
    p.m_maxSteps = 1;
    p.scripted->script = {{fail}, {1}};
    double untouched[2] = {-1, -1};
    EXPECT_THROW(p.solve(x0, untouched, 0), VelkoraError);
    EXPECT_EQ(untouched[0], -1.0);
}

} // namespace
} // namespace Velkora

namespace Velkora
{
namespace
{

// One scripted solve: the steady attempt fails; a phase of two steps needs
// three failures (halve, halve, repair) before a step with a fresh Jacobian
// and one that reuses it; the next steady attempt converges.
struct GoldenLog
{
    int level;
    int residuals; // evaluated for the log only
    std::string text;
};

const std::string attempt = "\nAttempt Newton solution of steady-state problem.";
const std::string newtonFailed = "\nNewton steady-state solve failed.\n";

const GoldenLog goldenLogs[] = {
    {0, 0, ""},
    {1, 1,
     attempt + newtonFailed +
         "\nAttempt 2 timesteps."
         "\nFinal timestep info: dt= 3.75e-06   log(ss)= 0.301     \n" +
         attempt},
    {2, 6,
     attempt + newtonFailed +
         "\nAttempt 2 timesteps."
         "\n============================"
         "\nstep   dt (s)        log(ss)\n"
         "============================"
         "\n0      1.0000e-05    0.3010"
         "\nTimestep failed--> Reducing timestep"
         "\n0      5.0000e-06    0.3010"
         "\nTimestep failed--> Reducing timestep"
         "\n0      2.5000e-06    0.3010"
         "\nTimestep failed--> Resetting negative species concentrations"
         "\n0      2.5000e-06    0.3010"
         "\n1      2.5000e-06    0.3010"
         "\n2      3.7500e-06    0.3010"
         "\n============================" +
         attempt},
    {3, 6,
     attempt + newtonFailed +
         "\nAttempt 2 timesteps."
         "\nTimestep (0) dt= 1.0000e-05   log(ss)= 0.3010 "
         "\nTimestep (0) failed--> Reducing timestep"
         "\nTimestep (0) dt= 5.0000e-06   log(ss)= 0.3010 "
         "\nTimestep (0) failed--> Reducing timestep"
         "\nTimestep (0) dt= 2.5000e-06   log(ss)= 0.3010 "
         "\nTimestep (0) failed--> Resetting negative species concentrations"
         "\nTimestep (0) dt= 2.5000e-06   log(ss)= 0.3010 "
         "\nTimestep (0) succeeded"
         "\nTimestep (1) dt= 2.5000e-06   log(ss)= 0.3010 "
         "\nTimestep (1) succeeded"
         "\nTimestep (2) dt= 3.7500e-06  log10(ss)= 0.3010 \n" +
         attempt},
};

TEST(SteadySolve, LogsAtEachLevelByteForByte)
{
    for (const GoldenLog& golden : goldenLogs) {
        SCOPED_TRACE(golden.level);
        ScriptedSteadyProblem p;
        const int table[] = {2};
        p.setTimeStep(1e-5, 1, table);
        p.scripted->script = {{fail}, {fail}, {fail}, {fail}, {1, true}, {1}, {1}};
        LogCapture log;
        p.solve(golden.level);
        EXPECT_EQ(log.text(), golden.text);
        EXPECT_EQ(p.residualEvaluations, golden.residuals);
        // Newton hears the driver's level in steady attempts, one less while stepping.
        for (const auto& call : p.scripted->calls) {
            EXPECT_EQ(call.loglevel, call.rdt == 0.0 ? golden.level : golden.level - 1);
        }
        // The debug hooks run whatever the level.
        ASSERT_EQ(p.debug.size(), 3u);
        EXPECT_EQ(p.debug[0].tag, "NewtonFail");
        EXPECT_EQ(p.debug[1].tag, "Timestepping");
        EXPECT_EQ(p.debug[1].description, "After timestepping");
        EXPECT_EQ(p.debug[2].tag, "NewtonSuccess");
        EXPECT_EQ(p.debug[2].loglevel, golden.level);
    }
}

} // namespace
} // namespace Velkora

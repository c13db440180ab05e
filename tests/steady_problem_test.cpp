#include <cmath>
#include <limits>
#include <memory>

#include <gtest/gtest.h>

#include "velkora/interface/VelkoraError.h"
#include "support/ErrorText.h"
#include "velkora/steady/PseudoTransientProblem.h"
#include "support/RecordingJacobian.h"

namespace Velkora
{
namespace
{

using testing::errorOf;

using testing::RecordingJacobian;

// Exposes the state for inspection; physics does not matter here.
class Exposed : public PseudoTransientProblem
{
public:
    using PseudoTransientProblem::m_attemptCycle;
    using PseudoTransientProblem::m_attemptNumber;
    using PseudoTransientProblem::m_auxPointer;
    using PseudoTransientProblem::m_auxSetting0;
    using PseudoTransientProblem::m_auxSetting1;
    using PseudoTransientProblem::m_auxSetting2;
    using PseudoTransientProblem::m_bandwidth;
    using PseudoTransientProblem::m_initialTimeStep;
    using PseudoTransientProblem::m_jacobian;
    using PseudoTransientProblem::m_jacobianCurrent;
    using PseudoTransientProblem::m_lastTimeStepState;
    using PseudoTransientProblem::m_maxSteps;
    using PseudoTransientProblem::m_maxTimeStep;
    using PseudoTransientProblem::m_minTimeStep;
    using PseudoTransientProblem::m_newState;
    using PseudoTransientProblem::m_reciprocalStep;
    using PseudoTransientProblem::m_state;
    using PseudoTransientProblem::m_stepCounts;
    using PseudoTransientProblem::m_stepObserver;
    using PseudoTransientProblem::m_stepReduction;
    using PseudoTransientProblem::m_stepsTaken;
    using PseudoTransientProblem::m_steadyJacAge;
    using PseudoTransientProblem::m_systemSize;
    using PseudoTransientProblem::m_transientJacAge;
    using PseudoTransientProblem::m_transientMask;

    void evalResidual(double*, double* r, double, int) override { std::fill(r, r + m_systemSize, 0.0); }
    void evalJacobian(double*) override
    {
        jacobianEvaluations++;
        static_cast<RecordingJacobian&>(*m_jacobian).evaluate();
    }
    double weightedNorm(const double*) const override { return 0.0; }
    double upperBound(size_t) const override { return 1e300; }
    double lowerBound(size_t) const override { return -1e300; }

    int jacobianEvaluations = 0;
};

class Named : public Exposed
{
public:
    std::string componentName(size_t i) const override { return "T[" + std::to_string(i) + "]"; }
};

struct ProblemWithJacobian : ::testing::Test
{
    ProblemWithJacobian()
    {
        p.m_systemSize = 3;
        p.m_bandwidth = 1;
        p.setLinearSolver(jac);
        p.resize();
        p.m_transientMask = {1, 0, 1};
        jac->calls.clear();
    }
    Exposed p;
    std::shared_ptr<RecordingJacobian> jac = std::make_shared<RecordingJacobian>();
};

TEST(PseudoTransientProblem, StartsWithTheDocumentedDefaults)
{
    Exposed p;
    EXPECT_EQ(p.m_stepCounts, std::vector<int>{10});
    EXPECT_EQ(p.m_initialTimeStep, 1e-5);
    EXPECT_EQ(p.m_minTimeStep, 1e-16);
    EXPECT_EQ(p.m_maxTimeStep, 1e8);
    EXPECT_EQ(p.m_stepReduction, 0.5);
    ASSERT_NE(p.m_state, nullptr);
    EXPECT_TRUE(p.m_state->empty());
    EXPECT_TRUE(p.m_newState.empty() && p.m_lastTimeStepState.empty() && p.m_transientMask.empty());
    EXPECT_EQ(p.m_reciprocalStep, 0.0);
    EXPECT_TRUE(p.isSteady());
    EXPECT_EQ(p.m_jacobian, nullptr);
    EXPECT_FALSE(p.m_jacobianCurrent);
    EXPECT_EQ(p.m_bandwidth, 0u);
    EXPECT_EQ(p.m_systemSize, 0u);
    EXPECT_EQ(p.m_steadyJacAge, 20);
    EXPECT_EQ(p.m_transientJacAge, 20);
    EXPECT_EQ(p.m_attemptNumber, 0);
    EXPECT_EQ(p.m_attemptCycle, 10);
    EXPECT_EQ(p.m_auxPointer, nullptr);
    EXPECT_EQ(p.m_stepObserver, nullptr);
    EXPECT_EQ(p.m_stepsTaken, 0);
    EXPECT_EQ(p.m_maxSteps, 500);
    EXPECT_EQ(p.m_auxSetting0, 0.0);
    EXPECT_EQ(p.m_auxSetting1, 1e-5);
    EXPECT_EQ(p.m_auxSetting2, 1e-10);
}

TEST(PseudoTransientProblem, SetJacAgeFallsBackToTheSteadyAge)
{
    struct Case
    {
        int ss, ts, expectedTransient;
    };
    for (Case c : {Case{5, 0, 5}, Case{5, -1, 5}, Case{5, 7, 7}}) {
        Exposed p;
        p.setJacAge(c.ss, c.ts);
        EXPECT_EQ(p.m_steadyJacAge, c.ss);
        EXPECT_EQ(p.m_transientJacAge, c.expectedTransient) << c.ts;
    }
}

TEST(PseudoTransientProblem, SetTimeStepReplacesTheTable)
{
    Exposed p;
    const int t[] = {4, 8, 16};
    p.setTimeStep(2e-6, 3, t);
    EXPECT_EQ(p.m_initialTimeStep, 2e-6);
    EXPECT_EQ(p.m_stepCounts, (std::vector<int>{4, 8, 16}));
    p.setTimeStep(3e-6, 0, nullptr);
    EXPECT_TRUE(p.m_stepCounts.empty());

    EXPECT_EQ(errorOf([&] { p.setTimeStep(1e-5, 2, nullptr); }),
              "PseudoTransientProblem::setTimeStep: The table of 2 step counts is a null pointer.");
    EXPECT_EQ(errorOf([&] { p.setTimeStep(0.0, 3, t); }),
              "PseudoTransientProblem::setTimeStep: The first time step must be positive and finite, not 0.");
    EXPECT_EQ(p.m_initialTimeStep, 3e-6);
}

TEST(PseudoTransientProblem, ResizeKeepsValuesAndSizesTheJacobian)
{
    Exposed p;
    auto jac = std::make_shared<RecordingJacobian>();
    p.m_systemSize = 3;
    p.m_bandwidth = 2;
    p.setLinearSolver(jac);
    EXPECT_EQ(jac->calls, (std::vector<std::string>{"setProblemSize(3)", "configureBandwidth(2)", "resetStatistics()"}));
    p.resize();
    const double guess[] = {1.0, 2.0, 3.0};
    p.setInitialGuess(guess);
    p.m_jacobianCurrent = true;
    jac->calls.clear();

    p.m_systemSize = 5;
    p.resize();
    EXPECT_EQ(*p.m_state, (std::vector<double>{1, 2, 3, 0, 0}));
    EXPECT_EQ(p.m_newState, std::vector<double>(5, 0.0));
    EXPECT_EQ(p.m_transientMask, std::vector<int>(5, 0));
    EXPECT_EQ(jac->calls, (std::vector<std::string>{"setProblemSize(5)", "configureBandwidth(2)", "resetStatistics()"}));
    EXPECT_EQ(jac->age(), 100000);
    EXPECT_FALSE(p.m_jacobianCurrent);

    p.m_systemSize = 2;
    p.resize();
    EXPECT_EQ(*p.m_state, (std::vector<double>{1, 2}));
    EXPECT_EQ(p.m_transientMask.size(), 2u);

    // getState before any solve copies the Newton buffer: zeros after resize.
    double out[2] = {7, 7};
    p.getState(out);
    EXPECT_EQ(out[0], 0.0);
    EXPECT_EQ(out[1], 0.0);
}

TEST(PseudoTransientProblem, ResizeWithoutJacobianFailsAfterSizingTheVectors)
{
    Exposed p;
    p.m_systemSize = 4;
    p.m_jacobianCurrent = true;
    EXPECT_EQ(errorOf([&] { p.resize(); }),
              "PseudoTransientProblem::resize: Jacobian evaluator must be instantiated before calling resize()");
    EXPECT_EQ(p.m_state->size(), 4u);
    EXPECT_EQ(p.m_newState.size(), 4u);
    EXPECT_EQ(p.m_transientMask.size(), 4u);
    EXPECT_TRUE(p.m_jacobianCurrent);
    EXPECT_EQ(errorOf([&] { p.setLinearSolver(nullptr); }),
              "PseudoTransientProblem::setLinearSolver: The Jacobian is a null pointer.");
}

TEST(PseudoTransientProblem, ComponentLabelsDispatchVirtually)
{
    Exposed plain;
    EXPECT_EQ(plain.componentName(7), "7");
    EXPECT_EQ(plain.componentTableLabel(12), "12");
    EXPECT_EQ(plain.componentTableHeader(), (std::pair<std::string, std::string>{"", "component name"}));
    Named named;
    EXPECT_EQ(named.componentTableLabel(12), "T[12]");
}

TEST_F(ProblemWithJacobian, InitTimeIntegRefactorsOnlyOnARealChange)
{
    double x[3] = {0, 0, 0};
    p.initTimeInteg(1e-3, x);
    p.initTimeInteg(1e-3, x);
    EXPECT_EQ(jac->refactorRdt, (std::vector<double>{1e3}));
    EXPECT_EQ(jac->masks.back(), (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(p.m_reciprocalStep, 1e3);

    p.initTimeInteg(2e-3, x);
    EXPECT_EQ(jac->refactorRdt, (std::vector<double>{1e3, 500.0}));

    // From steady mode, a reciprocal step of about 1e-25 differs by less than 1e-20.
    p.setSteadyMode();
    jac->refactorRdt.clear();
    p.initTimeInteg(1e25, x);
    EXPECT_TRUE(jac->refactorRdt.empty());
    EXPECT_EQ(p.m_reciprocalStep, 1.0 / 1e25);
    // A NaN difference leaves the Jacobian alone too.
    p.initTimeInteg(std::nan(""), x);
    EXPECT_TRUE(jac->refactorRdt.empty());
    EXPECT_TRUE(std::isnan(p.m_reciprocalStep));
}

TEST_F(ProblemWithJacobian, SetSteadyModeRefactorsOnlyFromTransientMode)
{
    p.setSteadyMode();
    EXPECT_TRUE(jac->calls.empty());
    double x[3] = {0, 0, 0};
    p.initTimeInteg(0.1, x);
    p.setSteadyMode();
    EXPECT_EQ(jac->refactorRdt, (std::vector<double>{10.0, 0.0}));
    EXPECT_EQ(p.m_reciprocalStep, 0.0);
    p.setSteadyMode();
    EXPECT_EQ(jac->refactorRdt.size(), 2u);
}

TEST_F(ProblemWithJacobian, EvalSSJacobianLeavesSteadyFormAndRestoresTheStep)
{
    double x[3] = {0, 0, 0};
    p.initTimeInteg(1e-2, x);
    p.m_jacobianCurrent = true;
    p.evalSSJacobian(x, nullptr);
    EXPECT_EQ(jac->refactorRdt, (std::vector<double>{100.0, 0.0}));
    EXPECT_EQ(p.jacobianEvaluations, 1);
    EXPECT_EQ(p.m_reciprocalStep, 100.0);
    EXPECT_FALSE(p.m_jacobianCurrent);
}

TEST_F(ProblemWithJacobian, SetInitialGuessTakesTheSystemSizeAndRestartsNumbering)
{
    p.m_attemptNumber = 4;
    const double guess[] = {1, 2, 3, 4, 5};
    p.setInitialGuess(guess);
    EXPECT_EQ(*p.m_state, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(p.m_attemptNumber, 0);
}

} // namespace
} // namespace Velkora

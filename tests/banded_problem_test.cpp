// The banded 1-D problem of the library and the steady solver's statistics
// and setters, on problems whose evaluations the tests count themselves.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/BratuProblem.h"
#include "support/BurnerFlame.h"
#include "support/ErrorText.h"
#include "velkora/platform/oned/BandedProblem.h"

namespace Velkora
{
namespace
{

using testing::errorOf;

// Counts every call of its residual and Jacobian, and every step it is told.
class CountedFlame : public testing::BurnerFlame, public StepObserver
{
public:
    CountedFlame() : BurnerFlame(100, 10.0) { setStepObserver(this); }
    void steadyResidual(const double* u, double* r) override
    {
        residuals++;
        BurnerFlame::steadyResidual(u, r);
    }
    void evalJacobian(double* x) override
    {
        jacobians++;
        BandedProblem::evalJacobian(x);
    }
    void writeDebugInfo(const std::string& tag, const std::string&, int, int) override
    {
        attempts += tag != "Timestepping";
    }
    void onStep(double) override { steps++; }

    long residuals = 0, jacobians = 0, attempts = 0, steps = 0;
};

TEST(SteadyStatistics, CountWhatTheSolverDid)
{
    CountedFlame p;
    std::vector<double> u = p.stepGuess(10.0);
    // Newton alone solves this in a dozen iterations; with four per attempt
    // it needs the time steps too, and every counter moves.
    p.newton().setMaxIterations(4);
    p.setInitialGuess(u.data());
    p.solve(0);
    EXPECT_GT(p.timeSteps(), 0);
    EXPECT_EQ(p.newtonAttempts(), p.attempts);
    EXPECT_EQ(p.timeSteps(), p.steps);
    EXPECT_EQ(p.timeSteps(), p.stepsTaken());
    EXPECT_EQ(p.jacobianEvaluations(), p.jacobians);
    EXPECT_EQ(p.residualEvaluations(), p.residuals);
    // 2 bw + 2 residuals per Jacobian (bw 3), the rest by Newton.
    EXPECT_EQ(p.residualEvaluations() - 8 * p.jacobianEvaluations(), p.newton().statistics().residualEvaluations);

    // A second solve adds to the counts; a reset clears them.
    long before = p.residualEvaluations();
    p.setInitialGuess(u.data());
    p.solve(0);
    EXPECT_GT(p.residualEvaluations(), before);
    p.resetStatistics();
    EXPECT_EQ(p.newtonAttempts() + p.timeSteps() + p.failedTimeSteps() + p.jacobianEvaluations() +
                  p.residualEvaluations(),
              0);
}

TEST(SteadySettings, SettersValidateAndGettersReadBack)
{
    CountedFlame p;
    struct Case
    {
        std::function<void()> call;
        std::string message;
    };
    const Case refused[] = {
        {[&] { p.setMinTimeStep(0.0); },
         "PseudoTransientProblem::setMinTimeStep: The minimum time step must be positive and finite, not 0."},
        {[&] { p.setMaxTimeStep(NAN); },
         "PseudoTransientProblem::setMaxTimeStep: The maximum time step must be positive (infinity for none), not "
         "nan."},
        {[&] { p.setStepReduction(1.0); },
         "PseudoTransientProblem::setStepReduction: The step reduction factor must lie strictly between 0 and 1, "
         "not 1."},
        {[&] { p.setMaxSteps(0); },
         "PseudoTransientProblem::setMaxSteps: The limit of time steps per solve must be at least 1, not 0."},
        {[&] { p.setAttemptCycle(-3); },
         "PseudoTransientProblem::setAttemptCycle: The attempt cycle must be at least 1, not -3."},
        {[&] { p.setTolerances(1e-6, 0.0); },
         "BandedProblem::setTolerances: Need rtol finite and not negative, atol positive and finite; got 1e-06 and "
         "0."},
        {[&] { p.setTransient(300, true); },
         "BandedProblem::setTransient: Component 300 out of range (the problem has 300)."},
        {[] { testing::BratuProblem(0, 1.0); }, "BandedProblem::BandedProblem: A problem needs at least one unknown."},
    };
    for (const Case& c : refused) {
        EXPECT_EQ(errorOf(c.call), c.message);
    }
    // Refused values left the defaults.
    EXPECT_EQ(p.minTimeStep(), 1e-16);
    EXPECT_EQ(p.maxTimeStep(), 1e8);
    EXPECT_EQ(p.stepReduction(), 0.5);
    EXPECT_EQ(p.maxSteps(), 500);
    EXPECT_EQ(p.attemptCycle(), 10);

    p.setMinTimeStep(1e-12);
    p.setMaxTimeStep(INFINITY);
    p.setStepReduction(0.25);
    p.setMaxSteps(40);
    p.setAttemptCycle(3);
    p.setStepObserver(nullptr);
    p.setJacAge(4, 9);
    EXPECT_EQ(p.minTimeStep(), 1e-12);
    EXPECT_EQ(p.maxTimeStep(), INFINITY);
    EXPECT_EQ(p.stepReduction(), 0.25);
    EXPECT_EQ(p.maxSteps(), 40);
    EXPECT_EQ(p.attemptCycle(), 3);
    EXPECT_EQ(p.stepObserver(), nullptr);
    EXPECT_EQ(p.steadyJacAge(), 4);
    EXPECT_EQ(p.transientJacAge(), 9);
}

// f(x) = b - x componentwise, algebraic in its last component.
class Linear : public BandedProblem
{
public:
    Linear() : BandedProblem(3, 1) { setTransient(2, false); }
    void steadyResidual(const double* x, double* r) override
    {
        for (size_t i = 0; i < 3; i++) {
            r[i] = b[i] - x[i];
        }
    }
    std::vector<double> b = {1.0, 2.0, 3.0};
};

TEST(BandedProblem, SuppliesTheTransientTermTheOldStateTheJacobianAndTheNorm)
{
    Linear p;
    // Its own defaults, not the base class's.
    EXPECT_EQ(p.initialTimeStep(), 1e-2);
    EXPECT_EQ(p.stepCounts(), std::vector<int>{20});
    EXPECT_EQ(p.steadyJacAge(), 20);
    EXPECT_EQ(p.transientJacAge(), 100);
    EXPECT_EQ(p.relativeTolerance(), 1e-6);
    EXPECT_EQ(p.absoluteTolerance(), 1e-9);
    EXPECT_EQ(std::vector<int>(p.transientMask(), p.transientMask() + 3), (std::vector<int>{1, 1, 0}));

    std::vector<double> x = {0.5, 0.5, 0.5}, r(3);
    p.initTimeInteg(0.1, x.data());
    EXPECT_EQ(p.oldState(), x);
    std::vector<double> y = {1.5, 1.5, 1.5};
    p.evalResidual(y.data(), r.data(), 10.0, 0);
    // f(y) - rdt mask (y - x_old): the algebraic component has no transient term.
    EXPECT_DOUBLE_EQ(r[0], (1.0 - 1.5) - 10.0);
    EXPECT_DOUBLE_EQ(r[1], (2.0 - 1.5) - 10.0);
    EXPECT_DOUBLE_EQ(r[2], 3.0 - 1.5);

    // The Jacobian by differences: -1 on the diagonal, 0 off it, 4 residuals.
    long residuals = p.bandJacobian().residualEvaluations();
    p.evalJacobian(y.data());
    EXPECT_EQ(p.bandJacobian().residualEvaluations() - residuals, 4);
    EXPECT_NEAR(p.bandJacobian().value(1, 1), -1.0, 1e-7);
    EXPECT_NEAR(p.bandJacobian().value(0, 1), 0.0, 1e-12);

    // The weighted norm at the state (0.5, 0.5, 0.5): rms of step / (rtol |x| + atol).
    p.setInitialGuess(x.data());
    p.setTolerances(0.1, 0.05);
    std::vector<double> step = {0.1, 0.0, -0.2};
    EXPECT_DOUBLE_EQ(p.weightedNorm(step.data()), std::sqrt((1.0 + 4.0) / 3.0));

    p.setInitialGuess(x.data());
    p.solve(0);
    p.getState(y.data());
    EXPECT_NEAR(y[2], 3.0, 1e-9);
    EXPECT_EQ(p.lowerBound(0), -INFINITY);
    EXPECT_EQ(p.upperBound(0), INFINITY);
}

} // namespace
} // namespace Velkora

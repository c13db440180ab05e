#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/BratuProblem.h"
#include "support/BurnerFlame.h"
#include "support/ErrorText.h"
#include "support/LogCapture.h"

namespace Velkora
{
namespace
{

using testing::BratuProblem;

TEST(MultiNewton, SolvesBratuToTheDiscretisationError)
{
    // Second-order differences: halving h quarters the error, so the solver
    // is not what limits the accuracy.
    double error[2];
    const size_t sizes[2] = {100, 201};
    for (int k = 0; k < 2; k++) {
        const size_t n = sizes[k];
        BratuProblem p(n, 1.0);
        std::vector<double> out(n);
        p.newton().setMaxJacobianAge(20);
        ASSERT_EQ(p.newton().solve(p.stateVector().data(), out.data(), p, 0), 1);
        EXPECT_LE(p.newton().statistics().iterations, 6);
        EXPECT_EQ(p.newton().statistics().jacobianEvaluations, 1);
        error[k] = 0.0;
        for (size_t i = 0; i < n; i++) {
            error[k] = std::max(error[k], std::abs(out[i] - p.exact(p.gridPoint(i))));
        }
    }
    EXPECT_LT(error[0], 2e-6);
    EXPECT_NEAR(error[0] / error[1], 4.0, 0.3);
}

TEST(MultiNewton, ReportsFailureWithoutThrowingWhenThereIsNoSolution)
{
    BratuProblem p(100, 4.0); // beyond the turning point near 3.51
    std::vector<double> out(100);
    int result = 0;
    EXPECT_NO_THROW(result = p.newton().solve(p.stateVector().data(), out.data(), p, 0));
    EXPECT_LT(result, 0);
}

TEST(MultiNewton, WritesAnIterationTableFromLogLevelTwo)
{
    BratuProblem p(50, 1.0);
    std::vector<double> out(50);
    testing::LogCapture log;
    ASSERT_EQ(p.newton().solve(p.stateVector().data(), out.data(), p, 1), 1);
    EXPECT_EQ(log.text(), "");
    ASSERT_EQ(p.newton().solve(p.stateVector().data(), out.data(), p, 2), 1);
    EXPECT_EQ(log.text().rfind("\n  Newton  iter  log10(step)   damping  Jac age\n  Newton     1", 0), 0u) << log.text();
    EXPECT_NE(log.text().find("converged"), std::string::npos);
}

} // namespace
} // namespace Velkora

namespace Velkora
{
namespace
{

// f(x) = atan(x) with its exact derivative.
class Arctangent : public BandedProblem
{
public:
    Arctangent() : BandedProblem(1, 0) {}
    void steadyResidual(const double* x, double* r) override { r[0] = std::atan(x[0]); }
    void evalJacobian(double* x) override
    {
        bandJacobian().startEvaluation();
        bandJacobian().value(0, 0) = 1.0 / (1.0 + x[0] * x[0]);
        bandJacobian().finishEvaluation();
    }
};

TEST(MultiNewton, DampsAFullStepThatDoesNotDecreaseTheResidualEnough)
{
    // From the root of 2 x = atan(x) (1 + x^2), Newton's full step on atan
    // lands on -x: |f| is unchanged, and a line search that takes any step
    // which does not increase |f| cycles between the two points. Just inside
    // that point the full step decreases |f| by a hair, far less than the
    // sufficient decrease asks for.
    double cycle = 1.4;
    for (int k = 0; k < 50; k++) { // Newton on 2 x - atan(x) (1 + x^2)
        double h = 2.0 * cycle - std::atan(cycle) * (1.0 + cycle * cycle);
        double dh = 1.0 - 2.0 * cycle * std::atan(cycle);
        cycle -= h / dh;
    }
    ASSERT_NEAR(2.0 * cycle, std::atan(cycle) * (1.0 + cycle * cycle), 1e-14);

    Arctangent p;
    std::vector<double> x0 = {cycle * (1.0 - 1e-9)}, x1(1);
    p.setInitialGuess(x0.data());
    p.newton().setMaxJacobianAge(0);
    p.evaluateJacobian(x0.data());
    p.jacobian().refactorTransient(0.0, p.transientMask());
    ASSERT_EQ(p.newton().solve(x0.data(), x1.data(), p, 0), 1);
    EXPECT_NEAR(x1[0], 0.0, 1e-8);
    EXPECT_LE(p.newton().statistics().iterations, 10);
}

// A Jacobian whose factorization fails with `error`.
class FailingFactorization : public BandJacobian
{
public:
    explicit FailingFactorization(bool singular) : m_singular(singular) {}
    void refactorTransient(double, int*) override
    {
        if (m_singular) {
            throw SingularJacobianError("FailingFactorization::refactorTransient", "zero pivot");
        }
        throw VelkoraError("FailingFactorization::refactorTransient", "out of workspace");
    }

private:
    bool m_singular;
};

class OnFailingJacobian : public Arctangent
{
public:
    explicit OnFailingJacobian(bool singular) { setLinearSolver(std::make_shared<FailingFactorization>(singular)); }
    void evalJacobian(double*) override {}
};

TEST(MultiNewton, ReportsOnlyASingularMatrixAsASingularJacobian)
{
    std::vector<double> x0 = {1.0}, x1(1);
    OnFailingJacobian singular(true);
    EXPECT_EQ(singular.newton().solve(x0.data(), x1.data(), singular, 0), MultiNewton::SingularJacobian);
    OnFailingJacobian other(false);
    EXPECT_EQ(testing::errorOf([&] { other.newton().solve(x0.data(), x1.data(), other, 0); }),
              "FailingFactorization::refactorTransient: out of workspace");
}

TEST(MultiNewton, SettersRefuseValuesOutOfRange)
{
    MultiNewton newton(1);
    struct Case
    {
        std::function<void()> call;
        std::string message;
    };
    const Case cases[] = {
        {[&] { newton.setMaxIterations(0); }, "MultiNewton::setMaxIterations: The iteration limit must be at least 1, not 0."},
        {[&] { newton.setMaxDampingTries(-2); },
         "MultiNewton::setMaxDampingTries: The damping tries must be at least 1, not -2."},
        {[&] { newton.setMinDamping(1.0); },
         "MultiNewton::setMinDamping: The smallest damping factor must lie strictly between 0 and 1, not 1."},
        {[&] { newton.setSufficientDecrease(0.0); },
         "MultiNewton::setSufficientDecrease: The sufficient-decrease constant must lie strictly between 0 and 1, "
         "not 0."},
        {[&] { newton.setTransientSteps(-1); },
         "MultiNewton::setTransientSteps: The contracting steps per time step must not be negative, not -1."},
        {[&] { newton.setCycleTolerance(1.0); },
         "MultiNewton::setCycleTolerance: The cycle tolerance must lie in [0, 1), not 1."},
        {[&] { newton.setFullStepNorm(-1.0); },
         "MultiNewton::setFullStepNorm: The full-step norm must not be negative, not -1."},
        {[&] { newton.setBoundTolerance(-1e-3); },
         "MultiNewton::setBoundTolerance: The bound tolerance must lie in [0, 1), not -0.001."},
        {[&] { newton.setSlowContraction(INFINITY); },
         "MultiNewton::setSlowContraction: The slow-contraction factor must be finite and not negative, not inf."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(testing::errorOf(c.call), c.message);
    }
    // A refused value leaves the default.
    EXPECT_EQ(newton.maxIterations(), 50);
    EXPECT_EQ(newton.maxDampingTries(), 7);
    EXPECT_EQ(newton.minDamping(), 1e-10);
    EXPECT_EQ(newton.sufficientDecrease(), 1e-4);
    EXPECT_EQ(newton.transientSteps(), 1);
    EXPECT_EQ(newton.cycleTolerance(), 1e-3);
    EXPECT_EQ(newton.fullStepNorm(), 1e3);
    EXPECT_EQ(newton.boundTolerance(), std::sqrt(std::numeric_limits<double>::epsilon()));
    EXPECT_EQ(newton.slowContraction(), 0.5);
}

} // namespace
} // namespace Velkora

namespace Velkora
{
namespace
{

TEST(MultiNewton, ReachesAFlameFromAStepProfileWithoutTimeSteps)
{
    // From burnt gas behind a step, the Newton step points the right way
    // but |f| has ridges on the path: a search that insists on a decrease
    // of |f| stalls there and needs pseudo-time steps, the quadratic search
    // does not. Its steps leave the bounds and are clipped into them.
    for (double start : {5.0, 10.0, 15.0}) {
        SCOPED_TRACE(start);
        testing::BurnerFlame p(400, 10.0);
        std::vector<double> u = p.stepGuess(start);
        p.setInitialGuess(u.data());
        p.solve(0);
        p.getState(u.data());
        EXPECT_EQ(p.newtonAttempts(), 1);
        EXPECT_EQ(p.timeSteps(), 0);
        EXPECT_LE(p.newton().statistics().iterations, 30);
        EXPECT_GT(p.newton().statistics().boundLimitedSteps, 0);
        // Two steps below the tolerance at the end leave the residual far
        // inside it.
        EXPECT_LE(p.maxResidual(u), 1e-8);
        for (size_t i = 0; i < u.size(); i++) {
            ASSERT_GE(u[i], p.lowerBound(i));
            ASSERT_LE(u[i], p.upperBound(i));
        }
        EXPECT_GT(*std::max_element(u.begin(), u.end()), 0.8);
    }
}

} // namespace
} // namespace Velkora

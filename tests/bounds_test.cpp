// Newton damping at the problem's bounds: components that sit on a bound
// must not stall the iteration, and steps that truly leave the bounds must
// still be damped.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/numerics/BandJacobian.h"
#include "velkora/steady/PseudoTransientProblem.h"
#include "support/BurnerFlame.h"

namespace Velkora
{
namespace
{

using testing::BurnerFlame;

TEST(NewtonBounds, BurnerValuesOnTheirBoundsDoNotStallTheSolve)
{
    // The burner rows sit exactly on their bounds (T = 0, F = 1, P = 0); the
    // band LU leaves round-off steps there. The solve used to converge on this
    // problem only with bounds widened by hand.
    for (double start : {2.0, 10.0, 15.0}) {
        SCOPED_TRACE(start);
        BurnerFlame p(200, 12.0);
        std::vector<double> u = p.stepGuess(start);
        p.setInitialGuess(u.data());
        ASSERT_NO_THROW(p.solve(0));
        p.getState(u.data());
        EXPECT_LE(p.maxResidual(u), 1e-5);
        for (size_t i = 0; i < u.size(); i++) {
            ASSERT_GE(u[i], p.lowerBound(i));
            ASSERT_LE(u[i], p.upperBound(i));
        }
        EXPECT_NEAR(u[0], 0.0, 1e-12); // the burner values
        EXPECT_NEAR(u[1], 1.0, 1e-12);
        EXPECT_NEAR(u[2], 0.0, 1e-12);
        EXPECT_GT(*std::max_element(u.begin(), u.end()), 0.8); // a burning flame, not the cold branch
    }
}

// r_i = x_i - target_i with bounds [0, 1] on every component; records every
// point the solver evaluates the residual at.
class LinearBoxProblem : public PseudoTransientProblem
{
public:
    explicit LinearBoxProblem(std::vector<double> target) : m_target(std::move(target))
    {
        m_systemSize = m_target.size();
        m_bandwidth = 0;
        setLinearSolver(m_band);
        resize();
    }
    void evalResidual(double* x, double* r, double, int) override
    {
        for (size_t i = 0; i < m_systemSize; i++) {
            r[i] = x[i] - m_target[i];
            lowest = std::min(lowest, x[i]);
            highest = std::max(highest, x[i]);
        }
    }
    void evalJacobian(double*) override
    {
        m_band->startEvaluation();
        for (size_t i = 0; i < m_systemSize; i++) {
            m_band->value(i, i) = 1.0;
        }
        m_band->finishEvaluation();
    }
    double weightedNorm(const double* step) const override
    {
        double s = 0.0;
        for (size_t i = 0; i < m_systemSize; i++) {
            s = std::max(s, std::abs(step[i]) / 1e-9);
        }
        return s;
    }
    double lowerBound(size_t) const override { return 0.0; }
    double upperBound(size_t) const override { return 1.0; }

    double lowest = INFINITY, highest = -INFINITY;

private:
    std::vector<double> m_target;
    std::shared_ptr<BandJacobian> m_band = std::make_shared<BandJacobian>();
};

TEST(NewtonBounds, AStepThatLeavesTheBoundsIsStillDamped)
{
    // The root of component 0 lies outside [0, 1]: the step is damped to
    // reach the bound, never past it, and from there no step helps.
    LinearBoxProblem p({-0.5, 0.7});
    std::vector<double> x0 = {0.5, 0.2}, x1(2);
    p.jacobian(); // attached
    p.evalJacobian(x0.data());
    p.jacobian().refactorTransient(0.0, p.transientMask());
    int result = p.newton().solve(x0.data(), x1.data(), p, 0);
    EXPECT_LT(result, 0);
    EXPECT_GE(p.lowest, 0.0);
    EXPECT_LE(p.highest, 1.0);
    EXPECT_EQ(p.newton().statistics().boundLimitedSteps, p.newton().statistics().iterations);
}

TEST(NewtonBounds, AStepOntoABoundConvergesThere)
{
    // Roots on the bounds themselves: reached exactly, nothing clipped beyond.
    LinearBoxProblem p({0.0, 1.0});
    std::vector<double> x0 = {0.5, 0.2}, x1(2);
    p.evalJacobian(x0.data());
    p.jacobian().refactorTransient(0.0, p.transientMask());
    EXPECT_EQ(p.newton().solve(x0.data(), x1.data(), p, 0), 1);
    EXPECT_EQ(x1, (std::vector<double>{0.0, 1.0}));
}

} // namespace
} // namespace Velkora

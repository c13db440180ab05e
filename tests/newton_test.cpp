#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "support/BratuProblem.h"
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

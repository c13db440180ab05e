// The band LU against dense Gaussian elimination with partial pivoting, for
// every width the solver specialises (1 to 4) and a general one, on sizes
// from below to well above the width, with diagonals small enough that rows
// must be interchanged.
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "velkora/platform/numerics/BandLU.h"
#include "support/DenseSolve.h"

namespace Velkora
{
namespace
{

using testing::denseSolve;

TEST(BandLU, SolvesAsDenseEliminationDoesForEveryWidth)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (size_t bw : {1u, 2u, 3u, 4u, 6u}) {
        for (size_t n : {1u, 2u, 5u, 13u, 40u}) {
            SCOPED_TRACE(::testing::Message() << "bandwidth " << bw << ", size " << n);
            std::vector<std::vector<double>> dense(n, std::vector<double>(n, 0.0));
            BandLU lu;
            lu.resize(n, bw, bw);
            for (size_t j = 0; j < n; j++) {
                for (size_t i = j > bw ? j - bw : 0; i <= std::min(n - 1, j + bw); i++) {
                    // Weak diagonals: partial pivoting must interchange rows.
                    double v = i == j ? 0.05 * u(rng) : u(rng);
                    dense[i][j] = v;
                    lu(i, j) = v;
                }
            }
            std::vector<double> b(n), expected;
            for (double& v : b) {
                v = u(rng);
            }
            expected = denseSolve(dense, b);
            ASSERT_EQ(lu.factor(), 0u);
            lu.solve(b.data());
            for (size_t i = 0; i < n; i++) {
                EXPECT_NEAR(b[i], expected[i], 1e-9 * (1.0 + std::abs(expected[i])));
            }
        }
    }
}

TEST(BandLU, ReportsTheFirstZeroPivot)
{
    BandLU lu;
    lu.resize(4, 1, 1);
    lu(0, 0) = 1.0;
    lu(1, 1) = 1.0;
    lu(3, 3) = 1.0; // column 2 is all zero
    EXPECT_EQ(lu.factor(), 3u);
}

} // namespace
} // namespace Velkora

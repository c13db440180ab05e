#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/numerics/BandJacobian.h"
#include "support/DenseSolve.h"

namespace Velkora
{
namespace
{

using testing::denseSolve;

// f_i = sum over |k| <= bw of c_ik x_{i+k}^2 + sin(x_i), with known derivatives.
struct BandedResidual
{
    size_t n, bw;
    int calls = 0;
    double coefficient(size_t i, size_t j) const { return 0.3 + 0.1 * ((i * 7 + j * 3) % 5); }
    void eval(const double* x, double* r)
    {
        calls++;
        for (size_t i = 0; i < n; i++) {
            r[i] = std::sin(x[i]);
            for (size_t j = (i > bw ? i - bw : 0); j <= std::min(n - 1, i + bw); j++) {
                r[i] += coefficient(i, j) * x[j] * x[j];
            }
        }
    }
    double derivative(const double* x, size_t i, size_t j) const
    {
        return 2.0 * coefficient(i, j) * x[j] + (i == j ? std::cos(x[i]) : 0.0);
    }
};

TEST(BandJacobian, GroupedDifferencesMatchTheAnalyticJacobian)
{
    for (size_t bw : {0u, 1u, 3u}) {
        SCOPED_TRACE(bw);
        const size_t n = 40;
        BandedResidual f{n, bw};
        std::vector<double> x(n), r0(n);
        for (size_t i = 0; i < n; i++) {
            x[i] = 0.5 + 0.03 * i - (i % 3) * 0.2;
        }
        std::vector<double> original = x;
        f.eval(x.data(), r0.data());
        f.calls = 0;
        BandJacobian jac;
        jac.setProblemSize(n);
        jac.configureBandwidth(bw);
        jac.resetStatistics();
        jac.evaluateByDifferences([&](double* xp, double* r) { f.eval(xp, r); }, x.data(), r0.data());
        EXPECT_EQ(f.calls, static_cast<int>(2 * bw + 1));
        EXPECT_EQ(x, original);
        EXPECT_EQ(jac.evaluationCount(), 1);
        EXPECT_EQ(jac.age(), 0);
        for (size_t i = 0; i < n; i++) {
            for (size_t j = (i > bw ? i - bw : 0); j <= std::min(n - 1, i + bw); j++) {
                EXPECT_NEAR(jac.value(i, j), f.derivative(x.data(), i, j), 1e-6) << i << "," << j;
            }
        }
    }
}

TEST(BandJacobian, TransientSolveAgreesWithADenseSolve)
{
    const size_t n = 12, bw = 2;
    BandJacobian jac;
    jac.setProblemSize(n);
    jac.configureBandwidth(bw);
    jac.startEvaluation();
    std::vector<std::vector<double>> dense(n, std::vector<double>(n, 0.0));
    for (size_t i = 0; i < n; i++) {
        for (size_t j = (i > bw ? i - bw : 0); j <= std::min(n - 1, i + bw); j++) {
            // Not diagonally dominant, so that pivoting matters.
            double v = std::sin(1.0 + i * 1.3 + j * 0.7);
            jac.value(i, j) = v;
            dense[i][j] = v;
        }
    }
    jac.finishEvaluation();
    std::vector<int> mask(n);
    const double rdt = 2.5;
    for (size_t i = 0; i < n; i++) {
        mask[i] = i % 3 != 0;
        dense[i][i] -= rdt * mask[i];
    }
    std::vector<double> b(n);
    for (size_t i = 0; i < n; i++) {
        b[i] = std::cos(0.5 * i);
    }
    std::vector<double> expected = denseSolve(dense, b);
    jac.refactorTransient(rdt, mask.data());
    ASSERT_TRUE(jac.isFactored());
    jac.solve(b.data());
    for (size_t i = 0; i < n; i++) {
        EXPECT_NEAR(b[i], expected[i], 1e-10 * (1.0 + std::abs(expected[i]))) << i;
    }
    // The steady matrix is kept: refactoring at rdt 0 solves with J itself.
    std::vector<double> x(n, 1.0), y(n);
    jac.multiply(x.data(), y.data());
    jac.refactorTransient(0.0, mask.data());
    jac.solve(y.data());
    for (size_t i = 0; i < n; i++) {
        EXPECT_NEAR(y[i], 1.0, 1e-10);
    }
    EXPECT_EQ(jac.factorizationCount(), 2);
}

TEST(BandJacobian, SingularMatrixRaises)
{
    const size_t n = 6;
    BandJacobian jac;
    jac.setProblemSize(n);
    jac.configureBandwidth(1);
    jac.startEvaluation();
    for (size_t i = 0; i < n; i++) {
        if (i != 3) {
            jac.value(i, i) = 2.0;
        }
    }
    jac.finishEvaluation();
    std::vector<int> mask(n, 0);
    try {
        jac.refactorTransient(0.0, mask.data());
        FAIL() << "no error";
    } catch (const VelkoraError& err) {
        EXPECT_STREQ(err.what(), "BandJacobian::refactorTransient: The matrix is singular: zero pivot in column 3.");
    }
    EXPECT_FALSE(jac.isFactored());
    double b[n] = {};
    EXPECT_THROW(jac.solve(b), VelkoraError);
    // With a transient term on the empty column it is regular again.
    mask[3] = 1;
    EXPECT_NO_THROW(jac.refactorTransient(1.0, mask.data()));
}

TEST(BandJacobian, RefusesEntriesOutsideTheBand)
{
    BandJacobian jac;
    jac.setProblemSize(5);
    jac.configureBandwidth(1);
    try {
        jac.value(0, 2) = 1.0;
        FAIL() << "no error";
    } catch (const VelkoraError& err) {
        EXPECT_STREQ(err.what(), "BandJacobian::value: Entry (0, 2) lies outside the band (size 5, bandwidth 1).");
    }
    EXPECT_THROW(jac.value(5, 5), VelkoraError);
}

TEST(BandJacobian, RefactorBeforeAnyEvaluationOnlyRecords)
{
    BandJacobian jac;
    jac.setProblemSize(3);
    jac.configureBandwidth(1);
    int mask[3] = {1, 1, 1};
    EXPECT_NO_THROW(jac.refactorTransient(10.0, mask));
    EXPECT_FALSE(jac.isFactored());
    EXPECT_EQ(jac.factorizationCount(), 0);
}

} // namespace
} // namespace Velkora

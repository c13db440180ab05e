// The compiled operations of serial vectors against SUNDIALS' own, one
// operation at a time on the same data.
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nvector/nvector_serial.h>
#include <sundials/sundials_context.h>

#include "velkora/platform/numerics/SerialVectorOps.h"

namespace Velkora
{
namespace
{

class SerialVectorOps : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(SUNContext_Create(nullptr, &m_ctx), 0); }
    void TearDown() override
    {
        for (N_Vector v : m_vectors) {
            N_VDestroy(v);
        }
        SUNContext_Free(&m_ctx);
    }

    // Four vectors of random entries (some negative, none zero), with
    // SUNDIALS' operations or with the compiled ones.
    std::vector<N_Vector> vectors(bool compiled)
    {
        std::mt19937 random(17);
        std::uniform_real_distribution<double> unit(0.5, 2.0);
        N_Vector first = N_VNew_Serial(n, m_ctx);
        if (compiled) {
            useCompiledSerialOps(first);
        }
        std::vector<N_Vector> v = {first, N_VClone(first), N_VClone(first), N_VClone(first)};
        for (size_t k = 0; k < v.size(); k++) {
            double* d = N_VGetArrayPointer(v[k]);
            for (sunindextype i = 0; i < n; i++) {
                d[i] = unit(random) * (i % 3 == 0 ? -1.0 : 1.0);
            }
        }
        m_vectors.insert(m_vectors.end(), v.begin(), v.end());
        return v;
    }

    static constexpr sunindextype n = 37; // not a whole number of vectors
    SUNContext m_ctx = nullptr;
    std::vector<N_Vector> m_vectors;
};

TEST_F(SerialVectorOps, EveryOperationAsSundialsComputesIt)
{
    struct Case
    {
        const char* name;
        // Applies the operation to x, y, z, w (z the result) and returns a scalar result, or 0.
        std::function<double(std::vector<N_Vector>&)> apply;
    };
    const Case cases[] = {
        {"linear sum", [](auto& v) { N_VLinearSum(0.3, v[0], -1.7, v[1], v[2]); return 0.0; }},
        {"linear sum in place", [](auto& v) { N_VLinearSum(1.0, v[0], 2.5, v[2], v[2]); return 0.0; }},
        {"const", [](auto& v) { N_VConst(4.25, v[2]); return 0.0; }},
        {"prod", [](auto& v) { N_VProd(v[0], v[1], v[2]); return 0.0; }},
        {"div", [](auto& v) { N_VDiv(v[0], v[1], v[2]); return 0.0; }},
        {"scale", [](auto& v) { N_VScale(-0.75, v[0], v[2]); return 0.0; }},
        {"abs", [](auto& v) { N_VAbs(v[0], v[2]); return 0.0; }},
        {"inv", [](auto& v) { N_VInv(v[0], v[2]); return 0.0; }},
        {"add const", [](auto& v) { N_VAddConst(v[0], 1.5, v[2]); return 0.0; }},
        {"wrms norm", [](auto& v) { return N_VWrmsNorm(v[0], v[1]); }},
        {"weighted square sum", [](auto& v) { return N_VWSqrSumLocal(v[0], v[1]); }},
        {"max norm", [](auto& v) { return N_VMaxNorm(v[0]); }},
        {"linear combination of three into the first",
         [](auto& v) {
             double c[3] = {0.5, -2.0, 3.0};
             N_Vector x[3] = {v[2], v[0], v[1]};
             return static_cast<double>(N_VLinearCombination(3, c, x, v[2]));
         }},
        {"linear combination of one",
         [](auto& v) {
             double c[1] = {7.0};
             return static_cast<double>(N_VLinearCombination(1, c, &v[0], v[2]));
         }},
        {"scale add multi",
         [](auto& v) {
             double c[2] = {1.25, -0.5};
             N_Vector y[2] = {v[1], v[3]}, z[2] = {v[2], v[3]};
             return static_cast<double>(N_VScaleAddMulti(2, c, v[0], y, z));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<N_Vector> reference = vectors(false), compiled = vectors(true);
        const double expected = c.apply(reference);
        const double got = c.apply(compiled);
        EXPECT_NEAR(got, expected, 1e-14 * std::abs(expected));
        for (size_t k = 0; k < reference.size(); k++) {
            const double* a = N_VGetArrayPointer(reference[k]);
            const double* b = N_VGetArrayPointer(compiled[k]);
            sunindextype i = 0;
            while (i + 1 < n && std::abs(b[i] - a[i]) <= 1e-14 * std::abs(a[i])) {
                i++; // to the first entry that differs, if any
            }
            EXPECT_NEAR(b[i], a[i], 1e-14 * std::abs(a[i])) << "vector " << k << ", entry " << i;
        }
    }
}

TEST_F(SerialVectorOps, ClonesKeepTheCompiledOperations)
{
    std::vector<N_Vector> v = vectors(true);
    EXPECT_EQ(v[3]->ops->nvlinearsum, v[0]->ops->nvlinearsum);
    EXPECT_NE(v[0]->ops->nvlinearcombination, nullptr); // the fused operations are on
    std::vector<N_Vector> plain = vectors(false);
    EXPECT_NE(plain[0]->ops->nvlinearsum, v[0]->ops->nvlinearsum);
}

} // namespace
} // namespace Velkora

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "velkora/equil/equil_aux.h"

namespace Velkora
{
namespace
{

TEST(VcsL2norm, IsTheRootMeanSquare)
{
    EXPECT_EQ(vcs_l2norm({}), 0.0);
    EXPECT_EQ(vcs_l2norm({3.0, 4.0}), std::sqrt(12.5));
    EXPECT_EQ(vcs_l2norm({1.0, -1.0, 1.0, -1.0}), 1.0);
    // One running sum in index order: the small terms are lost after the big one.
    std::vector<double> v = {1e8, 1.0, 1.0, 1.0};
    double sum = 0.0;
    for (double x : v) {
        sum += x * x;
    }
    EXPECT_EQ(vcs_l2norm(v), std::sqrt(sum / 4.0));
}

TEST(VcsSpeciesTypeString, PicksTheLabelByCodeAndWidth)
{
    struct Case
    {
        int code;
        int width;
        const char* label;
    };
    const Case cases[] = {
        {2, -5, "Component Species"}, {2, 200, "Component Species"},
        {1, 0, "Major Species"},      {1, 80, "Major Species"},
        {0, -1, "Minor Species"},     {0, 80, "Minor Species"},
        {-2, 22, "Zeroed-MS Phase"},  {-2, 23, "Zeroed-MS Phase Species"},
        {-3, 22, "Zeroed-SS Phase"},  {-3, 23, "Zeroed-SS Phase Species"},
        {-4, 21, "Deleted Species"},  {-4, 22, "Deleted-Small Species"},
        {-4, 39, "Deleted-Small Species"}, {-4, 40, "Deleted-Small Species in a MS phase"},
        {-5, 28, "InterfaceVoltage"}, {-5, 29, "InterfaceVoltage Species"},
        {-6, 47, "Set Zeroed-Phase"}, {-6, 48, "Purposely Zeroed-Phase Species (not in problem)"},
        {-7, 46, "Tmp Zeroed in MS"}, {-7, 47, "Zeroed Species in an active MS phase (tmp)"},
        {-8, 55, "Stoich Zeroed in MS"}, {-8, 56, "Zeroed Species in an active MS phase (Stoich Constraint)"},
        {-2, 0, "Zeroed-MS Phase"},   {-8, -100, "Stoich Zeroed in MS"},
        {-1, 100, "unknown species type"}, {3, 100, "unknown species type"},
        {-9, 100, "unknown species type"}, {-1, -1, "unknown species type"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(vcs_speciesType_string(c.code, c.width), c.label) << c.code << " width " << c.width;
    }
    // Labels have static storage: the same pointer every time.
    EXPECT_EQ(vcs_speciesType_string(-4, 40), vcs_speciesType_string(-4, 99));
}

TEST(VcsDoubleEqual, IsAbsoluteNearZeroAndRelativeForLargeValues)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        double a, b;
        bool equal;
    };
    const Case cases[] = {
        {0.0, 0.0, true},         {0.0, 1e-10, true},       {0.0, 2e-10, false},
        {1.0, 1.0 + 2e-10, true}, {1.0, 1.0 + 4e-10, false},
        {1e12, 1e12 + 1e2, true}, {1e12, 1e12 + 1e3, false},
        {-5.0, 5.0, false},
        {nan, 1.0, true},         {1.0, nan, true},         {nan, nan, true},
        {inf, 1.0, true},         {-inf, 0.0, true},        {inf, inf, true}, {inf, -inf, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vcs_doubleEqual(c.a, c.b), c.equal) << c.a << " vs " << c.b;
    }
}

} // namespace
} // namespace Velkora

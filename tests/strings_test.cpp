#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "velkora/interface/stringResult.h"
#include "velkora/platform/app/stringUtils.h"

namespace Velkora
{
namespace
{

TEST(CopyString, CopiesWhatFitsAndAlwaysTerminates)
{
    struct Case
    {
        const char* source;
        size_t length;
        const char* expected; // buffer contents up to the first NUL
    };
    const Case cases[] = {
        {"hello", 10, "hello"}, // room to spare
        {"hello", 6, "hello"},  // exact fit, NUL included
        {"hello", 5, "hell"},   // one short: truncated
        {"hello", 1, ""},       // room for the NUL only
        {"", 4, ""},
    };
    for (const Case& c : cases) {
        char buf[16];
        std::memset(buf, 'x', sizeof(buf));
        copyString(c.source, buf, c.length);
        EXPECT_STREQ(buf, c.expected) << c.source << " into " << c.length;
        EXPECT_EQ(buf[c.length], 'x') << "wrote past the given length";
    }
}

TEST(CopyString, WritesNothingForNullBufferOrZeroLength)
{
    char buf[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(copyString("abc", buf, 0), 0u);
    EXPECT_EQ(buf[0], 'x');
    EXPECT_EQ(copyString("abc", nullptr, 8), 0u);
}

TEST(DeliverString, ReturnsLengthPlusOneWhateverTheBuffer)
{
    char buf[8];
    for (int len : {0, 1, 3, 4, 8}) {
        EXPECT_EQ(deliverString("f", "abc", len, buf), 4) << len;
    }
    EXPECT_EQ(deliverString("f", "abc", 8, nullptr), 4);
    EXPECT_EQ(deliverString("f", "", 0, nullptr), 1);
}

TEST(DeliverString, RefusesNegativeLengthBeforeCopying)
{
    char buf[4] = {'x', 'x', 'x', 'x'};
    try {
        deliverString("rxn_id", "abc", -1, buf);
        FAIL() << "no error";
    } catch (const VelkoraError& err) {
        EXPECT_STREQ(err.what(), "rxn_id: Buffer length -1 is negative.");
    }
    EXPECT_EQ(buf[0], 'x');
}

} // namespace
} // namespace Velkora

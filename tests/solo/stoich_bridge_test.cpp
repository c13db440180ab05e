// The reaction functions of the C interface. An executable of its own: the
// first test needs a process whose Reaction registry has not been used yet.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "support/ErrorStack.h"
#include "velkora/velkora.h"

namespace
{

using Velkora::testing::errorStack;
using Velkora::testing::lastError;

std::string text(int (*get)(int, int, char*), int handle)
{
    char buf[128];
    int n = get(handle, sizeof(buf), buf);
    EXPECT_EQ(n, static_cast<int>(std::strlen(buf)) + 1);
    return buf;
}

TEST(ReactionInterface, AFreshRegistryCountsFromZeroAndNeverReusesHandles)
{
    EXPECT_EQ(rxn_cabinetSize(), 0);
    EXPECT_EQ(rxn_new(), 0);
    EXPECT_EQ(rxn_new(), 1);
    EXPECT_EQ(rxn_cabinetSize(), 2);
    EXPECT_EQ(rxn_del(0), 0);
    EXPECT_EQ(rxn_new(), 2);
    EXPECT_EQ(rxn_cabinetSize(), 3);
}

TEST(ReactionInterface, ANewReactionIsInTheDefaultState)
{
    int h = rxn_new();
    ASSERT_GE(h, 0);
    EXPECT_EQ(rxn_id(h, 0, nullptr), 1);
    EXPECT_EQ(rxn_valid(h), 1);
    EXPECT_EQ(rxn_usesThirdBody(h), 0);
    EXPECT_EQ(rxn_allowNonreactantOrders(h), 0);
    EXPECT_EQ(text(rxn_equation, h), "<=>");
    EXPECT_EQ(text(rxn_type, h), "mass-action");
}

TEST(ReactionInterface, SettersChangeWhatGettersRead)
{
    int h = rxn_new();
    EXPECT_EQ(rxn_setAllowNonreactantOrders(h, 7), 0);
    EXPECT_EQ(rxn_allowNonreactantOrders(h), 1);
    EXPECT_EQ(rxn_setAllowNonreactantOrders(h, 0), 0);
    EXPECT_EQ(rxn_allowNonreactantOrders(h), 0);

    ASSERT_EQ(rxn_setId(h, "ab"), 0);
    for (int len : {0, 1, 2, 3, 16}) {
        char buf[16];
        std::memset(buf, 'x', sizeof(buf));
        EXPECT_EQ(rxn_id(h, len, buf), 3) << len;
        if (len > 0) {
            EXPECT_EQ(std::string(buf), std::string("ab").substr(0, len - 1)) << len;
        } else {
            EXPECT_EQ(buf[0], 'x');
        }
    }
}

TEST(ReactionInterface, BadHandlesFailWithTheirPair)
{
    int deleted = rxn_new();
    ASSERT_EQ(rxn_del(deleted), 0);
    const int size = rxn_cabinetSize();
    const std::string deletedText =
        "Cabinet::at: Object with index " + std::to_string(deleted) + " has been deleted.";

    struct Handle
    {
        int value;
        std::string atMessage;
    };
    const Handle handles[] = {
        {-1, "Cabinet::at: Index -1 out of range."},
        {size, "Cabinet::at: Index " + std::to_string(size) + " out of range."},
        {deleted, deletedText},
    };
    char buf[8];
    for (const Handle& h : handles) {
        SCOPED_TRACE(h.value);
        struct Call
        {
            const char* name;
            int result;
            int expected;
        };
        const Call calls[] = {
            {"rxn_equation", rxn_equation(h.value, sizeof(buf), buf), -1},
            {"rxn_type", rxn_type(h.value, sizeof(buf), buf), -1},
            {"rxn_id", rxn_id(h.value, sizeof(buf), buf), -1},
            {"rxn_usesThirdBody", rxn_usesThirdBody(h.value), -1},
            {"rxn_valid", rxn_valid(h.value), -1},
            {"rxn_allowNonreactantOrders", rxn_allowNonreactantOrders(h.value), -1},
            {"rxn_setId", rxn_setId(h.value, "x"), -999},
            {"rxn_setAllowNonreactantOrders", rxn_setAllowNonreactantOrders(h.value, 1), -999},
        };
        for (const Call& c : calls) {
            EXPECT_EQ(c.result, c.expected) << c.name;
        }
        EXPECT_EQ(errorStack().errorCount() > 0, true);
        EXPECT_EQ(lastError(), h.atMessage);
    }
    EXPECT_EQ(rxn_del(deleted), -1);
    EXPECT_EQ(lastError(), "Cabinet::del: Lookup table does not contain reference to object.");
    EXPECT_EQ(rxn_del(-1), -1);
    EXPECT_EQ(lastError(), "Cabinet::del: Attempt made to delete a non-existing object.");
    EXPECT_EQ(rxn_cabinetSize(), size);
}

TEST(ReactionInterface, RefusesANullIdentifierAndANegativeBufferLength)
{
    int h = rxn_new();
    ASSERT_EQ(rxn_setId(h, "kept"), 0);
    EXPECT_EQ(rxn_setId(h, nullptr), -999);
    EXPECT_EQ(lastError(), "rxn_setId: The identifier is a null pointer.");
    EXPECT_EQ(text(rxn_id, h), "kept");

    char buf[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(rxn_equation(h, -1, buf), -1);
    EXPECT_EQ(lastError(), "rxn_equation: Buffer length -1 is negative.");
    EXPECT_EQ(buf[0], 'x');
}

TEST(ReactionInterface, ParsedReactionsWorkWithEveryFunction)
{
    int h = mech_newReaction("2 H + M <=> H2 + M", 1e3, 1.0);
    ASSERT_GE(h, 0) << lastError();
    EXPECT_EQ(text(rxn_equation, h), "2 H + M <=> H2 + M");
    EXPECT_EQ(text(rxn_type, h), "three-body");
    EXPECT_EQ(rxn_usesThirdBody(h), 1);
    EXPECT_EQ(rxn_valid(h), 1);
    EXPECT_EQ(rxn_del(h), 0);

    const int size = rxn_cabinetSize();
    EXPECT_EQ(mech_newReaction("A + => B", 1.0, 0.0), -1);
    EXPECT_EQ(lastError(), "parseReaction: Reaction equation 'A + => B', column 5: empty term.");
    EXPECT_EQ(mech_newReaction(nullptr, 1.0, 0.0), -1);
    EXPECT_EQ(lastError(), "mech_newReaction: The equation is a null pointer.");
    EXPECT_EQ(rxn_cabinetSize(), size);
}

} // namespace

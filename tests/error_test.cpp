#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "velkora/interface/VelkoraError.h"
#include "velkora/interface/handleAllExceptions.h"
#include "support/ErrorStack.h"

namespace Velkora
{
namespace
{

using testing::errorStack;
using testing::lastError;

TEST(VelkoraError, FormatsArgumentsIntoTheMessage)
{
    VelkoraError err("Cabinet::at", "Index {} out of range.", 7);
    EXPECT_STREQ(err.what(), "Cabinet::at: Index 7 out of range.");
    EXPECT_EQ(err.errorDetail(), "Index 7 out of range.");
    EXPECT_EQ(err.errorHeading(), "VelkoraError thrown by Cabinet::at");

    VelkoraError several("Proc::op", "{} and {:.2f} and {}", std::string("text"), 2.5, 'c');
    EXPECT_EQ(several.errorDetail(), "text and 2.50 and c");
}

TEST(VelkoraError, WithoutArgumentsTheMessageIsCopiedBracesIncluded)
{
    VelkoraError err("Proc::op", "keep {} and {:d} as they are");
    EXPECT_EQ(err.errorDetail(), "keep {} and {:d} as they are");
}

TEST(VelkoraError, MalformedFormatLeavesFmtsException)
{
    EXPECT_THROW(VelkoraError("Proc::op", "unclosed {", 1), fmt::format_error);
    EXPECT_THROW(VelkoraError("Proc::op", "{} {}", 1), fmt::format_error);
}

TEST(VelkoraError, IsCaughtAsStdException)
{
    try {
        throw VelkoraError("Proc::op", "boom");
    } catch (const std::exception& err) {
        EXPECT_STREQ(err.what(), "Proc::op: boom");
        return;
    }
    FAIL() << "not caught";
}

struct Unrelated
{
};

template <typename T>
T translate(void (*raise)(), T ctValue, T otherValue)
{
    try {
        raise();
    } catch (...) {
        return handleAllExceptions(ctValue, otherValue);
    }
    return T(0);
}

TEST(HandleAllExceptions, TranslatesEachKindOfException)
{
    struct Case
    {
        const char* name;
        void (*raise)();
        int intResult;
        double doubleResult;
        std::string stderrText;
        std::string stackText;
    };
    const Case cases[] = {
        {"library error", [] { throw VelkoraError("Cabinet::at", "Index {} out of range.", 3); }, -1,
         -999.999, "", "Cabinet::at: Index 3 out of range."},
        {"standard exception", [] { throw std::runtime_error("disk on fire"); }, -999, -999.999,
         "Velkora: caught an instance of disk on fire\n", "disk on fire"},
        {"unrelated type", [] { throw Unrelated(); }, -999, -999.999,
         "Velkora: caught an instance of an unknown exception type\n", "unknown C++ exception"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        errorStack().clearErrors();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(translate(c.raise, -1, -999), c.intResult);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.stderrText);
        EXPECT_EQ(lastError(), c.stackText);

        ::testing::internal::CaptureStderr();
        EXPECT_EQ(translate(c.raise, -999.999, -999.999), c.doubleResult);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.stderrText);
        EXPECT_EQ(errorStack().errorCount(), 2u);
    }
}

TEST(HandleAllExceptions, ReturnsTheGivenPair)
{
    EXPECT_EQ(translate<int>([] { throw VelkoraError("P::q", "x"); }, -2, -999), -2);
    EXPECT_EQ(translate<int>([] { throw VelkoraError("P::q", "x"); }, -999, -999), -999);
}

TEST(ErrorStack, IsBoundedAndKeepsTheNewestOnTop)
{
    errorStack().clearErrors();
    const size_t bound = Application::Messages::maxDepth;
    for (size_t i = 0; i < 3 * bound; i++) {
        errorStack().addError("error " + std::to_string(i), "");
    }
    EXPECT_EQ(errorStack().errorCount(), bound);
    EXPECT_EQ(lastError(), "error " + std::to_string(3 * bound - 1));
    // The oldest kept entry is the one `bound` places below the top.
    for (size_t i = 0; i < bound - 1; i++) {
        errorStack().popError();
    }
    EXPECT_EQ(lastError(), "error " + std::to_string(2 * bound));
    errorStack().popError();
    errorStack().popError(); // popping an empty stack does nothing
    EXPECT_EQ(errorStack().errorCount(), 0u);
    EXPECT_EQ(lastError(), "");
}

TEST(ErrorStack, DetailFollowsOnItsOwnLine)
{
    errorStack().clearErrors();
    errorStack().addError("heading", "detail");
    EXPECT_EQ(lastError(), "heading\ndetail");
}

} // namespace
} // namespace Velkora

// Each thread's error stack under concurrent failures.
#include <string>
#include <thread>

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

TEST(ErrorStack, EachThreadSeesOnlyItsOwnErrors)
{
    auto fail = [](const char* name, std::string* seen, size_t* count) {
        errorStack().clearErrors();
        try {
            throw VelkoraError(name, "failed");
        } catch (...) {
            handleAllExceptions(-1, -999);
        }
        *seen = lastError();
        *count = errorStack().errorCount();
    };
    std::string seenA, seenB;
    size_t countA = 0, countB = 0;
    std::thread a(fail, "Thread::a", &seenA, &countA);
    std::thread b(fail, "Thread::b", &seenB, &countB);
    a.join();
    b.join();
    EXPECT_EQ(seenA, "Thread::a: failed");
    EXPECT_EQ(seenB, "Thread::b: failed");
    EXPECT_EQ(countA, 1u);
    EXPECT_EQ(countB, 1u);
}

} // namespace
} // namespace Velkora

// The timer against a scripted clock. This executable defines clock() itself;
// the dynamic linker prefers it to the C library's, so the timer in the
// shared library reads the script.
#include <climits>
#include <cmath>
#include <ctime>
#include <deque>

#include <gtest/gtest.h>

#include "velkora/base/ElapsedTimer.h"

namespace
{
std::deque<clock_t> script;
clock_t lastScripted = 0;
} // namespace

extern "C" clock_t clock() noexcept
{
    if (!script.empty()) {
        lastScripted = script.front();
        script.pop_front();
    }
    return lastScripted;
}

namespace Velkora
{
namespace
{

void readings(std::initializer_list<clock_t> values)
{
    script.assign(values.begin(), values.end());
}

struct Inspect : ElapsedTimer
{
    uint32_t rollovers() const { return m_rollovers; }
    double secondsPerTick() const { return m_secondsPerTick; }
    double wrapSpan() const { return m_wrapSpan; }
};

const double tick = 1.0 / CLOCKS_PER_SEC;

TEST(ElapsedTimer, StoresThePlatformConstants)
{
    readings({0});
    Inspect t;
    EXPECT_EQ(t.secondsPerTick(), 1.0 / CLOCKS_PER_SEC);
    EXPECT_EQ(t.wrapSpan(), std::ldexp(1.0, 8 * sizeof(clock_t)) / CLOCKS_PER_SEC);
}

TEST(ElapsedTimer, CountsFromTheStartWithoutResetting)
{
    readings({1000, 1000, 1100, 1350});
    ElapsedTimer t;
    EXPECT_EQ(t.secondsWC(), 0.0);
    EXPECT_EQ(t.secondsWC(), 100 * tick);
    EXPECT_EQ(t.secondsWC(), 350 * tick);
}

TEST(ElapsedTimer, StartReturnsExactlyZero)
{
    readings({5, 123456789, 123456789 + 40});
    ElapsedTimer t;
    EXPECT_EQ(t.start(), 0.0);
    EXPECT_EQ(t.secondsWC(), 40 * tick);
}

TEST(ElapsedTimer, NegativeToPositiveIsNoWrap)
{
    readings({-5, 3});
    Inspect t;
    EXPECT_EQ(t.secondsWC(), 8 * tick);
    EXPECT_EQ(t.rollovers(), 0u);
}

TEST(ElapsedTimer, AWrapOfTheCounterIsCounted)
{
    const clock_t top = LONG_MAX, bottom = LONG_MIN;
    readings({top - 1000, top - 10, bottom + 500});
    Inspect t;
    double before = t.secondsWC();
    EXPECT_EQ(before, 990 * tick);
    double after = t.secondsWC();
    EXPECT_EQ(t.rollovers(), 1u);
    // 1000 - 1 ticks to the top, one to wrap, 500 from the bottom. Near 2^64
    // ticks a double resolves about 4096 of them, hence the tolerance.
    EXPECT_NEAR(after, 1500 * tick, 4096 * tick);
    // The C library's error value after a reading is a wrap as well.
    readings({100, -1});
    Inspect u;
    u.secondsWC();
    EXPECT_EQ(u.rollovers(), 1u);
}

TEST(ElapsedTimer, StartClearsTheWrapCount)
{
    readings({10, 5, 20, 30});
    Inspect t;
    t.secondsWC(); // 5 < 10: a wrap
    EXPECT_EQ(t.rollovers(), 1u);
    t.start();
    EXPECT_EQ(t.rollovers(), 0u);
    EXPECT_EQ(t.secondsWC(), 10 * tick);
}

TEST(ElapsedTimer, ThirtyTwoBitExampleAsArithmetic)
{
    // A signed 32-bit counter at 128 ticks per second: 1/128 s per tick and
    // 2^32 / 128 = 2^25 s per cycle.
    const double perTick = 1.0 / 128, span = std::ldexp(1.0, 32) / 128;
    EXPECT_EQ(perTick, 0.0078125);
    EXPECT_EQ(span, 33554432.0);
    const clock_t top = 2147483647, s = top - 999, r = -2147483647 - 1 + 500;
    // (r - s)/128 + 2^25: 999 ticks to the top, one to wrap, 500 more.
    EXPECT_EQ(ElapsedTimer::elapsed(s, r, 1, perTick, span), 1500.0 / 128);
    EXPECT_EQ(ElapsedTimer::elapsed(s, top, 0, perTick, span), 999.0 / 128);
}

} // namespace
} // namespace Velkora

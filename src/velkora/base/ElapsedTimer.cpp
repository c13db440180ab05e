#include "velkora/base/ElapsedTimer.h"

#include <climits>
#include <cmath>
#include <type_traits>

namespace Velkora
{

static_assert(std::is_integral_v<clock_t> && std::is_signed_v<clock_t>,
              "the timer counts wrap-arounds of a signed integer clock");

ElapsedTimer::ElapsedTimer()
{
    clock_t r = std::clock();
    m_lastReading = r;
    m_rollovers = 0;
    m_secondsPerTick = 1.0 / CLOCKS_PER_SEC;
    m_wrapSpan = std::ldexp(1.0, static_cast<int>(sizeof(clock_t) * CHAR_BIT)) / CLOCKS_PER_SEC;
    m_startReading = r;
}

double ElapsedTimer::start()
{
    clock_t r = std::clock();
    m_lastReading = r;
    m_startReading = r;
    m_rollovers = 0;
    return 0.0;
}

double ElapsedTimer::elapsed(clock_t start, clock_t reading, uint32_t rollovers, double secondsPerTick,
                             double wrapSpan)
{
    // reading - start can need one bit more than clock_t has; the unsigned
    // difference of the larger and the smaller is exact.
    using Unsigned = std::make_unsigned_t<clock_t>;
    double ticks = reading >= start ? static_cast<double>(Unsigned(reading) - Unsigned(start))
                                    : -static_cast<double>(Unsigned(start) - Unsigned(reading));
    double seconds = ticks * secondsPerTick;
    if (rollovers != 0) {
        seconds += static_cast<double>(rollovers) * wrapSpan;
    }
    return seconds;
}

double ElapsedTimer::secondsWC()
{
    clock_t r = std::clock();
    if (r < m_lastReading) {
        m_rollovers++;
    }
    double seconds = elapsed(m_startReading, r, m_rollovers, m_secondsPerTick, m_wrapSpan);
    m_lastReading = r;
    return seconds;
}

} // namespace Velkora

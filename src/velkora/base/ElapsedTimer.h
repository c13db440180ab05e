//! @file ElapsedTimer.h
//! Seconds since a start, from the C library's clock(), across its wrap-arounds.
#ifndef VELKORA_BASE_ELAPSEDTIMER_H
#define VELKORA_BASE_ELAPSEDTIMER_H

#include <cstdint>
#include <ctime>

namespace Velkora
{

//! Measures the processor time used since construction or the last start(),
//! as clock() counts it. A reading lower than the one before counts as one
//! wrap-around of the counter, so the result stays right as long as the timer
//! is read at least once in every full cycle of the counter.
class ElapsedTimer
{
public:
    ElapsedTimer();

    //! Restarts the timer; returns 0.
    double start();
    //! Seconds since the start. Updates the wrap-around count.
    double secondsWC();

    //! Seconds from the start reading `start` to the reading `reading` after
    //! `rollovers` wrap-arounds, with the given seconds per tick and seconds
    //! per full cycle of the counter. The tick difference is taken exactly.
    static double elapsed(clock_t start, clock_t reading, uint32_t rollovers, double secondsPerTick,
                          double wrapSpan);

protected:
    clock_t m_lastReading;
    uint32_t m_rollovers;
    clock_t m_startReading;
    double m_secondsPerTick;
    double m_wrapSpan;
};

} // namespace Velkora

#endif

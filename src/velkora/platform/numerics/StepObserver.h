//! @file StepObserver.h
//! A callable told about each successful pseudo-time step.
#ifndef VELKORA_PLATFORM_NUMERICS_STEPOBSERVER_H
#define VELKORA_PLATFORM_NUMERICS_STEPOBSERVER_H

#include "velkora/export.h"

namespace Velkora
{

//! Receives the step size after every successful time step of a steady
//! solve. Owned by whoever installs it.
class VELKORA_EXPORT StepObserver
{
public:
    virtual ~StepObserver() {}
    //! `dt` is the step size the next step will try before the cap at the
    //! largest step. The result is ignored.
    virtual void onStep(double dt) = 0;
};

} // namespace Velkora

#endif

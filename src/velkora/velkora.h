/**
 * @file velkora.h
 * The C interface of the Velkora library: every function a foreign caller can
 * reach, declared for C99 and C++.
 *
 * Objects are named by integer handles. A function that fails returns a
 * status value (-1 for the library's own errors, -999 for anything else,
 * -999.999 from functions that return a double; each function's
 * documentation gives its own) and leaves the reason on the calling thread's
 * error stack (app_lastError). Functions that return text copy it into the
 * caller's buffer and return the buffer size that holds all of it, NUL
 * included.
 *
 * Not synchronised: a program that calls from several threads serialises its
 * calls; each thread has its own error stack.
 */
#ifndef VELKORA_H
#define VELKORA_H

#include "velkora/version.h"
#include "velkora/platform/app/app_capi.h"
#include "velkora/interface/stoich_bridge.h"
#include "velkora/platform/kinetics/mechanism_capi.h"
#include "velkora/platform/reactors/reactor_capi.h"
#include "velkora/interface/vessel_bridge.h"
#include "velkora/interface/flux_bridge.h"
#include "velkora/platform/transport/gastransport_capi.h"

#endif

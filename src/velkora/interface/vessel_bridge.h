/**
 * @file vessel_bridge.h
 * C functions on reactor networks, named by handle. A network integrates the
 * concentrations of its reactors in time, with the sensitivities of the
 * concentrations to the rate of each reaction.
 *
 * Handles come from reactornet_new(): 0, 1, 2, ... never reused. A handle
 * that is negative, past the last one given out, or deleted is refused as one
 * of the library's own errors. Functions that return int give -1 for the
 * library's own errors and -999 for anything else (reactornet_new: -2 and
 * -999); functions that return double give -999.999 for every failure. The
 * reason is on the calling thread's error stack (app_lastError).
 */
#ifndef VELKORA_INTERFACE_VESSEL_BRIDGE_H
#define VELKORA_INTERFACE_VESSEL_BRIDGE_H

#include "velkora/export.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Builds a network of reactors. The network shares the reactors.
 *  @param n         number of reactors, at least 1
 *  @param reactors  `n` reactor handles (from reactor_new), each at most once;
 *                   not NULL when `n` > 0
 *  @return the network handle; -2 for a bad reactor handle, a NULL array, no
 *          reactors, a reactor listed twice or reactors without species
 *          (nothing is registered then), -999 for any other failure */
VELKORA_EXPORT int reactornet_new(int n, const int* reactors);

/** Sets the time from which the network integrates; the integrator starts
 *  afresh there.
 *  @param net   a network handle
 *  @param time  the time, s, finite
 *  @return 0; -1 for a bad handle or a time that is not finite, -999 for any
 *          other failure */
VELKORA_EXPORT int reactornet_setInitialTime(int net, double time);

/** Sets the largest internal step of the integrator.
 *  @param net      a network handle
 *  @param maxStep  the step, s, finite and not negative; 0 for no limit
 *  @return 0; -1 for a bad handle or a bad step, -999 for any other failure */
VELKORA_EXPORT int reactornet_setMaxTimeStep(int net, double maxStep);

/** Sets the tolerances of the concentrations (defaults 1e-9 and 1e-15).
 *  Tolerances the integrator cannot honour are refused.
 *  @param net   a network handle
 *  @param rtol  relative tolerance: 0, or finite and at least 2.2e-16
 *               (machine precision)
 *  @param atol  absolute tolerance, mol/m^3, finite and at least 1e-100
 *  @return 0; -1 for a bad handle or a bad tolerance, -999 for any other
 *          failure */
VELKORA_EXPORT int reactornet_setTolerances(int net, double rtol, double atol);

/** Sets the tolerances of the sensitivities (defaults 1e-6 and 1e-8).
 *  Tolerances the integrator cannot honour are refused.
 *  @param net   a network handle
 *  @param rtol  relative tolerance: 0, or finite and at least 2.2e-16
 *  @param atol  absolute tolerance, finite and at least 1e-100
 *  @return 0; -1 for a bad handle or a bad tolerance, -999 for any other
 *          failure */
VELKORA_EXPORT int reactornet_setSensitivityTolerances(int net, double rtol, double atol);

/** Integrates the network to exactly a given time. After a failure the
 *  network keeps its time and the reactors their state from before the call,
 *  and the next call starts the integrator afresh from there.
 *  @param net   a network handle
 *  @param time  the target, s, finite and not before reactornet_time()
 *  @return 0; -1 for a bad handle, a bad target or an integrator failure
 *          (the message gives the integrator's flag and the time reached),
 *          -999 for any other failure */
VELKORA_EXPORT int reactornet_advance(int net, double time);

/** Takes one internal step of the integrator.
 *  @param net  a network handle
 *  @return the new time, s, always later than the time before; -999.999 for
 *          every failure, an integrator that makes no progress included */
VELKORA_EXPORT double reactornet_step(int net);

/** The current time of the network.
 *  @param net  a network handle
 *  @return the time, s; -999.999 for every failure */
VELKORA_EXPORT double reactornet_time(int net);

/** The relative tolerance of the concentrations.
 *  @param net  a network handle
 *  @return the tolerance; -999.999 for a bad handle */
VELKORA_EXPORT double reactornet_rtol(int net);

/** The absolute tolerance of the concentrations.
 *  @param net  a network handle
 *  @return the tolerance, mol/m^3; -999.999 for a bad handle */
VELKORA_EXPORT double reactornet_atol(int net);

/** Normalized sensitivity d ln c / d ln k of one concentration to the rate
 *  of one reaction, at the current time.
 *  @param net        a network handle
 *  @param component  the species name, NUL-terminated; not NULL
 *  @param parameter  the reaction, numbered across the network from 0,
 *                    reactor by reactor, in each reactor's reaction order
 *  @param reactor    the reactor's index in the network, from 0
 *  @return the sensitivity; 0 before the first integration and where the
 *          concentration is at or below the absolute tolerance; -999.999 for
 *          every failure (a bad handle, an unknown species, an index out of
 *          range) */
VELKORA_EXPORT double reactornet_sensitivity(int net, const char* component, int parameter, int reactor);

/** Deletes a network handle. The reactors stay.
 *  @param net  a network handle
 *  @return 0; -1 for a handle that does not exist or was deleted before,
 *          -999 for any other failure */
VELKORA_EXPORT int reactornet_del(int net);

/** Number of network handles ever given out, deleted ones included.
 *  @return the count; -999 if the registry cannot be created (out of memory) */
VELKORA_EXPORT int reactornet_cabinetSize(void);

#ifdef __cplusplus
}
#endif

#endif

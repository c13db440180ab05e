/**
 * @file vessel_bridge.h
 * C functions on reactor networks, named by handle. A network integrates the
 * concentrations of its reactors in time. A failed lookup of a handle
 * (negative, past the last, or deleted) is one of the library's own errors.
 * Functions returning int give -1 for the library's own errors and -999 for
 * anything else (reactornet_new: -2 and -999); functions returning double
 * give -999.999 for every failure. The reason is on the calling thread's
 * error stack.
 */
#ifndef VELKORA_INTERFACE_VESSEL_BRIDGE_H
#define VELKORA_INTERFACE_VESSEL_BRIDGE_H

#ifdef __cplusplus
extern "C" {
#endif

/** Builds a network of the `n` reactors whose handles are in `reactors`, in
 *  that order, and returns its handle (0, 1, 2, ... never reused). The
 *  network shares the reactors. A bad reactor handle, a null array with
 *  `n` > 0, or no reactors at all give -2 and register nothing. */
int reactornet_new(int n, const int* reactors);

/** Sets the time (s) from which the network integrates; returns 0. */
int reactornet_setInitialTime(int net, double time);

/** Sets the largest internal step (s), 0 for no limit; returns 0. */
int reactornet_setMaxTimeStep(int net, double maxStep);

/** Sets the relative, then the absolute tolerance of the concentrations;
 *  returns 0. Negative or non-finite values fail with -1. */
int reactornet_setTolerances(int net, double rtol, double atol);

/** Sets the relative, then the absolute tolerance of the sensitivities;
 *  returns 0. */
int reactornet_setSensitivityTolerances(int net, double rtol, double atol);

/** Integrates to exactly `time` (s), not before the current time; returns 0.
 *  An integrator failure gives -1 with the integrator's flag and the time
 *  reached on the error stack. */
int reactornet_advance(int net, double time);

/** Takes one internal step; returns the new time (s). */
double reactornet_step(int net);

/** The current time (s). */
double reactornet_time(int net);

/** The relative tolerance of the concentrations. */
double reactornet_rtol(int net);

/** The absolute tolerance of the concentrations. */
double reactornet_atol(int net);

/** Normalized sensitivity d ln c / d ln k of species `component` of reactor
 *  `reactor` (its index in the network, from 0) to the rate of reaction
 *  `parameter`, numbered across the network reactor by reactor. 0 where the
 *  concentration is at or below the absolute tolerance. */
double reactornet_sensitivity(int net, const char* component, int parameter, int reactor);

/** Deletes the handle; returns 0. */
int reactornet_del(int net);

/** Number of network handles ever given out, deleted ones included. */
int reactornet_cabinetSize(void);

#ifdef __cplusplus
}
#endif

#endif

/**
 * @file gastransport_capi.h
 * C functions that create hard-sphere gas transport evaluators and set their
 * state. The handles they return are Transport handles: every trans_*
 * function takes them. Failure values are (library error, other error); the
 * reason is on the calling thread's error stack.
 */
#ifndef VELKORA_PLATFORM_TRANSPORT_GASTRANSPORT_CAPI_H
#define VELKORA_PLATFORM_TRANSPORT_GASTRANSPORT_CAPI_H

#ifdef __cplusplus
extern "C" {
#endif

/** Creates an evaluator for a mixture of `n` neutral gas species with molar
 *  masses `molarMass` (kg/mol), collision diameters `diameter` (m) and
 *  constant molar heat capacities `molarCp` (J/mol/K; NULL for 5/2 R, the
 *  value of a monatomic gas). It starts at 300 K, 101325 Pa and equal mole
 *  fractions. Returns the Transport handle. Fails with (-1, -999): `n` below
 *  1, a null array, or a value that is not positive and finite. */
int gastrans_new(int n, const double* molarMass, const double* diameter, const double* molarCp);

/** Sets the temperature (K), pressure (Pa) and the `n` mole fractions `X`
 *  (finite, not negative, summing to 1 within 1e-6); returns 0. Fails with
 *  (-1, -999): a bad value, `n` other than the evaluator's species count, or
 *  a handle that is not a hard-sphere gas. */
int gastrans_setState(int handle, double T, double P, int n, const double* X);

#ifdef __cplusplus
}
#endif

#endif

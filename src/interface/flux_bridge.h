/**
 * @file flux_bridge.h
 * C functions on transport-property evaluators, named by handle. Evaluators
 * are created by other modules (gastrans_new, for one); these functions query
 * them and delete their handles. A failed lookup of a handle (negative, past
 * the last, or deleted) is one of the library's own errors. Functions that
 * return int give -1 for the library's own errors and -999 for anything
 * else; the three property functions give -999.999 for every failure. The
 * reason is on the calling thread's error stack. Array lengths marked "not
 * used" are not checked: arrays must hold what the evaluator writes (one
 * value per species, or leading dimension times species).
 */
#ifndef VELKORA_INTERFACE_FLUX_BRIDGE_H
#define VELKORA_INTERFACE_FLUX_BRIDGE_H

#ifdef __cplusplus
extern "C" {
#endif

/** Copies the name of the evaluator's model into `buf` of `buflen` bytes and
 *  returns the buffer size that holds all of it, whatever `buflen` is. A
 *  negative `buflen` is refused with -1. */
int trans_transportModel(int handle, int buflen, char* buf);

/** Mixture viscosity, Pa s. */
double trans_viscosity(int handle);

/** Mixture thermal conductivity, W/m/K. */
double trans_thermalConductivity(int handle);

/** Electrical conductivity, S/m. */
double trans_electricalConductivity(int handle);

/** Writes the thermal diffusion coefficients (kg/m/s), one per species, into
 *  `dt`; returns 0. `len` is not used. */
int trans_getThermalDiffCoeffs(int handle, int len, double* dt);

/** Writes the mixture-averaged diffusion coefficients (m^2/s), one per
 *  species, into `d`; returns 0. `len` is not used. */
int trans_getMixDiffCoeffs(int handle, int len, double* d);

/** Writes the binary diffusion coefficients (m^2/s), D_ij at d[j*ld + i];
 *  returns 0. A negative `ld` is refused with -1. `len` is not used. */
int trans_getBinaryDiffCoeffs(int handle, int ld, int len, double* d);

/** Writes the multicomponent diffusion coefficients (m^2/s), laid out as for
 *  trans_getBinaryDiffCoeffs; returns 0. A negative `ld` is refused with -1;
 *  a model without them fails with -1. `len` is not used. */
int trans_getMultiDiffCoeffs(int handle, int ld, int len, double* d);

/** Writes the molar fluxes (mol/m^2/s) between the states `state1` and
 *  `state2` (for the hard-sphere gas: mole fractions) a distance `delta` (m)
 *  apart, positive from the first towards the second; returns 0. The three
 *  lengths are not used. */
int trans_getMolarFluxes(int handle, int len1, double* state1, int len2, double* state2, double delta,
                         int lenFluxes, double* fluxes);

/** As trans_getMolarFluxes, for mass fluxes (kg/m^2/s). */
int trans_getMassFluxes(int handle, int len1, double* state1, int len2, double* state2, double delta,
                        int lenFluxes, double* fluxes);

/** Deletes the handle; returns 0. */
int trans_del(int handle);

/** Number of evaluator handles ever given out, deleted ones included. */
int trans_cabinetSize(void);

#ifdef __cplusplus
}
#endif

#endif

/**
 * @file flux_bridge.h
 * C functions on transport-property evaluators, named by handle.
 *
 * Evaluators are created by other modules (gastrans_new, for one); these
 * functions query them and delete their handles. A handle that is negative,
 * past the last one given out, or deleted is refused as one of the library's
 * own errors. Functions that return int give -1 for the library's own errors
 * and -999 for anything else; the three property functions give -999.999 for
 * every failure. The reason is on the calling thread's error stack
 * (app_lastError). Array lengths marked "not used" are not checked: arrays
 * must hold what the evaluator writes (one value per species, or leading
 * dimension times species); a NULL array is refused with -1. A property
 * that is not a finite number is never returned as a success: it fails with
 * -1 or -999.999. SI units throughout.
 */
#ifndef VELKORA_INTERFACE_FLUX_BRIDGE_H
#define VELKORA_INTERFACE_FLUX_BRIDGE_H

#include "velkora/export.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Copies the name of the evaluator's model into a buffer.
 *  @param handle  an evaluator handle
 *  @param buflen  size of `buf` in bytes; 0 writes nothing
 *  @param buf     receives the name, truncated and NUL-terminated; may be
 *                 NULL when `buflen` is 0
 *  @return the buffer size that holds the whole name with its NUL, whatever
 *          `buflen` is; -1 for a bad handle or a negative `buflen`, -999 for
 *          any other failure */
VELKORA_EXPORT int trans_transportModel(int handle, int buflen, char* buf);

/** Mixture viscosity at the evaluator's state.
 *  @param handle  an evaluator handle
 *  @return the viscosity, Pa s; -999.999 for every failure */
VELKORA_EXPORT double trans_viscosity(int handle);

/** Mixture thermal conductivity at the evaluator's state.
 *  @param handle  an evaluator handle
 *  @return the conductivity, W/m/K; -999.999 for every failure */
VELKORA_EXPORT double trans_thermalConductivity(int handle);

/** Electrical conductivity at the evaluator's state.
 *  @param handle  an evaluator handle
 *  @return the conductivity, S/m; -999.999 for every failure */
VELKORA_EXPORT double trans_electricalConductivity(int handle);

/** Writes the thermal diffusion coefficients, one per species.
 *  @param handle  an evaluator handle
 *  @param len     not used
 *  @param dt      receives one value per species, kg/m/s
 *  @return 0; -1 for a bad handle or a model without them, -999 for any
 *          other failure */
VELKORA_EXPORT int trans_getThermalDiffCoeffs(int handle, int len, double* dt);

/** Writes the mixture-averaged diffusion coefficients, one per species.
 *  @param handle  an evaluator handle
 *  @param len     not used
 *  @param d       receives one value per species, m^2/s
 *  @return 0; -1 for a bad handle or a model without them, -999 for any
 *          other failure */
VELKORA_EXPORT int trans_getMixDiffCoeffs(int handle, int len, double* d);

/** Writes the binary diffusion coefficients D_ij at d[j*ld + i].
 *  @param handle  an evaluator handle
 *  @param ld      leading dimension, at least the number of species
 *  @param len     not used
 *  @param d       receives ld times the number of species values, m^2/s
 *  @return 0; -1 for a bad handle or a bad `ld`, -999 for any other failure */
VELKORA_EXPORT int trans_getBinaryDiffCoeffs(int handle, int ld, int len, double* d);

/** Writes the multicomponent diffusion coefficients, laid out as for
 *  trans_getBinaryDiffCoeffs().
 *  @param handle  an evaluator handle
 *  @param ld      leading dimension, at least the number of species
 *  @param len     not used
 *  @param d       receives ld times the number of species values, m^2/s
 *  @return 0; -1 for a bad handle, a bad `ld` or a model without them, -999
 *          for any other failure */
VELKORA_EXPORT int trans_getMultiDiffCoeffs(int handle, int ld, int len, double* d);

/** Writes the molar diffusive fluxes between two states a distance apart,
 *  positive from the first towards the second.
 *  @param handle     an evaluator handle
 *  @param len1       not used
 *  @param state1     the first state (for a gas: its mole fractions, one per
 *                    species)
 *  @param len2       not used
 *  @param state2     the second state, as `state1`
 *  @param delta      the distance between them, m, positive
 *  @param lenFluxes  not used
 *  @param fluxes     receives one flux per species, mol/m^2/s
 *  @return 0; -1 for a bad handle, a bad state or distance, -999 for any
 *          other failure */
VELKORA_EXPORT int trans_getMolarFluxes(int handle, int len1, double* state1, int len2, double* state2, double delta,
                         int lenFluxes, double* fluxes);

/** Writes the mass diffusive fluxes, as trans_getMolarFluxes() does the
 *  molar ones.
 *  @param handle     an evaluator handle
 *  @param len1       not used
 *  @param state1     the first state
 *  @param len2       not used
 *  @param state2     the second state
 *  @param delta      the distance between them, m, positive
 *  @param lenFluxes  not used
 *  @param fluxes     receives one flux per species, kg/m^2/s
 *  @return 0; -1 for a bad handle, a bad state or distance, -999 for any
 *          other failure */
VELKORA_EXPORT int trans_getMassFluxes(int handle, int len1, double* state1, int len2, double* state2, double delta,
                        int lenFluxes, double* fluxes);

/** Deletes an evaluator handle.
 *  @param handle  an evaluator handle
 *  @return 0; -1 for a handle that does not exist or was deleted before,
 *          -999 for any other failure */
VELKORA_EXPORT int trans_del(int handle);

/** Number of evaluator handles ever given out, deleted ones included.
 *  @return the count; -999 if the registry cannot be created (out of memory) */
VELKORA_EXPORT int trans_cabinetSize(void);

#ifdef __cplusplus
}
#endif

#endif

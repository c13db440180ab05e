/**
 * @file gastransport_capi.h
 * C functions that create gas transport evaluators, set their state and name
 * their species. The handles they return are evaluator handles: every trans_*
 * function takes them. Two kinds of evaluator:
 *
 * - the rigid-sphere gas (gastrans_new): a teaching model, quick and crude;
 * - kinetic theory with Lennard-Jones and Stockmayer potentials
 *   (gastrans_newFromSpecies, gastrans_newFromParameters), as combustion codes
 *   use it: models "mixture-averaged" and "multicomponent" (which adds the
 *   multicomponent diffusion coefficients).
 *
 * Each function returns a status value on failure, as its documentation says,
 * and leaves the reason on the calling thread's error stack (app_lastError).
 * Nothing is registered when a creation fails.
 */
#ifndef VELKORA_PLATFORM_TRANSPORT_GASTRANSPORT_CAPI_H
#define VELKORA_PLATFORM_TRANSPORT_GASTRANSPORT_CAPI_H

#include "velkora/export.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Creates an evaluator for a dilute mixture of neutral gas species modelled
 *  as rigid spheres. It starts at 300 K, 101325 Pa and equal mole fractions.
 *  @param n          number of species, at least 1
 *  @param molarMass  `n` molar masses, kg/mol, from 1e-7 to 1e3; not NULL
 *  @param diameter   `n` collision diameters, m, from 1e-12 to 1e-6; not NULL
 *  @param molarCp    `n` constant molar heat capacities, J/mol/K, from 1e-3
 *                    to 1e6; NULL for 5/2 R, the value of a monatomic gas
 *  @return the evaluator handle; -1 for a bad count, a NULL array or a value
 *          outside its range (the model cannot compute with it), -999 for
 *          any other failure */
VELKORA_EXPORT int gastrans_new(int n, const double* molarMass, const double* diameter, const double* molarCp);

/** Creates a kinetic-theory evaluator for species the library has data for
 *  (H2, H, O2, O, OH, H2O, HO2, H2O2, N2, AR or Ar, HE or He, CO, CO2, CH4,
 *  CH3, CH2O, C2H2, C2H4, C2H6, NO, NO2, N2O, NH3). It starts at 300 K,
 *  101325 Pa and equal mole fractions.
 *  @param n        number of species, at least 1
 *  @param species  `n` species names, NUL-terminated, each at most once; not NULL
 *  @param model    "mixture-averaged" or "multicomponent"; not NULL
 *  @return the evaluator handle; -1 for a bad count, a NULL pointer, an
 *          unknown or repeated species or an unknown model (the message names
 *          it), -999 for any other failure */
VELKORA_EXPORT int gastrans_newFromSpecies(int n, const char* const* species, const char* model);

/** Creates a kinetic-theory evaluator from the caller's molecular data, SI
 *  units. Heat capacities: constant when given; otherwise those of rigid
 *  rotors without vibration.
 *  @param n               number of species, at least 1
 *  @param names           `n` species names, NUL-terminated, distinct; not NULL
 *  @param molarMass       `n` molar masses, kg/mol, positive; not NULL
 *  @param geometry        `n` codes: 0 atom, 1 linear, 2 nonlinear; not NULL
 *  @param wellDepth       `n` Lennard-Jones well depths over Boltzmann's
 *                         constant, K, positive; not NULL
 *  @param diameter        `n` Lennard-Jones diameters, m, positive; not NULL
 *  @param dipole          `n` dipole moments, C m, not negative; NULL for none
 *  @param polarizability  `n` polarizabilities, m^3, not negative; NULL for none
 *  @param rotRelax        `n` rotational collision numbers at 298 K, not
 *                         negative; NULL for 1
 *  @param molarCp         `n` constant molar heat capacities, J/mol/K; NULL
 *                         for rigid rotors
 *  @param model           "mixture-averaged" or "multicomponent"; not NULL
 *  @return the evaluator handle; -1 for a bad count, a NULL array that may
 *          not be NULL, a value out of its range (the message names the
 *          species and the field) or an unknown model, -999 for any other
 *          failure */
VELKORA_EXPORT int gastrans_newFromParameters(int n, const char* const* names, const double* molarMass, const int* geometry,
                               const double* wellDepth, const double* diameter, const double* dipole,
                               const double* polarizability, const double* rotRelax, const double* molarCp,
                               const char* model);

/** Sets the state of a gas evaluator: hard-sphere or kinetic theory.
 *  @param handle  an evaluator handle from a gastrans_new* function
 *  @param T       temperature, K: from 1e-2 to 1e6 for the hard-sphere gas,
 *                 from 10 to 1e5 for kinetic theory
 *  @param P       pressure, Pa: from 1e-6 to 1e12 for the hard-sphere gas,
 *                 from 1e-3 to 1e10 for kinetic theory
 *  @param n       number of mole fractions: the evaluator's species count
 *  @param X       `n` mole fractions, finite and not negative; the hard-sphere
 *                 gas needs them to sum to 1 within 1e-6, kinetic theory to a
 *                 positive number (it normalises them); not NULL
 *  @return 0; -1 for a bad value, a wrong `n` or a handle of another kind of
 *          evaluator, -999 for any other failure. A refused state leaves the
 *          evaluator as it was. */
VELKORA_EXPORT int gastrans_setState(int handle, double T, double P, int n, const double* X);

/** Number of species of a gas evaluator.
 *  @param handle  an evaluator handle
 *  @return the count; -1 for a bad handle, -999 for any other failure */
VELKORA_EXPORT int gastrans_nSpecies(int handle);

/** Copies the name of one species of a kinetic-theory evaluator into a buffer.
 *  @param handle  an evaluator handle from gastrans_newFromSpecies() or
 *                 gastrans_newFromParameters()
 *  @param k       species index, from 0
 *  @param buflen  size of `buf` in bytes; 0 writes nothing
 *  @param buf     receives the name, truncated and NUL-terminated; may be
 *                 NULL when `buflen` is 0
 *  @return the buffer size that holds the whole name with its NUL; -1 for a
 *          bad handle, a `k` out of range, a negative `buflen` or an
 *          evaluator without species names (the hard-sphere gas), -999 for
 *          any other failure */
VELKORA_EXPORT int gastrans_speciesName(int handle, int k, int buflen, char* buf);

#ifdef __cplusplus
}
#endif

#endif

/**
 * @file gastransport_capi.h
 * C functions that create hard-sphere gas transport evaluators and set their
 * state. The handles they return are evaluator handles: every trans_*
 * function takes them. Each function returns a status value on failure, as
 * its documentation says, and leaves the reason on the calling thread's error
 * stack (app_lastError).
 */
#ifndef VELKORA_PLATFORM_TRANSPORT_GASTRANSPORT_CAPI_H
#define VELKORA_PLATFORM_TRANSPORT_GASTRANSPORT_CAPI_H

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
int gastrans_new(int n, const double* molarMass, const double* diameter, const double* molarCp);

/** Sets the state of a hard-sphere gas evaluator.
 *  @param handle  an evaluator handle from gastrans_new()
 *  @param T       temperature, K, from 1e-2 to 1e6
 *  @param P       pressure, Pa, from 1e-6 to 1e12
 *  @param n       number of mole fractions: the evaluator's species count
 *  @param X       `n` mole fractions, finite, not negative, summing to 1
 *                 within 1e-6; not NULL
 *  @return 0; -1 for a bad value, a wrong `n` or a handle that is not a
 *          hard-sphere gas, -999 for any other failure */
int gastrans_setState(int handle, double T, double P, int n, const double* X);

#ifdef __cplusplus
}
#endif

#endif

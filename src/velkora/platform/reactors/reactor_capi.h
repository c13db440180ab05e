/**
 * @file reactor_capi.h
 * C functions that build reactors, batch reactors from reactions with
 * constant rate coefficients and ideal-gas reactors of a loaded mechanism,
 * and set or read their state: concentrations (mol/m^3), temperature,
 * pressure, density and fractions.
 *
 * Reactor handles are what reactornet_new() takes. Each function returns a
 * status value on failure, as its documentation says, and leaves the reason
 * on the calling thread's error stack (app_lastError).
 */
#ifndef VELKORA_PLATFORM_REACTORS_REACTOR_CAPI_H
#define VELKORA_PLATFORM_REACTORS_REACTOR_CAPI_H

#include "velkora/export.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Builds a closed, isothermal, constant-volume batch reactor whose species are
 *  those of the given reactions, all at concentration 0. The reactor shares
 *  the reactions: deleting their handles later does not affect it.
 *  @param n          number of reactions, at least 1
 *  @param reactions  `n` reaction handles (from mech_newReaction); not NULL
 *  @return the reactor handle; -1 for no reactions, a NULL array, a bad
 *          handle or a reaction without a rate coefficient, -999 for any
 *          other failure */
VELKORA_EXPORT int reactor_new(int n, const int* reactions);

/** Number of species of a reactor.
 *  @param reactor  a reactor handle
 *  @return the count; -1 for a bad handle, -999 for any other failure */
VELKORA_EXPORT int reactor_nSpecies(int reactor);

/** Copies the name of one species of a reactor into a buffer.
 *  @param reactor  a reactor handle
 *  @param k        species index, from 0, in order of first appearance in
 *                  the reactions
 *  @param buflen   size of `buf` in bytes; 0 writes nothing
 *  @param buf      receives the name, truncated and NUL-terminated; may be
 *                  NULL when `buflen` is 0
 *  @return the buffer size that holds the whole name with its NUL; -1 for a
 *          bad handle, a `k` out of range or a negative `buflen`, -999 for
 *          any other failure */
VELKORA_EXPORT int reactor_speciesName(int reactor, int k, int buflen, char* buf);

/** Sets the concentration of one species of a batch reactor.
 *  @param reactor  a reactor handle
 *  @param species  the species name, NUL-terminated; not NULL
 *  @param value    the concentration, mol/m^3, finite and not negative
 *  @return 0; -1 for a bad handle, an ideal-gas reactor (its composition is
 *          given when it is built), an unknown species, a NULL name or a bad
 *          value, -999 for any other failure */
VELKORA_EXPORT int reactor_setConcentration(int reactor, const char* species, double value);

/** The concentration of one species, mol/m^3.
 *  @param reactor  a reactor handle
 *  @param species  the species name, NUL-terminated; not NULL
 *  @return the concentration; -999.999 for every failure (a bad handle, an
 *          unknown species, a NULL name) */
VELKORA_EXPORT double reactor_concentration(int reactor, const char* species);

/** Builds a closed, adiabatic ideal-gas reactor of a loaded mechanism, with
 *  an energy equation. Its state is the temperature and the mass fractions;
 *  a network's components are named "temperature" and by the species, and
 *  reactornet_sensitivity(net, "temperature", i, r) is d ln T / d ln k_i.
 *  Sensitivities are integrated only after reactor_setSensitivities().
 *  The reactor shares the mechanism: deleting its handle does not affect it.
 *  @param mech         a mechanism handle (mech_load)
 *  @param type         "constant-pressure" (the enthalpy is conserved),
 *                      "constant-volume" (the internal energy is conserved)
 *                      or "constant-temperature"; not NULL
 *  @param T            initial temperature, K, positive and finite
 *  @param P            initial pressure, Pa, positive and finite
 *  @param composition  mole numbers as "H2:1, O2:1, N2:3.76" (normalised;
 *                      species left out are 0); not NULL
 *  @return the reactor handle; -1 for a bad mechanism handle, an unknown
 *          type, a bad T or P, an empty composition or one that names an
 *          unknown species or gives a negative or non-finite amount (the
 *          message names it), -999 for any other failure */
VELKORA_EXPORT int reactor_newIdealGas(int mech, const char* type, double T, double P, const char* composition);

/** The temperature of an ideal-gas reactor, K.
 *  @param reactor  a reactor handle
 *  @return T; -999.999 for every failure (a bad handle, a reactor that is no
 *          ideal-gas reactor) */
VELKORA_EXPORT double reactor_temperature(int reactor);

/** The pressure of an ideal-gas reactor, Pa.
 *  @param reactor  a reactor handle
 *  @return P; -999.999 for every failure, as reactor_temperature() */
VELKORA_EXPORT double reactor_pressure(int reactor);

/** The density of an ideal-gas reactor, kg/m^3.
 *  @param reactor  a reactor handle
 *  @return the density; -999.999 for every failure, as reactor_temperature() */
VELKORA_EXPORT double reactor_density(int reactor);

/** The mole fraction of one species of an ideal-gas reactor.
 *  @param reactor  a reactor handle
 *  @param species  the species name, NUL-terminated; not NULL
 *  @return the mole fraction; -999.999 for every failure (a bad handle, a
 *          reactor that is no ideal-gas reactor, an unknown species, a NULL
 *          name) */
VELKORA_EXPORT double reactor_moleFraction(int reactor, const char* species);

/** The mass fraction of one species of an ideal-gas reactor.
 *  @param reactor  a reactor handle
 *  @param species  the species name, NUL-terminated; not NULL
 *  @return the mass fraction; -999.999 for every failure, as
 *          reactor_moleFraction() */
VELKORA_EXPORT double reactor_massFraction(int reactor, const char* species);

/** Whether a network integrates the sensitivities to an ideal-gas reactor's
 *  rate multipliers (off when built: with hundreds of reactions they would
 *  multiply the cost of an integration). A network that holds the reactor
 *  sets its integrator up again from the current state.
 *  @param reactor  a reactor handle
 *  @param enabled  not 0 to integrate them, 0 not to
 *  @return 0; -1 for a bad handle or a reactor that is no ideal-gas reactor
 *          (batch reactors always have them), -999 for any other failure */
VELKORA_EXPORT int reactor_setSensitivities(int reactor, int enabled);

/** Deletes a reactor handle. A network that holds the reactor keeps it.
 *  @param reactor  a reactor handle
 *  @return 0; -1 for a handle that does not exist or was deleted before,
 *          -999 for any other failure */
VELKORA_EXPORT int reactor_del(int reactor);

/** Number of reactor handles ever given out, deleted ones included.
 *  @return the count; -999 if the registry cannot be created (out of memory) */
VELKORA_EXPORT int reactor_cabinetSize(void);

#ifdef __cplusplus
}
#endif

#endif

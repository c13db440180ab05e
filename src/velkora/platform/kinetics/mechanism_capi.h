/**
 * @file mechanism_capi.h
 * C functions that build reactions from their equations, and that load
 * gas-phase mechanisms in CHEMKIN format and read their species and
 * reactions.
 *
 * Reaction handles (from mech_newReaction() and mech_reaction()) are those
 * of every rxn_* function. Mechanism handles come from mech_load(): 0, 1,
 * 2, ... in order of loading, never reused. Each function returns a status
 * value on failure, as its documentation says, and leaves the reason on the
 * calling thread's error stack (app_lastError). SI units: J/mol, J/mol/K, K.
 */
#ifndef VELKORA_PLATFORM_KINETICS_MECHANISM_CAPI_H
#define VELKORA_PLATFORM_KINETICS_MECHANISM_CAPI_H

#include "velkora/export.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Parses an equation into a mass-action reaction with constant rate
 *  coefficients.
 *
 *  The equation is a reactant side, an arrow ("=>" irreversible, "<=>" or
 *  "=" reversible) and a product side. A side is one or more terms joined by
 *  "+"; a term is a species name with an optional positive coefficient in
 *  front ("2 A", "0.5 O2", "1e-3 X"). A species name starts with a letter and
 *  holds no blanks and none of "+", "<", "=", ">". The term "M", on both
 *  sides and without a coefficient, makes it a three-body reaction; each side
 *  needs at least one species besides it.
 *
 *  @param equation  the equation, NUL-terminated; not NULL
 *  @param forward   forward rate coefficient, finite and not negative, in SI
 *                   units: (m^3/mol)^(order-1)/s, a third body counting in
 *                   the order
 *  @param reverse   reverse rate coefficient, likewise; must be 0 for an
 *                   irreversible reaction
 *  @return the new reaction's handle; -1 for a faulty equation or
 *          coefficient (the message quotes the equation and gives the column
 *          of the fault) or a NULL `equation`, -999 for any other failure */
VELKORA_EXPORT int mech_newReaction(const char* equation, double forward, double reverse);

/** Loads a gas-phase mechanism in CHEMKIN-II format: its elements, species,
 *  thermodynamic data and reactions (modified Arrhenius rates, third bodies
 *  with efficiencies, falloff with Lindemann, Troe and SRI blending,
 *  chemically activated reactions, PLOG, REV, DUPLICATE, FORD and RORD).
 *  Thermo data in the mechanism file's THERMO section take precedence over
 *  the thermo file's. Nothing is registered when the load fails.
 *  @param mechanismFile  path of the mechanism file (chem.inp); not NULL
 *  @param thermoFile     path of the thermo file (therm.dat), or NULL when
 *                        the mechanism file holds all thermo data
 *  @return the mechanism handle; -1 for a file that cannot be read or is
 *          faulty (the message names the file, the line, the column where it
 *          helps, and the fault), -999 for any other failure */
VELKORA_EXPORT int mech_load(const char* mechanismFile, const char* thermoFile);

/** Number of species of a mechanism.
 *  @param mech  a mechanism handle
 *  @return the count; -1 for a bad handle, -999 for any other failure */
VELKORA_EXPORT int mech_nSpecies(int mech);

/** Number of reactions of a mechanism.
 *  @param mech  a mechanism handle
 *  @return the count; -1 for a bad handle, -999 for any other failure */
VELKORA_EXPORT int mech_nReactions(int mech);

/** Copies the name of one species into a buffer.
 *  @param mech    a mechanism handle
 *  @param k       species index, from 0, in the order the mechanism declares
 *  @param buflen  size of `buf` in bytes; 0 writes nothing
 *  @param buf     receives the name, truncated and NUL-terminated; may be
 *                 NULL when `buflen` is 0
 *  @return the buffer size that holds the whole name with its NUL; -1 for a
 *          bad handle, a `k` out of range or a negative `buflen`, -999 for
 *          any other failure */
VELKORA_EXPORT int mech_speciesName(int mech, int k, int buflen, char* buf);

/** The index of a species.
 *  @param mech  a mechanism handle
 *  @param name  the species name, NUL-terminated, matched exactly; not NULL
 *  @return the index, from 0; -1 for a bad handle, an unknown species or a
 *          NULL name, -999 for any other failure */
VELKORA_EXPORT int mech_speciesIndex(int mech, const char* name);

/** The standard-state molar heat capacity of a species at 1 atm.
 *  @param mech  a mechanism handle
 *  @param k     species index, from 0
 *  @param T     temperature, K, within the species' data range
 *  @return cp, J/mol/K; -999.999 for every failure (a bad handle, a `k` out
 *          of range, a temperature outside the species' data range) */
VELKORA_EXPORT double mech_speciesCp(int mech, int k, double T);

/** The standard-state molar enthalpy of a species (the enthalpy of
 *  formation at 298.15 K included, as the data give it).
 *  @param mech  a mechanism handle
 *  @param k     species index, from 0
 *  @param T     temperature, K, within the species' data range
 *  @return h, J/mol; -999.999 for every failure, as mech_speciesCp() */
VELKORA_EXPORT double mech_speciesEnthalpy(int mech, int k, double T);

/** The standard-state molar entropy of a species at 1 atm.
 *  @param mech  a mechanism handle
 *  @param k     species index, from 0
 *  @param T     temperature, K, within the species' data range
 *  @return s, J/mol/K; -999.999 for every failure, as mech_speciesCp() */
VELKORA_EXPORT double mech_speciesEntropy(int mech, int k, double T);

/** A reaction handle for one reaction of a mechanism: the record is shared,
 *  so rxn_equation(), rxn_type() and the other rxn_* functions read it, and
 *  it lives on after mech_del(). Each call gives a new handle.
 *  @param mech  a mechanism handle
 *  @param i     reaction index, from 0, in the order of the file
 *  @return the reaction handle; -1 for a bad handle or an `i` out of range,
 *          -999 for any other failure */
VELKORA_EXPORT int mech_reaction(int mech, int i);

/** Deletes a mechanism handle. Reactions and reactors taken from it keep
 *  what they share of it.
 *  @param mech  a mechanism handle
 *  @return 0; -1 for a handle that does not exist or was deleted before,
 *          -999 for any other failure */
VELKORA_EXPORT int mech_del(int mech);

/** Number of mechanism handles ever given out, deleted ones included.
 *  @return the count; -999 if the registry cannot be created (out of
 *          memory) */
VELKORA_EXPORT int mech_cabinetSize(void);

#ifdef __cplusplus
}
#endif

#endif

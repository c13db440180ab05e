/**
 * @file reactor_capi.h
 * C functions that build reactors from reactions and set or read the
 * concentrations of their species (mol/m^3).
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

/** Builds a closed, isothermal, constant-volume reactor whose species are
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

/** Sets the concentration of one species.
 *  @param reactor  a reactor handle
 *  @param species  the species name, NUL-terminated; not NULL
 *  @param value    the concentration, mol/m^3, finite and not negative
 *  @return 0; -1 for a bad handle, an unknown species, a NULL name or a bad
 *          value, -999 for any other failure */
VELKORA_EXPORT int reactor_setConcentration(int reactor, const char* species, double value);

/** The concentration of one species, mol/m^3.
 *  @param reactor  a reactor handle
 *  @param species  the species name, NUL-terminated; not NULL
 *  @return the concentration; -999.999 for every failure (a bad handle, an
 *          unknown species, a NULL name) */
VELKORA_EXPORT double reactor_concentration(int reactor, const char* species);

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

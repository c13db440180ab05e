/**
 * @file reactor_capi.h
 * C functions that build reactors from reactions and set or read their
 * species' concentrations (mol/m^3). Reactor handles are what
 * reactornet_new() takes. Failure values are (library error, other error);
 * the reason is on the calling thread's error stack.
 */
#ifndef VELKORA_PLATFORM_REACTORS_REACTOR_CAPI_H
#define VELKORA_PLATFORM_REACTORS_REACTOR_CAPI_H

#ifdef __cplusplus
extern "C" {
#endif

/** Builds a closed, isothermal, constant-volume reactor whose species are
 *  those of the `n` reactions (Reaction handles, e.g. from
 *  mech_newReaction), all at concentration 0. The reactor shares the
 *  reactions: deleting their handles later does not affect it. Returns the
 *  reactor handle. Fails with (-1, -999): no reactions, a null array, a bad
 *  handle, or a reaction without a rate coefficient. */
int reactor_new(int n, const int* reactions);

/** Number of species of the reactor. Fails with (-1, -999). */
int reactor_nSpecies(int reactor);

/** Copies the name of species `k` (from 0, in order of first appearance in
 *  the reactions) into `buf` of `buflen` bytes; returns the buffer size that
 *  holds all of it. Fails with (-1, -999). */
int reactor_speciesName(int reactor, int k, int buflen, char* buf);

/** Sets the concentration of `species`; returns 0. Fails with (-1, -999): an
 *  unknown species, or a value that is negative or not finite. */
int reactor_setConcentration(int reactor, const char* species, double value);

/** The concentration of `species`, or -999.999 on failure. */
double reactor_concentration(int reactor, const char* species);

/** Deletes the handle; returns 0. A network that holds the reactor keeps it.
 *  Fails with (-1, -999). */
int reactor_del(int reactor);

/** Number of reactor handles ever given out. Fails with (-1, -999). */
int reactor_cabinetSize(void);

#ifdef __cplusplus
}
#endif

#endif

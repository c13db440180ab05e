/**
 * @file stoich_bridge.h
 * C functions on reactions, named by handle.
 *
 * Handles come from rxn_new() or mech_newReaction(): 0, 1, 2, ... in order of
 * creation, never reused. A handle that is negative, past the last one given
 * out, or deleted is refused as one of the library's own errors. Each
 * function returns a status value on failure, as its documentation says, and
 * leaves the reason on the calling thread's error stack (app_lastError).
 * Functions that return text copy it into the caller's buffer and return the
 * buffer size that holds all of it, so a caller can ask with a length of 0
 * first and call again with a buffer that size.
 */
#ifndef VELKORA_INTERFACE_STOICH_BRIDGE_H
#define VELKORA_INTERFACE_STOICH_BRIDGE_H

#include "velkora/export.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Creates a reaction in the default state: no species, no rate, valid, no
 *  third body, an empty identifier, non-reactant orders not allowed.
 *  @return the new handle (0 or more); -1 for a library error, -999 for any
 *          other failure (out of memory) */
VELKORA_EXPORT int rxn_new(void);

/** Copies the reaction's equation into a buffer ("A + B => C"; "<=>" for a
 *  reaction in the default state).
 *  @param handle  a reaction handle
 *  @param buflen  size of `buf` in bytes; 0 writes nothing
 *  @param buf     receives the text, truncated to `buflen` - 1 characters and
 *                 NUL-terminated; may be NULL when `buflen` is 0
 *  @return the buffer size that holds the whole equation with its NUL,
 *          whatever `buflen` is; -1 for a bad handle or a negative `buflen`,
 *          -999 for any other failure */
VELKORA_EXPORT int rxn_equation(int handle, int buflen, char* buf);

/** Copies the reaction's type, "mass-action" or "three-body", into a buffer.
 *  @param handle  a reaction handle
 *  @param buflen  size of `buf` in bytes; 0 writes nothing
 *  @param buf     receives the text as for rxn_equation()
 *  @return the buffer size that holds the whole text with its NUL; -1 for a
 *          bad handle or a negative `buflen`, -999 for any other failure */
VELKORA_EXPORT int rxn_type(int handle, int buflen, char* buf);

/** Copies the reaction's identifier into a buffer.
 *  @param handle  a reaction handle
 *  @param buflen  size of `buf` in bytes; 0 writes nothing
 *  @param buf     receives the text as for rxn_equation()
 *  @return the buffer size that holds the whole identifier with its NUL (1
 *          for an empty one); -1 for a bad handle or a negative `buflen`,
 *          -999 for any other failure */
VELKORA_EXPORT int rxn_id(int handle, int buflen, char* buf);

/** Replaces the reaction's identifier with a copy of a text.
 *  @param handle  a reaction handle
 *  @param id      the new identifier, NUL-terminated; not NULL
 *  @return 0; -999 for every failure, a bad handle and a NULL `id` included */
VELKORA_EXPORT int rxn_setId(int handle, const char* id);

/** Tells whether the reaction has a third body ("+ M").
 *  @param handle  a reaction handle
 *  @return 1 or 0; -1 for a bad handle, -999 for any other failure */
VELKORA_EXPORT int rxn_usesThirdBody(int handle);

/** Tells whether the reaction is marked valid.
 *  @param handle  a reaction handle
 *  @return 1 or 0; -1 for a bad handle, -999 for any other failure. A
 *          result other than 0 or 1 is a failure, not a truth value. */
VELKORA_EXPORT int rxn_valid(int handle);

/** Tells whether species other than the reactants may have reaction orders.
 *  @param handle  a reaction handle
 *  @return 1 or 0; -1 for a bad handle, -999 for any other failure */
VELKORA_EXPORT int rxn_allowNonreactantOrders(int handle);

/** Allows or forbids reaction orders for species other than the reactants.
 *  @param handle  a reaction handle
 *  @param allow   not 0 to allow, 0 to forbid
 *  @return 0; -999 for every failure, a bad handle included */
VELKORA_EXPORT int rxn_setAllowNonreactantOrders(int handle, int allow);

/** Deletes a reaction handle. The reaction lives on while a reactor uses it.
 *  @param handle  a reaction handle
 *  @return 0; -1 for a handle that does not exist or was deleted before,
 *          -999 for any other failure */
VELKORA_EXPORT int rxn_del(int handle);

/** Number of reaction handles ever given out, deleted ones included.
 *  @return the count; -999 if the registry cannot be created (out of memory) */
VELKORA_EXPORT int rxn_cabinetSize(void);

#ifdef __cplusplus
}
#endif

#endif

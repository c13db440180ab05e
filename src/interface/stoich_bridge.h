/**
 * @file stoich_bridge.h
 * C functions on reactions, named by handle. A failed lookup of a handle
 * (negative, past the last, or deleted) is one of the library's own errors.
 * Each function's failure values are given as (library error, other error);
 * the reason is on the calling thread's error stack.
 */
#ifndef VELKORA_INTERFACE_STOICH_BRIDGE_H
#define VELKORA_INTERFACE_STOICH_BRIDGE_H

#ifdef __cplusplus
extern "C" {
#endif

/** Creates a reaction in the default state (no species, no rate, valid, no
 *  third body, empty identifier) and returns its handle: 0, 1, 2, ... in
 *  order of creation, never reused. Fails with (-1, -999). */
int rxn_new(void);

/** Copies the reaction's equation (for a default reaction "<=>") into `buf`
 *  of `buflen` bytes and returns the buffer size that holds it all, NUL
 *  included, whatever `buflen` is. Fails with (-1, -999); a negative
 *  `buflen` is refused with -1. */
int rxn_equation(int handle, int buflen, char* buf);

/** Copies the reaction's type ("mass-action" or "three-body") as rxn_equation
 *  does. Fails with (-1, -999). */
int rxn_type(int handle, int buflen, char* buf);

/** Copies the reaction's identifier as rxn_equation does. Fails with (-1, -999). */
int rxn_id(int handle, int buflen, char* buf);

/** Replaces the identifier with a copy of the NUL-terminated `id`; returns 0.
 *  Fails with (-999, -999), a bad handle and a null `id` included. */
int rxn_setId(int handle, const char* id);

/** 1 if the reaction has a third body, else 0. Fails with (-1, -999). */
int rxn_usesThirdBody(int handle);

/** 1 if the reaction is marked valid, else 0. Fails with (-1, -999): a result
 *  other than 0 or 1 is a failure, not a truth value. */
int rxn_valid(int handle);

/** 1 if species other than reactants may have reaction orders, else 0.
 *  Fails with (-1, -999). */
int rxn_allowNonreactantOrders(int handle);

/** Allows non-reactant orders when `allow` is not 0, forbids them when it is
 *  0; returns 0. Fails with (-999, -999), a bad handle included. */
int rxn_setAllowNonreactantOrders(int handle, int allow);

/** Deletes the handle; returns 0. The reaction lives on while a reactor uses
 *  it. Fails with (-1, -999), a handle deleted before included. */
int rxn_del(int handle);

/** Number of reaction handles ever given out, deleted ones included.
 *  Fails with (-1, -999). */
int rxn_cabinetSize(void);

#ifdef __cplusplus
}
#endif

#endif

/**
 * @file mechanism_capi.h
 * C functions that build reactions from their equations. The handles they
 * return are reaction handles: every rxn_* function and reactor_new() take
 * them.
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
 *  The equation is a reactant side, an arrow ("=>" irreversible, "<=>"
 *  reversible) and a product side. A side is one or more terms joined by
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

#ifdef __cplusplus
}
#endif

#endif

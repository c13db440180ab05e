/**
 * @file mechanism_capi.h
 * C functions that build reactions from their equations. The handles they
 * return are Reaction handles: every rxn_* function takes them.
 */
#ifndef VELKORA_PLATFORM_KINETICS_MECHANISM_CAPI_H
#define VELKORA_PLATFORM_KINETICS_MECHANISM_CAPI_H

#ifdef __cplusplus
extern "C" {
#endif

/** Parses `equation` ("A + B => C", "2 A <=> B", "2 H + M <=> H2 + M") into a
 *  mass-action reaction with forward rate coefficient `forward` and reverse
 *  coefficient `reverse` (SI units: (m^3/mol)^(order-1)/s, a third body
 *  counting in the order; `reverse` must be 0 for an irreversible reaction).
 *  Returns the new reaction's handle, or -1 when the equation or a
 *  coefficient is faulty (the error stack names the column of the fault),
 *  -999 for other failures. */
int mech_newReaction(const char* equation, double forward, double reverse);

#ifdef __cplusplus
}
#endif

#endif

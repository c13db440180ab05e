//! @file parseReaction.h
//! Builds reactions from their equations.
#ifndef VELKORA_PLATFORM_KINETICS_PARSEREACTION_H
#define VELKORA_PLATFORM_KINETICS_PARSEREACTION_H

#include <memory>
#include <string>

#include "velkora/platform/kinetics/Reaction.h"

namespace Velkora
{

//! Builds a mass-action reaction from `equation` with the forward rate
//! coefficient `forward` and, for a reversible reaction, the reverse
//! coefficient `reverse` (SI units, see ConstantRate).
//!
//! The equation is a reactant side, an arrow ("=>" irreversible, "<=>" or
//! "=" reversible) and a product side. A side is one or more terms joined by
//! "+"; a term is a species name with an optional positive coefficient in
//! front ("2 A", "0.5 O2", "2A", "1e-3 X", "1E+20 Y"): digits with at most one
//! decimal point, then an optional exponent. A species name starts with a
//! letter and holds no blanks and none of "+", "<", "=", ">". The term "M", on
//! both sides and without a coefficient, makes the reaction a three-body one;
//! each side needs at least one species besides it. Blanks between the parts
//! are free. A species on one side twice adds up. Every equation that
//! Reaction::equation() writes parses back to the same reaction.
//!
//! The forward orders are the reactant coefficients. A faulty equation or
//! coefficient raises a VelkoraError that quotes the equation and gives the
//! column (from 1) of the fault.
std::shared_ptr<Reaction> parseReaction(const std::string& equation, double forward,
                                        double reverse = 0.0);

} // namespace Velkora

#endif

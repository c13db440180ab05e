//! @file Reaction.h
//! A chemical reaction: what reacts, what it gives, how fast.
#ifndef VELKORA_PLATFORM_KINETICS_REACTION_H
#define VELKORA_PLATFORM_KINETICS_REACTION_H

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "velkora/platform/kinetics/AnyMap.h"
#include "velkora/platform/kinetics/ReactionRate.h"
#include "velkora/platform/kinetics/ThirdBody.h"
#include "velkora/platform/kinetics/Units.h"

namespace Velkora
{

//! Species names to numbers (stoichiometric coefficients or orders).
using Composition = std::map<std::string, double>;

//! A reaction as a plain record. parseReaction() (platform/parseReaction.h)
//! builds one from its equation with constant rate coefficients, the
//! mechanism readers (platform/input) with the rates of a mechanism; a
//! default-constructed reaction has empty sides, no rate and no third body.
//!
//! The members are public, in this order, and the construction and
//! destruction are inline, so that every module builds the same record.
class Reaction
{
public:
    Reaction() {}
    virtual ~Reaction() {}

    //! The equation: each side's species in alphabetical order joined by
    //! " + ", a coefficient other than 1 before its species ("2 A + B"), "+ M"
    //! last on both sides with a third body, and "=>" (irreversible) or "<=>"
    //! (reversible) between the sides, one space either way. The third body
    //! of a falloff reaction follows its side after a blank, in parentheses:
    //! "H + O2 (+M) <=> HO2 (+M)", "(+N2)" for a named collider. An empty
    //! side is written as nothing, so a default reaction gives "<=>".
    std::string equation() const;

    //! The rate's kind (ReactionRate::type(): "mass-action", "elementary",
    //! "falloff", "chemically-activated", "pressure-dependent-Arrhenius"),
    //! except that a mass-action or elementary reaction with a third body is
    //! "three-body". A reaction without a rate is "three-body" with a third
    //! body and "mass-action" otherwise (a default reaction included).
    std::string type() const;

    Composition m_reactants;   //!< reactant stoichiometric coefficients
    Composition m_products;    //!< product stoichiometric coefficients
    Composition m_orders;      //!< forward reaction orders, by species
    std::string m_id;          //!< the caller's identifier; empty by default
    bool m_reversible = true;  //!< "<=>" rather than "=>"
    bool m_reservedFlag2 = false;
    bool m_allowNonreactantOrders = false; //!< may species other than reactants have orders
    bool m_reservedFlag3 = false;
    AnyMap m_input;            //!< the input it was built from ("equation", "rate-coefficient")
    Units m_rateUnits{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}; //!< units of the rate coefficients
    bool m_valid = true;       //!< false marks a reaction that must not be used
    bool m_reservedFlag4 = false;
    bool m_reservedFlag5 = false;
    std::shared_ptr<ReactionRate> m_rate;      //!< the rate (ConstantRate, GasRate); null by default
    std::shared_ptr<ThirdBody> m_thirdBody;    //!< collision partner "M" or "(+M)"; null if none
    //! Callables to run when the reaction is set up again, keyed by their owner.
    std::map<void*, std::function<void()>> m_setupCallbacks;
};

} // namespace Velkora

#endif

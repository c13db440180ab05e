//! @file ReactionRate.h
//! The rate objects a Reaction points to.
#ifndef VELKORA_PLATFORM_KINETICS_REACTIONRATE_H
#define VELKORA_PLATFORM_KINETICS_REACTIONRATE_H

#include <string>

namespace Velkora
{

//! Base of every rate of the library: constant coefficients
//! (ConstantRate) and the temperature- and pressure-dependent rates of
//! gas-phase mechanisms (GasRate).
class ReactionRate
{
public:
    virtual ~ReactionRate() {}
    //! The kind of rate, which Reaction::type() reports: "mass-action",
    //! "elementary", "falloff", "chemically-activated" or
    //! "pressure-dependent-Arrhenius".
    virtual std::string type() const = 0;
};

} // namespace Velkora

#endif

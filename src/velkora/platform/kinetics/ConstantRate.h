//! @file ConstantRate.h
//! A rate coefficient that does not depend on the state.
#ifndef VELKORA_PLATFORM_KINETICS_CONSTANTRATE_H
#define VELKORA_PLATFORM_KINETICS_CONSTANTRATE_H

#include "velkora/platform/kinetics/ReactionRate.h"

namespace Velkora
{

//! Forward and reverse rate coefficients of a mass-action reaction, in SI
//! units: (m^3/mol)^(order-1)/s, the order counting a third body. The
//! reverse coefficient is 0 for an irreversible reaction.
struct ConstantRate : public ReactionRate
{
    std::string type() const override { return "mass-action"; }

    double m_forward = 0.0;
    double m_reverse = 0.0;
};

} // namespace Velkora

#endif

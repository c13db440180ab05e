//! @file GasRate.h
//! The rates of gas-phase mechanisms: modified Arrhenius, falloff and
//! chemically activated, and pressure-dependent Arrhenius (PLOG) rates.
#ifndef VELKORA_PLATFORM_KINETICS_GASRATE_H
#define VELKORA_PLATFORM_KINETICS_GASRATE_H

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "velkora/platform/kinetics/ReactionRate.h"

namespace Velkora
{

//! k = A T^b exp(-Ea / RT), SI units: A in (m^3/mol)^(order-1)/s, the
//! activation energy as Ea/R in K.
struct Arrhenius
{
    double A = 0.0;
    double b = 0.0;
    double Ea_R = 0.0;
    double operator()(double T) const;
};

//! The rate of a reaction of a mechanism, one of:
//! - Elementary: k = the Arrhenius expression (times [M] when the reaction
//!   has a third body "+ M", a "three-body" reaction);
//! - Falloff: k = k_inf Pr / (1 + Pr) F, Pr = k0 [M] / k_inf, with k_inf the
//!   Arrhenius expression and k0 `low` (CHEMKIN's LOW);
//! - ChemicallyActivated: k = k0 / (1 + Pr) F, with k0 the Arrhenius
//!   expression and k_inf `high` (CHEMKIN's HIGH);
//! - Plog: ln k interpolated linearly in ln P between the expressions
//!   given at pressures (CHEMKIN's PLOG; several at one pressure add up),
//!   the nearest one outside their range.
//! F is 1 (Lindemann), Troe's form (3 or 4 parameters: alpha, T***, T*,
//! T**) or the SRI form (3 or 5: a, b, c, d, e). [M] is the reaction's
//! third-body concentration (Reaction::m_thirdBody).
//!
//! The reverse rate comes from the equilibrium constant unless `hasReverse`
//! (CHEMKIN's REV) gives its own Arrhenius expression; `reverseOrders`
//! (RORD) replaces the product coefficients as reverse orders where given.
class GasRate : public ReactionRate
{
public:
    enum Kind { Elementary, Falloff, ChemicallyActivated, Plog };
    enum Blending { Lindemann, Troe, Sri };

    std::string type() const override;

    Kind kind = Elementary;
    Arrhenius rate;                 //!< k, or k_inf of a falloff, or k0 of a chemically activated reaction
    Arrhenius low;                  //!< k0 of a falloff reaction
    Arrhenius high;                 //!< k_inf of a chemically activated reaction
    Blending blending = Lindemann;
    std::vector<double> parameters; //!< Troe's or SRI's parameters, as given
    std::vector<std::pair<double, Arrhenius>> plog; //!< pressure (Pa) and expression, pressures rising
    bool hasReverse = false;
    Arrhenius reverse;
    std::map<std::string, double> reverseOrders;
    bool duplicate = false;         //!< marked DUPLICATE
};

} // namespace Velkora

#endif

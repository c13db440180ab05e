#include "velkora/platform/kinetics/GasRate.h"

#include <cmath>

namespace Velkora
{

double Arrhenius::operator()(double T) const
{
    return A * std::exp(b * std::log(T) - Ea_R / T);
}

std::string GasRate::type() const
{
    switch (kind) {
    case Falloff:
        return "falloff";
    case ChemicallyActivated:
        return "chemically-activated";
    case Plog:
        return "pressure-dependent-Arrhenius";
    default:
        return "elementary";
    }
}

} // namespace Velkora

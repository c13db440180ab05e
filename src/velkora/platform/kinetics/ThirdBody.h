//! @file ThirdBody.h
//! The collision partner of a three-body or falloff reaction.
#ifndef VELKORA_PLATFORM_KINETICS_THIRDBODY_H
#define VELKORA_PLATFORM_KINETICS_THIRDBODY_H

#include <map>
#include <string>

namespace Velkora
{

//! A third body takes part in a collision without being changed by it. Its
//! concentration is [M] = sum_k e_k [k], with e_k the efficiency of species
//! k: `m_efficiencies` where given, `m_defaultEfficiency` otherwise (1; 0
//! for a named collider, which is then the one species counted). With no
//! efficiencies every species counts once: [M] is the total concentration.
struct ThirdBody
{
    //! "M", or the species named as the collider ("(+N2)").
    std::string m_name = "M";
    std::map<std::string, double> m_efficiencies;
    double m_defaultEfficiency = 1.0;
    //! Written "(+M)" in the equation: the third body of a falloff or
    //! chemically activated reaction, rather than a term "+ M".
    bool m_inParentheses = false;

    //! The efficiency of `species`.
    double efficiency(const std::string& species) const
    {
        auto it = m_efficiencies.find(species);
        return it == m_efficiencies.end() ? m_defaultEfficiency : it->second;
    }
};

} // namespace Velkora

#endif

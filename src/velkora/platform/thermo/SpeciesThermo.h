//! @file SpeciesThermo.h
//! The NASA polynomials of all species of a set, evaluated together.
#ifndef VELKORA_PLATFORM_THERMO_SPECIESTHERMO_H
#define VELKORA_PLATFORM_THERMO_SPECIESTHERMO_H

#include <cstddef>
#include <vector>

#include "velkora/platform/thermo/Species.h"

namespace Velkora
{

//! The standard-state properties of every species at one temperature,
//! nondimensional: cp/R, h/RT and g/RT (s/R = h/RT - g/RT). Computed once
//! per state by SpeciesThermo::update() and handed to whatever needs them
//! (the kinetics, a reactor's energy equation).
struct SpeciesThermoState
{
    double T = -1.0; //!< where the values were computed; -1 before the first update
    std::vector<double> cp_R, h_RT, g_RT;
};

//! The NASA polynomials (NasaPolynomial) of a species set, the coefficients
//! stored by coefficient, range and species (structure of arrays), so that
//! the properties of all species at a temperature come from one
//! branch-free loop. Read-only after construction: one table serves any
//! number of evaluations at once.
class SpeciesThermo
{
public:
    explicit SpeciesThermo(const SpeciesSet& species);

    size_t nSpecies() const { return m_n; }

    //! cp/R, h/RT and g/RT of every species at T, into arrays of nSpecies()
    //! values.
    void evaluate(double T, double* cp_R, double* h_RT, double* g_RT) const;
    //! g/RT alone.
    void gibbs_RT(double T, double* g_RT) const;
    //! Fills `state` at T, unless it holds T already.
    void update(double T, SpeciesThermoState& state) const;

private:
    size_t m_n = 0;
    std::vector<double> m_tMid;
    double m_minMid = 0.0, m_maxMid = 0.0; //!< below and from these, every species is on one side
    //! Row r of the lower range's table for species k at m_low[r * n + k]
    //! (the coefficients, and those divided by the constants of h/RT and
    //! g/RT); the same for the upper range.
    std::vector<double> m_low, m_high;
};

} // namespace Velkora

#endif

//! @file IdealGasMixture.h
//! The state of an ideal-gas mixture and its thermodynamic properties.
#ifndef VELKORA_PLATFORM_THERMO_IDEALGASMIXTURE_H
#define VELKORA_PLATFORM_THERMO_IDEALGASMIXTURE_H

#include <memory>
#include <vector>

#include "velkora/platform/thermo/Species.h"
#include "velkora/platform/thermo/SpeciesThermo.h"

namespace Velkora
{

//! A mixture of the species of a SpeciesSet as an ideal gas: P = rho R T / M.
//! Its state is the temperature (K), the pressure (Pa) and the composition
//! (mole and mass fractions, kept consistent); the density follows. SI units
//! throughout: molar properties per mol (J/mol, J/mol/K), specific ones per
//! kg. The standard state is the pure gas at 1 atm. Starts at 300 K, 1 atm,
//! pure first species. The species' properties at the mixture's temperature
//! are computed once per temperature, from `thermo` when given (a
//! mechanism's table, shared), from a table of the mixture's own otherwise.
class IdealGasMixture
{
public:
    explicit IdealGasMixture(std::shared_ptr<const SpeciesSet> species,
                             std::shared_ptr<const SpeciesThermo> thermo = nullptr);

    const SpeciesSet& speciesSet() const { return *m_species; }
    size_t nSpecies() const { return m_species->nSpecies(); }

    //! Temperature, pressure and mole fractions (normalised). Throws for a
    //! temperature or pressure that is not positive and finite, and for
    //! fractions that are negative, not finite or sum to zero; a refused
    //! state leaves the mixture as it was.
    void setState_TPX(double T, double P, const double* X);
    //! The same with mass fractions.
    void setState_TPY(double T, double P, const double* Y);
    //! Temperature, density (kg/m^3) and mass fractions.
    void setState_TRY(double T, double rho, const double* Y);

    double temperature() const { return m_T; }
    double pressure() const { return m_P; }
    //! kg/m^3.
    double density() const { return m_P * m_meanMass / (gasConstant() * m_T); }
    //! mol/m^3.
    double molarDensity() const { return m_P / (gasConstant() * m_T); }
    //! kg/mol.
    double meanMolarMass() const { return m_meanMass; }
    const std::vector<double>& moleFractions() const { return m_X; }
    const std::vector<double>& massFractions() const { return m_Y; }
    //! Molar concentrations, mol/m^3, into `c` (nSpecies() values).
    void getConcentrations(double* c) const;

    //! Standard-state properties of every species at the mixture's
    //! temperature, nondimensional, into `out` (nSpecies() values).
    void getCp_R(double* out) const;
    void getEnthalpy_RT(double* out) const;
    void getEntropy_R(double* out) const;
    void getGibbs_RT(double* out) const;

    //! Mixture properties per mol.
    double cpMole() const;
    double cvMole() const;
    double enthalpyMole() const;
    double intEnergyMole() const;
    //! With the entropy of mixing and of the pressure: sum X_k (s_k - R ln
    //! X_k - R ln(P / 1 atm)).
    double entropyMole() const;
    double gibbsMole() const;
    //! The same per kg.
    double cpMass() const { return cpMole() / m_meanMass; }
    double cvMass() const { return cvMole() / m_meanMass; }
    double enthalpyMass() const { return enthalpyMole() / m_meanMass; }
    double intEnergyMass() const { return intEnergyMole() / m_meanMass; }
    double entropyMass() const { return entropyMole() / m_meanMass; }
    double gibbsMass() const { return gibbsMole() / m_meanMass; }

private:
    static double gasConstant();
    //! Checks fractions and puts them, normalised, into m_work.
    void normalise(const char* procedure, const double* f);
    void setTemperature(double T);
    //! Takes the normalised mass fractions of m_work, and the mole fractions
    //! and mean molar mass from them.
    void takeMassFractions();
    void updateThermo() const;

    std::shared_ptr<const SpeciesSet> m_species;
    std::shared_ptr<const SpeciesThermo> m_thermo;
    double m_T = 300.0;
    double m_P = 101325.0;
    double m_meanMass = 0.0;
    std::vector<double> m_X, m_Y;
    std::vector<double> m_work; //!< fractions being set, swapped in: no allocation per state
    mutable SpeciesThermoState m_state; //!< the species' properties at m_T, once asked for
};

} // namespace Velkora

#endif

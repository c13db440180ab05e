//! @file HardSphereGas.h
//! Transport properties of a dilute mixture of neutral hard-sphere molecules.
#ifndef VELKORA_PLATFORM_TRANSPORT_HARDSPHEREGAS_H
#define VELKORA_PLATFORM_TRANSPORT_HARDSPHEREGAS_H

#include <vector>

#include "velkora/platform/transport/GasMixtureTransport.h"

namespace Velkora
{

//! Kinetic theory of rigid spheres, first Chapman-Enskog approximation. Each
//! species has a molar mass M_k (kg/mol), a collision diameter s_k (m) and a
//! constant molar heat capacity cp_k (J/mol/K).
//!
//! - Pure viscosity: mu_k = (5/16) sqrt(pi m_k kB T) / (pi s_k^2), m_k = M_k / NA.
//!   Mixture: Wilke's rule, mu = sum_k X_k mu_k / sum_j X_j Phi_kj, with
//!   Phi_kj = [1 + (mu_k/mu_j)^(1/2) (M_j/M_k)^(1/4)]^2 / sqrt(8 (1 + M_k/M_j)).
//! - Pure conductivity: the Eucken relation lambda_k = (mu_k / M_k)(cp_k + 5/4 R),
//!   exact for monatomic gases (cp = 5/2 R). Mixture: the Wassiljewa equation
//!   with the Mason-Saxena coefficients, lambda = sum_k X_k lambda_k / sum_j X_j Phi_kj,
//!   Phi as for the viscosity.
//! - Binary diffusion: D_ij = (3/16) sqrt(2 pi kB T / m_ij) / (n pi s_ij^2), with
//!   m_ij = m_i m_j / (m_i + m_j), s_ij = (s_i + s_j)/2 and n = P / (kB T).
//! - Mixture-averaged diffusion: D_km = (1 - Y_k) / sum_{j != k} X_j / D_kj; for a
//!   pure species (the sum 0) the self-diffusion coefficient D_kk.
//! - Multicomponent diffusion coefficients are not provided (VelkoraError).
//! - Thermal diffusion is zero in this model; so is the electrical
//!   conductivity of a neutral gas.
//! - Fluxes between two states of mole fractions X1 and X2 (at the
//!   evaluator's T and P) a distance delta apart: Fick's law with the
//!   mixture-averaged coefficients at the mean composition,
//!   J_k = -c D_km (X2_k - X1_k) / delta, c = P / (R T), then the mass fluxes
//!   M_k J_k are corrected by -Y_k times their sum so that they add up to 0.
//!
//! Accepted ranges, within which every formula stays finite: molar masses
//! 1e-7 to 1e3 kg/mol, diameters 1e-12 to 1e-6 m, heat capacities 1e-3 to
//! 1e6 J/mol/K, temperatures 1e-2 to 1e6 K, pressures 1e-6 to 1e12 Pa. Mole
//! fractions must be finite, not negative, and sum to 1 within 1e-6.
class HardSphereGas : public GasMixtureTransport
{
public:
    //! Throws for no species or a mass, diameter or heat capacity outside its
    //! range. Starts at 300 K, 101325 Pa, equal mole fractions.
    HardSphereGas(const std::vector<double>& molarMass, const std::vector<double>& diameter,
                  const std::vector<double>& molarCp);

    size_t nSpecies() const override { return m_molarMass.size(); }
    double molarMass(size_t k) const override { return m_molarMass[k]; }
    std::string transportModel() const override { return "HardSphere"; }

    double viscosity() override;
    void getSpeciesViscosities(double* visc) override;
    double thermalConductivity() override;
    double electricalConductivity() override { return 0.0; }
    void setState(double T, double P, const double* X) override;
    void getThermalDiffCoeffs(double* dt) override;
    void getBinaryDiffCoeffs(size_t ld, double* d) override;
    void getMultiDiffCoeffs(size_t ld, double* d) override;
    void getMixDiffCoeffs(double* d) override;

    double temperature() const { return m_T; }
    double pressure() const { return m_P; }

private:
    void speciesViscosities(std::vector<double>& mu) const;
    double binary(size_t i, size_t j) const;
    //! Wilke-type mixture average of the pure values `v`.
    double wilke(const std::vector<double>& v, const std::vector<double>& mu) const;
    void mixDiffCoeffs(const std::vector<double>& X, double* d) const;
    std::string className() const override { return "HardSphereGas"; }
    //! Corrected mass fluxes (kg/m^2/s) into `j`; errors name `procedure`.
    void massFluxes(const std::string& procedure, const double* X1, const double* X2, double delta,
                    std::vector<double>& j) const override;
    void checkMoleFractions(const char* procedure, const double* X) const;

    std::vector<double> m_molarMass;
    std::vector<double> m_diameter;
    std::vector<double> m_molarCp;
    double m_T = 300.0;
    double m_P = 101325.0;
    std::vector<double> m_X;
};

} // namespace Velkora

#endif

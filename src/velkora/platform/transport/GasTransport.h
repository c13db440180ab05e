//! @file GasTransport.h
//! Transport properties of dilute gas mixtures from kinetic theory with
//! Lennard-Jones (and, for polar species, Stockmayer) potentials.
#ifndef VELKORA_PLATFORM_TRANSPORT_GASTRANSPORT_H
#define VELKORA_PLATFORM_TRANSPORT_GASTRANSPORT_H

#include <string>
#include <vector>

#include "velkora/platform/transport/SpeciesData.h"
#include "velkora/platform/transport/GasMixtureTransport.h"

namespace Velkora
{

//! Chapman-Enskog theory of a dilute gas mixture, first approximation, as
//! combustion codes use it.
//!
//! - Pure viscosity mu_k = (5/16) sqrt(pi m_k k T) / (pi s_k^2 Omega(2,2)*);
//!   mixture: Wilke's rule.
//! - Binary diffusion D_jk = (3/16) sqrt(2 pi (kT)^3 / m_jk) / (P pi s_jk^2
//!   Omega(1,1)*), with the combining rules of Hirschfelder, Curtiss and Bird
//!   (a polar-nonpolar pair induces a dipole in the non-polar partner).
//! - Pure conductivity by Mason and Monchick: translational, rotational and
//!   vibrational parts, the rotational one relaxing with Parker's
//!   temperature-dependent collision number; mixture: the combination average
//!   (sum X_k l_k + 1 / sum X_k / l_k) / 2.
//! - Mixture-averaged diffusion D_km = (1 - Y_k) / sum_{j != k} X_j / D_jk.
//! - Multicomponent diffusion coefficients (model "multicomponent" only):
//!   those of the Stefan-Maxwell equations with D_kk = 0, so that the mass
//!   flux is j_k = (rho M_k / M^2) sum_j M_j D_kj grad X_j; for a binary
//!   mixture D_12 is the binary coefficient.
//! - Thermal diffusion of the light species (molar mass below 5 g/mol: H,
//!   H2, He), from the first-order thermal diffusion ratios: D_k^T = rho M_k
//!   / M D_km Theta_k, the mass flux -D_k^T grad T / T; zero for the others.
//!
//! Everything that depends on the state is computed once by setState();
//! property calls read it. Trace species (mole fraction below 1e-12) are
//! taken at that floor where a mole fraction divides.
class GasTransport : public GasMixtureTransport
{
public:
    //! The two models: the same coefficients, with or without the
    //! multicomponent diffusion matrix.
    static constexpr const char* mixtureAveraged = "mixture-averaged";
    static constexpr const char* multicomponent = "multicomponent";

    //! Throws for no species, a duplicate name, a parameter that is
    //! negative, not finite or (molar mass, well depth, diameter) zero, or an
    //! unknown model; nothing is built then. Starts at 300 K, 101325 Pa and
    //! equal mole fractions.
    GasTransport(std::vector<GasSpecies> species, const std::string& model);

    size_t nSpecies() const override { return m_species.size(); }
    double molarMass(size_t k) const override { return m_species[k].molarMass; }
    std::string transportModel() const override { return m_model; }
    std::string speciesName(size_t k) const override;

    //! T from 10 to 1e5 K, P from 1e-3 to 1e10 Pa; X one mole fraction per
    //! species, finite, not negative, with a positive sum (they are
    //! normalised). A refused state leaves the evaluator as it was.
    void setState(double T, double P, const double* X) override;

    double viscosity() override { return m_state.viscosity; }
    void getSpeciesViscosities(double* visc) override;
    double thermalConductivity() override { return m_state.conductivity; }
    double electricalConductivity() override { return 0.0; }
    void getThermalDiffCoeffs(double* dt) override;
    void getBinaryDiffCoeffs(size_t ld, double* d) override;
    void getMultiDiffCoeffs(size_t ld, double* d) override;
    void getMixDiffCoeffs(double* d) override;

    double temperature() const { return m_state.T; }
    double pressure() const { return m_state.P; }

private:
    struct Pair
    {
        double wellDepth;   //!< K
        double diameter;    //!< m
        double delta;       //!< reduced dipole moment
        double reducedMass; //!< kg
    };
    //! Everything that depends on the state.
    struct State
    {
        double T = 0.0, P = 0.0, meanMass = 0.0;
        std::vector<double> X, Y;
        std::vector<double> mu, lambda, binary, mix, thermal, multi;
        double viscosity = 0.0, conductivity = 0.0;
    };
    State compute(double T, double P, std::vector<double> X) const;
    void speciesProperties(State& s) const;
    void binaryCoefficients(State& s) const;
    void mixtureProperties(State& s) const;
    void multicomponentCoefficients(State& s) const;
    std::string className() const override { return "GasTransport"; }
    //! Fluxes at the evaluator's state, from the gradient of mole fractions
    //! between `X1` and `X2` a distance `delta` apart: mixture-averaged,
    //! Fick's law with D_km and a correction that makes the mass fluxes sum
    //! to 0; multicomponent, the formula above.
    void massFluxes(const std::string& procedure, const double* X1, const double* X2, double delta,
                    std::vector<double>& j) const override;

    std::vector<GasSpecies> m_species;
    std::string m_model;
    std::vector<Pair> m_pairs; //!< pair (j, k) at j * K + k
    State m_state;
};

} // namespace Velkora

#endif

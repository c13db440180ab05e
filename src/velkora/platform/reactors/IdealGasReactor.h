//! @file IdealGasReactor.h
//! A closed reactor of an ideal gas whose mechanism is a loaded one, with
//! an energy equation.
#ifndef VELKORA_PLATFORM_REACTORS_IDEALGASREACTOR_H
#define VELKORA_PLATFORM_REACTORS_IDEALGASREACTOR_H

#include <memory>
#include <string>
#include <vector>

#include "velkora/platform/kinetics/Mechanism.h"
#include "velkora/platform/reactors/ReactorBase.h"
#include "velkora/platform/thermo/IdealGasMixture.h"

namespace Velkora
{

//! A closed, adiabatic, well-mixed reactor of an ideal gas reacting by a
//! mechanism's kinetics. Its state is the temperature T (component
//! "temperature", the first) and the mass fractions Y_k (components named
//! by the species):
//!   dY_k/dt = M_k wdot_k / rho,
//! and for the energy:
//! - "constant-pressure": the enthalpy is conserved, rho cp dT/dt = -sum_k
//!   h_k wdot_k, at the initial pressure;
//! - "constant-volume": the internal energy is conserved, rho cv dT/dt =
//!   -sum_k u_k wdot_k, at the initial density;
//! - "constant-temperature": T stays where it started, at constant pressure.
//! h_k, u_k are molar, wdot_k the net production rates (GasKinetics).
//!
//! Jacobian (hasJacobian()): d ydot / dy in compressed columns. The
//! species block is (M_k / M_j) d wdot_k / dC_j, exact for the kinetics
//! (GasKinetics::evalConcentrationJacobian). Two of its terms are dense but
//! of rank one, a_k b_j with b_j = 1 / M_j, and evalJacobian() hands them
//! back apart for the network's linear solver to apply exactly: the third
//! bodies with a default efficiency (the rank-one part of d wdot / dC), and
//! at constant pressure (and temperature) the density's dependence on the
//! composition, (M_k / M_j)(wdot_k - sum_i (d wdot_k / dC_i) C_i) / Ctot.
//! The temperature row is exact; the temperature column is a forward
//! difference, one extra evaluation of the rates.
//!
//! Sensitivities to the rate multipliers are off by default: a mechanism's
//! hundreds of parameters would multiply the cost of an integration.
class IdealGasReactor : public ReactorBase
{
public:
    enum Kind { ConstantPressure, ConstantVolume, ConstantTemperature };

    //! The kind of `name`: "constant-pressure", "constant-volume" or
    //! "constant-temperature"; throws for any other.
    static Kind kindFromName(const std::string& name);
    static std::string kindName(Kind kind);

    //! Starts at T (K), P (Pa) and the mole fractions X (normalised); throws
    //! for a null mechanism and what IdealGasMixture::setState_TPX refuses.
    IdealGasReactor(std::shared_ptr<const Mechanism> mechanism, Kind kind, double T, double P, const double* X);

    std::string type() const override { return "IdealGasReactor"; }
    Kind kind() const { return m_kind; }
    const Mechanism& mechanism() const { return *m_mechanism; }
    size_t nReactions() const override { return m_mechanism->nReactions(); }

    //! mol/m^3: rho Y_k / M_k.
    double concentration(const std::string& name) const override;
    //! Refused: the composition is set when the reactor is built.
    void setConcentration(const std::string& name, double value) override;

    double temperature() const { return m_gas.temperature(); }
    double pressure() const { return m_gas.pressure(); }
    double density() const { return m_gas.density(); }
    //! The mole or mass fraction of `name`; throws for an unknown species.
    double moleFraction(const std::string& name) const;
    double massFraction(const std::string& name) const;
    //! The gas at the reactor's state.
    const IdealGasMixture& gas() const { return m_gas; }

    size_t nComponents() const override { return nSpecies() + 1; }
    size_t componentIndex(const std::string& name) const override;
    void getState(double* y) const override;
    void setState(const double* y) override;
    void evalRates(const double* y, const double* multipliers, double* ydot) const override;

    bool hasJacobian() const override { return true; }
    void jacobianPattern(std::vector<int>& colptr, std::vector<int>& rows) const override;
    bool evalJacobian(const double* y, const double* multipliers, double* values, double* rankA,
                      double* rankB) const override;

    bool sensitivitiesEnabled() const override { return m_sensitivities; }
    //! Whether the network integrates sensitivities to this reactor's rates.
    void setSensitivitiesEnabled(bool on)
    {
        m_sensitivities = on;
        m_stateVersion++; // the network sets its integrator up again
    }

    //! Where the time of the reactor's evaluations went, since construction.
    struct Statistics
    {
        long rateEvaluations = 0;
        long jacobianEvaluations = 0;
        double rateSeconds = 0.0;      //!< in evalRates(), the Jacobian's extra one excluded
        double jacobianSeconds = 0.0;  //!< in evalJacobian()
        double kineticsJacobianSeconds = 0.0; //!< of which d wdot / dC
        double temperatureColumnSeconds = 0.0; //!< of which the difference of the T column
    };
    const Statistics& statistics() const { return m_stats; }

private:
    //! The density and the concentrations at `y`; the species' properties at its T.
    double prepare(const double* y) const;
    void rates(const double* y, const double* multipliers, double* ydot) const;

    std::shared_ptr<const Mechanism> m_mechanism;
    Kind m_kind;
    double m_P;      //!< the pressure (constant pressure and temperature)
    double m_rho;    //!< the density (constant volume)
    IdealGasMixture m_gas;
    bool m_sensitivities = false;
    std::vector<double> m_M;
    mutable std::unique_ptr<GasKinetics> m_kinetics;
    //! The species' cp/R, h/RT and g/RT at the temperature of the last state
    //! evaluated: computed once for the energy equation and the kinetics.
    mutable SpeciesThermoState m_thermo;
    mutable std::vector<double> m_C, m_wdot, m_kinJac, m_uniform, m_hJ, m_plus;
    std::vector<double> m_clipped; //!< the mass fractions of setState(), clipped at 0
    mutable Statistics m_stats;
    std::vector<int> m_colptr, m_rows;
    std::vector<int> m_kinToReactor; //!< position of each d wdot / dC entry in the reactor's pattern
    std::vector<int> m_tRowPos;      //!< position of (0, j + 1) per species j
};

} // namespace Velkora

#endif

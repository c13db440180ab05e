//! @file GasKinetics.h
//! Rates of progress and production rates of a gas-phase mechanism.
#ifndef VELKORA_PLATFORM_KINETICS_GASKINETICS_H
#define VELKORA_PLATFORM_KINETICS_GASKINETICS_H

#include <cstdint>
#include <memory>
#include <vector>

#include "velkora/platform/kinetics/CompiledMechanism.h"
#include "velkora/platform/kinetics/Reaction.h"
#include "velkora/platform/thermo/Species.h"
#include "velkora/platform/thermo/SpeciesThermo.h"

namespace Velkora
{

//! Evaluates a mechanism's reactions (each with a GasRate) for a whole
//! mixture in one pass. The state is the temperature T (K) and the molar
//! concentrations C (mol/m^3); the pressure, where a rate needs it (PLOG),
//! is that of the ideal gas, P = R T sum C.
//!
//! - Forward rate of progress q_f = k_f prod_k C_k^o_k, with o the forward
//!   orders (the reactant coefficients unless FORD changed them); k_f
//!   includes [M] for three-body reactions and the falloff blending.
//! - Reverse, for reversible reactions: q_r = k_r prod_k C_k^p_k, p the
//!   product coefficients (or RORD), k_r = k_f / K_c with K_c = exp(-sum_k
//!   nu_k g_k / RT) (P_atm / RT)^(sum_k nu_k), g_k the standard Gibbs
//!   function at 1 atm, unless REV gives k_r itself.
//! - Net production rates wdot_k = sum_i nu_ki (q_f,i - q_r,i), mol/m^3/s.
//! - Every rate constant is multiplied by the reaction's multiplier (1 by
//!   default), forward and reverse alike: a sensitivity parameter.
//!
//! The model data (CompiledMechanism) is read-only and shared; an evaluator
//! holds only its state and multipliers, so evaluators of one mechanism on
//! different threads are independent. What depends on T alone is computed
//! once per temperature, in one loop per kind of work:
//! - one exponential per Arrhenius expression, none for a constant rate and
//!   one per distinct exponent for the power laws A T^b;
//! - 1/K_c from one exponential per species: with y_k = g_k/RT + ln(RT /
//!   P_atm), 1/K_c = exp(sum_k nu_k y_k) is the product of the factors
//!   exp(y_k)^nu_k where the nu_k are whole (exp(-y_k) for a reactant),
//!   an exponential of the sum otherwise. The shift that keeps the
//!   exponents in range: where some |y_k| is so large that a product of a
//!   reaction's factors could leave the range of a double (at low
//!   temperatures), each exp(y_k) is kept as m_k 2^n_k instead, with m_k in
//!   [1/sqrt 2, sqrt 2] and n_k whole, the m_k multiplied and the n_k added
//!   and the power of two applied once at the end: 1/K_c then overflows or
//!   underflows only where its value does;
//! - Troe's F_cent without the terms that are 0 or 1 at every temperature
//!   (see CompiledMechanism);
//! and the falloff blending once per falloff reaction at each state. The
//! polynomials are evaluated outside their ranges as they stand.
class GasKinetics
{
public:
    //! Evaluates `model`; throws for a null one.
    explicit GasKinetics(std::shared_ptr<const CompiledMechanism> model);
    //! Compiles its own model of `species` and `reactions` (CompiledMechanism
    //! says what it refuses).
    GasKinetics(std::shared_ptr<const SpeciesSet> species, const std::vector<std::shared_ptr<Reaction>>& reactions);

    size_t nSpecies() const { return m_model->nSpecies(); }
    size_t nReactions() const { return m_model->nReactions(); }
    const SpeciesSet& speciesSet() const { return m_model->speciesSet(); }
    const CompiledMechanism& model() const { return *m_model; }

    //! Multiplier of reaction `i`'s rate constants.
    void setMultiplier(size_t i, double value) { m_multiplier[i] = value; }
    double multiplier(size_t i) const { return m_multiplier[i]; }
    //! All multipliers, one per reaction.
    double* multipliers() { return m_multiplier.data(); }

    //! Evaluates the rates of progress at T and C (nSpecies() values), with
    //! `multipliers` (one per reaction) instead of the stored ones when not
    //! null.
    void update(double T, const double* C, const double* multipliers = nullptr);
    //! The same at the temperature of `thermo`, whose g/RT it takes instead
    //! of computing its own: the caller computed the species' properties for
    //! other uses too.
    void update(const SpeciesThermoState& thermo, const double* C, const double* multipliers = nullptr);
    //! Rates of progress of the last update(), mol/m^3/s, one per reaction.
    //! Computed when first asked for after an update() (the net rates and
    //! the production rates do not need them), from that update's
    //! multipliers, which must still be alive.
    const std::vector<double>& forwardRatesOfProgress() const
    {
        details();
        return m_ropf;
    }
    const std::vector<double>& reverseRatesOfProgress() const
    {
        details();
        return m_ropr;
    }
    void getNetRatesOfProgress(double* q) const;
    //! Net production rates of the last update(), mol/m^3/s, into `wdot`.
    void getNetProductionRates(double* wdot) const;

    //! Forward rate constants k_f at T and C, SI units, [M] and the falloff
    //! blending included (update() first; computed when asked for, as the
    //! rates of progress).
    const std::vector<double>& forwardRateConstants() const
    {
        details();
        return m_kf;
    }
    //! Reverse rate constants k_r (0 for irreversible reactions).
    const std::vector<double>& reverseRateConstants() const
    {
        details();
        return m_kr;
    }
    //! Equilibrium constants K_c at T, concentration units, one per
    //! reaction, into `Kc`.
    void getEquilibriumConstants(double T, double* Kc);
    //! Third-body concentration [M] of reaction `i` at the last update() (1
    //! for a reaction without a third body).
    double thirdBodyConcentration(size_t i) const { return m_M[i]; }

    //! d wdot / dC is a sparse matrix S plus a dense part of rank one, t 1^T:
    //! a third body with a nonzero default efficiency (and the pressure of a
    //! PLOG rate) makes a reaction's rate depend on every concentration
    //! alike. The pattern of S, nSpecies() square, in compressed columns (the
    //! rows of column j from colptr[j] to colptr[j + 1]), every diagonal
    //! entry included.
    const std::vector<int>& jacobianColumns() const { return m_model->jacobianMap().colptr; }
    const std::vector<int>& jacobianRows() const { return m_model->jacobianMap().rows; }
    //! d wdot / dC at the state of the last update(), exact (falloff blending
    //! and PLOG's pressure included): S into `values` in the pattern's order
    //! (jacobianRows().size() values), t into `uniform` (nSpecies() values),
    //! so that d wdot_k / dC_j = S_kj + t_k.
    void evalConcentrationJacobian(double* values, double* uniform) const;

    //! The net stoichiometric coefficients: nu_ki for every reaction i, as
    //! (species, nu) pairs of reaction i between offsets i and i + 1.
    const std::vector<uint32_t>& stoichOffsets() const { return m_model->netBegin; }
    const std::vector<uint32_t>& stoichSpecies() const { return m_model->netSpecies; }
    const std::vector<double>& stoichCoefficients() const { return m_model->netNu; }

private:
    using ReactionInfo = CompiledMechanism::ReactionInfo;

    void allocate();
    //! Everything that depends on T alone, from the species' g/RT at T.
    void updateTemperature(double T, const double* g_RT);
    //! Everything that depends on C, at the temperature of the last
    //! updateTemperature().
    void updateConcentrations(const double* C, const double* multipliers);
    double plogRate(size_t p, double lnP) const;
    //! The blending function F of falloff reaction f at Pr (the state's T).
    double blend(size_t f, double Pr) const;
    //! d kf / d[M] of reaction i at the last update(), the multiplier
    //! included (0 without third body); for PLOG, d kf / d Ctot.
    double forwardDerivativeM(size_t i) const;
    //! The product of the concentrations of factors begin..end.
    double product(uint32_t begin, uint32_t end, bool integral, const double* C) const;
    //! q_f of reaction i from its factor list; k_r; the reverse product.
    double forwardGeneral(size_t i, const double* mult) const;
    double reverseRate(size_t i, const double* mult) const;
    double reverseProduct(size_t i) const;
    //! k_f, k_r, q_f and q_r of the last update(), unless current.
    void details() const;

    std::shared_ptr<const CompiledMechanism> m_model;
    std::vector<double> m_multiplier;

    // What depends on T alone, for m_T.
    double m_T = -1.0;
    std::vector<double> m_g_RT;       //!< per species, when no caller gives them
    //! The rate-constant slots (CompiledMechanism); the first nReactions
    //! hold the state's rate constants once update() has run.
    std::vector<double> m_k;
    std::vector<double> m_powers;     //!< T^b per distinct power-law exponent
    //! Per species of CompiledMechanism::kcSpecies: exp(y_k), then
    //! exp(-y_k), then 1 (the pad); or where the y_k are large, exp(y_k) =
    //! m_k 2^n_k as m_k, 1 / m_k, 1 and n_k, -n_k, 0.
    std::vector<double> m_kcMantissa, m_kcExponent;
    std::vector<double> m_logFcent;   //!< per Troe reaction: log10 F_cent
    std::vector<double> m_sriT;       //!< per SRI reaction: a exp(-b/T) + exp(-T/c)
    std::vector<double> m_sriScale;   //!< and d T^e
    std::vector<double> m_plogK, m_plogLnK; //!< per PLOG point: k and ln k (0 where k <= 0)
    std::vector<double> m_scratch;    //!< the general Arrhenius values, Troe's terms

    // Results of the last update().
    std::vector<double> m_C;  //!< the concentrations, and 1 at index K
    std::vector<double> m_M;  //!< per reaction
    std::vector<double> m_collider; //!< [M] per distinct third body
    std::vector<double> m_qnet;
    mutable std::vector<double> m_kf, m_kr, m_ropf, m_ropr; //!< when m_detailsCurrent
    mutable std::vector<double> m_detailScratch;
    mutable bool m_detailsCurrent = false;
    std::vector<double> m_Pr, m_F; //!< per falloff reaction
    const double* m_lastMultipliers = nullptr; //!< those of the last update(), which must outlive its use
    double m_lastTotal = 0.0;
};

} // namespace Velkora

#endif

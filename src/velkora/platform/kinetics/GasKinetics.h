//! @file GasKinetics.h
//! Rates of progress and production rates of a gas-phase mechanism.
#ifndef VELKORA_PLATFORM_KINETICS_GASKINETICS_H
#define VELKORA_PLATFORM_KINETICS_GASKINETICS_H

#include <cstdint>
#include <memory>
#include <vector>

#include "velkora/platform/kinetics/Reaction.h"
#include "velkora/platform/thermo/Species.h"

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
//! Everything that depends on T alone (the Arrhenius expressions, the
//! Gibbs functions, the equilibrium constants, Troe's F_cent) is computed
//! once per temperature, one exponential per rate constant; the polynomials
//! are evaluated outside their ranges as they stand.
class GasKinetics
{
public:
    //! Throws for a reaction without a GasRate, or whose species, orders or
    //! efficiencies name species the set lacks.
    GasKinetics(std::shared_ptr<const SpeciesSet> species, const std::vector<std::shared_ptr<Reaction>>& reactions);

    size_t nSpecies() const { return m_nSpecies; }
    size_t nReactions() const { return m_rxn.size(); }
    const SpeciesSet& speciesSet() const { return *m_species; }

    //! Multiplier of reaction `i`'s rate constants.
    void setMultiplier(size_t i, double value) { m_multiplier[i] = value; }
    double multiplier(size_t i) const { return m_multiplier[i]; }
    //! All multipliers, one per reaction.
    double* multipliers() { return m_multiplier.data(); }

    //! Evaluates the rates of progress at T and C (nSpecies() values), with
    //! `multipliers` (one per reaction) instead of the stored ones when not
    //! null.
    void update(double T, const double* C, const double* multipliers = nullptr);
    //! Rates of progress of the last update(), mol/m^3/s, one per reaction.
    const std::vector<double>& forwardRatesOfProgress() const { return m_ropf; }
    const std::vector<double>& reverseRatesOfProgress() const { return m_ropr; }
    void getNetRatesOfProgress(double* q) const;
    //! Net production rates of the last update(), mol/m^3/s, into `wdot`.
    void getNetProductionRates(double* wdot) const;

    //! Forward rate constants k_f at T and C, SI units, [M] and the falloff
    //! blending included (update() first).
    const std::vector<double>& forwardRateConstants() const { return m_kf; }
    //! Reverse rate constants k_r (0 for irreversible reactions).
    const std::vector<double>& reverseRateConstants() const { return m_kr; }
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
    const std::vector<int>& jacobianColumns() const;
    const std::vector<int>& jacobianRows() const;
    //! d wdot / dC at the state of the last update(), exact (falloff blending
    //! and PLOG's pressure included): S into `values` in the pattern's order
    //! (jacobianRows().size() values), t into `uniform` (nSpecies() values),
    //! so that d wdot_k / dC_j = S_kj + t_k.
    void evalConcentrationJacobian(double* values, double* uniform) const;

    //! The net stoichiometric coefficients: nu_ki for every reaction i, as
    //! (species, nu) pairs of reaction i between offsets i and i + 1.
    const std::vector<uint32_t>& stoichOffsets() const { return m_netBegin; }
    const std::vector<uint32_t>& stoichSpecies() const { return m_netSpecies; }
    const std::vector<double>& stoichCoefficients() const { return m_netNu; }

private:
    struct Factor
    {
        uint32_t species;
        double order; //!< used only when the order is not a small whole number
    };
    //! A compiled reaction.
    struct Compiled
    {
        int kind = 0;            //!< GasRate::Kind
        bool thirdBody = false;
        bool reversible = false;
        bool explicitReverse = false;
        int blending = 0;        //!< GasRate::Blending
        double dnu = 0.0;        //!< sum of nu_k, for K_c
        double lnA = 0.0, b = 0.0, Ea_R = 0.0, signA = 0.0;     //!< the main expression
        double lnA2 = 0.0, b2 = 0.0, Ea_R2 = 0.0, signA2 = 0.0; //!< LOW or HIGH
        double lnAr = 0.0, br = 0.0, Ea_Rr = 0.0, signAr = 0.0; //!< REV
        double par[5] = {0, 0, 0, 0, 0};
        int nPar = 0;
        double defaultEfficiency = 1.0;
        uint32_t effBegin = 0, effEnd = 0;
        uint32_t fwdBegin = 0, fwdEnd = 0; //!< into m_factors
        uint32_t revBegin = 0, revEnd = 0;
        uint32_t plogBegin = 0, plogEnd = 0; //!< into m_plog
        bool integralForward = true, integralReverse = true;
    };
    struct PlogPoint
    {
        double lnP;
        std::vector<double> lnA, b, Ea_R, signA; //!< expressions at this pressure, summed
    };

    void compile(const Reaction& rxn, const std::vector<std::shared_ptr<Reaction>>& all, size_t i);
    void buildJacobian() const;
    //! d kf / d[M] of reaction i at the last update(), the multiplier
    //! included (0 without third body); for PLOG, d kf / d Ctot.
    double forwardDerivativeM(size_t i) const;
    void updateTemperature(double T);
    double plogRate(const Compiled& r, double lnP) const;
    double blend(const Compiled& r, size_t i, double Pr) const;
    static double product(const Factor* begin, const Factor* end, bool integral, const double* C);

    std::shared_ptr<const SpeciesSet> m_species;
    size_t m_nSpecies = 0;
    std::vector<std::shared_ptr<const Reaction>> m_reactions; //!< kept alive: their rates are read
    std::vector<Compiled> m_rxn;
    std::vector<Factor> m_factors;
    std::vector<uint32_t> m_effSpecies;
    std::vector<double> m_effDelta; //!< efficiency minus the default
    std::vector<PlogPoint> m_plog;
    std::vector<uint32_t> m_netBegin;
    std::vector<uint32_t> m_netSpecies;
    std::vector<double> m_netNu;
    std::vector<double> m_multiplier;

    // What depends on T alone, for m_T.
    double m_T = -1.0;
    std::vector<double> m_g_RT;     //!< per species
    std::vector<double> m_kT;       //!< main expression
    std::vector<double> m_k2T;      //!< LOW or HIGH expression
    std::vector<double> m_invKc;    //!< 1 / K_c, or the REV expression
    std::vector<double> m_logFcent; //!< Troe: log10 F_cent
    std::vector<double> m_sriT;     //!< SRI: a exp(-b/T) + exp(-T/c), and d T^e in m_sriScale
    std::vector<double> m_sriScale;

    // Results of the last update().
    std::vector<double> m_kf, m_kr, m_ropf, m_ropr, m_M;
    std::vector<double> m_dkfdM; //!< d kf / d[M] (or / d Ctot for PLOG), multiplier included
    std::vector<double> m_Cs;    //!< the concentrations of the last update()
    const double* m_lastMultipliers = nullptr; //!< those of the last update(), which must outlive its use
    double m_lastTotal = 0.0;

    // The Jacobian's pattern and where each term of each reaction goes,
    // built when first asked for.
    struct JacobianMap
    {
        std::vector<int> colptr, rows;
        //! Per reaction: for each forward factor, then each reverse factor,
        //! the positions of (row k, column of the factor) for the reaction's
        //! net species k in order.
        std::vector<uint32_t> factorBegin, factorPos;

        //! Per reaction: positions of (row k, efficiency species) for the
        //! efficiencies that differ from the default.
        std::vector<uint32_t> effBegin, effPos;
        bool built = false;
    };
    mutable JacobianMap m_jac;
};

} // namespace Velkora

#endif

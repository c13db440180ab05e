//! @file CompiledMechanism.h
//! A mechanism's species and reactions compiled once into flat arrays, the
//! read-only model data of the rate kernels (GasKinetics).
#ifndef VELKORA_PLATFORM_KINETICS_COMPILEDMECHANISM_H
#define VELKORA_PLATFORM_KINETICS_COMPILEDMECHANISM_H

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "velkora/platform/kinetics/GasRate.h"
#include "velkora/platform/kinetics/Reaction.h"
#include "velkora/platform/thermo/Species.h"
#include "velkora/platform/thermo/SpeciesThermo.h"

namespace Velkora
{

//! Arrhenius expressions k = A T^b exp(-Ea/RT), each written into a slot of
//! an array of rate constants, grouped by the work they take so that each
//! group is one branch-free loop:
//! - general: one exponential each, sign(A) exp(ln|A| + b ln T - Ea/RT);
//! - power laws (Ea = 0, b != 0): A T^b, with T^b computed once per
//!   distinct exponent b;
//! - constants (Ea = 0, b = 0, or A = 0): A, no work at all.
struct ArrheniusTable
{
    std::vector<uint32_t> target;
    std::vector<double> lnA, b, Ea_R, sign; //!< padded (CompiledMechanism::padded) with zeros

    std::vector<double> exponents; //!< the distinct b of the power laws, padded with zeros
    std::vector<uint32_t> powerTarget, powerIndex;
    std::vector<double> powerA;

    std::vector<uint32_t> constantTarget;
    std::vector<double> constantA;

    //! Adds `k`, written into `slot`.
    void add(const Arrhenius& k, uint32_t slot);
};

//! The model data of a mechanism's kinetics: built once from the species
//! and reactions, immutable after, and shared (by reference count) by every
//! evaluator of the mechanism's rates (GasKinetics), each reactor and gas
//! object of it. Its members are the layout the kernels read: structure of
//! arrays, rate parameters by reaction kind, stoichiometry as sparse index
//! lists, NASA coefficients by species (SpeciesThermo).
//!
//! Slots of the rate-constant array (ArrheniusTable targets):
//! - at i < nReactions, reaction i's rate constant before its multiplier:
//!   its expression where that is all there is to it, or written at each
//!   state where [M], the falloff blending or PLOG's pressure enter;
//! - at nReactions + f, the second expression of falloff reaction f (LOW,
//!   or HIGH of a chemically activated one);
//! - at revBase + i, the factor of reaction i's reverse rate: its REV
//!   expression, 1/K_c, or 0;
//! - at falloffSource + f and threeBodySource + t, the own expressions of
//!   falloff reaction f and of three-body reaction threeBodyElementary[t],
//!   and at threeBodyReverse + t the REV expression of the latter (whose
//!   reverse factor, REV times [M], is written at each state);
//! - then the PLOG terms.
class CompiledMechanism
{
public:
    //! Throws for a null species set, a null reaction, a reaction without a
    //! GasRate, and species, orders or efficiencies that name species the set
    //! lacks.
    CompiledMechanism(std::shared_ptr<const SpeciesSet> species,
                      const std::vector<std::shared_ptr<Reaction>>& reactions);

    size_t nSpecies() const { return K; }
    size_t nReactions() const { return nR; }
    const SpeciesSet& speciesSet() const { return *m_species; }
    const std::shared_ptr<const SpeciesSet>& sharedSpecies() const { return m_species; }
    const std::shared_ptr<const SpeciesThermo>& sharedThermo() const { return m_thermo; }
    const SpeciesThermo& thermo() const { return *m_thermo; }

    //! Marks an index list entry that does not apply.
    static constexpr uint32_t none = 0xffffffffu;
    //! `n` rounded up to whole vectors: the kernels' loops run over padded
    //! arrays (of values that do no harm), without a scalar remainder.
    static size_t padded(size_t n) { return (n + 7) / 8 * 8; }

    // ---- the model data ------------------------------------------------------

    size_t K = 0;  //!< species
    size_t nR = 0; //!< reactions

    //! What the Jacobian and the less common paths read reaction by reaction.
    struct ReactionInfo
    {
        int kind = GasRate::Elementary;
        int blending = GasRate::Lindemann;
        bool thirdBody = false;
        bool reversible = false;
        bool explicitReverse = false;
        bool integralForward = true, integralReverse = true;
        double dnu = 0.0;               //!< sum of nu_k, for K_c
        double defaultEfficiency = 1.0;
        uint32_t effBegin = 0, effEnd = 0; //!< into effSpecies / effDelta
        uint32_t fwdBegin = 0, fwdEnd = 0; //!< into factorSpecies / factorOrder
        uint32_t revBegin = 0, revEnd = 0;
        uint32_t falloff = none;           //!< index among the falloff reactions
        uint32_t threeBody = none;         //!< index in threeBodyElementary
        uint32_t plog = none;              //!< index among the PLOG reactions
    };
    std::vector<ReactionInfo> info;

    //! Every Arrhenius expression of the mechanism.
    ArrheniusTable arrhenius;
    size_t nSlots = 0;
    size_t revBase = 0, falloffSource = 0, threeBodySource = 0, threeBodyReverse = 0;

    // Concentration factors, reaction by reaction: a whole order up to 4
    // is that many repeated factors of order 1, any other order one factor
    // raised to it.
    std::vector<uint32_t> factorSpecies;
    std::vector<double> factorOrder;

    //! Forward and reverse factors as three species per reaction, padded
    //! with the index K (whose concentration the kernels hold at 1), for a
    //! branch-free product: packed into one word per reaction, 21 bits per
    //! species (packedSpecies()). Reactions that do not fit (more factors,
    //! or orders that are not whole) are in the `general` lists and take
    //! their products from the factor lists.
    std::vector<uint64_t> fwdPacked, revPacked;
    static constexpr unsigned packedBits = 21;
    static constexpr uint64_t packedMask = (uint64_t(1) << packedBits) - 1;
    std::vector<uint32_t> fwdGeneral, revGeneral;

    // Third bodies: [M] = default efficiency * total + sum (efficiency -
    // default) C_k over the species whose efficiency differs.
    std::vector<uint32_t> effSpecies;
    std::vector<double> effDelta;
    std::vector<uint32_t> thirdBodyReactions; //!< every reaction with a third body
    //! The distinct third bodies (default efficiency and the species whose
    //! efficiency differs, with the difference): [M] once per distinct one,
    //! colliderOf for each of thirdBodyReactions.
    std::vector<double> colliderDefault;
    std::vector<uint32_t> colliderBegin, colliderSpecies, colliderOf;
    std::vector<double> colliderDelta;
    std::vector<uint32_t> threeBodyElementary; //!< of which the ones whose rate is k [M]

    // Falloff and chemically activated reactions, Troe's first, then SRI's,
    // then Lindemann's.
    size_t nFalloff = 0, nTroe = 0, nSri = 0;
    std::vector<uint32_t> falloffReaction;
    std::vector<double> chemicallyActivated; //!< 1 or 0, per falloff reaction
    //! Troe: F_cent = fcentConstant + sum of the live terms c exp(alpha T +
    //! beta / T) of troeTermBegin..End. A term that is exactly 0 or exactly
    //! its coefficient at every T of [troeGuardLow, troeGuardHigh] K is in
    //! the constant (T*** = 1e-30 or T** = 1e30, as mechanisms write "no
    //! term"); outside that range every term is computed (troeParameters).
    std::vector<double> fcentConstant;
    std::vector<uint32_t> troeTermBegin;
    std::vector<double> troeCoefficient, troeAlpha, troeBeta; //!< padded with zeros
    std::vector<double> troeParameters; //!< a, T***, T*, T**, and 1 where T** is given, per Troe reaction
    static constexpr double troeGuardLow = 1.0, troeGuardHigh = 1e5;
    std::vector<double> sriParameters; //!< a, b, c, d, e per SRI reaction (d 1, e 0 when absent)

    // Reverse rates: revMode per reaction 0 irreversible, 1 k_f / K_c,
    // 2 REV, 3 REV times [M] (a three-body reaction). The factor k_r is
    // taken from (1/K_c, the REV expression or REV times [M]) is in slot
    // revBase + i; the kernels need to know only whether k_r is that factor
    // times k_f (1) or times the multiplier (2, 3): fwdPacked's bit 63 holds
    // the first, revPacked's the second.
    std::vector<uint8_t> revMode;
    //! The species that take part in a K_c of whole coefficients, and for
    //! each of those reactions the factors of its product prod_k
    //! exp(y_k)^nu_k: position j of kcSpecies for a product, J + j for a
    //! reactant (J = kcStride, their number padded; the pads repeat species
    //! 0), repeated |nu| times. Up to four factors: kc4Packed, 16 bits per
    //! factor, padded with 2 J (a factor of 1); more: kcWide, from
    //! kcWideBegin. kcMaxFactors is the most factors of any of them.
    std::vector<uint32_t> kcSpecies;
    size_t kcStride = 0;
    std::vector<uint32_t> kc4Reaction;
    std::vector<uint64_t> kc4Packed;
    std::vector<uint32_t> kcWideReaction, kcWideBegin, kcWideFactor;
    size_t kcMaxFactors = 0;
    //! The other reversible reactions without REV: exp(sum nu_k y_k) from (species, nu) lists.
    std::vector<uint32_t> kcGeneralReaction, kcGeneralBegin, kcGeneralSpecies;
    std::vector<double> kcGeneralNu;

    // PLOG: per reaction its points, per point its pressure and its terms (slots).
    std::vector<uint32_t> plogReaction, plogPointBegin;
    std::vector<double> plogLnP;
    std::vector<uint32_t> plogTermBegin; //!< per point, into plogTermSlot
    std::vector<uint32_t> plogTermSlot;

    // Net stoichiometry: reaction by reaction (CSR) and species by species
    // (CSC). Species k's reactions: those of nu = +1 from speciesBegin[3k],
    // of nu = -1 from speciesBegin[3k + 1], the others (nu in speciesNu)
    // from speciesBegin[3k + 2] to speciesBegin[3k + 3].
    std::vector<uint32_t> netBegin, netSpecies;
    std::vector<double> netNu;
    std::vector<uint32_t> speciesBegin, speciesReaction;
    std::vector<double> speciesNu;

    //! The pattern of d wdot / dC and where each term of each reaction goes,
    //! built on first use (thread-safe) and immutable after.
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
    };
    const JacobianMap& jacobianMap() const;

private:
    void compile(const Reaction& rxn, size_t i, std::vector<uint32_t>& troe, std::vector<uint32_t>& sri,
                 std::vector<uint32_t>& lindemann, std::vector<const GasRate*>& rates);
    void buildJacobianMap() const;

    std::shared_ptr<const SpeciesSet> m_species;
    std::shared_ptr<const SpeciesThermo> m_thermo;
    mutable std::once_flag m_jacobianOnce;
    mutable JacobianMap m_jacobian;
};

} // namespace Velkora

#endif

//! @file BatchReactor.h
//! A closed, isothermal, constant-volume reactor with mass-action kinetics.
#ifndef VELKORA_PLATFORM_REACTORS_BATCHREACTOR_H
#define VELKORA_PLATFORM_REACTORS_BATCHREACTOR_H

#include <memory>
#include <vector>

#include "velkora/platform/kinetics/Reaction.h"
#include "velkora/platform/reactors/ReactorBase.h"

namespace Velkora
{

//! The species are those of the reactions, in order of first appearance
//! (each reaction's reactants, then its products, each side in alphabetical
//! order); all start at 0 mol/m^3.
//! Reaction j proceeds at
//!   r_j = m_j [M] (kf prod_i c_i^o_i - kr prod_i c_i^p_i),
//! with m_j its multiplier, o the forward orders, p the product coefficients
//! (the reverse orders), kr 0 for an irreversible reaction, and [M] the sum of
//! all concentrations for a three-body reaction, 1 otherwise. Species change
//! at dc_i/dt = sum_j (product coefficient - reactant coefficient) r_j.
class BatchReactor : public ReactorBase
{
public:
    //! Throws for an empty list, a null reaction, one without a rate, or
    //! reactions without species.
    explicit BatchReactor(const std::vector<std::shared_ptr<Reaction>>& reactions);

    std::string type() const override { return "BatchReactor"; }
    size_t nReactions() const override { return m_terms.size(); }
    void evalRates(const double* c, const double* multipliers, double* dcdt) const override;

private:
    struct Factor
    {
        size_t species;
        double order;
        bool integral;
    };
    struct Terms
    {
        double forward;
        double reverse;
        bool thirdBody;
        std::vector<Factor> forwardFactors;
        std::vector<Factor> reverseFactors;
        std::vector<std::pair<size_t, double>> netChange;
    };

    static double product(const std::vector<Factor>& factors, const double* c);
    size_t addSpecies(const std::string& name);

    std::vector<std::shared_ptr<Reaction>> m_reactions; //!< kept alive while the reactor lives
    std::vector<Terms> m_terms;
};

} // namespace Velkora

#endif

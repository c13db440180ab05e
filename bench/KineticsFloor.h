// The floor of a rate evaluation, against which the benchmarks put the
// library's: per reaction one exponential of an Arrhenius expression and the
// product of its reactants' concentrations, in a plain loop over flat arrays.
#ifndef VELKORA_BENCH_KINETICSFLOOR_H
#define VELKORA_BENCH_KINETICSFLOOR_H

#include <cmath>
#include <random>
#include <vector>

#include "velkora/platform/kinetics/Mechanism.h"

class KineticsFloor
{
public:
    //! The reactant lists of `m`'s reactions, with arbitrary Arrhenius
    //! parameters (the cost of exp does not depend on them).
    explicit KineticsFloor(const Velkora::Mechanism& m) : m_offset(1, 0)
    {
        const size_t n = m.nReactions();
        std::mt19937 random(5);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (size_t i = 0; i < n; i++) {
            m_lnA.push_back(20.0 * unit(random));
            m_b.push_back(unit(random));
            m_E.push_back(1e4 * unit(random));
            for (const auto& [sp, nu] : m.reaction(i)->m_reactants) {
                for (int j = 0; j < static_cast<int>(nu); j++) {
                    m_species.push_back(static_cast<unsigned>(m.speciesSet().speciesIndex(sp)));
                }
            }
            m_offset.push_back(static_cast<unsigned>(m_species.size()));
        }
        m_q.resize(n);
    }

    //! One pass at temperature `T` over the concentrations `C`.
    void evaluate(double T, const double* C)
    {
        const double lnT = std::log(T), invT = 1.0 / T;
        for (size_t i = 0; i < m_q.size(); i++) {
            double k = std::exp(m_lnA[i] + m_b[i] * lnT - m_E[i] * invT);
            for (unsigned j = m_offset[i]; j < m_offset[i + 1]; j++) {
                k *= C[m_species[j]];
            }
            m_q[i] = k;
        }
    }

    //! The rates of the last pass, one per reaction.
    const std::vector<double>& rates() const { return m_q; }

private:
    std::vector<double> m_lnA, m_b, m_E, m_q;
    std::vector<unsigned> m_offset, m_species;
};

#endif

#include "velkora/platform/reactors/BatchReactor.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/kinetics/ConstantRate.h"

namespace Velkora
{

BatchReactor::BatchReactor(const std::vector<std::shared_ptr<Reaction>>& reactions)
    : m_reactions(reactions)
{
    if (reactions.empty()) {
        throw VelkoraError("BatchReactor::BatchReactor", "A reactor needs at least one reaction.");
    }
    for (size_t j = 0; j < reactions.size(); j++) {
        const Reaction* rxn = reactions[j].get();
        if (rxn == nullptr || !rxn->m_rate) {
            throw VelkoraError("BatchReactor::BatchReactor",
                               "Reaction {} of the list has no rate coefficient.", j);
        }
        const auto* rate = dynamic_cast<const ConstantRate*>(rxn->m_rate.get());
        if (rate == nullptr) {
            throw VelkoraError("BatchReactor::BatchReactor",
                               "Reaction {} of the list ({}) has a {} rate, not constant coefficients; an ideal-gas "
                               "reactor of its mechanism evaluates such rates.",
                               j, rxn->equation(), rxn->m_rate->type());
        }
        Terms t;
        t.forward = rate->m_forward;
        t.reverse = rxn->m_reversible ? rate->m_reverse : 0.0;
        t.thirdBody = rxn->m_thirdBody != nullptr;
        auto factors = [this](const Composition& orders) {
            std::vector<Factor> f;
            for (const auto& [name, order] : orders) {
                f.push_back({addSpecies(name), order, std::floor(order) == order && order <= 16});
            }
            return f;
        };
        t.forwardFactors = factors(rxn->m_orders);
        t.reverseFactors = factors(rxn->m_products);
        std::map<size_t, double> net;
        for (const auto& [name, nu] : rxn->m_reactants) {
            net[addSpecies(name)] -= nu;
        }
        for (const auto& [name, nu] : rxn->m_products) {
            net[addSpecies(name)] += nu;
        }
        for (const auto& [k, nu] : net) {
            if (nu != 0.0) {
                t.netChange.emplace_back(k, nu);
            }
        }
        m_terms.push_back(std::move(t));
    }
    if (m_species.empty()) {
        throw VelkoraError("BatchReactor::BatchReactor", "The reactions have no species.");
    }
    m_concentrations.assign(m_species.size(), 0.0);
}

size_t BatchReactor::addSpecies(const std::string& name)
{
    size_t k = speciesIndex(name);
    if (k != npos) {
        return k;
    }
    m_species.push_back(name);
    return m_species.size() - 1;
}

double BatchReactor::product(const std::vector<Factor>& factors, const double* c)
{
    double p = 1.0;
    for (const Factor& f : factors) {
        double ci = c[f.species];
        if (f.integral) {
            // Integer orders stay defined for the small negative values an
            // integrator may pass through.
            for (int n = static_cast<int>(f.order); n > 0; n--) {
                p *= ci;
            }
        } else {
            p *= std::pow(std::max(ci, 0.0), f.order);
        }
    }
    return p;
}

void BatchReactor::evalRates(const double* c, const double* multipliers, double* dcdt) const
{
    double total = 0.0;
    for (size_t k = 0; k < m_species.size(); k++) {
        total += c[k];
        dcdt[k] = 0.0;
    }
    for (size_t j = 0; j < m_terms.size(); j++) {
        const Terms& t = m_terms[j];
        double rate = t.forward * product(t.forwardFactors, c);
        if (t.reverse != 0.0) {
            rate -= t.reverse * product(t.reverseFactors, c);
        }
        rate *= multipliers[j] * (t.thirdBody ? total : 1.0);
        for (const auto& [k, nu] : t.netChange) {
            dcdt[k] += nu * rate;
        }
    }
}

} // namespace Velkora

#include "velkora/platform/kinetics/Mechanism.h"

#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

Mechanism::Mechanism(std::shared_ptr<const SpeciesSet> species, std::vector<std::shared_ptr<Reaction>> reactions,
                     std::string source)
    : m_species(std::move(species)), m_reactions(std::move(reactions)), m_source(std::move(source))
{
    if (!m_species) {
        throw VelkoraError("Mechanism::Mechanism", "The species set is a null pointer.");
    }
    m_compiled = std::make_shared<const CompiledMechanism>(m_species, m_reactions);
}

const std::shared_ptr<Reaction>& Mechanism::reaction(size_t i) const
{
    if (i >= m_reactions.size()) {
        throw VelkoraError("Mechanism::reaction", "Reaction index {} out of range (the mechanism has {}).",
                           static_cast<long long>(i), m_reactions.size());
    }
    return m_reactions[i];
}

const Species& Mechanism::species(size_t k) const
{
    if (k >= nSpecies()) {
        throw VelkoraError("Mechanism::species", "Species index {} out of range (the mechanism has {}).",
                           static_cast<long long>(k), nSpecies());
    }
    return m_species->species(k);
}

std::unique_ptr<GasKinetics> Mechanism::newKinetics() const
{
    return std::make_unique<GasKinetics>(m_compiled);
}

} // namespace Velkora

#include "velkora/platform/thermo/Species.h"

#include <cctype>
#include <cmath>

#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

namespace
{
std::string upper(const std::string& s)
{
    std::string u = s;
    for (char& c : u) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return u;
}
} // namespace

size_t SpeciesSet::addElement(const Element& e)
{
    if (elementIndex(e.symbol) != npos) {
        throw VelkoraError("SpeciesSet::addElement", "Element '{}' is declared twice.", e.symbol);
    }
    if (!(e.atomicWeight > 0.0) || !std::isfinite(e.atomicWeight)) {
        throw VelkoraError("SpeciesSet::addElement", "Element '{}': the atomic weight must be positive, not {}.",
                           e.symbol, e.atomicWeight);
    }
    m_elements.push_back(e);
    return m_elements.size() - 1;
}

size_t SpeciesSet::elementIndex(const std::string& symbol) const
{
    const std::string u = upper(symbol);
    for (size_t m = 0; m < m_elements.size(); m++) {
        if (upper(m_elements[m].symbol) == u) {
            return m;
        }
    }
    return npos;
}

size_t SpeciesSet::addSpecies(Species s)
{
    if (m_index.count(s.name)) {
        throw VelkoraError("SpeciesSet::addSpecies", "Species '{}' is declared twice.", s.name);
    }
    double mass = 0.0;
    for (const auto& [m, n] : s.composition) {
        if (m >= m_elements.size()) {
            throw VelkoraError("SpeciesSet::addSpecies", "Species '{}': element index {} out of range.", s.name, m);
        }
        mass += n * m_elements[m].atomicWeight;
    }
    s.molarMass = mass;
    m_index.emplace(s.name, m_species.size());
    m_molarMass.push_back(mass);
    m_species.push_back(std::move(s));
    return m_species.size() - 1;
}

size_t SpeciesSet::speciesIndex(const std::string& name) const
{
    auto it = m_index.find(name);
    return it == m_index.end() ? npos : it->second;
}

double SpeciesSet::atoms(size_t k, size_t m) const
{
    const auto& c = m_species[k].composition;
    auto it = c.find(m);
    return it == c.end() ? 0.0 : it->second;
}

} // namespace Velkora

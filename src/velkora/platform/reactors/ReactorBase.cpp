#include "velkora/platform/reactors/ReactorBase.h"

#include <algorithm>
#include <cmath>

#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

const std::string& ReactorBase::speciesName(size_t k) const
{
    if (k >= m_species.size()) {
        throw VelkoraError("ReactorBase::speciesName", "Species index {} out of range (the reactor has {}).",
                           k, m_species.size());
    }
    return m_species[k];
}

size_t ReactorBase::speciesIndex(const std::string& name) const
{
    for (size_t k = 0; k < m_species.size(); k++) {
        if (m_species[k] == name) {
            return k;
        }
    }
    return npos;
}

double ReactorBase::concentration(const std::string& name) const
{
    size_t k = speciesIndex(name);
    if (k == npos) {
        throw VelkoraError("ReactorBase::concentration", "No species '{}' in the reactor.", name);
    }
    return m_concentrations[k];
}

void ReactorBase::setConcentration(const std::string& name, double value)
{
    size_t k = speciesIndex(name);
    if (k == npos) {
        throw VelkoraError("ReactorBase::setConcentration", "No species '{}' in the reactor.", name);
    }
    if (!std::isfinite(value) || value < 0.0) {
        throw VelkoraError("ReactorBase::setConcentration",
                           "The concentration of '{}' must be finite and not negative, not {}.", name, value);
    }
    m_concentrations[k] = value;
    m_stateVersion++;
}

void ReactorBase::setConcentrations(const double* c)
{
    m_concentrations.assign(c, c + m_species.size());
    m_stateVersion++;
}

void ReactorBase::getState(double* y) const
{
    std::copy(m_concentrations.begin(), m_concentrations.end(), y);
}

void ReactorBase::jacobianPattern(std::vector<int>&, std::vector<int>&) const
{
    throw VelkoraError("ReactorBase::jacobianPattern", "A {} has no analytic Jacobian.", type());
}

bool ReactorBase::evalJacobian(const double*, const double*, double*, double*, double*) const
{
    throw VelkoraError("ReactorBase::evalJacobian", "A {} has no analytic Jacobian.", type());
}

} // namespace Velkora

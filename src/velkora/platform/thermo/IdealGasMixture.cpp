#include "velkora/platform/thermo/IdealGasMixture.h"

#include <cmath>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/thermo/PhysicalConstants.h"

namespace Velkora
{

double IdealGasMixture::gasConstant()
{
    return GasConstant;
}

IdealGasMixture::IdealGasMixture(std::shared_ptr<const SpeciesSet> species, std::shared_ptr<const SpeciesThermo> thermo)
    : m_species(std::move(species)), m_thermo(std::move(thermo))
{
    if (!m_species || m_species->nSpecies() == 0) {
        throw VelkoraError("IdealGasMixture::IdealGasMixture", "A mixture needs at least one species.");
    }
    if (!m_thermo) {
        m_thermo = std::make_shared<const SpeciesThermo>(*m_species);
    } else if (m_thermo->nSpecies() != m_species->nSpecies()) {
        throw VelkoraError("IdealGasMixture::IdealGasMixture", "The thermo table has {} species, the set {}.",
                           m_thermo->nSpecies(), m_species->nSpecies());
    }
    const size_t K = nSpecies();
    m_X.assign(K, 0.0);
    m_Y.assign(K, 0.0);
    m_X[0] = m_Y[0] = 1.0;
    m_meanMass = m_species->molarMasses()[0];
}

void IdealGasMixture::normalise(const char* procedure, const double* f)
{
    if (f == nullptr) {
        throw VelkoraError(procedure, "The fractions are a null pointer.");
    }
    const size_t K = nSpecies();
    double sum = 0.0;
    for (size_t k = 0; k < K; k++) {
        if (!std::isfinite(f[k]) || f[k] < 0.0) {
            throw VelkoraError(procedure, "The fraction of species {} ({}) must be finite and not negative, not {}.",
                               k, m_species->species(k).name, f[k]);
        }
        sum += f[k];
    }
    if (!(sum > 0.0) || !std::isfinite(sum)) {
        throw VelkoraError(procedure, "The fractions sum to {}; they must sum to a positive number.", sum);
    }
    m_work.resize(K);
    for (size_t k = 0; k < K; k++) {
        m_work[k] = f[k] / sum;
    }
}

namespace
{
void checkPositive(const char* procedure, const char* what, double v)
{
    if (!(v > 0.0) || !std::isfinite(v)) {
        throw VelkoraError(procedure, "The {} must be positive and finite, not {}.", what, v);
    }
}
} // namespace

void IdealGasMixture::setState_TPX(double T, double P, const double* X)
{
    const char* procedure = "IdealGasMixture::setState_TPX";
    checkPositive(procedure, "temperature", T);
    checkPositive(procedure, "pressure", P);
    normalise(procedure, X);
    const std::vector<double>& M = m_species->molarMasses();
    double mean = 0.0;
    for (size_t k = 0; k < m_work.size(); k++) {
        mean += m_work[k] * M[k];
    }
    m_X.swap(m_work);
    m_meanMass = mean;
    for (size_t k = 0; k < m_X.size(); k++) {
        m_Y[k] = m_X[k] * M[k] / mean;
    }
    m_P = P;
    setTemperature(T);
}

void IdealGasMixture::takeMassFractions()
{
    const std::vector<double>& M = m_species->molarMasses();
    double inverse = 0.0;
    for (size_t k = 0; k < m_work.size(); k++) {
        inverse += m_work[k] / M[k];
    }
    m_Y.swap(m_work);
    m_meanMass = 1.0 / inverse;
    for (size_t k = 0; k < m_Y.size(); k++) {
        m_X[k] = m_Y[k] / M[k] * m_meanMass;
    }
}

void IdealGasMixture::setState_TPY(double T, double P, const double* Y)
{
    const char* procedure = "IdealGasMixture::setState_TPY";
    checkPositive(procedure, "temperature", T);
    checkPositive(procedure, "pressure", P);
    normalise(procedure, Y);
    takeMassFractions();
    m_P = P;
    setTemperature(T);
}

void IdealGasMixture::setState_TRY(double T, double rho, const double* Y)
{
    const char* procedure = "IdealGasMixture::setState_TRY";
    checkPositive(procedure, "temperature", T);
    checkPositive(procedure, "density", rho);
    normalise(procedure, Y);
    takeMassFractions();
    m_P = rho * GasConstant * T / m_meanMass;
    setTemperature(T);
}

void IdealGasMixture::setTemperature(double T)
{
    m_T = T;
}

void IdealGasMixture::getConcentrations(double* c) const
{
    const double total = molarDensity();
    for (size_t k = 0; k < m_X.size(); k++) {
        c[k] = m_X[k] * total;
    }
}

void IdealGasMixture::updateThermo() const
{
    m_thermo->update(m_T, m_state);
}

void IdealGasMixture::getCp_R(double* out) const
{
    updateThermo();
    std::copy(m_state.cp_R.begin(), m_state.cp_R.end(), out);
}

void IdealGasMixture::getEnthalpy_RT(double* out) const
{
    updateThermo();
    std::copy(m_state.h_RT.begin(), m_state.h_RT.end(), out);
}

void IdealGasMixture::getEntropy_R(double* out) const
{
    updateThermo();
    for (size_t k = 0; k < m_state.h_RT.size(); k++) {
        out[k] = m_state.h_RT[k] - m_state.g_RT[k];
    }
}

void IdealGasMixture::getGibbs_RT(double* out) const
{
    updateThermo();
    std::copy(m_state.g_RT.begin(), m_state.g_RT.end(), out);
}

double IdealGasMixture::cpMole() const
{
    updateThermo();
    double sum = 0.0;
    for (size_t k = 0; k < m_X.size(); k++) {
        sum += m_X[k] * m_state.cp_R[k];
    }
    return GasConstant * sum;
}

double IdealGasMixture::cvMole() const
{
    return cpMole() - GasConstant;
}

double IdealGasMixture::enthalpyMole() const
{
    updateThermo();
    double sum = 0.0;
    for (size_t k = 0; k < m_X.size(); k++) {
        sum += m_X[k] * m_state.h_RT[k];
    }
    return GasConstant * m_T * sum;
}

double IdealGasMixture::intEnergyMole() const
{
    return enthalpyMole() - GasConstant * m_T;
}

double IdealGasMixture::entropyMole() const
{
    updateThermo();
    const double lnP = std::log(m_P / OneAtm);
    double sum = 0.0;
    for (size_t k = 0; k < m_X.size(); k++) {
        if (m_X[k] > 0.0) {
            sum += m_X[k] * (m_state.h_RT[k] - m_state.g_RT[k] - std::log(m_X[k]) - lnP);
        }
    }
    return GasConstant * sum;
}

double IdealGasMixture::gibbsMole() const
{
    return enthalpyMole() - m_T * entropyMole();
}

} // namespace Velkora

#include "velkora/platform/transport/HardSphereGas.h"

#include <cmath>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/thermo/PhysicalConstants.h"
#include "velkora/platform/transport/MixingRules.h"

namespace Velkora
{

namespace
{
constexpr double moleFractionTolerance = 1e-6;

bool positiveFinite(double v)
{
    return std::isfinite(v) && v > 0.0;
}

// The ranges the model accepts: wide enough for any gas, narrow enough that
// no formula of the model overflows or underflows to a value it divides by.
struct Range
{
    double low;
    double high;
    bool contains(double v) const { return v >= low && v <= high; } // false for NaN
};
constexpr Range molarMassRange{1e-7, 1e3};   // kg/mol: an electron to a large polymer
constexpr Range diameterRange{1e-12, 1e-6};  // m
constexpr Range molarCpRange{1e-3, 1e6};     // J/mol/K
constexpr Range temperatureRange{1e-2, 1e6}; // K
constexpr Range pressureRange{1e-6, 1e12};   // Pa

void checkRange(const char* procedure, const char* what, size_t k, const Range& range, double v)
{
    if (!range.contains(v)) {
        throw VelkoraError(procedure, "The {} of species {} must lie in [{}, {}], not {}.", what, k, range.low,
                           range.high, v);
    }
}
} // namespace

HardSphereGas::HardSphereGas(const std::vector<double>& molarMass, const std::vector<double>& diameter,
                             const std::vector<double>& molarCp)
    : m_molarMass(molarMass), m_diameter(diameter), m_molarCp(molarCp)
{
    const char* procedure = "HardSphereGas::HardSphereGas";
    const size_t n = molarMass.size();
    if (n < 1) {
        throw VelkoraError(procedure, "A mixture needs at least one species.");
    }
    if (diameter.size() != n || molarCp.size() != n) {
        throw VelkoraError(procedure, "Got {} molar masses, {} diameters and {} heat capacities.", n,
                           diameter.size(), molarCp.size());
    }
    for (size_t k = 0; k < n; k++) {
        checkRange(procedure, "molar mass", k, molarMassRange, molarMass[k]);
        checkRange(procedure, "diameter", k, diameterRange, diameter[k]);
        checkRange(procedure, "heat capacity", k, molarCpRange, molarCp[k]);
    }
    m_X.assign(n, 1.0 / n);
}

void HardSphereGas::checkMoleFractions(const char* procedure, const double* X) const
{
    if (X == nullptr) {
        throw VelkoraError(procedure, "The mole fractions are a null pointer.");
    }
    double sum = 0.0;
    for (size_t k = 0; k < nSpecies(); k++) {
        if (!std::isfinite(X[k]) || X[k] < 0.0) {
            throw VelkoraError(procedure, "The mole fraction of species {} must be finite and not negative, not {}.",
                               k, X[k]);
        }
        sum += X[k];
    }
    if (std::abs(sum - 1.0) > moleFractionTolerance) {
        throw VelkoraError(procedure, "The mole fractions sum to {}, not 1 (within {}).", sum,
                           moleFractionTolerance);
    }
}

void HardSphereGas::setState(double T, double P, const double* X)
{
    const char* procedure = "HardSphereGas::setState";
    if (!temperatureRange.contains(T)) {
        throw VelkoraError(procedure, "The temperature must lie in [{}, {}] K, not {}.", temperatureRange.low,
                           temperatureRange.high, T);
    }
    if (!pressureRange.contains(P)) {
        throw VelkoraError(procedure, "The pressure must lie in [{}, {}] Pa, not {}.", pressureRange.low,
                           pressureRange.high, P);
    }
    checkMoleFractions(procedure, X);
    m_T = T;
    m_P = P;
    m_X.assign(X, X + nSpecies());
}

void HardSphereGas::speciesViscosities(std::vector<double>& mu) const
{
    mu.resize(nSpecies());
    for (size_t k = 0; k < nSpecies(); k++) {
        double m = m_molarMass[k] / Avogadro;
        double s = m_diameter[k];
        mu[k] = (5.0 / 16.0) * std::sqrt(Pi * m * Boltzmann * m_T) / (Pi * s * s);
    }
}

void HardSphereGas::getSpeciesViscosities(double* visc)
{
    const char* procedure = "HardSphereGas::getSpeciesViscosities";
    requireOutput(procedure, visc);
    std::vector<double> mu;
    speciesViscosities(mu);
    requireFinite(procedure, mu.data(), mu.size());
    std::copy(mu.begin(), mu.end(), visc);
}

double HardSphereGas::wilke(const std::vector<double>& v, const std::vector<double>& mu) const
{
    return wilkeAverage(nSpecies(), m_X.data(), v.data(), mu.data(), m_molarMass.data());
}

double HardSphereGas::viscosity()
{
    std::vector<double> mu;
    speciesViscosities(mu);
    return finiteResult("HardSphereGas::viscosity", wilke(mu, mu));
}

double HardSphereGas::thermalConductivity()
{
    std::vector<double> mu;
    speciesViscosities(mu);
    std::vector<double> lambda(nSpecies());
    for (size_t k = 0; k < nSpecies(); k++) {
        lambda[k] = mu[k] / m_molarMass[k] * (m_molarCp[k] + 1.25 * GasConstant);
    }
    return finiteResult("HardSphereGas::thermalConductivity", wilke(lambda, mu));
}

double HardSphereGas::binary(size_t i, size_t j) const
{
    double mi = m_molarMass[i] / Avogadro;
    double mj = m_molarMass[j] / Avogadro;
    double reduced = mi * mj / (mi + mj);
    double s = 0.5 * (m_diameter[i] + m_diameter[j]);
    double n = m_P / (Boltzmann * m_T);
    return (3.0 / 16.0) * std::sqrt(2.0 * Pi * Boltzmann * m_T / reduced) / (n * Pi * s * s);
}

void HardSphereGas::getBinaryDiffCoeffs(size_t ld, double* d)
{
    const char* procedure = "HardSphereGas::getBinaryDiffCoeffs";
    if (ld < nSpecies()) {
        throw VelkoraError(procedure, "The leading dimension {} is less than the number of species, {}.", ld,
                           nSpecies());
    }
    requireOutput(procedure, d);
    const size_t n = nSpecies();
    std::vector<double> D(n * n);
    for (size_t j = 0; j < n; j++) {
        for (size_t i = 0; i < n; i++) {
            D[j * n + i] = binary(i, j);
        }
    }
    requireFinite(procedure, D.data(), D.size());
    for (size_t j = 0; j < n; j++) {
        std::copy(&D[j * n], &D[j * n] + n, d + j * ld);
    }
}

void HardSphereGas::getMultiDiffCoeffs(size_t, double*)
{
    throw VelkoraError("HardSphereGas::getMultiDiffCoeffs",
                       "Multicomponent diffusion coefficients are not provided by the '{}' model; use the "
                       "mixture-averaged or binary coefficients.",
                       transportModel());
}

void HardSphereGas::mixDiffCoeffs(const std::vector<double>& X, double* d) const
{
    const size_t n = nSpecies();
    double meanMass = 0.0;
    for (size_t k = 0; k < n; k++) {
        meanMass += X[k] * m_molarMass[k];
    }
    std::vector<double> Y(n), D(n * n);
    for (size_t k = 0; k < n; k++) {
        Y[k] = X[k] * m_molarMass[k] / meanMass;
        for (size_t j = 0; j < n; j++) {
            D[j * n + k] = binary(j, k);
        }
    }
    mixtureAveragedDiffusion(n, X.data(), Y.data(), D.data(), d);
}

void HardSphereGas::getMixDiffCoeffs(double* d)
{
    const char* procedure = "HardSphereGas::getMixDiffCoeffs";
    requireOutput(procedure, d);
    std::vector<double> D(nSpecies());
    mixDiffCoeffs(m_X, D.data());
    requireFinite(procedure, D.data(), D.size());
    std::copy(D.begin(), D.end(), d);
}

void HardSphereGas::getThermalDiffCoeffs(double* dt)
{
    requireOutput("HardSphereGas::getThermalDiffCoeffs", dt);
    std::fill(dt, dt + nSpecies(), 0.0);
}

void HardSphereGas::massFluxes(const std::string& procedure, const double* X1, const double* X2, double delta,
                               std::vector<double>& j) const
{
    if (!positiveFinite(delta)) {
        throw VelkoraError(procedure, "The distance between the states must be positive and finite, not {}.", delta);
    }
    checkMoleFractions(procedure.c_str(), X1);
    checkMoleFractions(procedure.c_str(), X2);
    const size_t n = nSpecies();
    std::vector<double> mean(n), D(n);
    double meanMass = 0.0;
    for (size_t k = 0; k < n; k++) {
        mean[k] = 0.5 * (X1[k] + X2[k]);
        meanMass += mean[k] * m_molarMass[k];
    }
    mixDiffCoeffs(mean, D.data());
    const double c = m_P / (GasConstant * m_T);
    j.resize(n);
    double total = 0.0;
    for (size_t k = 0; k < n; k++) {
        j[k] = -c * D[k] * (X2[k] - X1[k]) / delta * m_molarMass[k];
        total += j[k];
    }
    for (size_t k = 0; k < n; k++) {
        j[k] -= mean[k] * m_molarMass[k] / meanMass * total;
    }
    requireFinite(procedure.c_str(), j.data(), n);
}

} // namespace Velkora

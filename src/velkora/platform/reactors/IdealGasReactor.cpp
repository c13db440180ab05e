#include "velkora/platform/reactors/IdealGasReactor.h"

#include <chrono>
#include <cmath>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/thermo/PhysicalConstants.h"

namespace Velkora
{

namespace
{
double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}
} // namespace

IdealGasReactor::Kind IdealGasReactor::kindFromName(const std::string& name)
{
    if (name == "constant-pressure") {
        return ConstantPressure;
    }
    if (name == "constant-volume") {
        return ConstantVolume;
    }
    if (name == "constant-temperature") {
        return ConstantTemperature;
    }
    throw VelkoraError("IdealGasReactor::kindFromName",
                       "Unknown reactor type '{}': use 'constant-pressure', 'constant-volume' or "
                       "'constant-temperature'.",
                       name);
}

std::string IdealGasReactor::kindName(Kind kind)
{
    return kind == ConstantPressure ? "constant-pressure" : kind == ConstantVolume ? "constant-volume"
                                                                                    : "constant-temperature";
}

IdealGasReactor::IdealGasReactor(std::shared_ptr<const Mechanism> mechanism, Kind kind, double T, double P,
                                 const double* X)
    : m_mechanism(std::move(mechanism)), m_kind(kind),
      m_gas(m_mechanism ? m_mechanism->sharedSpecies()
                        : throw VelkoraError("IdealGasReactor::IdealGasReactor", "The mechanism is a null pointer."),
            m_mechanism->compiled()->sharedThermo())
{
    m_gas.setState_TPX(T, P, X);
    m_P = m_gas.pressure();
    m_rho = m_gas.density();
    const SpeciesSet& set = m_mechanism->speciesSet();
    const size_t K = set.nSpecies();
    for (size_t k = 0; k < K; k++) {
        m_species.push_back(set.species(k).name);
    }
    m_M = set.molarMasses();
    m_kinetics = m_mechanism->newKinetics();
    m_C.resize(K);
    m_wdot.resize(K);
    m_hJ.resize(K);
    m_uniform.resize(K);
    m_plus.resize(K + 1);
    m_gas.getConcentrations(m_C.data());
    m_concentrations = m_C;

    // The pattern: column 0 (the temperature) full; column j + 1 the
    // temperature row, then the rows of d wdot / dC's column j.
    const std::vector<int>& kc = m_kinetics->jacobianColumns();
    const std::vector<int>& kr = m_kinetics->jacobianRows();
    m_colptr.push_back(0);
    for (size_t i = 0; i <= K; i++) {
        m_rows.push_back(static_cast<int>(i));
    }
    m_colptr.push_back(static_cast<int>(m_rows.size()));
    m_kinToReactor.resize(kr.size());
    m_tRowPos.resize(K);
    for (size_t j = 0; j < K; j++) {
        m_tRowPos[j] = static_cast<int>(m_rows.size());
        m_rows.push_back(0);
        for (int p = kc[j]; p < kc[j + 1]; p++) {
            m_kinToReactor[p] = static_cast<int>(m_rows.size());
            m_rows.push_back(kr[p] + 1);
        }
        m_colptr.push_back(static_cast<int>(m_rows.size()));
    }
    m_kinJac.resize(kr.size());
}

double IdealGasReactor::concentration(const std::string& name) const
{
    size_t k = speciesIndex(name);
    if (k == npos) {
        throw VelkoraError("IdealGasReactor::concentration", "No species '{}' in the reactor.", name);
    }
    return m_gas.density() * m_gas.massFractions()[k] / m_M[k];
}

void IdealGasReactor::setConcentration(const std::string&, double)
{
    throw VelkoraError("IdealGasReactor::setConcentration",
                       "The composition of an ideal-gas reactor is given when it is built.");
}

double IdealGasReactor::moleFraction(const std::string& name) const
{
    size_t k = speciesIndex(name);
    if (k == npos) {
        throw VelkoraError("IdealGasReactor::moleFraction", "No species '{}' in the reactor.", name);
    }
    return m_gas.moleFractions()[k];
}

double IdealGasReactor::massFraction(const std::string& name) const
{
    size_t k = speciesIndex(name);
    if (k == npos) {
        throw VelkoraError("IdealGasReactor::massFraction", "No species '{}' in the reactor.", name);
    }
    return m_gas.massFractions()[k];
}

size_t IdealGasReactor::componentIndex(const std::string& name) const
{
    if (name == "temperature") {
        return 0;
    }
    size_t k = speciesIndex(name);
    return k == npos ? npos : k + 1;
}

void IdealGasReactor::getState(double* y) const
{
    y[0] = m_gas.temperature();
    const std::vector<double>& Y = m_gas.massFractions();
    std::copy(Y.begin(), Y.end(), y + 1);
}

void IdealGasReactor::setState(const double* y)
{
    // The integrator's mass fractions may carry round-off below zero: the
    // gas is set from them clipped, the next integration starts from them
    // as they were.
    const size_t K = nSpecies();
    std::vector<double>& Y = m_clipped;
    Y.resize(K);
    for (size_t k = 0; k < K; k++) {
        Y[k] = std::max(y[k + 1], 0.0);
    }
    if (m_kind == ConstantVolume) {
        m_gas.setState_TRY(y[0], m_rho, Y.data());
    } else {
        m_gas.setState_TPY(y[0], m_P, Y.data());
    }
    m_gas.getConcentrations(m_C.data());
    m_concentrations = m_C;
    m_stateVersion++;
}

double IdealGasReactor::prepare(const double* y) const
{
    const size_t K = nSpecies();
    const double T = y[0];
    const double* Y = y + 1;
    double rho = m_rho;
    if (m_kind != ConstantVolume) {
        double sum = 0.0;
        for (size_t k = 0; k < K; k++) {
            sum += Y[k] / m_M[k];
        }
        rho = m_P / (GasConstant * T * sum);
    }
    for (size_t k = 0; k < K; k++) {
        m_C[k] = rho * Y[k] / m_M[k];
    }
    m_mechanism->compiled()->thermo().update(T, m_thermo);
    return rho;
}

void IdealGasReactor::rates(const double* y, const double* multipliers, double* ydot) const
{
    const size_t K = nSpecies();
    const double T = y[0];
    const double* Y = y + 1;
    const double rho = prepare(y);
    m_kinetics->update(m_thermo, m_C.data(), multipliers);
    m_kinetics->getNetProductionRates(m_wdot.data());
    for (size_t k = 0; k < K; k++) {
        ydot[k + 1] = m_M[k] * m_wdot[k] / rho;
    }
    if (m_kind == ConstantTemperature) {
        ydot[0] = 0.0;
        return;
    }
    // rho cp dT/dt = -sum h_k wdot_k (cv and u at constant volume), in units of R.
    const double* h = m_thermo.h_RT.data();
    const double* cp = m_thermo.cp_R.data();
    const double shift = m_kind == ConstantVolume ? 1.0 : 0.0;
    double heat = 0.0, capacity = 0.0;
    for (size_t k = 0; k < K; k++) {
        heat += (h[k] - shift) * m_wdot[k];
        capacity += Y[k] * (cp[k] - shift) / m_M[k];
    }
    ydot[0] = -T * heat / (rho * capacity);
}

void IdealGasReactor::evalRates(const double* y, const double* multipliers, double* ydot) const
{
    auto start = std::chrono::steady_clock::now();
    rates(y, multipliers, ydot);
    m_stats.rateEvaluations++;
    m_stats.rateSeconds += seconds(start);
}

void IdealGasReactor::jacobianPattern(std::vector<int>& colptr, std::vector<int>& rows) const
{
    colptr = m_colptr;
    rows = m_rows;
}

bool IdealGasReactor::evalJacobian(const double* y, const double* multipliers, double* values, double* rankA,
                                   double* rankB) const
{
    auto start = std::chrono::steady_clock::now();
    const size_t K = nSpecies();
    const double T = y[0];
    const double* Y = y + 1;

    // The temperature column: a forward difference of the rates.
    auto columnStart = std::chrono::steady_clock::now();
    std::vector<double>& f0 = m_plus;
    std::vector<double> yT(y, y + K + 1), f1(K + 1);
    const double dT = 1e-7 * T + 1e-7;
    yT[0] = T + dT;
    rates(yT.data(), multipliers, f1.data());
    rates(y, multipliers, f0.data());
    for (size_t i = 0; i <= K; i++) {
        values[i] = (f1[i] - f0[i]) / dT;
    }
    m_stats.temperatureColumnSeconds += seconds(columnStart);

    // The kinetics at y (the last rates() call left them there).
    auto kineticsStart = std::chrono::steady_clock::now();
    m_kinetics->evalConcentrationJacobian(m_kinJac.data(), m_uniform.data());
    m_stats.kineticsJacobianSeconds += seconds(kineticsStart);
    const std::vector<int>& kc = m_kinetics->jacobianColumns();
    const std::vector<int>& kr = m_kinetics->jacobianRows();
    std::fill(m_hJ.begin(), m_hJ.end(), 0.0);
    std::vector<double> JC(K, 0.0); // (d wdot / dC) C
    const double* h = m_thermo.h_RT.data();
    const double* cp = m_thermo.cp_R.data();
    const double shift = m_kind == ConstantVolume ? 1.0 : 0.0;
    for (size_t j = 0; j < K; j++) {
        for (int p = kc[j]; p < kc[j + 1]; p++) {
            const int k = kr[p];
            values[m_kinToReactor[p]] = m_M[k] / m_M[j] * m_kinJac[p];
            m_hJ[j] += (h[k] - shift) * m_kinJac[p];
            JC[k] += m_kinJac[p] * m_C[j];
        }
    }
    // d wdot / dC = S + t 1^T: t's part of (d wdot / dC) C, of the row of
    // the temperature, and of the species block, which is rank one:
    // (M_k t_k)(1 / M_j).
    double total = 0.0, uniformHeat = 0.0;
    bool rankOne = m_kind != ConstantVolume;
    for (size_t k = 0; k < K; k++) {
        total += m_C[k];
        uniformHeat += (h[k] - shift) * m_uniform[k];
        rankOne = rankOne || m_uniform[k] != 0.0;
    }
    for (size_t k = 0; k < K; k++) {
        JC[k] += m_uniform[k] * total;
    }
    for (size_t j = 0; j < K; j++) {
        m_hJ[j] += uniformHeat;
    }
    if (rankOne) {
        rankA[0] = rankB[0] = 0.0;
        for (size_t k = 0; k < K; k++) {
            // At constant pressure the density's dependence on Y adds
            // (M_k / M_j)(wdot_k - (d wdot / dC) C)_k / Ctot.
            const double density = m_kind != ConstantVolume ? (m_wdot[k] - JC[k]) / total : 0.0;
            rankA[k + 1] = m_M[k] * (m_uniform[k] + density);
            rankB[k + 1] = 1.0 / m_M[k];
        }
    }

    // The temperature row.
    if (m_kind == ConstantTemperature) {
        for (size_t j = 0; j < K; j++) {
            values[m_tRowPos[j]] = 0.0;
        }
        values[0] = 0.0;
    } else {
        const double rho = prepare(y);
        double heat = 0.0, capacity = 0.0, inverseMass = 0.0;
        for (size_t k = 0; k < K; k++) {
            heat += (h[k] - shift) * m_wdot[k];
            capacity += Y[k] * (cp[k] - shift) / m_M[k];
            inverseMass += Y[k] / m_M[k];
        }
        const double meanMass = 1.0 / inverseMass;
        // At constant pressure C depends on Y through rho as well:
        // dC_i/dY_j = (rho / M_j)(delta_ij - X_i), and d rho / dY_j = -rho M / M_j.
        double hJX = 0.0;
        if (m_kind == ConstantPressure) {
            for (size_t j = 0; j < K; j++) {
                hJX += m_hJ[j] * Y[j] * meanMass / m_M[j];
            }
        }
        for (size_t j = 0; j < K; j++) {
            const double densityTerm = m_kind == ConstantPressure ? capacity * meanMass : 0.0;
            values[m_tRowPos[j]] = T / (capacity * m_M[j]) *
                                   (-(m_hJ[j] - hJX) + heat * ((cp[j] - shift) - densityTerm) / (rho * capacity));
        }
    }
    m_stats.jacobianEvaluations++;
    m_stats.jacobianSeconds += seconds(start);
    return rankOne;
}

} // namespace Velkora

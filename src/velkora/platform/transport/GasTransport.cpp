#include "velkora/platform/transport/GasTransport.h"

#include <algorithm>
#include <cmath>
#include <set>

#include <sundials/sundials_dense.h>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/thermo/PhysicalConstants.h"
#include "velkora/platform/transport/CollisionIntegrals.h"
#include "velkora/platform/transport/MixingRules.h"

namespace Velkora
{

namespace
{
constexpr double traceMoleFraction = 1e-12;
constexpr double lightSpecies = 5e-3; // kg/mol: thermal diffusion of H, H2, He

bool finite(double v)
{
    return std::isfinite(v);
}

double rotationalCv(int geometry)
{
    return geometry == 0 ? 0.0 : geometry == 1 ? GasConstant : 1.5 * GasConstant;
}

double vibrationalCv(const GasSpecies& s, double T)
{
    if (s.fixedCp > 0.0) {
        return std::max(0.0, s.fixedCp - GasConstant - 1.5 * GasConstant - rotationalCv(s.geometry));
    }
    double cv = 0.0;
    for (double theta : s.vibrations) {
        double x = theta / T;
        if (x < 500.0) { // beyond, the mode is frozen and e^x overflows
            double e = std::exp(x);
            cv += x * x * e / ((e - 1.0) * (e - 1.0));
        }
    }
    return GasConstant * cv;
}

// Parker's temperature dependence of the rotational collision number.
double parker(double wellDepth, double T)
{
    double r = wellDepth / T;
    return 1.0 + 0.5 * std::pow(Pi, 1.5) * std::sqrt(r) + (0.25 * Pi * Pi + 2.0) * r + std::pow(Pi, 1.5) * r * std::sqrt(r);
}

void require(bool ok, const char* procedure, size_t k, const std::string& name, const char* field,
             const char* expected, double value)
{
    if (!ok) {
        throw VelkoraError(procedure, "Species {} ({}): the {} must be {}, not {}.", k, name, field, expected, value);
    }
}
} // namespace

GasTransport::GasTransport(std::vector<GasSpecies> species, const std::string& model)
    : m_species(std::move(species)), m_model(model)
{
    const char* procedure = "GasTransport::GasTransport";
    if (m_model != mixtureAveraged && m_model != multicomponent) {
        throw VelkoraError(procedure, "Unknown transport model '{}': use '{}' or '{}'.", model, mixtureAveraged,
                           multicomponent);
    }
    const size_t K = m_species.size();
    if (K == 0) {
        throw VelkoraError(procedure, "A mixture needs at least one species.");
    }
    std::set<std::string> names;
    for (size_t k = 0; k < K; k++) {
        const GasSpecies& s = m_species[k];
        if (s.name.empty() || !names.insert(s.name).second) {
            throw VelkoraError(procedure, "Species {}: the name '{}' is empty or given twice.", k, s.name);
        }
        const char* positive = "positive and finite";
        const char* notNegative = "finite and not negative";
        require(finite(s.molarMass) && s.molarMass > 0.0, procedure, k, s.name, "molar mass", positive, s.molarMass);
        require(finite(s.wellDepth) && s.wellDepth > 0.0, procedure, k, s.name, "well depth", positive, s.wellDepth);
        require(finite(s.diameter) && s.diameter > 0.0, procedure, k, s.name, "diameter", positive, s.diameter);
        require(finite(s.dipole) && s.dipole >= 0.0, procedure, k, s.name, "dipole moment", notNegative, s.dipole);
        require(finite(s.polarizability) && s.polarizability >= 0.0, procedure, k, s.name, "polarizability",
                notNegative, s.polarizability);
        require(finite(s.rotationalRelaxation) && s.rotationalRelaxation >= 0.0, procedure, k, s.name,
                "rotational relaxation number", notNegative, s.rotationalRelaxation);
        require(finite(s.fixedCp) && s.fixedCp >= 0.0, procedure, k, s.name, "heat capacity", notNegative,
                s.fixedCp);
        for (double theta : s.vibrations) {
            require(finite(theta) && theta >= 0.0, procedure, k, s.name, "vibrational temperature", notNegative,
                    theta);
        }
        if (s.geometry < 0 || s.geometry > 2) {
            throw VelkoraError(procedure, "Species {} ({}): the geometry must be 0, 1 or 2, not {}.", k, s.name,
                               s.geometry);
        }
    }
    // Combining rules for each pair (Hirschfelder, Curtiss and Bird): a polar
    // molecule induces a dipole in a non-polar partner, deepening the well.
    m_pairs.resize(K * K);
    for (size_t j = 0; j < K; j++) {
        for (size_t k = 0; k < K; k++) {
            const GasSpecies& a = m_species[j];
            const GasSpecies& b = m_species[k];
            Pair p;
            p.wellDepth = std::sqrt(a.wellDepth * b.wellDepth);
            p.diameter = 0.5 * (a.diameter + b.diameter);
            p.delta = 0.0;
            bool polarA = a.dipole > 0.0, polarB = b.dipole > 0.0;
            if (polarA == polarB) {
                p.delta = a.dipole * b.dipole /
                          (8.0 * Pi * VacuumPermittivity * Boltzmann * p.wellDepth * std::pow(p.diameter, 3));
            } else {
                const GasSpecies& polar = polarA ? a : b;
                const GasSpecies& other = polarA ? b : a;
                double alpha = other.polarizability / std::pow(other.diameter, 3);
                double mu = polar.dipole / std::sqrt(4.0 * Pi * VacuumPermittivity * Boltzmann * polar.wellDepth *
                                                     std::pow(polar.diameter, 3));
                double xi = 1.0 + 0.25 * alpha * mu * std::sqrt(polar.wellDepth / other.wellDepth);
                p.wellDepth *= xi * xi;
                p.diameter *= std::pow(xi, -1.0 / 6.0);
            }
            double ma = a.molarMass / Avogadro, mb = b.molarMass / Avogadro;
            p.reducedMass = ma * mb / (ma + mb);
            m_pairs[j * K + k] = p;
        }
    }
    m_state = compute(300.0, 101325.0, std::vector<double>(K, 1.0 / K));
}

std::string GasTransport::speciesName(size_t k) const
{
    if (k >= m_species.size()) {
        throw VelkoraError("GasTransport::speciesName", "Species index {} out of range (the mixture has {}).", k,
                           m_species.size());
    }
    return m_species[k].name;
}

void GasTransport::setState(double T, double P, const double* X)
{
    const char* procedure = "GasTransport::setState";
    if (!(T >= 10.0 && T <= 1e5)) {
        throw VelkoraError(procedure, "The temperature must lie in [10, 100000] K, not {}.", T);
    }
    if (!(P >= 1e-3 && P <= 1e10)) {
        throw VelkoraError(procedure, "The pressure must lie in [0.001, 10000000000] Pa, not {}.", P);
    }
    if (X == nullptr) {
        throw VelkoraError(procedure, "The mole fractions are a null pointer.");
    }
    const size_t K = nSpecies();
    double sum = 0.0;
    for (size_t k = 0; k < K; k++) {
        if (!finite(X[k]) || X[k] < 0.0) {
            throw VelkoraError(procedure, "The mole fraction of species {} ({}) must be finite and not negative, not {}.",
                               k, m_species[k].name, X[k]);
        }
        sum += X[k];
    }
    if (!(sum > 0.0)) {
        throw VelkoraError(procedure, "The mole fractions sum to {}; they must sum to a positive number.", sum);
    }
    std::vector<double> x(X, X + K);
    for (double& v : x) {
        v /= sum;
    }
    m_state = compute(T, P, std::move(x)); // a throw leaves the old state
}

GasTransport::State GasTransport::compute(double T, double P, std::vector<double> X) const
{
    State s;
    s.T = T;
    s.P = P;
    s.X = std::move(X);
    const size_t K = nSpecies();
    s.Y.resize(K);
    for (size_t k = 0; k < K; k++) {
        s.meanMass += s.X[k] * m_species[k].molarMass;
    }
    for (size_t k = 0; k < K; k++) {
        s.Y[k] = s.X[k] * m_species[k].molarMass / s.meanMass;
    }
    binaryCoefficients(s);
    speciesProperties(s);
    mixtureProperties(s);
    if (m_model == multicomponent) {
        multicomponentCoefficients(s);
    }
    const char* procedure = "GasTransport::setState";
    requireFinite(procedure, s.mu.data(), K);
    requireFinite(procedure, s.lambda.data(), K);
    requireFinite(procedure, s.binary.data(), K * K);
    requireFinite(procedure, s.mix.data(), K);
    requireFinite(procedure, s.thermal.data(), K);
    requireFinite(procedure, s.multi.data(), s.multi.size());
    finiteResult(procedure, s.viscosity);
    finiteResult(procedure, s.conductivity);
    return s;
}

void GasTransport::binaryCoefficients(State& s) const
{
    const size_t K = nSpecies();
    const double kT = Boltzmann * s.T;
    s.binary.resize(K * K);
    for (size_t j = 0; j < K; j++) {
        for (size_t k = j; k < K; k++) {
            const Pair& p = m_pairs[j * K + k];
            CollisionIntegrals c = collisionIntegrals(s.T / p.wellDepth, p.delta);
            double d = 3.0 / 16.0 * std::sqrt(2.0 * Pi * kT * kT * kT / p.reducedMass) /
                       (s.P * Pi * p.diameter * p.diameter * c.omega11);
            s.binary[j * K + k] = s.binary[k * K + j] = d;
        }
    }
}

void GasTransport::speciesProperties(State& s) const
{
    const size_t K = nSpecies();
    const double kT = Boltzmann * s.T;
    s.mu.resize(K);
    s.lambda.resize(K);
    for (size_t k = 0; k < K; k++) {
        const GasSpecies& sp = m_species[k];
        const Pair& self = m_pairs[k * K + k];
        CollisionIntegrals c = collisionIntegrals(s.T / self.wellDepth, self.delta);
        const double m = sp.molarMass / Avogadro;
        const double mu = 5.0 / 16.0 * std::sqrt(Pi * m * kT) / (Pi * self.diameter * self.diameter * c.omega22);
        s.mu[k] = mu;
        // Mason and Monchick: the internal energy travels with the
        // diffusing molecules and relaxes to translation in collisions.
        const double rhoD = m * s.P / kT * s.binary[k * K + k] / mu; // rho D_kk / mu, independent of P
        const double cvTrans = 1.5 * GasConstant;
        const double cvRot = rotationalCv(sp.geometry);
        const double cvVib = vibrationalCv(sp, s.T);
        const double zrot = sp.rotationalRelaxation * parker(sp.wellDepth, 298.0) / parker(sp.wellDepth, s.T);
        const double A = 2.5 - rhoD;
        const double B = zrot + 2.0 / Pi * (5.0 / 3.0 * cvRot / GasConstant + rhoD);
        const double fTrans = 2.5 * (1.0 - 2.0 / Pi * cvRot / cvTrans * A / B);
        const double fRot = rhoD * (1.0 + 2.0 / Pi * A / B);
        const double fVib = rhoD;
        s.lambda[k] = mu / sp.molarMass * (fTrans * cvTrans + fRot * cvRot + fVib * cvVib);
    }
}

void GasTransport::mixtureProperties(State& s) const
{
    const size_t K = nSpecies();
    // Wilke's rule for the viscosity; the combination average for the conductivity.
    std::vector<double> M(K);
    double sumXl = 0.0, sumXoverL = 0.0;
    for (size_t k = 0; k < K; k++) {
        M[k] = m_species[k].molarMass;
        sumXl += s.X[k] * s.lambda[k];
        sumXoverL += s.X[k] / s.lambda[k];
    }
    s.viscosity = wilkeAverage(K, s.X.data(), s.mu.data(), s.mu.data(), M.data());
    s.conductivity = 0.5 * (sumXl + 1.0 / sumXoverL);

    // Mixture-averaged diffusion; self-diffusion for a pure species.
    s.mix.resize(K);
    mixtureAveragedDiffusion(K, s.X.data(), s.Y.data(), s.binary.data(), s.mix.data());

    // Thermal diffusion of the light species: the first-order thermal
    // diffusion ratio Theta_k = sum_j theta_kj X_k X_j.
    s.thermal.assign(K, 0.0);
    const double rho = s.P * s.meanMass / (GasConstant * s.T);
    for (size_t k = 0; k < K; k++) {
        const double Mk = m_species[k].molarMass;
        if (Mk >= lightSpecies) {
            continue;
        }
        double theta = 0.0;
        for (size_t j = 0; j < K; j++) {
            if (j == k) {
                continue;
            }
            const Pair& p = m_pairs[j * K + k];
            CollisionIntegrals c = collisionIntegrals(s.T / p.wellDepth, p.delta);
            const double Mj = m_species[j].molarMass;
            theta += 7.5 * (2.0 * c.aStar + 5.0) * (6.0 * c.cStar - 5.0) /
                     (c.aStar * (16.0 * c.aStar - 12.0 * c.bStar + 55.0)) * (Mk - Mj) / (Mk + Mj) * s.X[k] * s.X[j];
        }
        s.thermal[k] = rho * Mk / s.meanMass * s.mix[k] * theta;
    }
}

void GasTransport::multicomponentCoefficients(State& s) const
{
    // Stefan-Maxwell: d_i = sum_j (X_i X_j / D_ij)(V_j - V_i), with the
    // mass-average frame sum_i Y_i V_i = 0. In matrix form d = S V, S singular
    // (S 1 = 0, 1^T S = 0); A = S - a 1 Y^T is regular and A V = d keeps the
    // frame for every d that sums to 0. With d = e_j - e_k, D_kk = 0 gives
    // D_kj = X_k M (V_k) / M_j = X_k M (Ainv_kj - Ainv_kk) / M_j.
    const size_t K = nSpecies();
    std::vector<double> X(K), Y(K);
    double sum = 0.0;
    for (size_t k = 0; k < K; k++) {
        X[k] = std::max(s.X[k], traceMoleFraction);
        sum += X[k];
    }
    double mean = 0.0;
    for (size_t k = 0; k < K; k++) {
        X[k] /= sum;
        mean += X[k] * m_species[k].molarMass;
    }
    for (size_t k = 0; k < K; k++) {
        Y[k] = X[k] * m_species[k].molarMass / mean;
    }
    // A column by column, as SUNDIALS' dense LU takes it: A(i, j) at j * K + i.
    std::vector<double> A(K * K, 0.0);
    double scale = 0.0;
    for (size_t i = 0; i < K; i++) {
        for (size_t j = 0; j < K; j++) {
            if (i != j) {
                double b = X[i] * X[j] / s.binary[i * K + j];
                A[j * K + i] = b;
                A[i * K + i] -= b;
            }
        }
        scale = std::max(scale, std::abs(A[i * K + i]));
    }
    scale = scale > 0.0 ? scale : 1.0;
    for (size_t i = 0; i < K; i++) {
        for (size_t j = 0; j < K; j++) {
            A[j * K + i] -= scale * Y[j];
        }
    }
    // The inverse, column by column, from one LU factorization with partial
    // pivoting (SUNDIALS' dense GETRF and GETRS).
    const auto n = static_cast<sunindextype>(K);
    std::vector<double*> columns(K);
    for (size_t j = 0; j < K; j++) {
        columns[j] = &A[j * K];
    }
    std::vector<sunindextype> pivots(K);
    if (SUNDlsMat_denseGETRF(columns.data(), n, n, pivots.data()) != 0) {
        throw VelkoraError("GasTransport::setState", "The Stefan-Maxwell matrix is singular.");
    }
    std::vector<double> inv(K * K, 0.0); // column j of the inverse at j * K
    for (size_t j = 0; j < K; j++) {
        inv[j * K + j] = 1.0;
        SUNDlsMat_denseGETRS(columns.data(), n, pivots.data(), &inv[j * K]);
    }
    s.multi.assign(K * K, 0.0); // D_kj at j * K + k, as the binary ones
    for (size_t k = 0; k < K; k++) {
        for (size_t j = 0; j < K; j++) {
            if (j != k) {
                s.multi[j * K + k] =
                    X[k] * mean * (inv[j * K + k] - inv[k * K + k]) / m_species[j].molarMass;
            }
        }
    }
}

void GasTransport::getSpeciesViscosities(double* visc)
{
    requireOutput("GasTransport::getSpeciesViscosities", visc);
    std::copy(m_state.mu.begin(), m_state.mu.end(), visc);
}

void GasTransport::getThermalDiffCoeffs(double* dt)
{
    requireOutput("GasTransport::getThermalDiffCoeffs", dt);
    std::copy(m_state.thermal.begin(), m_state.thermal.end(), dt);
}

void GasTransport::getMixDiffCoeffs(double* d)
{
    requireOutput("GasTransport::getMixDiffCoeffs", d);
    std::copy(m_state.mix.begin(), m_state.mix.end(), d);
}

namespace
{
void copyMatrix(const char* procedure, const std::vector<double>& m, size_t K, size_t ld, double* d)
{
    if (ld < K) {
        throw VelkoraError(procedure, "The leading dimension {} is less than the number of species, {}.", ld, K);
    }
    if (d == nullptr) {
        throw VelkoraError(procedure, "The output array is a null pointer.");
    }
    for (size_t j = 0; j < K; j++) {
        std::copy(&m[j * K], &m[j * K] + K, d + j * ld);
    }
}
} // namespace

void GasTransport::getBinaryDiffCoeffs(size_t ld, double* d)
{
    copyMatrix("GasTransport::getBinaryDiffCoeffs", m_state.binary, nSpecies(), ld, d);
}

void GasTransport::getMultiDiffCoeffs(size_t ld, double* d)
{
    if (m_model != multicomponent) {
        notImplemented("getMultiDiffCoeffs");
    }
    copyMatrix("GasTransport::getMultiDiffCoeffs", m_state.multi, nSpecies(), ld, d);
}

void GasTransport::massFluxes(const std::string& procedure, const double* X1, const double* X2, double delta,
                              std::vector<double>& j) const
{
    if (!finite(delta) || !(delta > 0.0)) {
        throw VelkoraError(procedure, "The distance between the states must be positive and finite, not {}.", delta);
    }
    if (X1 == nullptr || X2 == nullptr) {
        throw VelkoraError(procedure, "A state is a null pointer.");
    }
    const size_t K = nSpecies();
    std::vector<double> grad(K);
    for (size_t k = 0; k < K; k++) {
        if (!finite(X1[k]) || !finite(X2[k])) {
            throw VelkoraError(procedure, "The mole fractions of species {} must be finite, not {} and {}.", k, X1[k],
                               X2[k]);
        }
        grad[k] = (X2[k] - X1[k]) / delta;
    }
    const State& s = m_state;
    const double rho = s.P * s.meanMass / (GasConstant * s.T);
    j.assign(K, 0.0);
    if (m_model == multicomponent) {
        for (size_t k = 0; k < K; k++) {
            double sum = 0.0;
            for (size_t i = 0; i < K; i++) {
                sum += m_species[i].molarMass * s.multi[i * K + k] * grad[i];
            }
            j[k] = rho * m_species[k].molarMass / (s.meanMass * s.meanMass) * sum;
        }
    } else {
        double total = 0.0;
        for (size_t k = 0; k < K; k++) {
            j[k] = -rho * m_species[k].molarMass / s.meanMass * s.mix[k] * grad[k];
            total += j[k];
        }
        for (size_t k = 0; k < K; k++) {
            j[k] -= s.Y[k] * total;
        }
    }
    requireFinite(procedure.c_str(), j.data(), K);
}

} // namespace Velkora

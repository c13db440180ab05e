#include "velkora/platform/numerics/BandJacobian.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

BandJacobian::BandJacobian()
    : m_relativeStep(std::sqrt(std::numeric_limits<double>::epsilon())),
      m_absoluteStep(std::sqrt(std::numeric_limits<double>::epsilon()))
{
}

void BandJacobian::setProblemSize(size_t n)
{
    SystemJacobian::setProblemSize(n);
    m_sized = false;
}

void BandJacobian::configureBandwidth(size_t bw)
{
    SystemJacobian::configureBandwidth(bw);
    m_sized = false;
}

void BandJacobian::ensureSized()
{
    // Sizing happens here, once, however many times size and bandwidth were
    // set before: a problem sets both in setLinearSolver() and in resize().
    if (m_sized) {
        return;
    }
    m_steady.assign(m_size * width(), 0.0);
    m_work.assign(m_size, 0.0);
    m_residual0.assign(m_size, 0.0);
    m_steps.assign(m_size, 0.0);
    m_saved.assign(m_size, 0.0);
    m_lastMask.assign(m_size, 0);
    m_lu.resize(m_size, m_bandwidth, m_bandwidth);
    m_haveSteady = false;
    m_factored = false;
    m_sized = true;
}

void BandJacobian::startEvaluation()
{
    ensureSized();
    std::fill(m_steady.begin(), m_steady.end(), 0.0);
}

double& BandJacobian::value(size_t i, size_t j)
{
    ensureSized();
    if (i >= m_size || j >= m_size || (i > j ? i - j : j - i) > m_bandwidth) {
        throw VelkoraError("BandJacobian::value",
                           "Entry ({}, {}) lies outside the band (size {}, bandwidth {}).", i, j, m_size,
                           m_bandwidth);
    }
    return m_steady[j * width() + m_bandwidth + i - j];
}

double BandJacobian::value(size_t i, size_t j) const
{
    return const_cast<BandJacobian*>(this)->value(i, j);
}

void BandJacobian::finishEvaluation()
{
    m_haveSteady = true;
    m_factored = false;
    countEvaluation(0.0);
}

void BandJacobian::setPerturbation(double relative, double absolute)
{
    if (!(relative >= 0.0) || !(absolute > 0.0) || !std::isfinite(relative) || !std::isfinite(absolute)) {
        throw VelkoraError("BandJacobian::setPerturbation",
                           "Need relative >= 0 and absolute > 0, both finite; got {} and {}.", relative,
                           absolute);
    }
    m_relativeStep = relative;
    m_absoluteStep = absolute;
}

void BandJacobian::evaluateByDifferences(const Residual& f, double* x)
{
    ensureSized();
    f(x, m_residual0.data());
    countResiduals(1);
    evaluateByDifferences(f, x, m_residual0.data());
}

void BandJacobian::evaluateByDifferences(const Residual& f, double* x, const double* r0)
{
    auto start = std::chrono::steady_clock::now();
    ensureSized();
    const size_t n = m_size;
    const size_t bw = m_bandwidth;
    const size_t groups = std::min(width(), n);
    for (size_t g = 0; g < groups; g++) {
        for (size_t j = g; j < n; j += width()) {
            m_saved[j] = x[j];
            x[j] += m_relativeStep * std::abs(x[j]) + m_absoluteStep;
            m_steps[j] = x[j] - m_saved[j]; // the step as actually taken
        }
        f(x, m_work.data());
        countResiduals(1);
        for (size_t j = g; j < n; j += width()) {
            x[j] = m_saved[j];
            double h = m_steps[j];
            size_t lo = j > bw ? j - bw : 0;
            size_t hi = std::min(n - 1, j + bw);
            double* column = &m_steady[j * width() + bw - j];
            for (size_t i = lo; i <= hi; i++) {
                column[i] = (m_work[i] - r0[i]) / h;
            }
        }
    }
    m_haveSteady = true;
    m_factored = false;
    std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    countEvaluation(spent.count());
}

void BandJacobian::refactorTransient(double rdt, int* mask)
{
    ensureSized();
    if (mask) {
        std::copy(mask, mask + m_size, m_lastMask.begin());
    }
    m_factored = false;
    if (!m_haveSteady || m_size == 0) {
        return;
    }
    const size_t bw = m_bandwidth;
    for (size_t j = 0; j < m_size; j++) {
        size_t lo = j > bw ? j - bw : 0;
        size_t hi = std::min(m_size - 1, j + bw);
        const double* column = &m_steady[j * width() + bw - j];
        double* target = m_lu.column(j);
        for (size_t i = lo; i <= hi; i++) {
            target[i] = column[i];
        }
        target[j] -= rdt * m_lastMask[j];
    }
    m_factorizationCount++;
    size_t zeroPivot = m_lu.factor();
    if (zeroPivot != 0) {
        throw SingularJacobianError("BandJacobian::refactorTransient",
                                    fmt::format("The matrix is singular: zero pivot in column {}.", zeroPivot - 1));
    }
    m_factored = true;
}

void BandJacobian::solve(double* b)
{
    if (!m_factored) {
        throw VelkoraError("BandJacobian::solve", "The matrix has not been factored.");
    }
    m_lu.solve(b);
}

void BandJacobian::multiply(const double* x, double* y) const
{
    const size_t bw = m_bandwidth;
    std::fill(y, y + m_size, 0.0);
    if (!m_sized) {
        return; // nothing evaluated yet: the matrix is zero
    }
    for (size_t j = 0; j < m_size; j++) {
        size_t lo = j > bw ? j - bw : 0;
        size_t hi = std::min(m_size - 1, j + bw);
        const double* column = &m_steady[j * width() + bw - j];
        for (size_t i = lo; i <= hi; i++) {
            y[i] += column[i] * x[j];
        }
    }
}

} // namespace Velkora

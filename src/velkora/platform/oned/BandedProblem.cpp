#include "velkora/platform/oned/BandedProblem.h"

#include <algorithm>
#include <cmath>

#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

BandedProblem::BandedProblem(size_t size, size_t bandwidth) : m_band(std::make_shared<BandJacobian>())
{
    if (size == 0) {
        throw VelkoraError("BandedProblem::BandedProblem", "A problem needs at least one unknown.");
    }
    m_systemSize = size;
    m_bandwidth = bandwidth;
    setLinearSolver(m_band);
    resize();
    std::fill(m_transientMask.begin(), m_transientMask.end(), 1);
    m_old.assign(size, 0.0);
    const int stepsPerPhase = 20;
    setTimeStep(1e-2, 1, &stepsPerPhase);
    setJacAge(20, 100);
}

void BandedProblem::evalResidual(double* x, double* r, double rdt, int)
{
    steadyResidual(x, r);
    if (rdt != 0.0) {
        for (size_t i = 0; i < m_systemSize; i++) {
            r[i] -= rdt * m_transientMask[i] * (x[i] - m_old[i]);
        }
    }
}

void BandedProblem::evalJacobian(double* x)
{
    m_band->evaluateByDifferences([this](double* u, double* r) { steadyResidual(u, r); }, x);
}

double BandedProblem::weightedNorm(const double* step) const
{
    const std::vector<double>& x = *m_state;
    double sum = 0.0;
    for (size_t i = 0; i < m_systemSize; i++) {
        double e = step[i] / (m_rtol * std::abs(x[i]) + m_atol);
        sum += e * e;
    }
    return std::sqrt(sum / m_systemSize);
}

double BandedProblem::upperBound(size_t) const
{
    return HUGE_VAL;
}

double BandedProblem::lowerBound(size_t) const
{
    return -HUGE_VAL;
}

void BandedProblem::initTimeInteg(double dt, double* x)
{
    PseudoTransientProblem::initTimeInteg(dt, x);
    std::copy(x, x + m_systemSize, m_old.begin());
}

void BandedProblem::resetBadValues(double* x)
{
    for (size_t i = 0; i < m_systemSize; i++) {
        x[i] = std::clamp(x[i], lowerBound(i), upperBound(i));
    }
}

void BandedProblem::setTransient(size_t i, bool transient)
{
    if (i >= m_systemSize) {
        throw VelkoraError("BandedProblem::setTransient", "Component {} out of range (the problem has {}).", i,
                           m_systemSize);
    }
    m_transientMask[i] = transient ? 1 : 0;
}

void BandedProblem::setTolerances(double rtol, double atol)
{
    if (!(rtol >= 0.0) || !std::isfinite(rtol) || !(atol > 0.0) || !std::isfinite(atol)) {
        throw VelkoraError("BandedProblem::setTolerances",
                           "Need rtol finite and not negative, atol positive and finite; got {} and {}.", rtol,
                           atol);
    }
    m_rtol = rtol;
    m_atol = atol;
}

} // namespace Velkora

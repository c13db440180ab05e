#include "platform/numerics/MultiNewton.h"

#include <algorithm>
#include <cmath>

#include "interface/VelkoraError.h"
#include "interface/writelog.h"
#include "steady/PseudoTransientProblem.h"

namespace Velkora
{

MultiNewton::MultiNewton(int size)
{
    resize(size > 0 ? static_cast<size_t>(size) : 0);
}

void MultiNewton::resize(size_t n)
{
    m_size = n;
    m_x.assign(n, 0.0);
    m_step.assign(n, 0.0);
    m_trial.assign(n, 0.0);
    m_trialStep.assign(n, 0.0);
}

double MultiNewton::boundSlack(double x, double lower, double upper) const
{
    double scale = std::abs(x);
    if (std::isfinite(lower)) {
        scale = std::max(scale, std::abs(lower));
    }
    if (std::isfinite(upper)) {
        scale = std::max(scale, std::abs(upper));
    }
    return m_boundTolerance * (scale > 0.0 ? scale : 1.0);
}

double MultiNewton::boundFactor(const PseudoTransientProblem& problem, const double* x, const double* step) const
{
    double factor = 1.0;
    for (size_t i = 0; i < m_size; i++) {
        const double lower = problem.lowerBound(i), upper = problem.upperBound(i);
        const double target = x[i] + step[i];
        double limit = 1.0;
        if (step[i] > 0.0 && target > upper) {
            if (target - upper <= boundSlack(x[i], lower, upper)) {
                continue; // round-off past the bound: the damped point is clipped
            }
            limit = (upper - x[i]) / step[i];
        } else if (step[i] < 0.0 && target < lower) {
            if (lower - target <= boundSlack(x[i], lower, upper)) {
                continue;
            }
            limit = (lower - x[i]) / step[i];
        }
        factor = std::min(factor, std::max(0.0, limit));
    }
    return factor;
}

void MultiNewton::moveWithinBounds(const PseudoTransientProblem& problem, const double* x, double factor,
                                   const double* step, double* out)
{
    for (size_t i = 0; i < m_size; i++) {
        const double lower = problem.lowerBound(i), upper = problem.upperBound(i);
        double v = x[i] + factor * step[i];
        if (v < lower || v > upper) {
            v = std::clamp(v, lower, upper);
            m_stats.clippedComponents++;
        }
        out[i] = v;
    }
}

double MultiNewton::newtonStep(PseudoTransientProblem& problem, double* x, double* step)
{
    problem.evalResidual(x, step, problem.reciprocalStep(), 0);
    m_stats.residualEvaluations++;
    problem.jacobian().solve(step);
    for (size_t i = 0; i < m_size; i++) {
        step[i] = -step[i];
    }
    return problem.weightedNorm(step);
}

bool MultiNewton::refreshJacobian(PseudoTransientProblem& problem, double* x)
{
    problem.evalJacobian(x);
    m_stats.jacobianEvaluations++;
    try {
        problem.jacobian().refactorTransient(problem.reciprocalStep(), problem.transientMask());
    } catch (const VelkoraError&) {
        return false;
    }
    return true;
}

int MultiNewton::solve(double* x0, double* x1, PseudoTransientProblem& problem, int loglevel)
{
    if (problem.size() != m_size) {
        throw VelkoraError("MultiNewton::solve", "Sized for {} components, but the problem has {}.", m_size,
                           problem.size());
    }
    m_stats.solves++;
    SystemJacobian& jac = problem.jacobian();
    std::copy(x0, x0 + m_size, m_x.begin());
    if (loglevel >= 2) {
        writelog("\n  Newton  {:>4s}  {:>11s}  {:>8s}  {:>7s}", "iter", "log10(step)", "damping", "Jac age");
    }
    bool forceJacobian = false;
    // The step at the accepted point, computed while damping, is the next
    // iteration's step as long as the Jacobian stays the same.
    bool haveStep = false;
    double norm0 = 0.0;
    for (int iter = 1; iter <= m_maxIterations; iter++) {
        m_stats.iterations++;
        if (forceJacobian || !jac.isFactored() || jac.age() > m_maxJacobianAge) {
            if (!refreshJacobian(problem, m_x.data())) {
                return SingularJacobian;
            }
            forceJacobian = false;
            haveStep = false;
        }
        if (haveStep) {
            m_step.swap(m_trialStep);
        } else {
            norm0 = newtonStep(problem, m_x.data(), m_step.data());
        }
        haveStep = false;
        if (norm0 < 1.0) {
            moveWithinBounds(problem, m_x.data(), 1.0, m_step.data(), x1);
            if (loglevel >= 2) {
                writelog("\n  Newton  {:>4d}  {:>11.3f}  {:>8.4f}  {:>7d}  converged", iter, std::log10(norm0),
                         1.0, jac.age());
            }
            return Converged;
        }

        double damping = std::isfinite(norm0) ? boundFactor(problem, m_x.data(), m_step.data()) : 0.0;
        if (damping < 1.0) {
            m_stats.boundLimitedSteps++;
        }
        double norm1 = 0.0;
        bool accepted = false;
        for (int k = 0; k < m_maxDampingTries && damping > 1e-10; k++) {
            moveWithinBounds(problem, m_x.data(), damping, m_step.data(), m_trial.data());
            norm1 = newtonStep(problem, m_trial.data(), m_trialStep.data());
            if (norm1 < norm0) {
                accepted = true;
                break;
            }
            damping *= 0.5;
        }
        if (loglevel >= 2) {
            writelog("\n  Newton  {:>4d}  {:>11.3f}  {:>8.4f}  {:>7d}{}", iter, std::log10(norm0),
                     accepted ? damping : 0.0, jac.age(), accepted ? "" : "  damping failed");
        }
        if (!accepted) {
            if (jac.age() == 0) {
                return DampingFailed;
            }
            forceJacobian = true;
            continue;
        }
        m_x.swap(m_trial);
        m_stats.dampingSum += damping;
        m_stats.acceptedSteps++;
        jac.incrementAge();
        // An aged Jacobian that no longer contracts the step well costs more
        // iterations than a fresh one.
        if (norm1 > m_slowContraction * norm0 && jac.age() > 1) {
            forceJacobian = true;
        }
        norm0 = norm1;
        haveStep = true;
    }
    return IterationLimit;
}

} // namespace Velkora

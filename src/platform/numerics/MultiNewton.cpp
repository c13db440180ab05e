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

double MultiNewton::boundFactor(const PseudoTransientProblem& problem, const double* x,
                                const double* step) const
{
    double factor = 1.0;
    for (size_t i = 0; i < m_size; i++) {
        double target = x[i] + factor * step[i];
        if (step[i] > 0.0 && target > problem.upperBound(i)) {
            factor = std::max(0.0, (problem.upperBound(i) - x[i]) / step[i]);
        } else if (step[i] < 0.0 && target < problem.lowerBound(i)) {
            factor = std::max(0.0, (problem.lowerBound(i) - x[i]) / step[i]);
        }
    }
    return factor;
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
            for (size_t i = 0; i < m_size; i++) {
                x1[i] = std::clamp(m_x[i] + m_step[i], problem.lowerBound(i), problem.upperBound(i));
            }
            if (loglevel >= 2) {
                writelog("\n  Newton  {:>4d}  {:>11.3f}  {:>8.4f}  {:>7d}  converged", iter, std::log10(norm0),
                         1.0, jac.age());
            }
            return Converged;
        }

        double damping = std::isfinite(norm0) ? boundFactor(problem, m_x.data(), m_step.data()) : 0.0;
        double norm1 = 0.0;
        bool accepted = false;
        for (int k = 0; k < m_maxDampingTries && damping > 1e-10; k++) {
            for (size_t i = 0; i < m_size; i++) {
                m_trial[i] = m_x[i] + damping * m_step[i];
            }
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

#include "velkora/platform/numerics/MultiNewton.h"

#include <algorithm>
#include <cmath>

#include "velkora/interface/VelkoraError.h"
#include "velkora/interface/writelog.h"
#include "velkora/steady/PseudoTransientProblem.h"

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
    m_work.assign(n, 0.0);
}

void MultiNewton::setMaxIterations(int n)
{
    if (n < 1) {
        throw VelkoraError("MultiNewton::setMaxIterations", "The iteration limit must be at least 1, not {}.", n);
    }
    m_maxIterations = n;
}

void MultiNewton::setMaxDampingTries(int n)
{
    if (n < 1) {
        throw VelkoraError("MultiNewton::setMaxDampingTries", "The damping tries must be at least 1, not {}.", n);
    }
    m_maxDampingTries = n;
}

void MultiNewton::setMinDamping(double factor)
{
    if (!(factor > 0.0 && factor < 1.0)) {
        throw VelkoraError("MultiNewton::setMinDamping",
                           "The smallest damping factor must lie strictly between 0 and 1, not {}.", factor);
    }
    m_minDamping = factor;
}

void MultiNewton::setSufficientDecrease(double c)
{
    if (!(c > 0.0 && c < 1.0)) {
        throw VelkoraError("MultiNewton::setSufficientDecrease",
                           "The sufficient-decrease constant must lie strictly between 0 and 1, not {}.", c);
    }
    m_sufficientDecrease = c;
}

void MultiNewton::setTransientSteps(int n)
{
    if (n < 0) {
        throw VelkoraError("MultiNewton::setTransientSteps",
                           "The contracting steps per time step must not be negative, not {}.", n);
    }
    m_transientSteps = n;
}

void MultiNewton::setStagnationFactor(double f)
{
    if (!(f >= 0.0) || !std::isfinite(f)) {
        throw VelkoraError("MultiNewton::setStagnationFactor",
                           "The stagnation factor must be finite and not negative, not {}.", f);
    }
    m_stagnation = f;
}

void MultiNewton::setBoundTolerance(double tolerance)
{
    if (!(tolerance >= 0.0 && tolerance < 1.0)) {
        throw VelkoraError("MultiNewton::setBoundTolerance",
                           "The bound tolerance must lie in [0, 1), not {}.", tolerance);
    }
    m_boundTolerance = tolerance;
}

void MultiNewton::setSlowContraction(double factor)
{
    if (!(factor >= 0.0) || !std::isfinite(factor)) {
        throw VelkoraError("MultiNewton::setSlowContraction",
                           "The slow-contraction factor must be finite and not negative, not {}.", factor);
    }
    m_slowContraction = factor;
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

double MultiNewton::newtonStep(PseudoTransientProblem& problem, double* x, double* step, double* phi)
{
    problem.evaluateResidual(x, step, problem.reciprocalStep(), 0);
    m_stats.residualEvaluations++;
    if (phi) {
        double sum = 0.0;
        for (size_t i = 0; i < m_size; i++) {
            sum += step[i] * step[i];
        }
        *phi = std::isfinite(sum) ? 0.5 * sum : INFINITY;
    }
    problem.jacobian().solve(step);
    for (size_t i = 0; i < m_size; i++) {
        step[i] = -step[i];
    }
    double norm = problem.weightedNorm(step);
    return std::isfinite(norm) ? norm : INFINITY;
}

bool MultiNewton::refreshJacobian(PseudoTransientProblem& problem, double* x)
{
    problem.evaluateJacobian(x);
    m_stats.jacobianEvaluations++;
    try {
        problem.jacobian().refactorTransient(problem.reciprocalStep(), problem.transientMask());
    } catch (const SingularJacobianError&) {
        return false; // any other error is not a singular matrix, and propagates
    }
    return true;
}

double MultiNewton::nextDamping(PseudoTransientProblem& problem, double lambda, double norm0)
{
    // The deviation of the trial's step from the (1 - lambda) of the step
    // that a linear problem would leave estimates the nonlinearity, and with
    // it the damping at which the step would contract.
    for (size_t i = 0; i < m_size; i++) {
        m_work[i] = m_trialStep[i] - (1.0 - lambda) * m_step[i];
    }
    double deviation = problem.weightedNorm(m_work.data());
    double predicted = (deviation > 0.0 && std::isfinite(deviation)) ? 0.5 * lambda * lambda * norm0 / deviation
                                                                      : 0.1 * lambda;
    return std::clamp(predicted, 0.1 * lambda, 0.5 * lambda);
}

double MultiNewton::lineSearchDamping(double lambda, double phi0, double phi1)
{
    // The minimum of the quadratic through phi(0), its slope -2 phi(0) along
    // a Newton step, and phi(lambda), kept within a tenth to a half of lambda.
    double next = std::isfinite(phi1) ? phi0 * lambda * lambda / (phi1 - phi0 + 2.0 * lambda * phi0) : 0.1 * lambda;
    return std::clamp(next, 0.1 * lambda, 0.5 * lambda);
}

int MultiNewton::solve(double* x0, double* x1, PseudoTransientProblem& problem, int loglevel)
{
    if (problem.size() != m_size) {
        throw VelkoraError("MultiNewton::solve", "Sized for {} components, but the problem has {}.", m_size,
                           problem.size());
    }
    m_stats.solves++;
    SystemJacobian& jac = problem.jacobian();
    const bool transient = !problem.isSteady();
    const bool acceptEarly = transient && m_transientSteps > 0;
    std::copy(x0, x0 + m_size, m_x.begin());
    if (loglevel >= 2) {
        writelog("\n  Newton  {:>4s}  {:>11s}  {:>8s}  {:>7s}", "iter", "log10(step)", "damping", "Jac age");
    }
    bool forceJacobian = false;
    // The step at the accepted point, computed while damping, is the next
    // iteration's step as long as the Jacobian stays the same.
    bool haveStep = false;
    double norm0 = 0.0, norm1 = 0.0; // weighted step norms at the point and at the trial
    double phi0 = 0.0, phi1 = 0.0;   // |f|^2 / 2 there
    int contractingSteps = 0;
    double freshNorm = 0.0; // step norm at the last fresh Jacobian
    for (int iter = 1; iter <= m_maxIterations; iter++) {
        m_stats.iterations++;
        bool fresh = false;
        if (forceJacobian || !jac.isFactored() || jac.age() > m_maxJacobianAge) {
            if (!refreshJacobian(problem, m_x.data())) {
                return SingularJacobian;
            }
            forceJacobian = false;
            haveStep = false;
            fresh = true;
        }
        if (haveStep) {
            m_step.swap(m_trialStep);
            phi0 = phi1;
        } else {
            norm0 = newtonStep(problem, m_x.data(), m_step.data(), &phi0);
        }
        haveStep = false;
        const int age = jac.age();
        if (norm0 < 1.0) {
            moveWithinBounds(problem, m_x.data(), 1.0, m_step.data(), x1);
            if (loglevel >= 2) {
                writelog("\n  Newton  {:>4d}  {:>11.3f}  {:>8.4f}  {:>7d}  converged", iter, std::log10(norm0), 1.0,
                         age);
            }
            return Converged;
        }
        if (fresh && !transient && m_stagnation > 0.0) {
            // A fresh Jacobian that predicts no smaller step than the one
            // before it: damped Newton is not getting closer, and pseudo-time
            // stepping is the cheaper way on from here.
            if (freshNorm > 0.0 && norm0 > m_stagnation * freshNorm) {
                if (loglevel >= 2) {
                    writelog("\n  Newton  {:>4d}  {:>11.3f}  {:>8s}  {:>7d}  no progress", iter, std::log10(norm0),
                             "", age);
                }
                return DampingFailed;
            }
            freshNorm = norm0;
        }

        // Damping. Steady: a line search for a sufficient decrease of |f|^2.
        // Transient: the trial's Newton step (with the same Jacobian) must be
        // smaller than this one; an aged Jacobian gets one try at its full
        // step, since a step that needs damping is better taken with a fresh
        // one.
        double damping = std::isfinite(norm0) ? boundFactor(problem, m_x.data(), m_step.data()) : 0.0;
        if (damping < 1.0) {
            m_stats.boundLimitedSteps++;
        }
        const bool onlyFullStep = acceptEarly && age > 0;
        bool accepted = false;
        if (!(onlyFullStep && damping < 1.0)) {
            const int tries = onlyFullStep ? 1 : m_maxDampingTries;
            for (int k = 0; k < tries && damping > m_minDamping; k++) {
                moveWithinBounds(problem, m_x.data(), damping, m_step.data(), m_trial.data());
                norm1 = newtonStep(problem, m_trial.data(), m_trialStep.data(), &phi1);
                // Armijo: the full Newton step predicts a decrease of phi by 2 phi0.
                if (transient ? norm1 < norm0 : phi1 <= (1.0 - 2.0 * m_sufficientDecrease * damping) * phi0) {
                    accepted = true;
                    break;
                }
                damping = transient ? nextDamping(problem, damping, norm0) : lineSearchDamping(damping, phi0, phi1);
            }
        }
        if (loglevel >= 2) {
            writelog("\n  Newton  {:>4d}  {:>11.3f}  {:>8.4f}  {:>7d}{}", iter, std::log10(norm0),
                     accepted ? damping : 0.0, age, accepted ? "" : "  damping failed");
        }
        if (!accepted) {
            if (age == 0) {
                return DampingFailed;
            }
            forceJacobian = true;
            continue;
        }
        m_x.swap(m_trial);
        m_stats.dampingSum += damping;
        m_stats.acceptedSteps++;
        jac.incrementAge();
        if (acceptEarly && ++contractingSteps >= m_transientSteps) {
            // A pseudo-time step needs progress, not steady accuracy: the
            // state is where the contracting step was heading.
            std::copy(m_x.begin(), m_x.end(), x1);
            if (loglevel >= 2) {
                writelog("\n  Newton  {:>4d}  {:>11.3f}  {:>8s}  {:>7d}  accepted", iter, std::log10(norm1), "",
                         jac.age());
            }
            return Accepted;
        }
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

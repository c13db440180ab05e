#include "velkora/platform/numerics/MultiNewton.h"

#include <algorithm>
#include <cmath>

#include "velkora/interface/VelkoraError.h"
#include "velkora/interface/writelog.h"
#include "velkora/steady/PseudoTransientProblem.h"

namespace Velkora
{

namespace
{
//! One row of the iteration table: a damping of 0 marks a failed search.
void logIteration(int iter, double norm0, double damping, int age, bool accepted)
{
    writelog("\n  Newton  {:>4d}  {:>11.3f}  {:>8.4f}  {:>7d}{}", iter, std::log10(norm0), accepted ? damping : 0.0,
             age, accepted ? "" : "  damping failed");
}
} // namespace

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
    m_residual.assign(n, 0.0);
    m_trialResidual.assign(n, 0.0);
    m_half.assign(n, 0.0);
    m_halfResidual.assign(n, 0.0);
    m_vertexResidual.assign(n, 0.0);
    m_snapshot.assign(n, 0.0);
    m_lower.assign(n, 0.0);
    m_upper.assign(n, 0.0);
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

void MultiNewton::setFullStepNorm(double norm)
{
    if (!(norm >= 0.0)) {
        throw VelkoraError("MultiNewton::setFullStepNorm", "The full-step norm must not be negative, not {}.", norm);
    }
    m_fullStepNorm = norm;
}

void MultiNewton::setCycleTolerance(double tolerance)
{
    if (!(tolerance >= 0.0 && tolerance < 1.0)) {
        throw VelkoraError("MultiNewton::setCycleTolerance", "The cycle tolerance must lie in [0, 1), not {}.",
                           tolerance);
    }
    m_cycleTolerance = tolerance;
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

double MultiNewton::boundFactor(const PseudoTransientProblem&, const double* x, const double* step) const
{
    double factor = 1.0;
    for (size_t i = 0; i < m_size; i++) {
        const double lower = m_lower[i], upper = m_upper[i];
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

size_t MultiNewton::moveWithinBounds(const PseudoTransientProblem&, const double* x, double factor,
                                     const double* step, double* out)
{
    size_t clipped = 0;
    for (size_t i = 0; i < m_size; i++) {
        const double v = x[i] + factor * step[i];
        const double inside = std::min(std::max(v, m_lower[i]), m_upper[i]);
        clipped += (v < m_lower[i]) | (v > m_upper[i]);
        out[i] = inside;
    }
    m_stats.clippedComponents += static_cast<long>(clipped);
    return clipped;
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

int MultiNewton::solve(double* x0, double* x1, PseudoTransientProblem& problem, int loglevel)
{
    if (problem.size() != m_size) {
        throw VelkoraError("MultiNewton::solve", "Sized for {} components, but the problem has {}.", m_size,
                           problem.size());
    }
    m_stats.solves++;
    std::copy(x0, x0 + m_size, m_x.begin());
    // The bounds, read once: the moves below clip every component.
    for (size_t i = 0; i < m_size; i++) {
        m_lower[i] = problem.lowerBound(i);
        m_upper[i] = problem.upperBound(i);
    }
    if (loglevel >= 2) {
        writelog("\n  Newton  {:>4s}  {:>11s}  {:>8s}  {:>7s}", "iter", "log10(step)", "damping", "Jac age");
    }
    return problem.isSteady() ? solveSteady(x1, problem, loglevel) : solveTransient(x1, problem, loglevel);
}

double MultiNewton::residualAt(PseudoTransientProblem& problem, double* x, double* r)
{
    problem.evaluateResidual(x, r, problem.reciprocalStep(), 0);
    m_stats.residualEvaluations++;
    double sum = 0.0;
    for (size_t i = 0; i < m_size; i++) {
        sum += r[i] * r[i];
    }
    return std::isfinite(sum) ? 0.5 * sum : INFINITY;
}

double MultiNewton::stepFromResidual(PseudoTransientProblem& problem, const double* r, double* step)
{
    std::copy(r, r + m_size, step);
    problem.jacobian().solve(step);
    for (size_t i = 0; i < m_size; i++) {
        step[i] = -step[i];
    }
    double norm = problem.weightedNorm(step);
    return std::isfinite(norm) ? norm : INFINITY;
}

double MultiNewton::quadraticSearch(PseudoTransientProblem& problem, double phi0, double& phi1, double norm0)
{
    // |f|^2 / 2 at the full and the half step, and the parabola through
    // them and phi0: the step goes to its minimum or, where it curves down,
    // as far beyond the full step as its maximum lies before it. The step is
    // taken whatever |f| does there. From far off, where the Newton
    // direction mostly points the right way but |f| has ridges on the path,
    // insisting on a decrease stalls; the cycle test ends an attempt that
    // goes nowhere.
    if (moveWithinBounds(problem, m_x.data(), 1.0, m_step.data(), m_trial.data()) > 0) {
        m_stats.boundLimitedSteps++;
    }
    phi1 = residualAt(problem, m_trial.data(), m_trialResidual.data());
    // Close to the solution the Newton step is right and the parabola,
    // through values that differ by round-off, is not.
    if (norm0 < m_fullStepNorm && phi1 < phi0) {
        return 1.0;
    }
    moveWithinBounds(problem, m_x.data(), 0.5, m_step.data(), m_half.data());
    const double phiHalf = residualAt(problem, m_half.data(), m_halfResidual.data());
    auto takeHalf = [&] {
        m_trial.swap(m_half);
        m_trialResidual.swap(m_halfResidual);
        phi1 = phiHalf;
        return 0.5;
    };
    if (!std::isfinite(phiHalf) || !std::isfinite(phi1)) {
        // Out of the residual's domain: back off until it is finite again.
        double damping = takeHalf();
        for (int k = 1; k < m_maxDampingTries && !std::isfinite(phi1) && damping > m_minDamping; k++) {
            damping *= 0.1;
            moveWithinBounds(problem, m_x.data(), damping, m_step.data(), m_trial.data());
            phi1 = residualAt(problem, m_trial.data(), m_trialResidual.data());
        }
        return damping;
    }
    const double slopeAtFull = phi0 - 4.0 * phiHalf + 3.0 * phi1;  // q'(1)
    const double slopeAtStart = -3.0 * phi0 + 4.0 * phiHalf - phi1; // q'(0)
    const double curvature = slopeAtFull - slopeAtStart;            // q''
    double lambda = 1.0;
    if (curvature > 0.0) {
        lambda = 1.0 - slopeAtFull / curvature;
    } else if (curvature < 0.0) {
        lambda = 1.0 + slopeAtFull / curvature;
    }
    if (!(lambda > 0.0) || !std::isfinite(lambda) || lambda == 1.0) {
        return 1.0;
    }
    moveWithinBounds(problem, m_x.data(), lambda, m_step.data(), m_work.data());
    const double phiThere = residualAt(problem, m_work.data(), m_vertexResidual.data());
    if (!std::isfinite(phiThere)) {
        return phiHalf < phi1 ? takeHalf() : 1.0;
    }
    m_trial.swap(m_work);
    m_trialResidual.swap(m_vertexResidual);
    phi1 = phiThere;
    return lambda;
}

int MultiNewton::solveSteady(double* x1, PseudoTransientProblem& problem, int loglevel)
{
    SystemJacobian& jac = problem.jacobian();
    bool forceJacobian = false;
    bool haveResidual = false; // m_residual holds f(m_x), phi0 its |f|^2 / 2
    double phi0 = 0.0, phi1 = 0.0;
    double norm0 = 0.0, previousNorm = INFINITY;
    int nextSnapshot = 1;
    bool converging = false;
    bool smallBefore = false; // the step before this one was below 1
    for (int iter = 1; iter <= m_maxIterations; iter++) {
        m_stats.iterations++;
        // A Jacobian is reused only while the iteration converges fast (the
        // last step full and |f| down to a hundredth) and for the step that
        // confirms convergence. Far off, the search needs the direction of a
        // fresh one.
        if (forceJacobian || !jac.isFactored() ||
            (!smallBefore && (jac.age() > m_maxJacobianAge || (!converging && jac.age() > 0)))) {
            if (!refreshJacobian(problem, m_x.data())) {
                return SingularJacobian;
            }
            forceJacobian = false;
        }
        if (!haveResidual) {
            phi0 = residualAt(problem, m_x.data(), m_residual.data());
            haveResidual = true;
        }
        norm0 = stepFromResidual(problem, m_residual.data(), m_step.data());
        const int age = jac.age();
        // Converged at a step below a tenth of the tolerance, or at the
        // second step below it in a row: a point reached by a step near the
        // tolerance keeps a residual of the order of the Jacobian's error
        // times |f| (a chord step, a Jacobian by differences), which one more
        // step with the same Jacobian removes.
        if (norm0 < 0.1 || (norm0 < 1.0 && smallBefore)) {
            moveWithinBounds(problem, m_x.data(), 1.0, m_step.data(), x1);
            if (loglevel >= 2) {
                writelog("\n  Newton  {:>4d}  {:>11.3f}  {:>8.4f}  {:>7d}  converged", iter, std::log10(norm0), 1.0,
                         age);
            }
            return Converged;
        }
        smallBefore = norm0 < 1.0;
        if (age > 0 && !smallBefore && !(norm0 <= m_slowContraction * previousNorm)) {
            // An aged Jacobian that no longer contracts the step well costs
            // more iterations than a fresh one.
            forceJacobian = true;
            continue;
        }

        // Damping. With an aged Jacobian: its full step, if it decreases
        // |f|^2 sufficiently (Armijo: the full Newton step predicts a
        // decrease of 2 phi0). With a fresh one: the quadratic search.
        // Bounds do not limit the step: each point is clipped into them.
        double damping = 1.0;
        bool accepted = false;
        if (!std::isfinite(norm0)) {
            accepted = false;
        } else if (age > 0 || smallBefore) {
            if (moveWithinBounds(problem, m_x.data(), 1.0, m_step.data(), m_trial.data()) > 0) {
                m_stats.boundLimitedSteps++;
            }
            phi1 = residualAt(problem, m_trial.data(), m_trialResidual.data());
            accepted = smallBefore ? std::isfinite(phi1) : phi1 <= (1.0 - 2.0 * m_sufficientDecrease) * phi0;
        } else {
            damping = quadraticSearch(problem, phi0, phi1, norm0);
            accepted = std::isfinite(phi1);
        }
        if (loglevel >= 2) {
            logIteration(iter, norm0, damping, age, accepted);
        }
        if (!accepted) {
            if (age == 0) {
                return DampingFailed;
            }
            forceJacobian = true;
            continue;
        }
        converging = std::abs(damping - 1.0) < 0.05 && phi1 <= 0.01 * phi0;
        m_x.swap(m_trial);
        m_residual.swap(m_trialResidual);
        phi0 = phi1;
        previousNorm = norm0;
        m_stats.dampingSum += damping;
        m_stats.acceptedSteps++;
        jac.incrementAge();
        // A cycle: the iterate is back at an earlier one while the steps
        // are still large, as happens far from any solution. Compared with
        // snapshots at iterations 1, 2, 4, 8, ... (Brent's method, so that
        // any period is found within a few of its lengths). Pseudo-time
        // stepping is the way on from there.
        if (iter == nextSnapshot) {
            std::copy(m_x.begin(), m_x.end(), m_snapshot.begin());
            nextSnapshot *= 2;
        } else if (m_cycleTolerance > 0.0) {
            for (size_t i = 0; i < m_size; i++) {
                m_work[i] = m_x[i] - m_snapshot[i];
            }
            if (problem.weightedNorm(m_work.data()) < m_cycleTolerance * norm0) {
                if (loglevel >= 2) {
                    writelog("\n  Newton  {:>4d}  {:>11s}  {:>8s}  {:>7s}  cycling", iter, "", "", "");
                }
                return DampingFailed;
            }
        }
    }
    return IterationLimit;
}

int MultiNewton::solveTransient(double* x1, PseudoTransientProblem& problem, int loglevel)
{
    SystemJacobian& jac = problem.jacobian();
    const bool acceptEarly = m_transientSteps > 0;
    bool forceJacobian = false;
    // The step at the accepted point, computed while damping, is the next
    // iteration's step as long as the Jacobian stays the same.
    bool haveStep = false;
    double norm0 = 0.0, norm1 = 0.0; // weighted step norms at the point and at the trial
    int contractingSteps = 0;
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
        const int age = jac.age();
        if (norm0 < 1.0) {
            moveWithinBounds(problem, m_x.data(), 1.0, m_step.data(), x1);
            if (loglevel >= 2) {
                writelog("\n  Newton  {:>4d}  {:>11.3f}  {:>8.4f}  {:>7d}  converged", iter, std::log10(norm0), 1.0,
                         age);
            }
            return Converged;
        }
        // Damping: the trial's Newton step (with the same Jacobian) must be
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
                norm1 = newtonStep(problem, m_trial.data(), m_trialStep.data());
                if (norm1 < norm0) {
                    accepted = true;
                    break;
                }
                damping = nextDamping(problem, damping, norm0);
            }
        }
        if (loglevel >= 2) {
            logIteration(iter, norm0, damping, age, accepted);
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

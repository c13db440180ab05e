//! @file MultiNewton.h
//! A damped Newton method for the steady-state solver.
#ifndef VELKORA_PLATFORM_NUMERICS_MULTINEWTON_H
#define VELKORA_PLATFORM_NUMERICS_MULTINEWTON_H

#include <cstddef>
#include <vector>

#include "velkora/export.h"

namespace Velkora
{

class PseudoTransientProblem;

//! Solves the equations of a PseudoTransientProblem in its current mode
//! (steady, or transient with its reciprocal step) by a damped, modified
//! Newton iteration: each step dx = -A^{-1} f uses the problem's factored
//! Jacobian A, which is re-evaluated when it is older than maxJacobianAge()
//! iterations, when damping fails with an aged one, and when an aged one
//! contracts the step too slowly (setSlowContraction()). A Jacobian that is
//! singular (SingularJacobianError) ends the solve with SingularJacobian;
//! any other error of the problem or the Jacobian propagates.
//!
//! Steady mode: far from the solution each iteration takes a fresh
//! Jacobian and a quadratic search: |f|^2 / 2 at the half and the full step
//! and the parabola through them and the start give the damping (a step
//! below setFullStepNorm() that decreases |f| is taken in full), which is
//! taken whatever |f| does there (from a poor start |f| has ridges along
//! the way, and a search that insists on a decrease stalls on them). Once
//! the iteration converges fast (a full step that cuts |f|^2 a hundredfold)
//! the Jacobian is reused up to maxJacobianAge(), its full step accepted on
//! a sufficient decrease of |f|^2 (setSufficientDecrease()). Convergence: a
//! step whose size in the problem's weightedNorm() is below a tenth, or two
//! steps in a row below 1. The solve gives up (DampingFailed) when an
//! iterate comes back to an earlier one (a cycle, setCycleTolerance()):
//! from there pseudo-time stepping is the way on. Steps are not shortened
//! by the bounds: every point is clipped into them.
//!
//! Transient mode (a pseudo-time step): convergence is a step below 1; a
//! damped step must make the Newton step from the trial point, with the
//! same Jacobian, smaller than the step itself (each reduction predicted
//! from how far the trial's step deviates from a linear problem's). The
//! solve is accepted, with result Accepted, as soon as a step contracted
//! (setTransientSteps()): the time stepper needs progress, not steady
//! accuracy. An aged Jacobian gets one try at its full step there; a step
//! that needs damping is taken with a fresh one. A step that points out of
//! the bounds is damped to reach them.
//!
//! Bounds: a component that the step would carry past its bound by no more
//! than the bound tolerance (setBoundTolerance(), relative to the largest of
//! the component's magnitude and its bounds' magnitudes) does not limit the
//! damping: such an overshoot is round-off, typically of a component that
//! sits on its bound (a fixed boundary value, an absent species). Every point
//! the solver moves to is clipped into the bounds, so bounds are never
//! violated. The bounds are read once at the start of each solve.
class VELKORA_EXPORT MultiNewton
{
public:
    //! Results of solve().
    enum Result : int {
        Converged = 1,
        Accepted = 0,         //!< a pseudo-time step, accepted before steady convergence
        DampingFailed = -1,   //!< no damped step helped, even with a fresh Jacobian
        SingularJacobian = -2,
        IterationLimit = -3,
    };

    //! Counters since construction or resetStatistics().
    struct Statistics
    {
        long solves = 0;
        long iterations = 0;
        long residualEvaluations = 0;
        long jacobianEvaluations = 0;
        long acceptedSteps = 0;       //!< steps taken, damped or not
        double dampingSum = 0.0;      //!< sum of their damping factors
        long boundLimitedSteps = 0;   //!< steps a bound limited (damped to it, or clipped at it)
        long clippedComponents = 0;   //!< components clipped into their bounds
    };

    explicit MultiNewton(int size);
    virtual ~MultiNewton() {}

    //! Sizes the work vectors for `n` components.
    virtual void resize(size_t n);

    // ---- settings: each setter validates its value (a VelkoraError names the
    // setter and the value it refused); defaults in brackets ----------------

    //! Largest age, in iterations, at which the Jacobian is reused; 0 or
    //! less evaluates it every iteration [5; the steady solver sets its own
    //! limits before each attempt and each time-stepping phase].
    int maxJacobianAge() const { return m_maxJacobianAge; }
    void setMaxJacobianAge(int age) { m_maxJacobianAge = age; }
    //! Largest number of iterations of one solve; at least 1 [50].
    void setMaxIterations(int n);
    int maxIterations() const { return m_maxIterations; }
    //! Damped steps tried per iteration of a time step before the Jacobian
    //! is re-evaluated (or the solve gives up with a fresh one), and steps
    //! back into the residual's domain in steady mode; at least 1 [7].
    void setMaxDampingTries(int n);
    int maxDampingTries() const { return m_maxDampingTries; }
    //! Smallest damping factor tried; in (0, 1) [1e-10].
    void setMinDamping(double factor);
    double minDamping() const { return m_minDamping; }
    //! Steady mode, aged Jacobian: its full step is accepted when |f|^2
    //! falls by at least this fraction of the decrease the Newton step
    //! predicts (Armijo's constant); in (0, 1) [1e-4].
    void setSufficientDecrease(double c);
    double sufficientDecrease() const { return m_sufficientDecrease; }
    //! In transient mode, accept the time step after this many contracting
    //! Newton steps (result Accepted), without solving to the steady
    //! tolerance; 0 solves every time step to convergence; at least 0 [1].
    void setTransientSteps(int n);
    int transientSteps() const { return m_transientSteps; }
    //! In steady mode, give up (DampingFailed) when an iterate comes back
    //! to an earlier one: closer to it, in the weighted norm, than this
    //! fraction of the step just taken; 0 never; in [0, 1) [1e-3].
    void setCycleTolerance(double tolerance);
    //! In steady mode, a step from a fresh Jacobian whose weighted norm is
    //! below this, and which decreases |f|, is taken in full, without the
    //! quadratic search; 0 never; not negative [1e3].
    void setFullStepNorm(double norm);
    double fullStepNorm() const { return m_fullStepNorm; }
    double cycleTolerance() const { return m_cycleTolerance; }
    //! Overshoot past a bound, relative to the component's scale, that is
    //! clipped instead of limiting the damping; in [0, 1) [sqrt(machine
    //! epsilon), 1.49e-8].
    void setBoundTolerance(double tolerance);
    double boundTolerance() const { return m_boundTolerance; }
    //! A step that shrinks the next one by less than this factor, with a
    //! Jacobian at least two iterations old, has the Jacobian re-evaluated;
    //! 1 or more turns this off; finite and not negative [0.5].
    void setSlowContraction(double factor);
    double slowContraction() const { return m_slowContraction; }

    //! Solves from `x0`, writing the solution into `x1` (each problem-size
    //! values). Returns Converged (1) or a negative Result; throws only what
    //! the problem's own operations throw. At log level 2 or more each
    //! iteration writes a line to the log.
    virtual int solve(double* x0, double* x1, PseudoTransientProblem& problem, int loglevel);

    const Statistics& statistics() const { return m_stats; }
    void resetStatistics() { m_stats = Statistics(); }

protected:
    //! Largest factor in [0, 1] that keeps x + factor * step within bounds,
    //! overshoots within the bound tolerance aside.
    double boundFactor(const PseudoTransientProblem& problem, const double* x, const double* step) const;
    //! The overshoot past a bound that counts as round-off for a component at `x`.
    double boundSlack(double x, double lower, double upper) const;
    //! out = x + factor * step, clipped into the bounds; returns how many
    //! components were clipped.
    size_t moveWithinBounds(const PseudoTransientProblem& problem, const double* x, double factor,
                            const double* step, double* out);
    //! step = -A^{-1} r(x); returns its weighted norm (infinite if not
    //! finite), and |r|^2 / 2 in `phi` when given.
    double newtonStep(PseudoTransientProblem& problem, double* x, double* step, double* phi = nullptr);
    //! Transient: the damping factor to try after `lambda` failed (m_trialStep
    //! holds the trial's step, m_step the step of norm `norm0`).
    double nextDamping(PseudoTransientProblem& problem, double lambda, double norm0);
    //! f(x) into `r`; returns |f|^2 / 2 (infinite if not finite).
    double residualAt(PseudoTransientProblem& problem, double* x, double* r);
    //! step = -A^{-1} r; returns its weighted norm (infinite if not finite).
    double stepFromResidual(PseudoTransientProblem& problem, const double* r, double* step);
    //! Steady, fresh Jacobian: the damping along m_step from m_x, the point
    //! in m_trial, its residual in m_trialResidual and |f|^2 / 2 in phi1.
    double quadraticSearch(PseudoTransientProblem& problem, double phi0, double& phi1, double norm0);
    int solveSteady(double* x1, PseudoTransientProblem& problem, int loglevel);
    int solveTransient(double* x1, PseudoTransientProblem& problem, int loglevel);
    //! Fresh Jacobian at x, factored for the current mode; false if singular.
    bool refreshJacobian(PseudoTransientProblem& problem, double* x);

    size_t m_size = 0;
    int m_maxJacobianAge = 5;
    int m_maxIterations = 50;
    int m_maxDampingTries = 7;
    double m_minDamping = 1e-10;
    double m_sufficientDecrease = 1e-4;
    double m_slowContraction = 0.5;
    int m_transientSteps = 1;
    double m_cycleTolerance = 1e-3;
    double m_fullStepNorm = 1e3;
    double m_boundTolerance = 1.4901161193847656e-08; // sqrt(DBL_EPSILON)
    std::vector<double> m_x;
    std::vector<double> m_step;
    std::vector<double> m_trial;
    std::vector<double> m_trialStep;
    std::vector<double> m_work;
    std::vector<double> m_residual;      //!< steady: f at m_x
    std::vector<double> m_trialResidual; //!< steady: f at m_trial
    std::vector<double> m_half;          //!< steady: the half step's point
    std::vector<double> m_halfResidual;
    std::vector<double> m_vertexResidual;
    std::vector<double> m_snapshot;      //!< steady: an earlier iterate, to find cycles
    std::vector<double> m_lower;         //!< the problem's bounds, read at the start of a solve
    std::vector<double> m_upper;
    Statistics m_stats;
};

} // namespace Velkora

#endif

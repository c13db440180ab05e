//! @file MultiNewton.h
//! A damped Newton method for the steady-state solver.
#ifndef VELKORA_PLATFORM_NUMERICS_MULTINEWTON_H
#define VELKORA_PLATFORM_NUMERICS_MULTINEWTON_H

#include <cstddef>
#include <vector>

namespace Velkora
{

class PseudoTransientProblem;

//! Solves the equations of a PseudoTransientProblem in its current mode
//! (steady, or transient with its reciprocal step) by a damped, modified
//! Newton iteration: each step dx = -A^{-1} r uses the problem's factored
//! Jacobian, which is re-evaluated when it is older than maxJacobianAge()
//! iterations, when damping fails with an aged one, and when an aged one
//! contracts the step too slowly (setSlowContraction()).
//!
//! Damping: a step is scaled down to keep every component within the
//! problem's bounds, then by halving (up to `m_maxDampingTries` times) until
//! the next undamped step from the damped point is smaller, in the
//! problem's weightedNorm(), than the step itself. Convergence: a step whose
//! norm is below 1.
//!
//! Bounds: a component that the step would carry past its bound by no more
//! than the bound tolerance (setBoundTolerance(), relative to the largest of
//! the component's magnitude and its bounds' magnitudes) does not limit the
//! damping: such an overshoot is round-off, typically of a component that
//! sits on its bound (a fixed boundary value, an absent species). Every point
//! the solver moves to is clipped into the bounds, so bounds are never
//! violated. A step that points further out is damped to reach the bound.
class MultiNewton
{
public:
    //! Results of solve().
    enum Result : int {
        Converged = 1,
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
        long boundLimitedSteps = 0;   //!< steps whose damping a bound limited
        long clippedComponents = 0;   //!< components clipped into their bounds
    };

    explicit MultiNewton(int size);
    virtual ~MultiNewton() {}

    //! Sizes the work vectors for `n` components.
    virtual void resize(size_t n);

    //! Largest age, in iterations, at which the Jacobian is reused.
    int maxJacobianAge() const { return m_maxJacobianAge; }
    void setMaxJacobianAge(int age) { m_maxJacobianAge = age; }
    //! Largest number of iterations of one solve; 50 by default.
    void setMaxIterations(int n) { m_maxIterations = n; }
    //! Overshoot past a bound, relative to the component's scale, that is
    //! clipped instead of limiting the damping; sqrt(machine epsilon) by
    //! default.
    void setBoundTolerance(double tolerance) { m_boundTolerance = tolerance; }
    //! A step that shrinks the next one by less than this factor, with a
    //! Jacobian at least two iterations old, has the Jacobian re-evaluated
    //! (0.5 by default; 1 or more turns this off).
    void setSlowContraction(double factor) { m_slowContraction = factor; }

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
    //! out = x + factor * step, clipped into the bounds.
    void moveWithinBounds(const PseudoTransientProblem& problem, const double* x, double factor,
                          const double* step, double* out);
    //! step = -A^{-1} r(x); returns its weighted norm.
    double newtonStep(PseudoTransientProblem& problem, double* x, double* step);
    //! Fresh Jacobian at x, factored for the current mode; false if singular.
    bool refreshJacobian(PseudoTransientProblem& problem, double* x);

    size_t m_size = 0;
    int m_maxJacobianAge = 5;
    int m_maxIterations = 50;
    int m_maxDampingTries = 7;
    double m_slowContraction = 0.5;
    double m_boundTolerance = 1.4901161193847656e-08; // sqrt(DBL_EPSILON)
    std::vector<double> m_x;
    std::vector<double> m_step;
    std::vector<double> m_trial;
    std::vector<double> m_trialStep;
    Statistics m_stats;
};

} // namespace Velkora

#endif

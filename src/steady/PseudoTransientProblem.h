//! @file PseudoTransientProblem.h
//! Base class of steady-state problems solved by Newton's method with
//! pseudo-transient continuation.
#ifndef VELKORA_STEADY_PSEUDOTRANSIENTPROBLEM_H
#define VELKORA_STEADY_PSEUDOTRANSIENTPROBLEM_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/numerics/MultiNewton.h"
#include "platform/numerics/StepObserver.h"
#include "platform/numerics/SystemJacobian.h"

namespace Velkora
{

//! A discretised system of `m_systemSize` components f(x) = 0 whose steady
//! solution is wanted. A subclass supplies the physics (residual, Jacobian,
//! error weights, bounds); this class keeps the solution vectors and the
//! settings, switches the Jacobian between its steady and transient form,
//! and drives the solve: a Newton attempt on the steady equations, and when
//! it fails a phase of backward-Euler time steps with adaptive step size,
//! then Newton again, until Newton converges.
//!
//! Residual convention: evalResidual(x, r, rdt, flag) writes
//!   r = f(x) - rdt * mask * (x - x_old),
//! the steady residual for rdt = 0, where dx/dt = f(x) is the pseudo-time
//! evolution, mask is `m_transientMask` and x_old is the state passed to the
//! last initTimeInteg() (a subclass that overrides initTimeInteg keeps it).
//! evalJacobian(x) evaluates the steady Jacobian df/dx into the attached
//! SystemJacobian, whose transient form is df/dx - rdt * diag(mask).
//!
//! Use: set `m_systemSize` and `m_bandwidth`; attach a Jacobian with
//! setLinearSolver(); call resize(); fill `m_transientMask`; then
//! setInitialGuess(), solve(), getState().
class PseudoTransientProblem
{
public:
    PseudoTransientProblem();
    virtual ~PseudoTransientProblem();
    PseudoTransientProblem(const PseudoTransientProblem&) = delete;
    PseudoTransientProblem& operator=(const PseudoTransientProblem&) = delete;

    //! Writes the residual at `x` into `r` (`m_systemSize` values); `rdt` is
    //! the reciprocal time step of the transient term, 0 for the steady
    //! residual. `flag` is for subclasses; the solver passes 0.
    virtual void evalResidual(double* x, double* r, double rdt, int flag) = 0;
    //! Evaluates the steady Jacobian at `x` into the attached Jacobian. Each
    //! fresh evaluation must advance the Jacobian's evaluationCount().
    virtual void evalJacobian(double* x) = 0;
    //! The size of a Newton step `step` in the problem's own error weights,
    //! typically a root-mean-square of step_i / (rtol |x_i| + atol). A step
    //! below 1 counts as converged.
    virtual double weightedNorm(const double* step) const = 0;

    //! Sizes the state vectors, the Newton solver, the transient mask and the
    //! Jacobian for `m_systemSize` components. Requires an attached Jacobian.
    //! Subclasses that override it call it.
    virtual void resize();

    //! Name of component `i`; the decimal text of `i` by default.
    virtual std::string componentName(size_t i) const;
    //! Two header lines for a table of components: "" and "component name".
    virtual std::pair<std::string, std::string> componentTableHeader() const;
    //! Label of component `i` in such a table: componentName(i).
    virtual std::string componentTableLabel(size_t i) const;

    //! Largest value component `i` may take; Newton steps are damped to stay
    //! at or below it.
    virtual double upperBound(size_t i) const = 0;
    //! Smallest value component `i` may take.
    virtual double lowerBound(size_t i) const = 0;

    //! Enters transient mode with step `dt` from the state `x`; refactors the
    //! Jacobian when 1/dt really changes. Subclasses that override it call it.
    virtual void initTimeInteg(double dt, double* x);
    //! Returns to steady mode, refactoring the Jacobian if it was transient.
    //! Subclasses that override it call it.
    virtual void setSteadyMode();
    //! Called after repeated failed time steps, to repair `x`; does nothing
    //! by default.
    virtual void resetBadValues(double* x);
    //! Called after each Newton attempt and time-stepping phase of a solve;
    //! does nothing by default.
    virtual void writeDebugInfo(const std::string& tag, const std::string& description, int loglevel,
                                int attempt);
    //! Called when a new initial state is loaded; does nothing by default.
    virtual void clearDebugFile();

    //! Loads the first `m_systemSize` values at `x` as the start of the next
    //! solve, and restarts the attempt numbering.
    void setInitialGuess(const double* x);
    //! Copies the last Newton result (the solution after a successful solve)
    //! into `x`.
    void getState(double* x) const;
    //! The Newton solver.
    MultiNewton& newton() { return *m_newtonSolver; }

    //! Attaches the Jacobian and sizes it; not null.
    void setLinearSolver(std::shared_ptr<SystemJacobian> jac);
    //! First time step `stepsize` and the successful steps of each time
    //! stepping phase: `n` values at `tsteps`, the last repeated for every
    //! later phase.
    void setTimeStep(double stepsize, size_t n, const int* tsteps);
    //! Jacobian age limits of Newton for steady attempts and for time steps;
    //! a `ts_age` of 0 or less means the same as `ss_age`.
    void setJacAge(int ss_age, int ts_age = -1);

    //! Evaluates the steady Jacobian at `x`, leaving it in steady form; the
    //! next solve evaluates it afresh. `rsd` is not used.
    void evalSSJacobian(double* x, double* rsd);

    //! Evaluates the steady residual at `x` into `r` and returns its largest
    //! absolute value.
    double ssnorm(double* x, double* r);
    //! Takes `nsteps` successful backward-Euler steps from `x` (advanced in
    //! place), starting with step `dt`; `r` is work space of the same size.
    //! Returns the step size to use next.
    double timeStep(int nsteps, double dt, double* x, double* r, int loglevel);

    //! Solves for the steady state from the state loaded by setInitialGuess().
    //! Progress goes to the log at verbosity `loglevel` (0: nothing).
    void solve(int loglevel = 0);
    //! Deprecated: setInitialGuess(x0), solve(loglevel), getState(x1); returns 1.
    int solve(double* x0, double* x1, int loglevel);

    // Read access for the Newton solver and for callers.
    size_t size() const { return m_systemSize; }
    size_t bandwidth() const { return m_bandwidth; }
    double reciprocalStep() const { return m_reciprocalStep; }
    bool isSteady() const { return m_reciprocalStep == 0.0; }
    int* transientMask() { return m_transientMask.data(); }
    //! The attached Jacobian; throws when none is attached.
    SystemJacobian& jacobian() const;
    //! The current state (the start of the next Newton attempt).
    const std::vector<double>& state() const { return *m_state; }
    //! Successful time steps of the current or last solve.
    int stepsTaken() const { return m_stepsTaken; }

protected:
    std::vector<int> m_stepCounts;
    double m_initialTimeStep;
    double m_minTimeStep;
    double m_maxTimeStep;
    double m_stepReduction;
    std::shared_ptr<std::vector<double>> m_state;
    std::vector<double> m_newState;
    std::vector<double> m_lastTimeStepState;
    std::unique_ptr<MultiNewton> m_newtonSolver;
    double m_reciprocalStep;
    std::shared_ptr<SystemJacobian> m_jacobian;
    bool m_jacobianCurrent;
    size_t m_bandwidth;
    size_t m_systemSize;
    std::vector<double> m_scratchA;  //!< work storage for subclasses
    std::vector<double> m_scratchB;  //!< work storage for subclasses
    std::vector<int> m_transientMask;
    int m_steadyJacAge;
    int m_transientJacAge;
    int m_attemptNumber;
    int m_attemptCycle;
    void* m_auxPointer;              //!< for subclasses; never touched here
    StepObserver* m_stepObserver;
    int m_stepsTaken;
    int m_maxSteps;
    double m_auxSetting0;            //!< for subclasses; never read here
    double m_auxSetting1;            //!< for subclasses; never read here
    double m_auxSetting2;            //!< for subclasses; never read here

private:
    void checkSolvable() const;
};

} // namespace Velkora

#endif

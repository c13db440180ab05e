//! @file PseudoTransientProblem.h
//! Base class of steady-state problems solved by Newton's method with
//! pseudo-transient continuation.
#ifndef VELKORA_STEADY_PSEUDOTRANSIENTPROBLEM_H
#define VELKORA_STEADY_PSEUDOTRANSIENTPROBLEM_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "velkora/export.h"
#include "velkora/platform/numerics/MultiNewton.h"
#include "velkora/platform/numerics/StepObserver.h"
#include "velkora/platform/numerics/SystemJacobian.h"

namespace Velkora
{

//! A discretised system of `m_systemSize` components f(x) = 0 whose steady
//! solution is wanted.
//!
//! A subclass supplies the physics (residual, Jacobian, error weights,
//! bounds); this class keeps the solution vectors and the settings, switches
//! the Jacobian between its steady and transient form, and drives the solve:
//! a Newton attempt on the steady equations, and when it fails a phase of
//! backward-Euler time steps with adaptive step size, then Newton again,
//! until Newton converges.
//!
//! @par Residual convention
//! evalResidual(x, r, rdt, flag) writes r = f(x) - rdt * mask * (x - x_old),
//! the steady residual for rdt = 0, where dx/dt = f(x) is the pseudo-time
//! evolution, mask is `m_transientMask` and x_old is the state passed to the
//! last initTimeInteg() (a subclass that overrides initTimeInteg keeps it).
//! evalJacobian(x) evaluates the steady Jacobian df/dx into the attached
//! SystemJacobian, whose transient form is df/dx - rdt * diag(mask).
//!
//! @par Use
//! In the subclass's constructor: set `m_systemSize` and `m_bandwidth`,
//! attach a Jacobian with setLinearSolver(), call resize(), fill
//! `m_transientMask` (1 for components with a time derivative, 0 for
//! algebraic ones). Then setInitialGuess(), solve(), getState().
//!
//! @par Settings
//! Each setting has a setter that validates its value (a VelkoraError names
//! the setter and the value it refused) and a getter; defaults in brackets.
//! A subclass may also assign the protected members directly, unchecked.
//! - setTimeStep(): first pseudo-time step of a solve [1e-5] and the
//!   successful steps of each time-stepping phase [{10}], the last entry
//!   repeated for every later phase.
//! - setMinTimeStep() (`m_minTimeStep`) [1e-16]: a step reduced below it
//!   ends the solve.
//! - setMaxTimeStep() (`m_maxTimeStep`) [1e8]: cap on the step after each
//!   successful step and at the start of each later phase.
//! - setStepReduction() (`m_stepReduction`) [0.5]: factor applied to the step
//!   after a failed step.
//! - setMaxSteps() (`m_maxSteps`) [500]: successful time steps allowed in one
//!   solve, all phases together.
//! - setStepObserver() (`m_stepObserver`) [null]: told the new step size
//!   after every successful step (before the cap); not owned.
//! - setAttemptCycle() (`m_attemptCycle`) [10]: attempts are numbered 1 to
//!   this for writeDebugInfo(), then from 1 again.
//! - setJacAge() [20 and 20 Newton iterations]: Jacobian age limits of
//!   steady attempts and of time steps.
//! - `m_transientMask` [0 after resize()]: the subclass fills it.
//!
//! The Newton solver's own settings are reached through newton().
//!
//! @par Statistics
//! newtonAttempts(), timeSteps(), failedTimeSteps(), jacobianEvaluations()
//! and residualEvaluations() count since construction or resetStatistics();
//! the residual count includes those that a Jacobian spends on differences.
//! stepsTaken() counts the successful steps of the current or last solve.
//!
//! @par Time stepping
//! A successful step whose Newton solve reused the Jacobian grows the step by
//! 1.5; one that needed a fresh Jacobian keeps it. A failed step halves it
//! (`m_stepReduction`); every third failure in a row calls resetBadValues()
//! and retries the same step instead.
//!
//! @par Errors
//! solve() throws a VelkoraError, procedure "OneDim::timeStep", when time
//! stepping gives up, with one of these messages:
//! - "Took maximum number of timesteps allowed (500) without reaching
//!   steady-state solution." (`m_maxSteps`), after the step that reaches the
//!   limit;
//! - "Time integration failed. Minimum timestep (1e-16) reached."
//!   (`m_minTimeStep`).
//! The state then holds what the time steps made of it (state()). Errors of
//! the subclass's own operations propagate unchanged.
//!
//! @par Log
//! At `loglevel` 0 solve() writes nothing; at 1 a line per Newton attempt and
//! per time-stepping phase, with the time stepper's table; higher levels add
//! detail. Each text carries its own line breaks, mostly at its start, so
//! the log does not end with a newline: add one after solve() if you print
//! after it.
class VELKORA_EXPORT PseudoTransientProblem
{
public:
    PseudoTransientProblem();
    virtual ~PseudoTransientProblem();
    PseudoTransientProblem(const PseudoTransientProblem&) = delete;
    PseudoTransientProblem& operator=(const PseudoTransientProblem&) = delete;

    //! Writes the residual at `x` into `r`.
    //! @param x     the state, `m_systemSize` values
    //! @param r     receives `m_systemSize` residual values
    //! @param rdt   reciprocal time step of the transient term, 0 for the
    //!              steady residual
    //! @param flag  for subclasses; the solver passes 0
    virtual void evalResidual(double* x, double* r, double rdt, int flag) = 0;
    //! Evaluates the steady Jacobian into the attached Jacobian. Each fresh
    //! evaluation must advance the Jacobian's evaluationCount(): the time
    //! stepper grows its step only when a step needed none.
    //! @param x  the state, `m_systemSize` values
    virtual void evalJacobian(double* x) = 0;
    //! The size of a Newton step in the problem's own error weights,
    //! typically a root-mean-square of step_i / (rtol |x_i| + atol).
    //! @param step  `m_systemSize` values
    //! @return the size; a step below 1 counts as converged
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

    //! Largest value component `i` may take. The Newton solver keeps every
    //! iterate within [lowerBound(i), upperBound(i)]: in a time step it damps
    //! the step to stay inside, in a steady attempt it clips each trial point
    //! into the bounds.
    virtual double upperBound(size_t i) const = 0;
    //! Smallest value component `i` may take.
    virtual double lowerBound(size_t i) const = 0;

    //! Enters transient mode; refactors the Jacobian when 1/dt really
    //! changes. Subclasses that override it call it, and keep `x` as x_old.
    //! @param dt  the time step
    //! @param x   the state the step starts from
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

    //! Evaluates the steady Jacobian, leaving it in steady form; the next
    //! solve evaluates it afresh.
    //! @param x    the state
    //! @param rsd  not used
    void evalSSJacobian(double* x, double* rsd);

    //! The size of the steady residual.
    //! @param x  the state
    //! @param r  receives the steady residual at `x`
    //! @return its largest absolute value
    double ssnorm(double* x, double* r);
    //! Takes successful backward-Euler steps with adaptive step size.
    //! @param nsteps    successful steps to take
    //! @param dt        the first step size to try
    //! @param x         the state, advanced in place
    //! @param r         work space of `m_systemSize` values
    //! @param loglevel  verbosity of the log, passed on to Newton
    //! @return the step size to use next
    //! @throws VelkoraError "OneDim::timeStep" at the step limit or the
    //!         minimum step (see the class documentation)
    double timeStep(int nsteps, double dt, double* x, double* r, int loglevel);

    //! Solves for the steady state from the state loaded by setInitialGuess().
    //! On return the solution is in state() and getState().
    //! @param loglevel  verbosity of the log (0: nothing)
    //! @throws VelkoraError "OneDim::timeStep" when time stepping gives up
    //!         (see the class documentation), "PseudoTransientProblem::solve"
    //!         for no Jacobian, an empty step table, an entry below 1 or an
    //!         attempt cycle below 1
    void solve(int loglevel = 0);
    //! Deprecated: setInitialGuess(x0), solve(loglevel), getState(x1).
    //! @param x0        the start
    //! @param x1        receives the solution
    //! @param loglevel  verbosity of the log
    //! @return 1
    int solve(double* x0, double* x1, int loglevel);

    //! Number of components.
    size_t size() const { return m_systemSize; }
    //! Half-bandwidth of the Jacobian.
    size_t bandwidth() const { return m_bandwidth; }
    //! 1/dt while time stepping, 0 in steady mode.
    double reciprocalStep() const { return m_reciprocalStep; }
    //! Whether the problem is in steady mode.
    bool isSteady() const { return m_reciprocalStep == 0.0; }
    //! The transient mask, one entry per component.
    int* transientMask() { return m_transientMask.data(); }
    //! The attached Jacobian; throws when none is attached.
    SystemJacobian& jacobian() const;
    //! The current state (the start of the next Newton attempt).
    const std::vector<double>& state() const { return *m_state; }
    //! Successful time steps of the current or last solve.
    int stepsTaken() const { return m_stepsTaken; }

    // ---- settings (see the class documentation) ----------------------------

    //! First pseudo-time step of each solve [1e-5]; set by setTimeStep().
    double initialTimeStep() const { return m_initialTimeStep; }
    //! Successful steps of each time-stepping phase [{10}]; set by setTimeStep().
    const std::vector<int>& stepCounts() const { return m_stepCounts; }
    //! A step reduced below `dt` ends the solve; positive and finite [1e-16].
    void setMinTimeStep(double dt);
    double minTimeStep() const { return m_minTimeStep; }
    //! Cap on the step; positive, infinity for none [1e8].
    void setMaxTimeStep(double dt);
    double maxTimeStep() const { return m_maxTimeStep; }
    //! Factor applied to the step after a failed step; in (0, 1) [0.5].
    void setStepReduction(double factor);
    double stepReduction() const { return m_stepReduction; }
    //! Successful time steps allowed in one solve; at least 1 [500].
    void setMaxSteps(int n);
    int maxSteps() const { return m_maxSteps; }
    //! Told every new step size; not owned, may be null [null].
    void setStepObserver(StepObserver* observer) { m_stepObserver = observer; }
    StepObserver* stepObserver() const { return m_stepObserver; }
    //! Length of the attempt numbering; at least 1 [10].
    void setAttemptCycle(int n);
    int attemptCycle() const { return m_attemptCycle; }
    //! Newton's Jacobian age limit in steady attempts [20]; set by setJacAge().
    int steadyJacAge() const { return m_steadyJacAge; }
    //! Newton's Jacobian age limit in time steps [20]; set by setJacAge().
    int transientJacAge() const { return m_transientJacAge; }

    // ---- statistics ----------------------------------------------------------

    //! Newton attempts on the steady equations (each attempt of solve()).
    long newtonAttempts() const { return m_newtonAttempts; }
    //! Successful pseudo-time steps.
    long timeSteps() const { return m_timeSteps; }
    //! Failed pseudo-time steps (each retried with a smaller step or after
    //! resetBadValues()).
    long failedTimeSteps() const { return m_failedTimeSteps; }
    //! Jacobian evaluations (evalJacobian() calls of the solver).
    long jacobianEvaluations() const { return m_jacobianEvaluations; }
    //! Residual evaluations: those of the solver and those the Jacobian spent
    //! on differences.
    long residualEvaluations() const { return m_residualEvaluations; }
    //! Sets every count above to 0.
    void resetStatistics();

    //! evalResidual(), counted; the solver calls the residual only through it.
    void evaluateResidual(double* x, double* r, double rdt, int flag);
    //! evalJacobian(), counted with the residuals the Jacobian spent; the
    //! solver evaluates Jacobians only through it.
    void evaluateJacobian(double* x);

protected:
    std::vector<int> m_stepCounts;   //!< successful steps of each phase [{10}]; see setTimeStep()
    double m_initialTimeStep;        //!< step of the first phase of a solve [1e-5]
    double m_minTimeStep;            //!< a smaller step ends the solve [1e-16]
    double m_maxTimeStep;            //!< cap on the step [1e8]
    double m_stepReduction;          //!< factor after a failed step [0.5]
    std::shared_ptr<std::vector<double>> m_state; //!< current estimate; shared
    std::vector<double> m_newState;  //!< Newton's result; work space of the time stepper
    std::vector<double> m_lastTimeStepState; //!< the state after the last time-stepping phase
    std::unique_ptr<MultiNewton> m_newtonSolver; //!< owned alone; see newton()
    double m_reciprocalStep;         //!< 1/dt in transient mode, 0 in steady mode
    std::shared_ptr<SystemJacobian> m_jacobian;  //!< attached by setLinearSolver()
    bool m_jacobianCurrent;          //!< steady Jacobian evaluated and factored
    size_t m_bandwidth;              //!< half-bandwidth; set by the subclass [0]
    size_t m_systemSize;             //!< number of components; set by the subclass [0]
    std::vector<double> m_scratchA;  //!< work storage for subclasses
    std::vector<double> m_scratchB;  //!< work storage for subclasses
    std::vector<int> m_transientMask; //!< 1 where a component has a time derivative; filled by the subclass
    int m_steadyJacAge;              //!< Newton's Jacobian age limit in steady attempts [20]
    int m_transientJacAge;           //!< Newton's Jacobian age limit in time steps [20]
    int m_attemptNumber;             //!< number of the current attempt, 1 to m_attemptCycle
    int m_attemptCycle;              //!< length of the attempt numbering [10]
    void* m_auxPointer;              //!< for subclasses; never touched here
    StepObserver* m_stepObserver;    //!< told each new step size; not owned [null]
    int m_stepsTaken;                //!< successful time steps of the current solve
    int m_maxSteps;                  //!< limit of m_stepsTaken [500]
    double m_auxSetting0;            //!< for subclasses; never read here
    double m_auxSetting1;            //!< for subclasses; never read here
    double m_auxSetting2;            //!< for subclasses; never read here

private:
    void checkSolvable() const;

    long m_newtonAttempts = 0;
    long m_timeSteps = 0;
    long m_failedTimeSteps = 0;
    long m_jacobianEvaluations = 0;
    long m_residualEvaluations = 0;
};

} // namespace Velkora

#endif

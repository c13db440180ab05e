#include "velkora/steady/PseudoTransientProblem.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "velkora/interface/VelkoraError.h"
#include "velkora/interface/writelog.h"

namespace Velkora
{

PseudoTransientProblem::PseudoTransientProblem()
    : m_stepCounts{10},
      m_initialTimeStep(1e-5),
      m_minTimeStep(1e-16),
      m_maxTimeStep(1e8),
      m_stepReduction(0.5),
      m_state(std::make_shared<std::vector<double>>()),
      m_newtonSolver(std::make_unique<MultiNewton>(1)),
      m_reciprocalStep(0.0),
      m_jacobianCurrent(false),
      m_bandwidth(0),
      m_systemSize(0),
      m_steadyJacAge(20),
      m_transientJacAge(20),
      m_attemptNumber(0),
      m_attemptCycle(10),
      m_auxPointer(nullptr),
      m_stepObserver(nullptr),
      m_stepsTaken(0),
      m_maxSteps(500),
      m_auxSetting0(0.0),
      m_auxSetting1(1e-5),
      m_auxSetting2(1e-10)
{
}

PseudoTransientProblem::~PseudoTransientProblem() = default;

// ---- sizing and configuration ----------------------------------------------

void PseudoTransientProblem::resize()
{
    m_state->resize(m_systemSize, 0.0);
    m_newState.resize(m_systemSize, 0.0);
    m_newtonSolver->resize(m_systemSize);
    m_transientMask.resize(m_systemSize, 0);
    if (!m_jacobian) {
        throw VelkoraError("PseudoTransientProblem::resize",
                           "Jacobian evaluator must be instantiated before calling resize()");
    }
    m_jacobian->setProblemSize(m_systemSize);
    m_jacobian->configureBandwidth(m_bandwidth);
    m_jacobian->resetStatistics();
    m_jacobianCurrent = false;
}

void PseudoTransientProblem::setLinearSolver(std::shared_ptr<SystemJacobian> jac)
{
    if (!jac) {
        throw VelkoraError("PseudoTransientProblem::setLinearSolver", "The Jacobian is a null pointer.");
    }
    m_jacobian = std::move(jac);
    m_jacobian->setProblemSize(m_systemSize);
    m_jacobian->configureBandwidth(m_bandwidth);
    m_jacobian->resetStatistics();
    m_jacobianCurrent = false;
}

void PseudoTransientProblem::setTimeStep(double stepsize, size_t n, const int* tsteps)
{
    if (!(stepsize > 0.0) || !std::isfinite(stepsize)) {
        throw VelkoraError("PseudoTransientProblem::setTimeStep",
                           "The first time step must be positive and finite, not {}.", stepsize);
    }
    if (n > 0 && tsteps == nullptr) {
        throw VelkoraError("PseudoTransientProblem::setTimeStep",
                           "The table of {} step counts is a null pointer.", n);
    }
    m_initialTimeStep = stepsize;
    m_stepCounts.assign(tsteps, tsteps + n);
}

void PseudoTransientProblem::setJacAge(int ss_age, int ts_age)
{
    m_steadyJacAge = ss_age;
    m_transientJacAge = ts_age > 0 ? ts_age : ss_age;
}

void PseudoTransientProblem::setMinTimeStep(double dt)
{
    if (!(dt > 0.0) || !std::isfinite(dt)) {
        throw VelkoraError("PseudoTransientProblem::setMinTimeStep",
                           "The minimum time step must be positive and finite, not {}.", dt);
    }
    m_minTimeStep = dt;
}

void PseudoTransientProblem::setMaxTimeStep(double dt)
{
    if (!(dt > 0.0)) {
        throw VelkoraError("PseudoTransientProblem::setMaxTimeStep",
                           "The maximum time step must be positive (infinity for none), not {}.", dt);
    }
    m_maxTimeStep = dt;
}

void PseudoTransientProblem::setStepReduction(double factor)
{
    if (!(factor > 0.0 && factor < 1.0)) {
        throw VelkoraError("PseudoTransientProblem::setStepReduction",
                           "The step reduction factor must lie strictly between 0 and 1, not {}.", factor);
    }
    m_stepReduction = factor;
}

void PseudoTransientProblem::setMaxSteps(int n)
{
    if (n < 1) {
        throw VelkoraError("PseudoTransientProblem::setMaxSteps",
                           "The limit of time steps per solve must be at least 1, not {}.", n);
    }
    m_maxSteps = n;
}

void PseudoTransientProblem::setAttemptCycle(int n)
{
    if (n < 1) {
        throw VelkoraError("PseudoTransientProblem::setAttemptCycle",
                           "The attempt cycle must be at least 1, not {}.", n);
    }
    m_attemptCycle = n;
}

void PseudoTransientProblem::resetStatistics()
{
    m_newtonAttempts = 0;
    m_timeSteps = 0;
    m_failedTimeSteps = 0;
    m_jacobianEvaluations = 0;
    m_residualEvaluations = 0;
}

void PseudoTransientProblem::evaluateResidual(double* x, double* r, double rdt, int flag)
{
    m_residualEvaluations++;
    evalResidual(x, r, rdt, flag);
}

void PseudoTransientProblem::evaluateJacobian(double* x)
{
    const long before = m_jacobian ? m_jacobian->residualEvaluations() : 0;
    m_jacobianEvaluations++;
    evalJacobian(x);
    if (m_jacobian) {
        m_residualEvaluations += m_jacobian->residualEvaluations() - before;
    }
}

SystemJacobian& PseudoTransientProblem::jacobian() const
{
    if (!m_jacobian) {
        throw VelkoraError("PseudoTransientProblem::jacobian",
                           "No Jacobian is attached; call setLinearSolver() first.");
    }
    return *m_jacobian;
}

// ---- state -----------------------------------------------------------------

void PseudoTransientProblem::setInitialGuess(const double* x)
{
    clearDebugFile();
    m_attemptNumber = 0;
    m_state->assign(x, x + m_systemSize);
}

void PseudoTransientProblem::getState(double* x) const
{
    std::copy(m_newState.begin(), m_newState.end(), x);
}

// ---- modes -------------------------------------------------------------------

void PseudoTransientProblem::initTimeInteg(double dt, double*)
{
    double previous = m_reciprocalStep;
    m_reciprocalStep = 1.0 / dt;
    // A NaN difference fails the test too, leaving the Jacobian alone.
    if (std::abs(previous - 1.0 / dt) > 1e-20) {
        jacobian().refactorTransient(1.0 / dt, m_transientMask.data());
    }
}

void PseudoTransientProblem::setSteadyMode()
{
    if (m_reciprocalStep == 0.0) {
        return;
    }
    m_reciprocalStep = 0.0;
    jacobian().refactorTransient(0.0, m_transientMask.data());
}

void PseudoTransientProblem::evalSSJacobian(double* x, double*)
{
    double saved = m_reciprocalStep;
    m_jacobianCurrent = false;
    setSteadyMode();
    evaluateJacobian(x);
    m_reciprocalStep = saved;
}

// ---- default virtual operations ----------------------------------------------

std::string PseudoTransientProblem::componentName(size_t i) const
{
    return fmt::format("{}", i);
}

std::pair<std::string, std::string> PseudoTransientProblem::componentTableHeader() const
{
    return {"", "component name"};
}

std::string PseudoTransientProblem::componentTableLabel(size_t i) const
{
    return componentName(i);
}

void PseudoTransientProblem::resetBadValues(double*) {}

void PseudoTransientProblem::writeDebugInfo(const std::string&, const std::string&, int, int) {}

void PseudoTransientProblem::clearDebugFile() {}

// ---- time stepping -------------------------------------------------------------

double PseudoTransientProblem::ssnorm(double* x, double* r)
{
    evaluateResidual(x, r, 0.0, 0);
    double s = 0.0;
    for (size_t i = 0; i < m_systemSize; i++) {
        double a = std::abs(r[i]);
        if (!(s > a)) {
            s = a;
        }
    }
    return s;
}

double PseudoTransientProblem::timeStep(int nsteps, double dt, double* x, double* r, int loglevel)
{
    m_newtonSolver->setMaxJacobianAge(m_transientJacAge);
    int n = 0; // successful steps of this call
    int m = 0; // consecutive failed steps
    if (loglevel == 1) {
        writelog_direct("\n============================");
        writelog("\n{:<5s}  {:<11s}   {:<7s}\n", "step", "dt (s)", "log(ss)");
        writelog_direct("============================");
    }
    while (n < nsteps) {
        if (loglevel == 1) {
            writelog("\n{:<5d}  {:<6.4e}   {:>7.4f}", n, dt, std::log10(ssnorm(x, r)));
        } else if (loglevel > 1) {
            writelog("\nTimestep ({}) dt= {:<11.4e}  log(ss)= {:<7.4f}", n, dt, std::log10(ssnorm(x, r)));
        }
        initTimeInteg(dt, x);
        int32_t j0 = jacobian().evaluationCount();
        int result = m_newtonSolver->solve(x, r, *this, loglevel);
        if (result >= 0) {
            if (loglevel > 1) {
                writelog("\nTimestep ({}) succeeded", n);
            }
            m_stepsTaken++;
            m_timeSteps++;
            n++;
            std::copy(r, r + m_systemSize, x);
            if (jacobian().evaluationCount() == j0) {
                dt *= 1.5;
            }
            if (m_stepObserver) {
                m_stepObserver->onStep(dt);
            }
            dt = std::min(m_maxTimeStep, dt);
            m = 0;
            if (m_stepsTaken >= m_maxSteps) {
                throw VelkoraError("OneDim::timeStep",
                                   "Took maximum number of timesteps allowed ({}) without reaching "
                                   "steady-state solution.",
                                   m_maxSteps);
            }
        } else {
            m_failedTimeSteps++;
            if (loglevel == 1) {
                writelog_direct("\nTimestep failed");
            } else if (loglevel > 1) {
                writelog("\nTimestep ({}) failed", n);
            }
            if (m >= 2) {
                if (loglevel >= 1) {
                    writelog_direct("--> Resetting negative species concentrations");
                }
                resetBadValues(x);
                m = 0;
            } else {
                if (loglevel >= 1) {
                    writelog_direct("--> Reducing timestep");
                }
                dt *= m_stepReduction;
                if (dt < m_minTimeStep) {
                    throw VelkoraError("OneDim::timeStep", "Time integration failed. Minimum timestep ({}) reached.",
                                       m_minTimeStep);
                }
                m++;
            }
        }
    }
    if (loglevel == 1) {
        writelog("\n{:<5d}  {:<6.4e}   {:>7.4f}", n, dt, std::log10(ssnorm(x, r)));
        writelog_direct("\n============================");
    } else if (loglevel > 1) {
        writelog("\nTimestep ({}) dt= {:<11.4e} log10(ss)= {:<7.4f}\n", n, dt, std::log10(ssnorm(x, r)));
    }
    return dt;
}

// ---- the solve driver ------------------------------------------------------------

void PseudoTransientProblem::checkSolvable() const
{
    const char* procedure = "PseudoTransientProblem::solve";
    if (!m_jacobian) {
        throw VelkoraError(procedure, "No Jacobian is attached; call setLinearSolver() first.");
    }
    if (m_stepCounts.empty()) {
        throw VelkoraError(procedure, "The table of time steps per phase is empty; give at least one entry.");
    }
    for (size_t i = 0; i < m_stepCounts.size(); i++) {
        if (m_stepCounts[i] < 1) {
            throw VelkoraError(procedure, "Entry {} of the table of time steps per phase is {}; each must be at least 1.",
                               i, m_stepCounts[i]);
        }
    }
    if (m_attemptCycle < 1) {
        throw VelkoraError(procedure, "The attempt cycle is {}; it must be at least 1.", m_attemptCycle);
    }
}

void PseudoTransientProblem::solve(int loglevel)
{
    checkSolvable();
    int nsteps = m_stepCounts[0];
    m_stepsTaken = 0;
    double dt = m_initialTimeStep;
    size_t phase = 0;
    while (true) {
        m_attemptNumber = (m_attemptNumber % m_attemptCycle) + 1;
        m_newtonAttempts++;
        setSteadyMode();
        m_newtonSolver->setMaxJacobianAge(m_steadyJacAge);
        if (loglevel > 0) {
            writelog_direct("\nAttempt Newton solution of steady-state problem.");
        }
        bool prepared = true;
        if (!m_jacobianCurrent) {
            evaluateJacobian(m_state->data());
            try {
                m_jacobian->refactorTransient(m_reciprocalStep, m_transientMask.data());
                m_jacobianCurrent = true;
            } catch (VelkoraError& err) {
                if (m_reciprocalStep != 0.0) {
                    throw;
                }
                if (loglevel > 1) {
                    // Heading first, then detail: as arguments of one call the
                    // compiler may evaluate them in either order.
                    std::string heading = err.errorHeading();
                    std::string detail = err.errorDetail();
                    writelog("\nSteady Jacobian factorization failed:\n  {}:\n    {}", heading, detail);
                }
                prepared = false;
            }
        }
        if (prepared) {
            int result = m_newtonSolver->solve(m_state->data(), m_newState.data(), *this, loglevel);
            if (result == 1) {
                m_state->assign(m_newState.begin(), m_newState.end());
                writeDebugInfo("NewtonSuccess", "After successful Newton solve", loglevel, m_attemptNumber);
                return;
            }
        }
        if (loglevel > 0) {
            writelog_direct("\nNewton steady-state solve failed.\n");
        }
        writeDebugInfo("NewtonFail", "After unsuccessful Newton solve", loglevel, m_attemptNumber);
        if (loglevel > 0) {
            writelog("\nAttempt {} timesteps.", nsteps);
        }
        dt = timeStep(nsteps, dt, m_state->data(), m_newState.data(), loglevel - 1);
        m_lastTimeStepState = *m_state;
        writeDebugInfo("Timestepping", "After timestepping", loglevel, m_attemptNumber);
        if (loglevel == 1) {
            writelog("\nFinal timestep info: dt= {:<10.4g} log(ss)= {:<10.4g}\n", dt,
                     std::log10(ssnorm(m_state->data(), m_newState.data())));
        }
        phase++;
        nsteps = phase < m_stepCounts.size() ? m_stepCounts[phase] : m_stepCounts.back();
        dt = std::min(m_maxTimeStep, dt);
    }
}

int PseudoTransientProblem::solve(double* x0, double* x1, int loglevel)
{
    _warn_deprecated("PseudoTransientProblem::solve(double*, double*, int)",
                     "To be removed after Velkora 3.2. Use setInitialGuess, solve(int), and getState instead.");
    setInitialGuess(x0);
    solve(loglevel);
    getState(x1);
    return 1;
}

} // namespace Velkora

// Test doubles for the steady solver: a Newton solver that returns scripted
// results and records its calls, installed in a problem whose residual is a
// fixed vector and whose hooks record what the driver does.
#ifndef VELKORA_TESTS_SCRIPTEDSTEADYPROBLEM_H
#define VELKORA_TESTS_SCRIPTEDSTEADYPROBLEM_H

#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "velkora/steady/PseudoTransientProblem.h"
#include "support/RecordingJacobian.h"

namespace Velkora::testing
{

class ScriptedNewton : public MultiNewton
{
public:
    struct Step
    {
        int result;
        bool freshJacobian = false; //!< evaluate the Jacobian during the solve
    };
    struct Call
    {
        double rdt;
        int loglevel;
        int maxAge;
    };

    ScriptedNewton() : MultiNewton(1) {}

    int solve(double* x0, double* x1, PseudoTransientProblem& problem, int loglevel) override
    {
        calls.push_back({problem.reciprocalStep(), loglevel, maxJacobianAge()});
        if (script.empty()) {
            throw std::logic_error("the Newton script is exhausted");
        }
        Step step = script.front();
        script.pop_front();
        if (step.freshJacobian) {
            static_cast<RecordingJacobian&>(problem.jacobian()).evaluate();
        }
        // A successful solve moves every component by one.
        for (size_t i = 0; i < problem.size(); i++) {
            x1[i] = x0[i] + 1.0;
        }
        return step.result;
    }

    std::deque<Step> script;
    std::vector<Call> calls;
};

class ScriptedSteadyProblem : public PseudoTransientProblem
{
public:
    using PseudoTransientProblem::m_attemptNumber;
    using PseudoTransientProblem::m_jacobianCurrent;
    using PseudoTransientProblem::m_lastTimeStepState;
    using PseudoTransientProblem::m_maxSteps;
    using PseudoTransientProblem::m_maxTimeStep;
    using PseudoTransientProblem::m_minTimeStep;
    using PseudoTransientProblem::m_newState;
    using PseudoTransientProblem::m_state;
    using PseudoTransientProblem::m_stepCounts;
    using PseudoTransientProblem::m_stepObserver;
    using PseudoTransientProblem::m_stepsTaken;

    struct DebugCall
    {
        std::string tag;
        std::string description;
        int loglevel;
        int attempt;
    };

    explicit ScriptedSteadyProblem(std::vector<double> residual = {0.5, -2.0})
        : m_residual(std::move(residual))
    {
        auto newton = std::make_unique<ScriptedNewton>();
        scripted = newton.get();
        m_newtonSolver = std::move(newton);
        m_systemSize = m_residual.size();
        m_bandwidth = 1;
        setLinearSolver(jac);
        resize();
        std::fill(m_transientMask.begin(), m_transientMask.end(), 1);
        std::vector<double> start(m_systemSize, 0.0);
        setInitialGuess(start.data());
    }

    void evalResidual(double*, double* r, double, int) override
    {
        residualEvaluations++;
        std::copy(m_residual.begin(), m_residual.end(), r);
    }
    void evalJacobian(double*) override
    {
        jacobianEvaluations++;
        jac->evaluate();
    }
    double weightedNorm(const double*) const override { return 0.0; }
    double upperBound(size_t) const override { return 1e300; }
    double lowerBound(size_t) const override { return -1e300; }
    void resetBadValues(double*) override { resets++; }
    void writeDebugInfo(const std::string& tag, const std::string& description, int loglevel,
                        int attempt) override
    {
        debug.push_back({tag, description, loglevel, attempt});
    }

    void initTimeInteg(double dt, double* x) override
    {
        steps.push_back(dt);
        PseudoTransientProblem::initTimeInteg(dt, x);
    }

    std::shared_ptr<RecordingJacobian> jac = std::make_shared<RecordingJacobian>();
    ScriptedNewton* scripted;
    std::vector<DebugCall> debug;
    std::vector<double> steps; //!< every step size tried, in order
    int residualEvaluations = 0;
    int jacobianEvaluations = 0;
    int resets = 0;

private:
    std::vector<double> m_residual;
};

} // namespace Velkora::testing

#endif

//! @file ReactorNet.h
//! Reactors integrated together in time, with sensitivities to their rates.
#ifndef VELKORA_PLATFORM_REACTORS_REACTORNET_H
#define VELKORA_PLATFORM_REACTORS_REACTORNET_H

#include <memory>
#include <string>
#include <vector>

#include "velkora/platform/reactors/ReactorBase.h"

namespace Velkora
{

class CvodesIntegrator;

//! Integrates the states of all its reactors as one system with SUNDIALS
//! CVODES (BDF, Newton iteration), and their forward sensitivities with
//! respect to one rate multiplier per reaction. Parameters are numbered
//! across the network, reactor by reactor, in each reactor's reaction order;
//! components likewise, in each reactor's component order (its species, or
//! for an ideal-gas reactor "temperature" and then its species).
//!
//! The linear algebra of the Newton iteration (jacobianMethod()):
//! - Analytic (the default where every reactor has an analytic Jacobian):
//!   the reactors' Jacobians in compressed sparse columns, the Newton matrix
//!   factored by SuiteSparse's KLU (KluNewtonSolver): the ordering once per
//!   set-up, a factorization with pivoting at the first step and after the
//!   Newton iteration failed to converge, refactorizations on its pivot
//!   order otherwise;
//!   on networks of more than 200 components the Newton matrix is set up
//!   again every 100 steps at most, not every 20 (CVODES's default), as
//!   their factorizations cost tens of rate evaluations;
//! - DenseDifferences (the default otherwise): a dense Jacobian of CVODES's
//!   own difference quotients, factored by SUNDIALS' dense LU.
//!
//! Sensitivities are integrated for the parameters of the reactors whose
//! sensitivitiesEnabled() is true (batch reactors: always; ideal-gas
//! reactors: when asked for), by CVODES's staggered corrector with
//! difference quotients of the rates.
//!
//! The integrator is set up on the first advance() or step(), and again after
//! any setting changes or a reactor's state is changed from outside;
//! sensitivities count from that set-up. Not synchronised.
class ReactorNet
{
public:
    //! Throws for an empty list, a null reactor, a reactor listed twice, or
    //! reactors without species.
    explicit ReactorNet(const std::vector<std::shared_ptr<ReactorBase>>& reactors);
    ~ReactorNet();
    ReactorNet(const ReactorNet&) = delete;
    ReactorNet& operator=(const ReactorNet&) = delete;

    //! Sets the current time (s) from which integration starts.
    void setInitialTime(double t);
    //! Largest internal step (s); 0 means no limit. Throws when negative or not finite.
    void setMaxTimeStep(double maxStep);
    //! Relative and absolute tolerances of the concentrations (mol/m^3).
    //! Throws unless rtol is 0 or at least machine precision (2.2e-16) and
    //! atol is at least 1e-100, both finite: smaller ones the integrator
    //! cannot honour.
    void setTolerances(double rtol, double atol);
    //! Relative and absolute tolerances of the sensitivities; the same limits.
    void setSensitivityTolerances(double rtol, double atol);

    //! Integrates to exactly `t` (s); throws for a time before time() or not
    //! finite, and for any integrator failure. After a failure time() and the
    //! reactors keep the last state reached before the call, and the next
    //! call sets the integrator up afresh from there.
    void advance(double t);
    //! Takes one internal step and returns the new time, always later than
    //! the one before; throws as advance() does.
    double step();
    //! The current time (s).
    double time() const { return m_time; }

    size_t nReactors() const { return m_reactors.size(); }
    //! Number of components (of all reactors).
    size_t neq() const { return m_neq; }
    //! Number of sensitivity parameters (reactions of all reactors).
    size_t nParameters() const { return m_nparams; }
    //! Index in the network of component `name` (a species, or
    //! "temperature") of reactor `reactor`; throws for an unknown component
    //! or a reactor index out of range.
    size_t globalComponentIndex(const std::string& name, size_t reactor) const;
    //! Normalized sensitivity d ln y / d ln k of component `component` to the
    //! rate of parameter `parameter`, at the current time. Where |y| is at or
    //! below the absolute tolerance the ratio means nothing and 0 is returned.
    //! Throws for indexes out of range, and for a parameter of a reactor
    //! whose sensitivities are not integrated.
    double sensitivity(size_t component, size_t parameter);

    //! Number of internal steps since the last set-up.
    long steps() const;

    //! How the Newton iteration gets its Jacobian.
    enum class JacobianMethod { Analytic, DenseDifferences };
    //! Chooses the method; Analytic needs every reactor to have an analytic
    //! Jacobian (throws otherwise). The default: Analytic where possible.
    void setJacobianMethod(JacobianMethod method);
    //! The method in use.
    JacobianMethod jacobianMethod() const { return m_method; }

    //! What the integrator did since the last set-up, and where its time
    //! went (seconds of the calls, measured around them).
    struct Statistics
    {
        long steps = 0;
        long rateEvaluations = 0;      //!< by CVODES, difference quotients included
        long jacobianEvaluations = 0;
        long linearSetups = 0;         //!< factorizations
        long nonlinearIterations = 0;
        long errorTestFailures = 0;
        double integrationSeconds = 0.0; //!< in CVode altogether
        double rateSeconds = 0.0;        //!< in the right-hand side
        double jacobianSeconds = 0.0;    //!< in the Jacobian function
        double setupSeconds = 0.0;       //!< in the linear solver's setup (factorization)
        double solveSeconds = 0.0;       //!< in the linear solver's solves
        long jacobianNonzeros = 0;       //!< of the sparse Jacobian; n^2 for the dense one
        long factorizations = 0;         //!< of the setups, those with pivoting
        long refactorizations = 0;       //!< those on the last pivot order (the sparse Jacobian's)
    };
    Statistics statistics() const;

    //! Tolerances, read directly by the C interface; set them through
    //! setTolerances().
    double m_rtol = 1e-9;
    double m_atol = 1e-15;

private:
    friend class CvodesIntegrator;
    void evalRhs(const double* y, double* ydot) const;
    bool allAnalytic() const;
    //! Sets the integrator up if needed; errors name `procedure`.
    void prepare(const char* procedure);
    //! Integrates in `mode` (CVODES' CV_NORMAL or CV_ONE_STEP) with a stop
    //! time; returns the time reached. A failure marks the integrator for a
    //! fresh set-up.
    double integrateTo(double stopTime, int mode, const char* procedure);
    void readStateFromReactors(double* y);
    void writeStateToReactors(const double* y);

    std::vector<std::shared_ptr<ReactorBase>> m_reactors;
    std::vector<size_t> m_speciesOffset; //!< first component of each reactor
    JacobianMethod m_method = JacobianMethod::DenseDifferences;
    std::vector<size_t> m_paramOffset;   //!< first parameter of each reactor
    std::vector<unsigned long> m_knownVersions;
    size_t m_neq = 0;
    size_t m_nparams = 0;
    double m_time = 0.0;
    double m_maxStep = 0.0;
    double m_sensRtol = 1e-6;
    double m_sensAtol = 1e-8;
    bool m_needsSetup = true;
    std::vector<double> m_multipliers;   //!< CVODES perturbs these for sensitivities
    std::vector<int> m_sensitivityIndex; //!< per parameter: its index among the integrated ones, or -1
    std::unique_ptr<CvodesIntegrator> m_integrator;
};

//! Builds a network of `reactors`, in that order.
std::shared_ptr<ReactorNet> newReactorNet(std::vector<std::shared_ptr<ReactorBase>>& reactors);

} // namespace Velkora

#endif

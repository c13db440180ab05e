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

//! Integrates the concentrations of all its reactors as one system with
//! SUNDIALS CVODES (BDF, Newton iteration, dense direct linear solver), and
//! their forward sensitivities with respect to one rate multiplier per
//! reaction. Parameters are numbered across the network, reactor by reactor,
//! in each reactor's reaction order; components likewise, species by species.
//!
//! The integrator is set up on the first advance() or step(), and again after
//! any setting changes or a reactor's concentrations are changed from
//! outside; sensitivities count from that set-up. Not synchronised.
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
    //! Number of components (species of all reactors).
    size_t neq() const { return m_neq; }
    //! Number of sensitivity parameters (reactions of all reactors).
    size_t nParameters() const { return m_nparams; }
    //! Index in the network of species `name` of reactor `reactor`; throws
    //! for an unknown species or a reactor index out of range.
    size_t globalComponentIndex(const std::string& name, size_t reactor) const;
    //! Normalized sensitivity d ln c / d ln k of component `component` to the
    //! rate of parameter `parameter`, at the current time. Where |c| is at or
    //! below the absolute tolerance the ratio means nothing and 0 is returned.
    //! Throws for indexes out of range.
    double sensitivity(size_t component, size_t parameter);

    //! Number of internal steps since the last set-up.
    long steps() const;

    //! Tolerances, read directly by the C interface; set them through
    //! setTolerances().
    double m_rtol = 1e-9;
    double m_atol = 1e-15;

private:
    friend class CvodesIntegrator;
    void evalRhs(const double* y, double* ydot) const;
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
    std::unique_ptr<CvodesIntegrator> m_integrator;
};

//! Builds a network of `reactors`, in that order.
std::shared_ptr<ReactorNet> newReactorNet(std::vector<std::shared_ptr<ReactorBase>>& reactors);

} // namespace Velkora

#endif

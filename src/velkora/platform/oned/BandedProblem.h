//! @file BandedProblem.h
//! A complete steady problem for discretised 1-D models with a banded
//! Jacobian: subclass it with the steady residual, or adapt a model class
//! with ModelProblem.
#ifndef VELKORA_PLATFORM_ONED_BANDEDPROBLEM_H
#define VELKORA_PLATFORM_ONED_BANDEDPROBLEM_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "velkora/export.h"
#include "velkora/platform/numerics/BandJacobian.h"
#include "velkora/steady/PseudoTransientProblem.h"

namespace Velkora
{

//! The PseudoTransientProblem of a model that gives its steady residual f(x)
//! and nothing else. It supplies the four pieces every such problem needs:
//! - the transient term: evalResidual() is f(x) - rdt * mask * (x - x_old);
//! - the old state x_old, kept by initTimeInteg();
//! - the Jacobian: a BandJacobian evaluated by grouped forward differences
//!   of f (2 bw + 2 residuals per evaluation);
//! - the weighted norm of a Newton step: the root-mean-square of
//!   step_i / (rtol |x_i| + atol), x the current state.
//!
//! A subclass implements steadyResidual() and, where the model has them,
//! upperBound() and lowerBound() (unbounded by default) and
//! resetBadValues() (clips into the bounds by default). Every component is
//! transient unless setTransient() marks it algebraic.
//!
//! @par Settings and their defaults
//! The helper's defaults differ from the base class's; they are one set for
//! every problem family (chosen on a premixed flame and a heated rod, each
//! from easy and hard starts):
//! - first pseudo-time step 1e-2 and 20 successful steps per phase
//!   (setTimeStep());
//! - Jacobian age limits 20 in steady attempts and 100 in time steps
//!   (setJacAge());
//! - tolerances of the weighted norm: rtol 1e-6, atol 1e-9 (setTolerances());
//! - the difference steps of the Jacobian: sqrt(machine epsilon), relative
//!   and absolute (bandJacobian().setPerturbation()).
//! Everything else is the base class's (see PseudoTransientProblem).
class VELKORA_EXPORT BandedProblem : public PseudoTransientProblem
{
public:
    //! A problem of `size` unknowns whose Jacobian has half-bandwidth
    //! `bandwidth` (at most size - 1 is useful); throws for size 0.
    BandedProblem(size_t size, size_t bandwidth);

    //! The steady residual f(x): `size()` values of `x` to `size()` values
    //! of `r`. The pseudo-time evolution is dx/dt = f(x) for transient
    //! components; algebraic ones solve f_i(x) = 0 throughout.
    virtual void steadyResidual(const double* x, double* r) = 0;

    void evalResidual(double* x, double* r, double rdt, int flag) override;
    void evalJacobian(double* x) override;
    double weightedNorm(const double* step) const override;
    //! +infinity unless overridden.
    double upperBound(size_t i) const override;
    //! -infinity unless overridden.
    double lowerBound(size_t i) const override;
    void initTimeInteg(double dt, double* x) override;
    //! Clips every component into its bounds.
    void resetBadValues(double* x) override;

    //! Marks component `i` transient (it has a time derivative) or
    //! algebraic; throws for `i` out of range.
    void setTransient(size_t i, bool transient);
    //! Tolerances of the weighted norm: `rtol` finite and not negative,
    //! `atol` positive and finite [1e-6 and 1e-9].
    void setTolerances(double rtol, double atol);
    double relativeTolerance() const { return m_rtol; }
    double absoluteTolerance() const { return m_atol; }

    //! The Jacobian, to tune its difference steps or read its counts.
    BandJacobian& bandJacobian() { return *m_band; }
    //! x_old: the state the current time step started from.
    const std::vector<double>& oldState() const { return m_old; }

private:
    std::shared_ptr<BandJacobian> m_band;
    std::vector<double> m_old;
    double m_rtol = 1e-6;
    double m_atol = 1e-9;
};

//! A BandedProblem around a model class, so that the model stays
//! independent of any solver (the same residual code can be handed to other
//! solvers). The model provides
//! - `size_t size() const` and `size_t bandwidth() const`;
//! - `void residual(const double* x, double* r) const`: f(x);
//! - `bool transient(size_t i) const`: whether dx_i/dt = f_i, else algebraic;
//! - `double lowerBound(size_t i) const`, `double upperBound(size_t i) const`;
//! - `void repair(double* x) const`: brings x back into its physical range;
//! - `std::string componentName(size_t i) const`.
template <class Model>
class ModelProblem : public BandedProblem
{
public:
    //! Builds the model from `args`.
    template <class... Args>
    explicit ModelProblem(Args&&... args) : ModelProblem(Model(std::forward<Args>(args)...), 0)
    {
    }

    void steadyResidual(const double* x, double* r) override { m_model.residual(x, r); }
    double upperBound(size_t i) const override { return m_model.upperBound(i); }
    double lowerBound(size_t i) const override { return m_model.lowerBound(i); }
    void resetBadValues(double* x) override { m_model.repair(x); }
    std::string componentName(size_t i) const override { return m_model.componentName(i); }

    const Model& model() const { return m_model; }

private:
    ModelProblem(Model&& model, int) : BandedProblem(model.size(), model.bandwidth()), m_model(std::move(model))
    {
        for (size_t i = 0; i < m_systemSize; i++) {
            setTransient(i, m_model.transient(i));
        }
    }

    Model m_model;
};

} // namespace Velkora

#endif

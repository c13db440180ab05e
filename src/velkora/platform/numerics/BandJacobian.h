//! @file BandJacobian.h
//! A banded Jacobian with its band LU factorization.
#ifndef VELKORA_PLATFORM_NUMERICS_BANDJACOBIAN_H
#define VELKORA_PLATFORM_NUMERICS_BANDJACOBIAN_H

#include <functional>
#include <vector>

#include "velkora/export.h"
#include "velkora/platform/numerics/BandLU.h"
#include "velkora/platform/numerics/SystemJacobian.h"

namespace Velkora
{

//! Keeps the steady Jacobian in band storage, n rows by 2 bw + 1 diagonals,
//! and a separate band LU factorization of its transient form, so that a
//! change of step size refactors without evaluating again.
//!
//! Fill it either entry by entry between startEvaluation() and
//! finishEvaluation(), or with evaluateByDifferences().
class VELKORA_EXPORT BandJacobian : public SystemJacobian
{
public:
    //! Writes the steady residual at `x` into `r`.
    using Residual = std::function<void(double* x, double* r)>;

    BandJacobian();

    void setProblemSize(size_t n) override;
    void configureBandwidth(size_t bw) override;
    void refactorTransient(double rdt, int* mask) override;
    void solve(double* b) override;

    //! Clears the steady matrix for a fresh evaluation.
    void startEvaluation();
    //! Entry (i, j) of the steady matrix; throws outside the band.
    double& value(size_t i, size_t j);
    double value(size_t i, size_t j) const;
    //! Ends an evaluation: counts it and marks the factorization stale.
    void finishEvaluation();

    //! Evaluates the steady Jacobian at `x` by forward differences of `f`,
    //! perturbing every (2 bw + 1)-th column together: 2 bw + 1 evaluations
    //! of `f`, given `r0`, the residual at `x`. `x` is restored on return.
    //! Column j moves by rel * |x_j| + abs (setPerturbation()).
    void evaluateByDifferences(const Residual& f, double* x, const double* r0);
    //! The same, evaluating `r0` first: 2 bw + 2 evaluations of `f`.
    void evaluateByDifferences(const Residual& f, double* x);
    //! Relative and absolute parts of the difference step; both sqrt(eps) by default.
    void setPerturbation(double relative, double absolute);
    double relativePerturbation() const { return m_relativeStep; }
    double absolutePerturbation() const { return m_absoluteStep; }

    //! y = J x with the steady matrix.
    void multiply(const double* x, double* y) const;

private:
    size_t width() const { return 2 * m_bandwidth + 1; }
    //! Sizes the storage for the current size and bandwidth, if not yet done.
    void ensureSized();

    std::vector<double> m_steady;    //!< column-major band: (i, j) at j * width() + bw + i - j
    std::vector<double> m_residual0; //!< the unperturbed residual, when evaluated here
    std::vector<double> m_work;      //!< perturbed residual in evaluateByDifferences()
    std::vector<double> m_steps;     //!< difference step of each column
    std::vector<double> m_saved;     //!< unperturbed values of the moved columns
    std::vector<int> m_lastMask;
    bool m_haveSteady = false;
    bool m_sized = false;
    double m_relativeStep;
    double m_absoluteStep;
    BandLU m_lu;                     //!< the factored transient form
};

} // namespace Velkora

#endif

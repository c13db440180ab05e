//! @file SystemJacobian.h
//! The Jacobian of a discretised system and the linear solver that uses it.
#ifndef VELKORA_PLATFORM_NUMERICS_SYSTEMJACOBIAN_H
#define VELKORA_PLATFORM_NUMERICS_SYSTEMJACOBIAN_H

#include <cstddef>
#include <cstdint>

#include "velkora/export.h"
#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

//! Raised by refactorTransient() when the matrix is singular: the one
//! factorization failure that the Newton solver reports as a singular
//! Jacobian. Every other error of a Jacobian propagates as what it is.
class VELKORA_EXPORT SingularJacobianError : public VelkoraError
{
public:
    //! `message` is taken as it stands.
    SingularJacobianError(const std::string& procedure, const std::string& message)
        : VelkoraError(procedure, message)
    {
    }
};

//! Holds the steady Jacobian J = df/dx of a residual f, and solves with its
//! transient form A = J - rdt * diag(mask): the Jacobian of the backward
//! Euler residual f(x) - rdt * mask * (x - x_old) that the steady solver
//! uses while time stepping (rdt = 1/dt; mask 1 for components with a time
//! derivative, 0 for algebraic ones). With rdt = 0, A = J.
class VELKORA_EXPORT SystemJacobian
{
public:
    virtual ~SystemJacobian() {}

    //! Number of unknowns.
    virtual void setProblemSize(size_t n) { m_size = n; }
    //! Half-bandwidth: J(i, j) may be non-zero only where |i - j| <= bw.
    virtual void configureBandwidth(size_t bw) { m_bandwidth = bw; }
    //! Evaluation count 0, age 100000 (too old to reuse), time spent 0.
    virtual void resetStatistics();

    //! Forms A for `rdt` and `mask` (problem size values) from the stored
    //! steady Jacobian and factors it. Throws a SingularJacobianError when A
    //! is singular. Before any evaluation it only records the two for later.
    virtual void refactorTransient(double rdt, int* mask) = 0;
    //! Overwrites `b` with the solution of A x = b. Throws unless factored.
    virtual void solve(double* b) = 0;

    size_t problemSize() const { return m_size; }
    size_t bandwidth() const { return m_bandwidth; }
    //! Fresh evaluations since the last reset.
    int32_t evaluationCount() const { return m_evaluationCount; }
    //! Factorizations since the last reset.
    int32_t factorizationCount() const { return m_factorizationCount; }
    //! Newton iterations since the last evaluation.
    int age() const { return m_age; }
    void incrementAge() { m_age++; }
    //! Whether the last refactorTransient() produced a usable factorization.
    bool isFactored() const { return m_factored; }
    //! Seconds spent in evaluations since the last reset.
    double evaluationSeconds() const { return m_evaluationSeconds; }
    //! Residual evaluations spent on evaluations (by differences), since
    //! construction; resetStatistics() leaves it.
    long residualEvaluations() const { return m_residualEvaluations; }

protected:
    //! Subclasses call this once per fresh evaluation.
    void countEvaluation(double seconds);
    //! Subclasses call this for the residuals an evaluation spent.
    void countResiduals(long n) { m_residualEvaluations += n; }

    size_t m_size = 0;
    size_t m_bandwidth = 0;
    int32_t m_evaluationCount = 0;
    int32_t m_factorizationCount = 0;
    int m_age = 100000;
    bool m_factored = false;
    double m_evaluationSeconds = 0.0;
    long m_residualEvaluations = 0;
};

} // namespace Velkora

#endif

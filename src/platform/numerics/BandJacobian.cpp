#include "platform/numerics/BandJacobian.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include <nvector/nvector_serial.h>
#include <sundials/sundials_context.h>
#include <sunlinsol/sunlinsol_band.h>
#include <sunmatrix/sunmatrix_band.h>

#include "interface/VelkoraError.h"

namespace Velkora
{

//! The SUNDIALS objects of one size and bandwidth.
class BandSolver
{
public:
    BandSolver(size_t n, size_t bw)
    {
        auto N = static_cast<sunindextype>(n);
        auto b = static_cast<sunindextype>(bw);
        if (SUNContext_Create(nullptr, &m_ctx) != 0) {
            throw VelkoraError("BandJacobian::setProblemSize", "Could not create a SUNDIALS context.");
        }
        m_vector = N_VNew_Serial(N, m_ctx);
        m_matrix = SUNBandMatrix(N, b, b, m_ctx);
        m_solver = (m_vector && m_matrix) ? SUNLinSol_Band(m_vector, m_matrix, m_ctx) : nullptr;
        if (!m_solver) {
            release();
            throw VelkoraError("BandJacobian::setProblemSize",
                               "Could not allocate a band matrix of size {} and bandwidth {}.", n, bw);
        }
    }
    ~BandSolver() { release(); }
    BandSolver(const BandSolver&) = delete;
    BandSolver& operator=(const BandSolver&) = delete;

    SUNMatrix matrix() { return m_matrix; }

    //! 0, or the 1-based column of a zero pivot.
    long factor()
    {
        int flag = SUNLinSolSetup(m_solver, m_matrix);
        return flag == 0 ? 0 : std::max<long>(1, static_cast<long>(SUNLinSolLastFlag(m_solver)));
    }

    void solve(double* b)
    {
        double* own = N_VGetArrayPointer(m_vector);
        N_VSetArrayPointer(b, m_vector);
        SUNLinSolSolve(m_solver, m_matrix, m_vector, m_vector, 0.0);
        N_VSetArrayPointer(own, m_vector);
    }

private:
    void release()
    {
        if (m_solver) {
            SUNLinSolFree(m_solver);
        }
        if (m_matrix) {
            SUNMatDestroy(m_matrix);
        }
        if (m_vector) {
            N_VDestroy(m_vector);
        }
        if (m_ctx) {
            SUNContext_Free(&m_ctx);
        }
    }

    SUNContext m_ctx = nullptr;
    N_Vector m_vector = nullptr;
    SUNMatrix m_matrix = nullptr;
    SUNLinearSolver m_solver = nullptr;
};

BandJacobian::BandJacobian()
    : m_relativeStep(std::sqrt(std::numeric_limits<double>::epsilon())),
      m_absoluteStep(std::sqrt(std::numeric_limits<double>::epsilon()))
{
}

BandJacobian::~BandJacobian() = default;

void BandJacobian::setProblemSize(size_t n)
{
    SystemJacobian::setProblemSize(n);
    reallocate();
}

void BandJacobian::configureBandwidth(size_t bw)
{
    SystemJacobian::configureBandwidth(bw);
    reallocate();
}

void BandJacobian::reallocate()
{
    m_solver.reset();
    m_steady.assign(m_size * width(), 0.0);
    m_work.assign(m_size, 0.0);
    m_steps.assign(m_size, 0.0);
    m_saved.assign(m_size, 0.0);
    m_lastMask.assign(m_size, 0);
    m_haveSteady = false;
    m_factored = false;
    if (m_size > 0) {
        m_solver = std::make_unique<BandSolver>(m_size, m_bandwidth);
    }
}

void BandJacobian::startEvaluation()
{
    std::fill(m_steady.begin(), m_steady.end(), 0.0);
}

double& BandJacobian::value(size_t i, size_t j)
{
    if (i >= m_size || j >= m_size || (i > j ? i - j : j - i) > m_bandwidth) {
        throw VelkoraError("BandJacobian::value",
                           "Entry ({}, {}) lies outside the band (size {}, bandwidth {}).", i, j, m_size,
                           m_bandwidth);
    }
    return m_steady[j * width() + m_bandwidth + i - j];
}

double BandJacobian::value(size_t i, size_t j) const
{
    return const_cast<BandJacobian*>(this)->value(i, j);
}

void BandJacobian::finishEvaluation()
{
    m_haveSteady = true;
    m_factored = false;
    countEvaluation(0.0);
}

void BandJacobian::setPerturbation(double relative, double absolute)
{
    if (!(relative >= 0.0) || !(absolute > 0.0) || !std::isfinite(relative) || !std::isfinite(absolute)) {
        throw VelkoraError("BandJacobian::setPerturbation",
                           "Need relative >= 0 and absolute > 0, both finite; got {} and {}.", relative,
                           absolute);
    }
    m_relativeStep = relative;
    m_absoluteStep = absolute;
}

void BandJacobian::evaluateByDifferences(const Residual& f, double* x, const double* r0)
{
    auto start = std::chrono::steady_clock::now();
    const size_t n = m_size;
    const size_t bw = m_bandwidth;
    const size_t groups = std::min(width(), n);
    for (size_t g = 0; g < groups; g++) {
        for (size_t j = g; j < n; j += width()) {
            m_saved[j] = x[j];
            x[j] += m_relativeStep * std::abs(x[j]) + m_absoluteStep;
            m_steps[j] = x[j] - m_saved[j]; // the step as actually taken
        }
        f(x, m_work.data());
        for (size_t j = g; j < n; j += width()) {
            x[j] = m_saved[j];
            double h = m_steps[j];
            size_t lo = j > bw ? j - bw : 0;
            size_t hi = std::min(n - 1, j + bw);
            double* column = &m_steady[j * width() + bw - j];
            for (size_t i = lo; i <= hi; i++) {
                column[i] = (m_work[i] - r0[i]) / h;
            }
        }
    }
    m_haveSteady = true;
    m_factored = false;
    std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    countEvaluation(spent.count());
}

void BandJacobian::refactorTransient(double rdt, int* mask)
{
    if (mask) {
        std::copy(mask, mask + m_size, m_lastMask.begin());
    }
    m_factored = false;
    if (!m_haveSteady || m_size == 0) {
        return;
    }
    SUNMatrix A = m_solver->matrix();
    SUNMatZero(A);
    const size_t bw = m_bandwidth;
    for (size_t j = 0; j < m_size; j++) {
        size_t lo = j > bw ? j - bw : 0;
        size_t hi = std::min(m_size - 1, j + bw);
        const double* column = &m_steady[j * width() + bw - j];
        double* target = SM_COLUMN_B(A, j);
        for (size_t i = lo; i <= hi; i++) {
            target[static_cast<long>(i) - static_cast<long>(j)] = column[i];
        }
        target[0] -= rdt * m_lastMask[j];
    }
    m_factorizationCount++;
    long zeroPivot = m_solver->factor();
    if (zeroPivot != 0) {
        throw VelkoraError("BandJacobian::refactorTransient",
                           "The matrix is singular: zero pivot in column {}.", zeroPivot - 1);
    }
    m_factored = true;
}

void BandJacobian::solve(double* b)
{
    if (!m_factored) {
        throw VelkoraError("BandJacobian::solve", "The matrix has not been factored.");
    }
    m_solver->solve(b);
}

void BandJacobian::multiply(const double* x, double* y) const
{
    const size_t bw = m_bandwidth;
    std::fill(y, y + m_size, 0.0);
    for (size_t j = 0; j < m_size; j++) {
        size_t lo = j > bw ? j - bw : 0;
        size_t hi = std::min(m_size - 1, j + bw);
        const double* column = &m_steady[j * width() + bw - j];
        for (size_t i = lo; i <= hi; i++) {
            y[i] += column[i] * x[j];
        }
    }
}

} // namespace Velkora

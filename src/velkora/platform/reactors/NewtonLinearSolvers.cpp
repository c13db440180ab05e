#include "velkora/platform/reactors/NewtonLinearSolvers.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include <nvector/nvector_serial.h>
#include <sunmatrix/sunmatrix_sparse.h>

#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

namespace
{

//! Adds the seconds of its life to `total`.
class Stopwatch
{
public:
    explicit Stopwatch(double& total) : m_total(total) {}
    ~Stopwatch() { m_total += std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count(); }
    Stopwatch(const Stopwatch&) = delete;
    Stopwatch& operator=(const Stopwatch&) = delete;

private:
    double& m_total;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

SUNLinearSolver newEmpty(SUNContext ctx, const char* procedure)
{
    SUNLinearSolver S = SUNLinSolNewEmpty(ctx);
    if (!S) {
        throw VelkoraError(procedure, "Could not allocate the linear solver.");
    }
    return S;
}

} // namespace

// ---- KLU with the rank-one terms ------------------------------------------

KluNewtonSolver::KluNewtonSolver(SUNContext ctx, std::vector<int> colptr, std::vector<int> rows,
                                 std::vector<Block> blocks, const char* procedure)
    : m_n(colptr.empty() ? 0 : colptr.size() - 1), m_colptr(std::move(colptr)), m_rows(std::move(rows)),
      m_blocks(std::move(blocks))
{
    const size_t n = m_n;
    m_diagonal.assign(n, m_rows.size());
    for (size_t j = 0; j < n; j++) {
        for (int p = m_colptr[j]; p < m_colptr[j + 1]; p++) {
            if (static_cast<size_t>(m_rows[p]) == j) {
                m_diagonal[j] = static_cast<size_t>(p);
            }
        }
        if (m_diagonal[j] == m_rows.size()) {
            throw VelkoraError(procedure, "The Jacobian's pattern lacks the diagonal entry of component {}.", j);
        }
    }
    m_J.assign(m_rows.size(), 0.0);
    m_a.assign(n, 0.0);
    m_b.assign(n, 0.0);
    m_u.assign(n, 0.0);
    m_rankOne.assign(m_blocks.size(), false);
    m_denominator.assign(m_blocks.size(), 1.0);

    klu_defaults(&m_common);
    m_common.ordering = 0; // AMD
    m_symbolic = klu_analyze(static_cast<int>(n), m_colptr.data(), m_rows.data(), &m_common);
    if (!m_symbolic) {
        throw VelkoraError(procedure, "KLU could not analyse the Jacobian's pattern (status {}).", m_common.status);
    }
    try {
        m_solver = newEmpty(ctx, procedure);
    } catch (...) {
        klu_free_symbolic(&m_symbolic, &m_common);
        throw;
    }
    m_solver->content = this;
    m_solver->ops->gettype = [](SUNLinearSolver) { return SUNLINEARSOLVER_DIRECT; };
    m_solver->ops->getid = [](SUNLinearSolver) { return SUNLINEARSOLVER_CUSTOM; };
    m_solver->ops->initialize = [](SUNLinearSolver) { return SUNLS_SUCCESS; };
    m_solver->ops->setup = &KluNewtonSolver::setupOp;
    m_solver->ops->solve = &KluNewtonSolver::solveOp;
    m_solver->ops->lastflag = [](SUNLinearSolver S) { return static_cast<sunindextype>(of(S).m_lastFlag); };
}

KluNewtonSolver::~KluNewtonSolver()
{
    if (m_numeric) {
        klu_free_numeric(&m_numeric, &m_common);
    }
    if (m_symbolic) {
        klu_free_symbolic(&m_symbolic, &m_common);
    }
    if (m_solver) {
        m_solver->content = nullptr;
        SUNLinSolFreeEmpty(m_solver);
    }
}

void KluNewtonSolver::formNewtonMatrix(double gamma, double* values)
{
    const size_t nnz = m_J.size();
    for (size_t p = 0; p < nnz; p++) {
        values[p] = -gamma * m_J[p];
    }
    for (size_t d : m_diagonal) {
        values[d] += 1.0;
    }
    m_gamma = gamma;
}

bool KluNewtonSolver::anyRankOne() const
{
    return std::find(m_rankOne.begin(), m_rankOne.end(), true) != m_rankOne.end();
}

int KluNewtonSolver::setupOp(SUNLinearSolver S, SUNMatrix A)
{
    KluNewtonSolver& self = of(S);
    Stopwatch watch(self.m_stats.setupSeconds);
    self.m_stats.setups++;
    if (SUNMatGetID(A) != SUNMATRIX_SPARSE || static_cast<size_t>(SUNSparseMatrix_NNZ(A)) < self.m_rows.size()) {
        self.m_lastFlag = SUNLS_ILL_INPUT;
        return SUNLS_ILL_INPUT;
    }
    self.m_lastFlag = self.setup(SUNSparseMatrix_Data(A));
    return static_cast<int>(self.m_lastFlag);
}

int KluNewtonSolver::setup(const double* values)
{
    const int n = static_cast<int>(m_n);
    // The values are only read: KLU takes them as non-const.
    double* A = const_cast<double*>(values);
    bool factored = false;
    if (!m_repivot && m_numeric) {
        factored = klu_refactor(m_colptr.data(), m_rows.data(), A, m_symbolic, m_numeric, &m_common) != 0;
        m_stats.refactorizations += factored ? 1 : 0;
    }
    if (!factored) {
        if (m_numeric) {
            klu_free_numeric(&m_numeric, &m_common);
        }
        m_numeric = klu_factor(m_colptr.data(), m_rows.data(), A, m_symbolic, &m_common);
        if (!m_numeric || m_common.status != KLU_OK) {
            // Singular at this step size: CVODES tries again with a smaller one.
            m_repivot = true;
            return SUNLS_LUFACT_FAIL;
        }
        m_stats.factorizations++;
        m_repivot = false;
    }
    if (!anyRankOne()) {
        return SUNLS_SUCCESS;
    }
    // u = A^-1 a for all blocks at once: they do not couple.
    std::fill(m_u.begin(), m_u.end(), 0.0);
    for (size_t r = 0; r < m_blocks.size(); r++) {
        if (m_rankOne[r]) {
            std::copy(m_a.begin() + m_blocks[r].begin, m_a.begin() + m_blocks[r].end, m_u.begin() + m_blocks[r].begin);
        }
    }
    if (!klu_solve(m_symbolic, m_numeric, n, 1, m_u.data(), &m_common)) {
        return SUNLS_PACKAGE_FAIL_UNREC;
    }
    for (size_t r = 0; r < m_blocks.size(); r++) {
        if (!m_rankOne[r]) {
            continue;
        }
        double bu = 0.0;
        for (size_t i = m_blocks[r].begin; i < m_blocks[r].end; i++) {
            bu += m_b[i] * m_u[i];
        }
        m_denominator[r] = 1.0 - m_gamma * bu;
        if (m_denominator[r] == 0.0 || !std::isfinite(m_denominator[r])) {
            return SUNLS_PACKAGE_FAIL_REC;
        }
    }
    return SUNLS_SUCCESS;
}

int KluNewtonSolver::solveOp(SUNLinearSolver S, SUNMatrix, N_Vector x, N_Vector b, sunrealtype)
{
    KluNewtonSolver& self = of(S);
    Stopwatch watch(self.m_stats.solveSeconds);
    self.m_stats.solves++;
    self.m_lastFlag = self.solve(N_VGetArrayPointer(b), N_VGetArrayPointer(x));
    return static_cast<int>(self.m_lastFlag);
}

int KluNewtonSolver::solve(const double* b, double* x)
{
    if (!m_numeric) {
        return SUNLS_MEM_NULL;
    }
    if (x != b) {
        std::copy(b, b + m_n, x);
    }
    if (!klu_solve(m_symbolic, m_numeric, static_cast<int>(m_n), 1, x, &m_common)) {
        return SUNLS_PACKAGE_FAIL_UNREC;
    }
    for (size_t r = 0; r < m_blocks.size(); r++) {
        if (!m_rankOne[r]) {
            continue;
        }
        const size_t begin = m_blocks[r].begin, end = m_blocks[r].end;
        double bx = 0.0;
        for (size_t i = begin; i < end; i++) {
            bx += m_b[i] * x[i];
        }
        const double factor = m_gamma * bx / m_denominator[r];
        for (size_t i = begin; i < end; i++) {
            x[i] += factor * m_u[i];
        }
    }
    return SUNLS_SUCCESS;
}

// ---- timing around another solver ------------------------------------------

TimedLinearSolver::TimedLinearSolver(SUNContext ctx, SUNLinearSolver inner, const char* procedure) : m_inner(inner)
{
    try {
        m_solver = newEmpty(ctx, procedure);
    } catch (...) {
        SUNLinSolFree(m_inner);
        throw;
    }
    m_solver->content = this;
    m_solver->ops->gettype = [](SUNLinearSolver S) { return SUNLinSolGetType(of(S).m_inner); };
    m_solver->ops->getid = [](SUNLinearSolver S) { return SUNLinSolGetID(of(S).m_inner); };
    m_solver->ops->initialize = [](SUNLinearSolver S) { return SUNLinSolInitialize(of(S).m_inner); };
    m_solver->ops->setup = [](SUNLinearSolver S, SUNMatrix A) {
        TimedLinearSolver& self = of(S);
        Stopwatch watch(self.m_stats.setupSeconds);
        self.m_stats.setups++;
        self.m_stats.factorizations++;
        return SUNLinSolSetup(self.m_inner, A);
    };
    m_solver->ops->solve = [](SUNLinearSolver S, SUNMatrix A, N_Vector x, N_Vector b, sunrealtype tol) {
        TimedLinearSolver& self = of(S);
        Stopwatch watch(self.m_stats.solveSeconds);
        self.m_stats.solves++;
        return SUNLinSolSolve(self.m_inner, A, x, b, tol);
    };
    m_solver->ops->lastflag = [](SUNLinearSolver S) { return SUNLinSolLastFlag(of(S).m_inner); };
}

TimedLinearSolver::~TimedLinearSolver()
{
    if (m_solver) {
        m_solver->content = nullptr;
        SUNLinSolFreeEmpty(m_solver);
    }
    SUNLinSolFree(m_inner);
}

} // namespace Velkora

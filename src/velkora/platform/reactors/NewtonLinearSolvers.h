//! @file NewtonLinearSolvers.h
//! The linear solvers of a reactor network's Newton iterations, as SUNDIALS
//! linear solvers of the library's own: all their state is in the object,
//! so that networks on different threads are independent.
#ifndef VELKORA_PLATFORM_REACTORS_NEWTONLINEARSOLVERS_H
#define VELKORA_PLATFORM_REACTORS_NEWTONLINEARSOLVERS_H

#include <cstddef>
#include <vector>

#include <klu.h>
#include <sundials/sundials_linearsolver.h>
#include <sundials/sundials_matrix.h>
#include <sundials/sundials_nvector.h>

namespace Velkora
{

//! What a linear solver did, and the seconds of its calls.
struct LinearSolverStatistics
{
    long setups = 0;
    long factorizations = 0;   //!< with pivoting (KLU: klu_factor)
    long refactorizations = 0; //!< on the last pivot order (KLU: klu_refactor)
    long solves = 0;
    double setupSeconds = 0.0;
    double solveSeconds = 0.0;
};

//! Solves with the Newton matrix M = I - gamma (J_s + sum_r a_r b_r^T) of
//! a network: J_s sparse, in compressed columns, and a dense term of rank
//! one a_r b_r^T within the components of some reactors r (blocks). The
//! sparse part A = I - gamma J_s is factored by SuiteSparse's KLU, ordered
//! once by AMD (the temperature's full row and column go last and cause no
//! fill; COLAMD, KLU's default, fills the factors: 20 against 0.5 s of
//! factoring measured on 874 species), factored with partial pivoting at
//! the first setup and when asked (requestPivoting()), and otherwise
//! refactored on that pivot order, which takes half the time (and with
//! pivoting again where a refactorization meets a zero pivot). The rank-one
//! terms follow Sherman and Morrison:
//!   x = A^-1 r + gamma u_r (b_r^T A^-1 r) / (1 - gamma b_r^T u_r),
//! u_r = A^-1 a_r, one more solve per setup for all blocks together.
//!
//! The network fills the Jacobian (jacobian(), rankA(), rankB(),
//! setRankOne()) and forms A in the SUNDIALS matrix (formNewtonMatrix())
//! from a CVODES linear-system function; SUNDIALS then calls the setup and
//! the solve.
class KluNewtonSolver
{
public:
    //! One reactor's components, [begin, end).
    struct Block
    {
        size_t begin, end;
    };

    //! The pattern (n + 1 column pointers, the rows; every diagonal entry
    //! included) and the blocks. Throws VelkoraError naming `procedure` when
    //! SUNDIALS or KLU cannot allocate or the pattern is refused.
    KluNewtonSolver(SUNContext ctx, std::vector<int> colptr, std::vector<int> rows, std::vector<Block> blocks,
                    const char* procedure);
    ~KluNewtonSolver();
    KluNewtonSolver(const KluNewtonSolver&) = delete;
    KluNewtonSolver& operator=(const KluNewtonSolver&) = delete;

    SUNLinearSolver sundials() const { return m_solver; }
    size_t size() const { return m_n; }
    size_t nonzeros() const { return m_rows.size(); }
    const std::vector<int>& columnPointers() const { return m_colptr; }
    const std::vector<int>& rowIndexes() const { return m_rows; }

    //! J_s, in the pattern's order, and the rank-one vectors, n each.
    double* jacobian() { return m_J.data(); }
    double* rankA() { return m_a.data(); }
    double* rankB() { return m_b.data(); }
    //! Whether block r has a rank-one term in the stored Jacobian.
    void setRankOne(size_t block, bool on) { m_rankOne[block] = on; }
    //! The next setup factors with pivoting.
    void requestPivoting() { m_repivot = true; }
    //! A = I - gamma J_s into `values` (nonzeros() of them, the pattern's
    //! order), and gamma for the rank-one terms.
    void formNewtonMatrix(double gamma, double* values);

    const LinearSolverStatistics& statistics() const { return m_stats; }

private:
    static KluNewtonSolver& of(SUNLinearSolver S) { return *static_cast<KluNewtonSolver*>(S->content); }
    static int setupOp(SUNLinearSolver S, SUNMatrix A);
    static int solveOp(SUNLinearSolver S, SUNMatrix A, N_Vector x, N_Vector b, sunrealtype tol);
    int setup(const double* values);
    int solve(const double* b, double* x);
    bool anyRankOne() const;

    size_t m_n;
    std::vector<int> m_colptr, m_rows;
    std::vector<Block> m_blocks;
    std::vector<size_t> m_diagonal; //!< position of each diagonal entry
    std::vector<double> m_J, m_a, m_b, m_u;
    std::vector<bool> m_rankOne;
    std::vector<double> m_denominator;
    double m_gamma = 0.0;
    bool m_repivot = true;
    klu_common m_common;
    klu_symbolic* m_symbolic = nullptr;
    klu_numeric* m_numeric = nullptr;
    SUNLinearSolver m_solver = nullptr;
    LinearSolverStatistics m_stats;
    long m_lastFlag = 0;
};

//! Any SUNDIALS linear solver, timed: the calls go to `inner`, which the
//! object owns.
class TimedLinearSolver
{
public:
    //! Takes `inner` (not null); throws VelkoraError naming `procedure` when
    //! SUNDIALS cannot allocate.
    TimedLinearSolver(SUNContext ctx, SUNLinearSolver inner, const char* procedure);
    ~TimedLinearSolver();
    TimedLinearSolver(const TimedLinearSolver&) = delete;
    TimedLinearSolver& operator=(const TimedLinearSolver&) = delete;

    SUNLinearSolver sundials() const { return m_solver; }
    const LinearSolverStatistics& statistics() const { return m_stats; }

private:
    static TimedLinearSolver& of(SUNLinearSolver S) { return *static_cast<TimedLinearSolver*>(S->content); }
    SUNLinearSolver m_inner;
    SUNLinearSolver m_solver = nullptr;
    LinearSolverStatistics m_stats;
};

} // namespace Velkora

#endif

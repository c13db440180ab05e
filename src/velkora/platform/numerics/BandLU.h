//! @file BandLU.h
//! LU factorization with partial pivoting of a band matrix, and solves with it.
#ifndef VELKORA_PLATFORM_NUMERICS_BANDLU_H
#define VELKORA_PLATFORM_NUMERICS_BANDLU_H

#include <cstddef>
#include <vector>

#include "velkora/export.h"

namespace Velkora
{

//! An n by n matrix with `lower` sub- and `upper` superdiagonals, factored
//! in place as P A = L U with row interchanges (the algorithm of LAPACK's
//! dgbtf2/dgbtrs, unblocked: for the narrow bands of 1-D problems blocking
//! buys nothing). Storage is column-major with lower + upper + lower rows per
//! column, the top `lower` rows holding the fill-in of the interchanges.
class VELKORA_EXPORT BandLU
{
public:
    //! Sizes the storage; the values are zero.
    void resize(size_t n, size_t lower, size_t upper);

    size_t size() const { return m_n; }

    //! Sets every stored value to zero.
    void clear();
    //! Entry (i, j) of the matrix before factor(); |i - j| within the band.
    double& operator()(size_t i, size_t j) { return m_ab[j * m_ld + m_diag + i - j]; }
    //! The `column`-th column's entries from row `first` on, consecutive.
    double* column(size_t j) { return &m_ab[j * m_ld + m_diag - j]; }

    //! Factors the matrix in place. Returns 0, or the 1-based column of the
    //! first exactly zero pivot (the factorization is then unusable).
    size_t factor();
    //! Overwrites `b` (n values) with the solution of A x = b. Needs factor().
    void solve(double* b) const;

private:
    size_t m_n = 0;
    size_t m_lower = 0;
    size_t m_upper = 0;
    size_t m_diag = 0;  //!< row of the diagonal within a column: lower + upper
    size_t m_ld = 0;    //!< rows per column: 2 lower + upper + 1
    std::vector<double> m_ab;
    std::vector<double> m_inverse; //!< reciprocals of U's diagonal
    std::vector<size_t> m_pivot;
};

} // namespace Velkora

#endif

#include "velkora/platform/numerics/BandLU.h"

#include <algorithm>
#include <cmath>

namespace Velkora
{

namespace
{

// The factorization and the solves, for any band (KL = KU = 0: the widths
// come from the arguments) or, unrolled by the compiler, for the narrow
// bands of 1-D problems with one to four unknowns per point (KL = KU = the
// width, known at compile time).
template <size_t KL, size_t KU>
struct Kernels
{
    static size_t factor(double* ab, double* inverse, size_t* pivot, size_t n, size_t klRun, size_t kuRun)
    {
        const size_t kl = KL ? KL : klRun, ku = KU ? KU : kuRun;
        const size_t kv = kl + ku, ld = 2 * kl + ku + 1;
        for (size_t j = 0; j < n; j++) {
            std::fill(ab + j * ld, ab + j * ld + kl, 0.0); // fill-in rows start at zero
        }
        size_t firstZero = 0;
        size_t ju = 0; // last column the interchanges so far reach
        for (size_t j = 0; j < n; j++) {
            const size_t km = std::min(kl, n - 1 - j);
            double* col = ab + j * ld + kv; // col[i]: row j + i of column j
            size_t jp = 0;
            double big = std::abs(col[0]);
            for (size_t i = 1; i <= km; i++) {
                if (std::abs(col[i]) > big) {
                    big = std::abs(col[i]);
                    jp = i;
                }
            }
            pivot[j] = j + jp;
            if (col[jp] == 0.0) {
                if (firstZero == 0) {
                    firstZero = j + 1;
                }
                inverse[j] = 0.0;
                continue;
            }
            ju = std::max(ju, std::min(j + ku + jp, n - 1));
            if (jp != 0) {
                // Rows j and j + jp, columns j to ju: in column c, row r sits
                // at c * ld + kv + r - c.
                for (size_t c = j; c <= ju; c++) {
                    double* cc = ab + c * (ld - 1) + kv;
                    std::swap(cc[j], cc[j + jp]);
                }
            }
            const double inv = 1.0 / col[0];
            inverse[j] = inv;
            for (size_t i = 1; i <= km; i++) {
                col[i] *= inv;
            }
            for (size_t c = j + 1; c <= ju; c++) {
                double* cc = ab + c * (ld - 1) + kv + j; // cc[i]: row j + i of column c
                const double f = cc[0];
                for (size_t i = 1; i <= km; i++) {
                    cc[i] -= col[i] * f;
                }
            }
        }
        return firstZero;
    }

    static void solve(const double* ab, const double* inverse, const size_t* pivot, size_t n, size_t klRun,
                      size_t kuRun, double* b)
    {
        if constexpr (KL > 0) {
            if (n > 2 * (KL + KU) + 2) {
                solveWindowed(ab, inverse, pivot, n, b);
                return;
            }
        }
        solveGeneral(ab, inverse, pivot, n, klRun, kuRun, b);
    }

    // The solves keep the values still being updated in a window of local
    // variables, so that each row's chain of updates stays in registers
    // instead of going through memory. Only for widths known at compile time,
    // and only away from the ends; the ends take the general loops.
    static void solveWindowed(const double* ab, const double* inverse, const size_t* pivot, size_t n, double* b)
    {
        constexpr size_t kl = KL, kv = KL + KU, ld = 2 * KL + KU + 1;
        // L, columns 0 to n - kl - 2: w[i] holds row j + i.
        double w[kl + 1];
        for (size_t i = 0; i <= kl; i++) {
            w[i] = b[i];
        }
        const size_t lastFull = n - kl - 1; // columns before it update kl rows below
        for (size_t j = 0; j < lastFull; j++) {
            const size_t p = pivot[j] - j;
            if (p != 0) {
                for (size_t i = 1; i <= kl; i++) { // unrolled: no variable index into w
                    if (i == p) {
                        std::swap(w[0], w[i]);
                    }
                }
            }
            const double bj = w[0];
            b[j] = bj;
            const double* col = ab + j * ld + kv;
            for (size_t i = 1; i <= kl; i++) {
                w[i - 1] = w[i] - col[i] * bj;
            }
            w[kl] = b[j + kl + 1];
        }
        for (size_t i = 0; i <= kl; i++) {
            b[lastFull + i] = w[i];
        }
        for (size_t j = lastFull; j + 1 < n; j++) { // the last columns: fewer rows below
            const size_t l = pivot[j];
            std::swap(b[l], b[j]);
            const double* col = ab + j * ld + kv;
            for (size_t i = 1; j + i < n; i++) {
                b[j + i] -= col[i] * b[j];
            }
        }
        // U, columns n - 1 down to kv + 1: v[i] holds row j - i.
        double v[kv + 1];
        for (size_t i = 0; i <= kv; i++) {
            v[i] = b[n - 1 - i];
        }
        for (size_t j = n - 1; j > kv; j--) {
            const double x = v[0] * inverse[j];
            b[j] = x;
            const double* col = ab + j * (ld - 1) + kv; // col[r]: row r of column j
            for (size_t i = 1; i <= kv; i++) {
                v[i - 1] = v[i] - col[j - i] * x;
            }
            v[kv] = b[j - kv - 1];
        }
        for (size_t i = 0; i <= kv; i++) {
            b[kv - i] = v[i];
        }
        for (size_t j = kv + 1; j-- > 0;) { // the first columns: fewer rows above
            const double x = b[j] * inverse[j];
            b[j] = x;
            const double* col = ab + j * (ld - 1) + kv;
            for (size_t r = 0; r < j; r++) {
                b[r] -= col[r] * x;
            }
        }
    }

    static void solveGeneral(const double* ab, const double* inverse, const size_t* pivot, size_t n, size_t klRun,
                             size_t kuRun, double* b)
    {
        const size_t kl = KL ? KL : klRun, ku = KU ? KU : kuRun;
        const size_t kv = kl + ku, ld = 2 * kl + ku + 1;
        // L: interchanges and multipliers, column by column.
        for (size_t j = 0; j + 1 < n; j++) {
            const size_t l = pivot[j];
            const double bl = b[l];
            b[l] = b[j];
            b[j] = bl;
            const double* col = ab + j * ld + kv;
            const size_t lm = std::min(kl, n - 1 - j);
            for (size_t i = 1; i <= lm; i++) {
                b[j + i] -= col[i] * bl;
            }
        }
        // U: back substitution over its kl + ku superdiagonals.
        for (size_t j = n; j-- > 0;) {
            const double bj = b[j] * inverse[j];
            b[j] = bj;
            const double* col = ab + j * (ld - 1) + kv; // col[r]: row r of column j
            const size_t top = j > kv ? j - kv : 0;
            for (size_t r = top; r < j; r++) {
                b[r] -= col[r] * bj;
            }
        }
    }
};

template <class Fn>
auto dispatch(size_t kl, size_t ku, Fn&& fn)
{
    if (kl == ku) {
        switch (kl) {
        case 1: return fn(Kernels<1, 1>());
        case 2: return fn(Kernels<2, 2>());
        case 3: return fn(Kernels<3, 3>());
        case 4: return fn(Kernels<4, 4>());
        default: break;
        }
    }
    return fn(Kernels<0, 0>());
}

} // namespace

void BandLU::resize(size_t n, size_t lower, size_t upper)
{
    m_n = n;
    m_lower = lower;
    m_upper = upper;
    m_diag = lower + upper;
    m_ld = 2 * lower + upper + 1;
    m_ab.assign(n * m_ld, 0.0);
    m_inverse.assign(n, 0.0);
    m_pivot.assign(n, 0);
}

void BandLU::clear()
{
    std::fill(m_ab.begin(), m_ab.end(), 0.0);
}

size_t BandLU::factor()
{
    return dispatch(m_lower, m_upper, [this](auto kernels) {
        return kernels.factor(m_ab.data(), m_inverse.data(), m_pivot.data(), m_n, m_lower, m_upper);
    });
}

void BandLU::solve(double* b) const
{
    if (m_n == 0) {
        return;
    }
    dispatch(m_lower, m_upper, [this, b](auto kernels) {
        kernels.solve(m_ab.data(), m_inverse.data(), m_pivot.data(), m_n, m_lower, m_upper, b);
        return 0;
    });
}

} // namespace Velkora

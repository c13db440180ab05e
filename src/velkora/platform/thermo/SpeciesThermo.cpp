#include "velkora/platform/thermo/SpeciesThermo.h"

#include <algorithm>
#include <cmath>

// Last: it redeclares the math functions the kernels vectorize.
#include "velkora/platform/numerics/VectorMath.h"

namespace Velkora
{

namespace
{

// The rows of a range's table: the coefficients a1..a7, then those that h/RT
// and g/RT divide by a constant, divided once here.
enum Row { A1, A2, A3, A4, A5, A6, A7, A2_2, A3_3, A4_4, A5_5, A3_6, A4_12, A5_20, Rows };

// One species' properties from its coefficients c[row * n].
#define VELKORA_NASA_PROPERTIES(c, n, k)                                                                        \
    const double a1 = c[A1 * n + k], a2 = c[A2 * n + k], a3 = c[A3 * n + k], a4 = c[A4 * n + k];                 \
    const double a5 = c[A5 * n + k], a6 = c[A6 * n + k], a7 = c[A7 * n + k];                                     \
    const double h2 = c[A2_2 * n + k], h3 = c[A3_3 * n + k], h4 = c[A4_4 * n + k], h5 = c[A5_5 * n + k];          \
    const double g3 = c[A3_6 * n + k], g4 = c[A4_12 * n + k], g5 = c[A5_20 * n + k]

// cp/R, h/RT, g/RT of every species, all from the one table `c` (every
// species on the same side of its midpoint).
VELKORA_KERNEL void uniformKernel(size_t n, const double* __restrict c, double T, double lnT, double invT,
                                  double* __restrict cp, double* __restrict h, double* __restrict g)
{
    for (size_t k = 0; k < n; k++) {
        VELKORA_NASA_PROPERTIES(c, n, k);
        (void)h2;
        cp[k] = a1 + T * (a2 + T * (a3 + T * (a4 + T * a5)));
        h[k] = a1 + T * (h2 + T * (h3 + T * (h4 + T * h5))) + a6 * invT;
        g[k] = a1 * (1.0 - lnT) + a6 * invT - a7 - T * (h2 + T * (g3 + T * (g4 + T * g5)));
    }
}

// The same with each species' range picked by its midpoint.
VELKORA_KERNEL void mixedKernel(size_t n, const double* __restrict mid, const double* __restrict lo,
                                const double* __restrict hi, double T, double lnT, double invT, double* __restrict cp,
                                double* __restrict h, double* __restrict g)
{
    for (size_t k = 0; k < n; k++) {
        const bool low = T < mid[k];
        double v[Rows];
        for (int r = 0; r < Rows; r++) {
            const double l = lo[r * n + k], u = hi[r * n + k];
            v[r] = low ? l : u;
        }
        cp[k] = v[A1] + T * (v[A2] + T * (v[A3] + T * (v[A4] + T * v[A5])));
        h[k] = v[A1] + T * (v[A2_2] + T * (v[A3_3] + T * (v[A4_4] + T * v[A5_5]))) + v[A6] * invT;
        g[k] = v[A1] * (1.0 - lnT) + v[A6] * invT - v[A7] - T * (v[A2_2] + T * (v[A3_6] + T * (v[A4_12] + T * v[A5_20])));
    }
}

VELKORA_KERNEL void uniformGibbsKernel(size_t n, const double* __restrict c, double T, double lnT, double invT,
                                       double* __restrict g)
{
    for (size_t k = 0; k < n; k++) {
        VELKORA_NASA_PROPERTIES(c, n, k);
        (void)a2, (void)a3, (void)a4, (void)a5, (void)h3, (void)h4, (void)h5;
        g[k] = a1 * (1.0 - lnT) + a6 * invT - a7 - T * (h2 + T * (g3 + T * (g4 + T * g5)));
    }
}

VELKORA_KERNEL void mixedGibbsKernel(size_t n, const double* __restrict mid, const double* __restrict lo,
                                     const double* __restrict hi, double T, double lnT, double invT,
                                     double* __restrict g)
{
    const int rows[] = {A1, A6, A7, A2_2, A3_6, A4_12, A5_20};
    for (size_t k = 0; k < n; k++) {
        const bool low = T < mid[k];
        double v[Rows] = {};
        for (int r : rows) {
            const double l = lo[r * n + k], u = hi[r * n + k];
            v[r] = low ? l : u;
        }
        g[k] = v[A1] * (1.0 - lnT) + v[A6] * invT - v[A7] - T * (v[A2_2] + T * (v[A3_6] + T * (v[A4_12] + T * v[A5_20])));
    }
}

#undef VELKORA_NASA_PROPERTIES

} // namespace

SpeciesThermo::SpeciesThermo(const SpeciesSet& species) : m_n(species.nSpecies())
{
    m_tMid.resize(m_n);
    m_low.resize(Rows * m_n);
    m_high.resize(Rows * m_n);
    auto fill = [&](std::vector<double>& table, size_t k, const NasaPolynomial::Coefficients& a) {
        const double rows[Rows] = {a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[1] / 2.0, a[2] / 3.0,
                                   a[3] / 4.0, a[4] / 5.0, a[2] / 6.0, a[3] / 12.0, a[4] / 20.0};
        for (int r = 0; r < Rows; r++) {
            table[r * m_n + k] = rows[r];
        }
    };
    for (size_t k = 0; k < m_n; k++) {
        const NasaPolynomial& p = species.species(k).thermo;
        m_tMid[k] = p.midTemp();
        fill(m_low, k, p.low());
        fill(m_high, k, p.high());
    }
    if (m_n > 0) {
        m_minMid = *std::min_element(m_tMid.begin(), m_tMid.end());
        m_maxMid = *std::max_element(m_tMid.begin(), m_tMid.end());
    }
}

void SpeciesThermo::evaluate(double T, double* cp_R, double* h_RT, double* g_RT) const
{
    const double lnT = std::log(T), invT = 1.0 / T;
    if (T < m_minMid) {
        uniformKernel(m_n, m_low.data(), T, lnT, invT, cp_R, h_RT, g_RT);
    } else if (T >= m_maxMid) {
        uniformKernel(m_n, m_high.data(), T, lnT, invT, cp_R, h_RT, g_RT);
    } else {
        mixedKernel(m_n, m_tMid.data(), m_low.data(), m_high.data(), T, lnT, invT, cp_R, h_RT, g_RT);
    }
}

void SpeciesThermo::gibbs_RT(double T, double* g_RT) const
{
    const double lnT = std::log(T), invT = 1.0 / T;
    if (T < m_minMid) {
        uniformGibbsKernel(m_n, m_low.data(), T, lnT, invT, g_RT);
    } else if (T >= m_maxMid) {
        uniformGibbsKernel(m_n, m_high.data(), T, lnT, invT, g_RT);
    } else {
        mixedGibbsKernel(m_n, m_tMid.data(), m_low.data(), m_high.data(), T, lnT, invT, g_RT);
    }
}

void SpeciesThermo::update(double T, SpeciesThermoState& state) const
{
    if (state.T == T && state.g_RT.size() == m_n) {
        return;
    }
    state.cp_R.resize(m_n);
    state.h_RT.resize(m_n);
    state.g_RT.resize(m_n);
    evaluate(T, state.cp_R.data(), state.h_RT.data(), state.g_RT.data());
    state.T = T;
}

} // namespace Velkora

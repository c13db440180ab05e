// A rod heated by an Arrhenius source, cooled through its ends: the steady
// temperature rise theta(x) on 0 <= x <= L solves
//   d theta/dt = theta'' + (delta / L^2) exp(theta / (1 + eps theta)),
//   theta(0) = theta(L) = 0,
// the Frank-Kamenetskii problem with a finite activation energy (eps = 0.2).
// Below the ignition value of delta (about 4.5) the rod stays close to its
// ends' temperature; above it only a hot, ignited state exists (theta of
// order 20 delta), which a cold start reaches only through thermal runaway.
// Second-order differences on a uniform grid; the end rows are algebraic.
#ifndef VELKORA_EXAMPLES_HEATEDROD_H
#define VELKORA_EXAMPLES_HEATEDROD_H

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "velkora/platform/oned/BandedProblem.h"

namespace rod
{

struct Parameters
{
    size_t points = 400;
    double delta = 3.0;    //!< Frank-Kamenetskii parameter
    double eps = 0.2;      //!< inverse activation energy
    double length = 20.0;  //!< rod length
};

class Model
{
public:
    explicit Model(const Parameters& p) : m_p(p), m_h(p.length / (p.points - 1)) {}

    size_t size() const { return m_p.points; }
    size_t points() const { return m_p.points; }
    size_t bandwidth() const { return 1; }
    double x(size_t j) const { return j * m_h; }
    const Parameters& parameters() const { return m_p; }

    double source(double theta) const
    {
        return m_p.delta / (m_p.length * m_p.length) * std::exp(theta / (1.0 + m_p.eps * theta));
    }

    void residual(const double* u, double* r) const
    {
        const size_t n = m_p.points;
        const double h2 = 1.0 / (m_h * m_h);
        r[0] = u[0];
        r[n - 1] = u[n - 1];
        for (size_t j = 1; j + 1 < n; j++) {
            r[j] = h2 * (u[j - 1] - 2.0 * u[j] + u[j + 1]) + source(u[j]);
        }
    }

    bool transient(size_t i) const { return i > 0 && i + 1 < m_p.points; }
    double lowerBound(size_t) const { return -1.0; }
    double upperBound(size_t) const { return 1e4; }
    void repair(double* u) const
    {
        for (size_t j = 0; j < m_p.points; j++) {
            u[j] = std::clamp(u[j], 0.0, 1e3);
        }
    }
    std::string componentName(size_t i) const { return "theta[" + std::to_string(i) + "]"; }

    //! Starting profiles: "cold" (0), "warm" (a parabola of height 2), "hot"
    //! (30 inside the rod).
    std::vector<double> guess(const std::string& kind) const
    {
        std::vector<double> u(size(), 0.0);
        const double L = m_p.length;
        for (size_t j = 1; j + 1 < m_p.points; j++) {
            if (kind == "warm") {
                u[j] = 2.0 * 4.0 * x(j) * (L - x(j)) / (L * L);
            } else if (kind == "hot") {
                u[j] = 30.0;
            }
        }
        return u;
    }

private:
    Parameters m_p;
    double m_h;
};

//! The rod as a steady problem.
using Problem = Velkora::ModelProblem<Model>;

} // namespace rod

#endif

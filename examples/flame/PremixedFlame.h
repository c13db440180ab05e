// A burner-stabilised premixed flame on a fixed 1-D grid: the steady problem
// the pseudo-transient solver exists for.
//
// Nondimensional, unit Lewis number, one-step Arrhenius chemistry:
//   dT/dt = T'' - m T' + w,   dY/dt = Y'' - m Y' - w,
//   w = (beta^2 / 2) Y exp(beta (T - 1) / (1 + alpha (T - 1))),
// with T the temperature (0 unburnt, 1 adiabatic), Y the fuel fraction, m the
// mass flux and beta the Zeldovich number; the scaling gives an adiabatic
// flame speed near 1. Fresh gas (Y = 1) flows in through a cold burner at
// x = 0: T = 0 there, and the fuel flux m Y - Y' equals the inflow m. The
// outlet at x = L has zero gradients. With m below the flame speed the flame
// stands off the burner where heat loss to it slows the flame down to m, and
// the burnt gas stays below the adiabatic temperature.
//
// Unknowns are interleaved, T_j at 2j and Y_j at 2j+1, so the Jacobian has
// half-bandwidth 2.
#ifndef VELKORA_EXAMPLES_PREMIXEDFLAME_H
#define VELKORA_EXAMPLES_PREMIXEDFLAME_H

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "velkora/platform/oned/BandedProblem.h"

namespace flame
{

struct Parameters
{
    size_t points = 400;
    double beta = 10.0;      //!< Zeldovich number
    double alpha = 0.8;      //!< heat-release parameter
    double massFlux = 0.5;   //!< m, below the adiabatic flame speed
    double length = 20.0;    //!< domain length
};

//! The discretised equations, independent of any solver.
class Model
{
public:
    explicit Model(const Parameters& p) : m_p(p), m_h(p.length / (p.points - 1)) {}

    size_t size() const { return 2 * m_p.points; }
    size_t points() const { return m_p.points; }
    double x(size_t j) const { return j * m_h; }
    const Parameters& parameters() const { return m_p; }

    double reactionRate(double T, double Y) const
    {
        double b = m_p.beta;
        return 0.5 * b * b * Y * std::exp(b * (T - 1.0) / (1.0 + m_p.alpha * (T - 1.0)));
    }

    //! Steady residual f(x) into r; the burner values are algebraic.
    void residual(const double* u, double* r) const
    {
        const size_t n = m_p.points;
        const double h2 = 1.0 / (m_h * m_h);
        const double mh = m_p.massFlux / m_h;
        r[0] = u[0];                                                  // T = 0 at the burner
        r[1] = m_p.massFlux * (u[1] - 1.0) - (u[3] - u[1]) / m_h;     // fuel flux = inflow
        for (size_t j = 1; j < n; j++) {
            const bool last = (j == n - 1);
            for (int c = 0; c < 2; c++) {
                double left = u[2 * (j - 1) + c];
                double mid = u[2 * j + c];
                double right = last ? left : u[2 * (j + 1) + c]; // zero gradient at the outlet
                r[2 * j + c] = h2 * (left - 2.0 * mid + right) - mh * (mid - left);
            }
            double w = reactionRate(u[2 * j], u[2 * j + 1]);
            r[2 * j] += w;
            r[2 * j + 1] -= w;
        }
    }

    size_t bandwidth() const { return 2; }

    //! Whether component i has a time derivative: all but the burner rows.
    bool transient(size_t i) const { return i >= 2; }

    double upperBound(size_t i) const { return i % 2 == 0 ? 1.5 : 1.1; }
    double lowerBound(size_t i) const { return i % 2 == 0 ? -0.1 : -0.01; }

    //! Clips the fuel fraction into [0, 1] and the temperature to at least 0.
    void repair(double* u) const
    {
        for (size_t j = 0; j < m_p.points; j++) {
            u[2 * j] = std::max(u[2 * j], 0.0);
            u[2 * j + 1] = std::clamp(u[2 * j + 1], 0.0, 1.0);
        }
    }

    std::string componentName(size_t i) const
    {
        return (i % 2 == 0 ? "T[" : "Y[") + std::to_string(i / 2) + "]";
    }

    //! A starting profile near the flame: a smooth rise to 0.9 around x = 4.
    std::vector<double> smoothGuess() const
    {
        std::vector<double> u(size());
        for (size_t j = 0; j < m_p.points; j++) {
            double T = 0.9 * 0.5 * (1.0 + std::tanh(x(j) - 4.0));
            u[2 * j] = j == 0 ? 0.0 : T;
            u[2 * j + 1] = 1.0 - T / 0.9;
        }
        return u;
    }

    //! A starting profile: a step from fresh gas to burnt gas at `position`.
    std::vector<double> stepGuess(double position) const
    {
        std::vector<double> u(size());
        for (size_t j = 0; j < m_p.points; j++) {
            double T = x(j) < position ? 0.0 : 1.0;
            u[2 * j] = T;
            u[2 * j + 1] = 1.0 - T;
        }
        u[0] = 0.0;
        u[1] = 1.0;
        return u;
    }

private:
    Parameters m_p;
    double m_h;
};

//! The flame as a steady problem.
using Problem = Velkora::ModelProblem<Model>;

} // namespace flame

#endif

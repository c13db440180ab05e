// A burner flame with three unknowns per point whose burner values sit
// exactly on their bounds: temperature T (0 at the cold burner, bounds
// [0, 2]), fuel fraction F (1 at the burner, bounds [0, 1]) and product
// fraction P (0 at the burner, bounds [0, 1]). Nondimensional, unit Lewis
// number, one-step Arrhenius chemistry on a uniform grid:
//   dT/dt = T'' - m T' + w,  dF/dt = F'' - m F' - w,  dP/dt = P'' - m P' + w,
//   w = (beta^2 / 2) F exp(beta (T - 1) / (1 + alpha (T - 1))),
// the burner rows algebraic (T = 0, F = 1, P = 0), zero gradients at the
// outlet. Unknowns interleaved per point: half-bandwidth 3.
#ifndef VELKORA_TESTS_BURNERFLAME_H
#define VELKORA_TESTS_BURNERFLAME_H

#include <algorithm>
#include <cmath>
#include <vector>

#include "velkora/platform/oned/BandedProblem.h"

namespace Velkora::testing
{

class BurnerFlame : public BandedProblem
{
public:
    //! `padding` widens every bound by that much (0: the bounds as physics
    //! gives them).
    BurnerFlame(size_t points, double beta, double padding = 0.0)
        : BandedProblem(3 * points, 3), m_points(points), m_beta(beta), m_h(20.0 / (points - 1)),
          m_padding(padding)
    {
        for (size_t i = 0; i < 3; i++) {
            setTransient(i, false);
        }
        // The base class's settings, which these tests were written for.
        const int stepsPerPhase = 10;
        setTimeStep(1e-5, 1, &stepsPerPhase);
        setJacAge(20, 20);
    }

    double rate(double T, double F) const
    {
        return 0.5 * m_beta * m_beta * F * std::exp(m_beta * (T - 1.0) / (1.0 + 0.8 * (T - 1.0)));
    }

    //! The steady residual, burner rows first.
    void steadyResidual(const double* u, double* r) override { residualAt(u, r); }

    void residualAt(const double* u, double* r) const
    {
        const double h2 = 1.0 / (m_h * m_h), mh = massFlux / m_h;
        r[0] = u[0];
        r[1] = u[1] - 1.0;
        r[2] = u[2];
        for (size_t j = 1; j < m_points; j++) {
            const bool last = j == m_points - 1;
            for (size_t c = 0; c < 3; c++) {
                double left = u[3 * (j - 1) + c], mid = u[3 * j + c];
                double right = last ? left : u[3 * (j + 1) + c];
                r[3 * j + c] = h2 * (left - 2.0 * mid + right) - mh * (mid - left);
            }
            double w = rate(u[3 * j], u[3 * j + 1]);
            r[3 * j] += w;
            r[3 * j + 1] -= w;
            r[3 * j + 2] += w;
        }
    }

    double lowerBound(size_t) const override { return -m_padding; }
    double upperBound(size_t i) const override { return (i % 3 == 0 ? 2.0 : 1.0) + m_padding; }

    //! A step from fresh gas to burnt gas at `position` (0 to 20).
    std::vector<double> stepGuess(double position) const
    {
        std::vector<double> u(m_systemSize);
        for (size_t j = 0; j < m_points; j++) {
            double T = (j > 0 && j * m_h >= position) ? 1.0 : 0.0;
            u[3 * j] = T;
            u[3 * j + 1] = 1.0 - T;
            u[3 * j + 2] = T;
        }
        return u;
    }

    //! max |f| of the steady residual at `u`.
    double maxResidual(const std::vector<double>& u) const
    {
        std::vector<double> r(m_systemSize);
        residualAt(u.data(), r.data());
        double worst = 0.0;
        for (double v : r) {
            worst = std::isnan(v) ? v : std::max(worst, std::abs(v));
        }
        return worst;
    }

    double massFlux = 0.5;

private:
    size_t m_points;
    double m_beta;
    double m_h;
    double m_padding;
};

} // namespace Velkora::testing

#endif

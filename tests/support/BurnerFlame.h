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
#include <memory>
#include <vector>

#include "velkora/platform/numerics/BandJacobian.h"
#include "velkora/steady/PseudoTransientProblem.h"

namespace Velkora::testing
{

class BurnerFlame : public PseudoTransientProblem
{
public:
    //! `padding` widens every bound by that much (0: the bounds as physics
    //! gives them).
    BurnerFlame(size_t points, double beta, double padding = 0.0)
        : m_points(points), m_beta(beta), m_h(20.0 / (points - 1)), m_padding(padding)
    {
        m_systemSize = 3 * points;
        m_bandwidth = 3;
        setLinearSolver(m_band);
        resize();
        for (size_t i = 0; i < m_systemSize; i++) {
            m_transientMask[i] = i >= 3 ? 1 : 0;
        }
        m_r0.resize(m_systemSize);
        m_old.resize(m_systemSize);
    }

    double rate(double T, double F) const
    {
        return 0.5 * m_beta * m_beta * F * std::exp(m_beta * (T - 1.0) / (1.0 + 0.8 * (T - 1.0)));
    }

    //! The steady residual, burner rows first.
    void steadyResidual(const double* u, double* r) const
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

    void evalResidual(double* x, double* r, double rdt, int) override
    {
        residuals++;
        steadyResidual(x, r);
        if (rdt != 0.0) {
            for (size_t i = 0; i < m_systemSize; i++) {
                r[i] -= rdt * m_transientMask[i] * (x[i] - m_old[i]);
            }
        }
    }

    void evalJacobian(double* x) override
    {
        evalResidual(x, m_r0.data(), 0.0, 0);
        m_band->evaluateByDifferences([this](double* u, double* r) { evalResidual(u, r, 0.0, 0); }, x, m_r0.data());
    }

    double weightedNorm(const double* step) const override
    {
        double sum = 0.0;
        for (size_t i = 0; i < m_systemSize; i++) {
            double e = step[i] / (1e-6 * std::abs((*m_state)[i]) + 1e-9);
            sum += e * e;
        }
        return std::sqrt(sum / m_systemSize);
    }

    double lowerBound(size_t) const override { return -m_padding; }
    double upperBound(size_t i) const override { return (i % 3 == 0 ? 2.0 : 1.0) + m_padding; }

    void initTimeInteg(double dt, double* x) override
    {
        PseudoTransientProblem::initTimeInteg(dt, x);
        std::copy(x, x + m_systemSize, m_old.begin());
    }

    void resetBadValues(double* x) override
    {
        for (size_t i = 0; i < m_systemSize; i++) {
            x[i] = std::clamp(x[i], lowerBound(i), upperBound(i));
        }
    }

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
        steadyResidual(u.data(), r.data());
        double worst = 0.0;
        for (double v : r) {
            worst = std::isnan(v) ? v : std::max(worst, std::abs(v));
        }
        return worst;
    }

    double massFlux = 0.5;
    long residuals = 0;

private:
    size_t m_points;
    double m_beta;
    double m_h;
    double m_padding;
    std::shared_ptr<BandJacobian> m_band = std::make_shared<BandJacobian>();
    std::vector<double> m_r0, m_old;
};

} // namespace Velkora::testing

#endif

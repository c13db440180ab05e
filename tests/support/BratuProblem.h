// The 1-D Bratu problem u'' + lambda e^u = 0 on (0, 1), u(0) = u(1) = 0, by
// second-order differences on n interior points: a steady problem with a
// closed-form solution, for the Newton solver and the banded Jacobian.
#ifndef VELKORA_TESTS_BRATUPROBLEM_H
#define VELKORA_TESTS_BRATUPROBLEM_H

#include <cmath>
#include <memory>
#include <vector>

#include "velkora/platform/numerics/BandJacobian.h"
#include "velkora/steady/PseudoTransientProblem.h"

namespace Velkora::testing
{

class BratuProblem : public PseudoTransientProblem
{
public:
    BratuProblem(size_t n, double lambda) : m_lambda(lambda), m_h(1.0 / (n + 1))
    {
        m_systemSize = n;
        m_bandwidth = 1;
        setLinearSolver(m_band);
        resize();
        std::fill(m_transientMask.begin(), m_transientMask.end(), 1);
        m_residual0.resize(n);
        m_oldState.assign(n, 0.0);
    }

    void evalResidual(double* u, double* r, double rdt, int) override
    {
        residuals++;
        const size_t n = m_systemSize;
        const double c = 1.0 / (m_h * m_h);
        for (size_t i = 0; i < n; i++) {
            double left = i > 0 ? u[i - 1] : 0.0;
            double right = i + 1 < n ? u[i + 1] : 0.0;
            r[i] = c * (left - 2.0 * u[i] + right) + m_lambda * std::exp(u[i]);
            if (rdt != 0.0) {
                r[i] -= rdt * (u[i] - m_oldState[i]);
            }
        }
    }

    void evalJacobian(double* u) override
    {
        evalResidual(u, m_residual0.data(), 0.0, 0);
        m_band->evaluateByDifferences([this](double* x, double* r) { evalResidual(x, r, 0.0, 0); },
                                      u, m_residual0.data());
    }

    double weightedNorm(const double* step) const override
    {
        double sum = 0.0;
        for (size_t i = 0; i < m_systemSize; i++) {
            double w = 1e-9 + 1e-7 * std::abs((*m_state)[i]);
            sum += (step[i] / w) * (step[i] / w);
        }
        return std::sqrt(sum / m_systemSize);
    }

    double upperBound(size_t) const override { return 20.0; }
    double lowerBound(size_t) const override { return -20.0; }

    void initTimeInteg(double dt, double* x) override
    {
        PseudoTransientProblem::initTimeInteg(dt, x);
        m_oldState.assign(x, x + m_systemSize);
    }

    //! The exact solution at x: -2 ln(cosh((x - 1/2) theta / 2) / cosh(theta / 4)),
    //! theta the smaller root of theta = sqrt(2 lambda) cosh(theta / 4).
    double exact(double x) const
    {
        double theta = 0.0;
        for (int k = 0; k < 200; k++) {
            theta = std::sqrt(2.0 * m_lambda) * std::cosh(theta / 4.0);
        }
        return -2.0 * std::log(std::cosh((x - 0.5) * theta / 2.0) / std::cosh(theta / 4.0));
    }

    double gridPoint(size_t i) const { return (i + 1) * m_h; }
    BandJacobian& band() { return *m_band; }
    std::vector<double>& stateVector() { return *m_state; }

    long residuals = 0;

private:
    double m_lambda;
    double m_h;
    std::shared_ptr<BandJacobian> m_band = std::make_shared<BandJacobian>();
    std::vector<double> m_residual0;
    std::vector<double> m_oldState;
};

} // namespace Velkora::testing

#endif

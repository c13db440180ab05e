// The 1-D Bratu problem u'' + lambda e^u = 0 on (0, 1), u(0) = u(1) = 0, by
// second-order differences on n interior points: a steady problem with a
// closed-form solution, for the Newton solver and the banded Jacobian.
#ifndef VELKORA_TESTS_BRATUPROBLEM_H
#define VELKORA_TESTS_BRATUPROBLEM_H

#include <cmath>
#include <vector>

#include "velkora/platform/oned/BandedProblem.h"

namespace Velkora::testing
{

class BratuProblem : public BandedProblem
{
public:
    BratuProblem(size_t n, double lambda) : BandedProblem(n, 1), m_lambda(lambda), m_h(1.0 / (n + 1))
    {
        // The base class's settings, which these tests were written for.
        const int stepsPerPhase = 10;
        setTimeStep(1e-5, 1, &stepsPerPhase);
        setJacAge(20, 20);
        setTolerances(1e-7, 1e-9);
    }

    void steadyResidual(const double* u, double* r) override
    {
        const size_t n = m_systemSize;
        const double c = 1.0 / (m_h * m_h);
        for (size_t i = 0; i < n; i++) {
            double left = i > 0 ? u[i - 1] : 0.0;
            double right = i + 1 < n ? u[i + 1] : 0.0;
            r[i] = c * (left - 2.0 * u[i] + right) + m_lambda * std::exp(u[i]);
        }
    }

    double upperBound(size_t) const override { return 20.0; }
    double lowerBound(size_t) const override { return -20.0; }

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
    std::vector<double>& stateVector() { return *m_state; }

private:
    double m_lambda;
    double m_h;
};

} // namespace Velkora::testing

#endif

// A steady problem of an outside project: the Bratu equation
// u'' + lambda e^u = 0 on (0, 1), u(0) = u(1) = 0, through the library's
// banded 1-D problem, checked against its closed-form solution.
#include <cmath>
#include <cstdio>
#include <vector>

#include <velkora/platform/oned/BandedProblem.h>
#include <velkora/version.h>

class Bratu : public Velkora::BandedProblem
{
public:
    Bratu(size_t n, double lambda) : Velkora::BandedProblem(n, 1), m_lambda(lambda), m_h(1.0 / (n + 1))
    {
        setTolerances(1e-6, 1e-8);
    }

    void steadyResidual(const double* u, double* r) override
    {
        const size_t n = size();
        for (size_t i = 0; i < n; i++) {
            double left = i > 0 ? u[i - 1] : 0.0;
            double right = i + 1 < n ? u[i + 1] : 0.0;
            r[i] = (left - 2.0 * u[i] + right) / (m_h * m_h) + m_lambda * std::exp(u[i]);
        }
    }

    double upperBound(size_t) const override { return 10.0; }
    double lowerBound(size_t) const override { return -10.0; }

    double x(size_t i) const { return (i + 1) * m_h; }

private:
    double m_lambda;
    double m_h;
};

int main()
{
    const size_t n = 200;
    const double lambda = 1.0;
    Bratu problem(n, lambda);
    std::vector<double> u(n, 0.0);
    problem.setInitialGuess(u.data());
    problem.solve(0);
    problem.getState(u.data());

    // Exact: u = -2 ln(cosh((x - 1/2) theta/2) / cosh(theta/4)), theta = sqrt(2 lambda) cosh(theta/4).
    double theta = 0.0;
    for (int k = 0; k < 200; k++) {
        theta = std::sqrt(2.0 * lambda) * std::cosh(theta / 4.0);
    }
    double worst = 0.0;
    for (size_t i = 0; i < n; i++) {
        double exact = -2.0 * std::log(std::cosh((problem.x(i) - 0.5) * theta / 2.0) / std::cosh(theta / 4.0));
        worst = std::max(worst, std::abs(u[i] - exact));
    }
    std::printf("Velkora %s: Bratu, %zu points, max error %.3e against the exact solution\n",
                VELKORA_VERSION_STRING, n, worst);
    // Second-order differences on h = 1/201: the error is about 1e-6.
    return worst < 1e-5 ? 0 : 1;
}

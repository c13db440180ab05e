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
#include <memory>
#include <vector>

#include "platform/numerics/BandJacobian.h"
#include "steady/PseudoTransientProblem.h"

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

    //! Whether component i has a time derivative.
    bool transient(size_t i) const { return i >= 2; }

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

//! The flame as a steady problem for PseudoTransientProblem.
class Problem : public Velkora::PseudoTransientProblem
{
public:
    explicit Problem(const Parameters& p) : m_model(p)
    {
        m_systemSize = m_model.size();
        m_bandwidth = 2;
        setLinearSolver(m_band);
        resize();
        for (size_t i = 0; i < m_systemSize; i++) {
            m_transientMask[i] = m_model.transient(i) ? 1 : 0;
        }
        m_residual0.resize(m_systemSize);
        m_old.resize(m_systemSize);
    }

    void evalResidual(double* x, double* r, double rdt, int) override
    {
        residualEvaluations++;
        m_model.residual(x, r);
        if (rdt != 0.0) {
            for (size_t i = 0; i < m_systemSize; i++) {
                r[i] -= rdt * m_transientMask[i] * (x[i] - m_old[i]);
            }
        }
    }

    void evalJacobian(double* x) override
    {
        m_model.residual(x, m_residual0.data());
        residualEvaluations++;
        m_band->evaluateByDifferences([this](double* u, double* r) { evalResidual(u, r, 0.0, 0); }, x,
                                      m_residual0.data());
    }

    double weightedNorm(const double* step) const override
    {
        const std::vector<double>& x = *m_state;
        double sum = 0.0;
        for (size_t i = 0; i < m_systemSize; i++) {
            double e = step[i] / (relativeTolerance * std::abs(x[i]) + absoluteTolerance);
            sum += e * e;
        }
        return std::sqrt(sum / m_systemSize);
    }

    double upperBound(size_t i) const override { return i % 2 == 0 ? 1.5 : 1.1; }
    double lowerBound(size_t i) const override { return i % 2 == 0 ? -0.1 : -0.01; }

    void initTimeInteg(double dt, double* x) override
    {
        Velkora::PseudoTransientProblem::initTimeInteg(dt, x);
        std::copy(x, x + m_systemSize, m_old.begin());
    }

    //! Clips the fuel fraction into [0, 1] and the temperature to at least 0.
    void resetBadValues(double* x) override
    {
        for (size_t j = 0; j < m_model.points(); j++) {
            x[2 * j] = std::max(x[2 * j], 0.0);
            x[2 * j + 1] = std::clamp(x[2 * j + 1], 0.0, 1.0);
        }
    }

    void writeDebugInfo(const std::string& tag, const std::string&, int, int) override
    {
        if (tag != "Timestepping") {
            newtonAttempts++;
        }
    }

    std::string componentName(size_t i) const override
    {
        return (i % 2 == 0 ? "T[" : "Y[") + std::to_string(i / 2) + "]";
    }

    const Model& model() const { return m_model; }

    double relativeTolerance = 1e-6;
    double absoluteTolerance = 1e-9;
    long residualEvaluations = 0;
    int newtonAttempts = 0;

private:
    Model m_model;
    std::shared_ptr<Velkora::BandJacobian> m_band = std::make_shared<Velkora::BandJacobian>();
    std::vector<double> m_residual0;
    std::vector<double> m_old;
};

} // namespace flame

#endif

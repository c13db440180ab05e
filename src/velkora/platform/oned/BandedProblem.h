// A steady problem on a banded Jacobian for any discretised model: the one
// PseudoTransientProblem subclass of the examples and the benchmarks, so that
// every problem family is solved with the same settings.
//
// A model provides
//   size_t size() const;                         number of unknowns
//   size_t bandwidth() const;                    half-bandwidth of df/du
//   void residual(const double* u, double* r) const;   steady residual f(u)
//   bool transient(size_t i) const;              whether du_i/dt = f_i (else algebraic)
//   double lowerBound(size_t i) const, upperBound(size_t i) const;
//   void repair(double* u) const;                brings u back into its physical range
//   std::string componentName(size_t i) const;
#ifndef VELKORA_PLATFORM_ONED_BANDEDPROBLEM_H
#define VELKORA_PLATFORM_ONED_BANDEDPROBLEM_H

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "velkora/platform/numerics/BandJacobian.h"
#include "velkora/steady/PseudoTransientProblem.h"

namespace steady
{

template <class Model>
class BandedProblem : public Velkora::PseudoTransientProblem
{
public:
    //! Builds the model from `args` and sizes the problem for it.
    template <class... Args>
    explicit BandedProblem(Args&&... args) : m_model(std::forward<Args>(args)...)
    {
        m_systemSize = m_model.size();
        m_bandwidth = m_model.bandwidth();
        setLinearSolver(m_band);
        resize();
        for (size_t i = 0; i < m_systemSize; i++) {
            m_transientMask[i] = m_model.transient(i) ? 1 : 0;
        }
        m_residual0.resize(m_systemSize);
        m_old.resize(m_systemSize);
        // One set of settings for every problem family: a first pseudo-time
        // step of 1e-2, 20 successful steps per phase, and a Jacobian kept
        // for up to 100 Newton iterations while time stepping.
        const int stepsPerPhase = 20;
        setTimeStep(1e-2, 1, &stepsPerPhase);
        setJacAge(20, 100);
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

    //! Root-mean-square of step_i / (rtol |x_i| + atol).
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

    double upperBound(size_t i) const override { return m_model.upperBound(i); }
    double lowerBound(size_t i) const override { return m_model.lowerBound(i); }

    void initTimeInteg(double dt, double* x) override
    {
        Velkora::PseudoTransientProblem::initTimeInteg(dt, x);
        std::copy(x, x + m_systemSize, m_old.begin());
    }

    void resetBadValues(double* x) override { m_model.repair(x); }

    void writeDebugInfo(const std::string& tag, const std::string&, int, int) override
    {
        if (tag != "Timestepping") {
            newtonAttempts++;
        }
    }

    std::string componentName(size_t i) const override { return m_model.componentName(i); }

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

} // namespace steady

#endif

// What the steady-solver comparison shares between its solvers: a model
// seen through one interface, the judge of a result, and the clock.
#ifndef VELKORA_BENCH_COMPARISON_H
#define VELKORA_BENCH_COMPARISON_H

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace bench
{

//! The judge of every solver: max |f| of the steady residual at the end.
constexpr double residualBound = 1e-5;

//! What one solver made of one case.
struct Outcome
{
    bool converged = false;
    double residual = NAN;       //!< max |f| at the end
    double seconds = 0.0;        //!< thread CPU time of the solve
    long residualEvaluations = 0;
    long jacobianEvaluations = 0;
    long steps = 0;              //!< pseudo-time steps, or Newton iterations of a line-search solver
};

//! Processor time of the calling thread: what a solve costs, not what the
//! rest of a shared machine does meanwhile.
inline double threadSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + 1e-9 * double(ts.tv_nsec);
}

//! A discretised steady problem f(u) = 0 on a 1-D grid, `dof` unknowns per
//! point, interleaved by point.
class SteadyModel
{
public:
    virtual ~SteadyModel() = default;
    virtual size_t size() const = 0;
    virtual size_t dof() const = 0;
    virtual size_t bandwidth() const = 0;
    virtual void residual(const double* u, double* r) const = 0;
    //! Whether row i has a time derivative (else it is algebraic).
    virtual bool transient(size_t i) const = 0;
    virtual std::vector<double> start() const = 0;
    //! Our solver on this model, with the examples' settings.
    virtual Outcome solveWithOurs() const = 0;

    size_t points() const { return size() / dof(); }

    //! Fills `out` from the final state `u`.
    void judge(const std::vector<double>& u, Outcome& out) const
    {
        std::vector<double> r(size());
        residual(u.data(), r.data());
        double worst = 0.0;
        for (double v : r) {
            worst = std::isfinite(v) ? std::max(worst, std::abs(v)) : INFINITY;
        }
        out.residual = worst;
        out.converged = worst <= residualBound;
    }
};

} // namespace bench

#endif

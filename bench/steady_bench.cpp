// The banded Jacobian and the Newton solver on the Bratu problem, across sizes.
// Residual evaluations per Jacobian are reported as a counter; time per
// component shows whether the cost stays linear in the size.
#include <benchmark/benchmark.h>

#include "support/BratuProblem.h"

using Velkora::testing::BratuProblem;

namespace
{

void BM_BandJacobianByGroupedDifferences(benchmark::State& state)
{
    const size_t n = static_cast<size_t>(state.range(0));
    BratuProblem p(n, 1.0);
    std::vector<double> u(n, 0.1), r0(n);
    p.evalResidual(u.data(), r0.data(), 0.0, 0);
    auto f = [&p](double* x, double* r) { p.evalResidual(x, r, 0.0, 0); };
    long before = p.bandJacobian().residualEvaluations();
    long evaluations = 0;
    for (auto _ : state) {
        p.bandJacobian().evaluateByDifferences(f, u.data(), r0.data());
        evaluations++;
    }
    state.counters["residuals_per_jacobian"] = double(p.bandJacobian().residualEvaluations() - before) / evaluations;
    state.counters["ns_per_component"] =
        benchmark::Counter(double(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BandJacobianByGroupedDifferences)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN);

void BM_NewtonSolveBratu(benchmark::State& state)
{
    const size_t n = static_cast<size_t>(state.range(0));
    std::vector<double> out(n);
    int result = 0;
    for (auto _ : state) {
        state.PauseTiming();
        BratuProblem p(n, 1.0);
        state.ResumeTiming();
        result = p.newton().solve(p.stateVector().data(), out.data(), p, 0);
    }
    if (result != 1) {
        state.SkipWithError("Newton did not converge");
    }
    state.counters["ns_per_component"] =
        benchmark::Counter(double(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_NewtonSolveBratu)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

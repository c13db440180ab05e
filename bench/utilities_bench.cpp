// Cached-value identifiers under one and two threads, and the norm of the
// equilibrium solver per element.
#include <vector>

#include <benchmark/benchmark.h>

#include "velkora/base/MemoStore.h"
#include "velkora/equil/equil_aux.h"

using namespace Velkora;

namespace
{

void BM_MemoStoreGetId(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(MemoStore::getId());
    }
    state.SetItemsProcessed(state.iterations());
}
// Uncontended, then two threads taking the lock in turn. The counter is
// process-wide, so the runs are kept short of its end.
BENCHMARK(BM_MemoStoreGetId)->Threads(1)->Threads(2)->MinTime(0.5);

void BM_VcsL2norm(benchmark::State& state)
{
    std::vector<double> v(static_cast<size_t>(state.range(0)));
    for (size_t i = 0; i < v.size(); i++) {
        v[i] = 1.0 + 1e-3 * (i % 1000);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(vcs_l2norm(v));
    }
    state.counters["ns_per_element"] =
        benchmark::Counter(double(v.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_VcsL2norm)->RangeMultiplier(10)->Range(1000, 10000000);

// The floor for one running sum: the same loop, inline.
void BM_RunningSumReference(benchmark::State& state)
{
    std::vector<double> v(static_cast<size_t>(state.range(0)), 1.0);
    for (auto _ : state) {
        double s = 0.0;
        for (double x : v) {
            s += x * x;
        }
        benchmark::DoNotOptimize(s);
    }
    state.counters["ns_per_element"] =
        benchmark::Counter(double(v.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RunningSumReference)->RangeMultiplier(10)->Range(1000, 10000000);

} // namespace

BENCHMARK_MAIN();

// Handle lookups, and failed lookups translated into status values.
//
// The failed interface call is measured against a bare throw and catch of a
// std::runtime_error in the same run, interleaved, and the ratio of their
// medians is printed at the end: the interface mandates two unwinds (the
// registry's throw, then the translation's rethrow), so it should cost at
// most 2.2 of them.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "velkora/interface/Cabinet.h"
#include "velkora/interface/handleAllExceptions.h"
#include "velkora/platform/app/Application.h"
#include "velkora/velkora.h"

namespace Velkora
{
struct BenchObject
{
    double value = 1.0;
};
template <> Cabinet<BenchObject>::Storage* Cabinet<BenchObject>::s_storage = nullptr;
} // namespace Velkora

using namespace Velkora;

namespace
{

// Lookup of a live handle among 1000.
void BM_CabinetAtLiveHandle(benchmark::State& state)
{
    static int handle = [] {
        int h = 0;
        for (int i = 0; i < 1000; i++) {
            h = Cabinet<BenchObject>::add(std::make_shared<BenchObject>());
        }
        return h / 2;
    }();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Cabinet<BenchObject>::at(handle).get());
    }
}
BENCHMARK(BM_CabinetAtLiveHandle);

// The reference: reading the same slot straight from the vector.
void BM_VectorIndexReference(benchmark::State& state)
{
    std::vector<std::shared_ptr<BenchObject>> v(1000, std::make_shared<BenchObject>());
    int handle = 500;
    benchmark::DoNotOptimize(handle);
    for (auto _ : state) {
        benchmark::DoNotOptimize(v[handle].get());
    }
}
BENCHMARK(BM_VectorIndexReference);

// A lookup of a bad handle as an interface function sees it: the registry
// throws, the catch-all translates, the text goes onto the error stack. The
// argument is the number of failures already on the stack when timing starts.
void BM_FailedAtTranslated(benchmark::State& state)
{
    auto& stack = *Application::Instance()->m_threadMessages.operator->();
    stack.clearErrors();
    for (int64_t i = 0; i < state.range(0); i++) {
        stack.addError("earlier failure", "");
    }
    for (auto _ : state) {
        int status;
        try {
            Cabinet<BenchObject>::at(-1);
            status = 0;
        } catch (...) {
            status = handleAllExceptions(-1, -999);
        }
        benchmark::DoNotOptimize(status);
    }
}
BENCHMARK(BM_FailedAtTranslated)->Arg(0)->Arg(100)->Arg(100000);

// One failed call of the C interface: a deleted network handle (the
// registry throws, the catch-all rethrows and translates, the text goes onto
// the error stack).
void BM_FailedInterfaceCall(benchmark::State& state)
{
    static int net = [] {
        int rxn = mech_newReaction("A => B", 1.0, 0.0);
        int reactor = reactor_new(1, &rxn);
        int h = reactornet_new(1, &reactor);
        reactornet_del(h);
        return h;
    }();
    app_clearErrors();
    for (auto _ : state) {
        benchmark::DoNotOptimize(reactornet_time(net));
    }
}
BENCHMARK(BM_FailedInterfaceCall)->Repetitions(9);

// The reference: one throw and catch of a std::runtime_error with a message.
[[gnu::noinline]] void throwRuntimeError(int n)
{
    throw std::runtime_error("Object with index " + std::to_string(n) + " has been deleted.");
}

void BM_BareThrowCatch(benchmark::State& state)
{
    int n = 7;
    benchmark::DoNotOptimize(n);
    for (auto _ : state) {
        try {
            throwRuntimeError(n);
        } catch (const std::runtime_error& err) {
            benchmark::DoNotOptimize(err.what());
        }
    }
}
BENCHMARK(BM_BareThrowCatch)->Repetitions(9);

//! Prints as the console does and keeps the median of each benchmark.
class MedianReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                medians[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char** argv)
{
    // Repetitions of different benchmarks interleave, so that a noisy
    // stretch of a shared machine hits both sides of a ratio alike.
    std::vector<char*> args(argv, argv + argc);
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.push_back(interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    auto failed = reporter.medians.find("BM_FailedInterfaceCall");
    auto bare = reporter.medians.find("BM_BareThrowCatch");
    if (failed != reporter.medians.end() && bare != reporter.medians.end()) {
        std::printf("\nFailed interface call / bare throw and catch: %.0f ns / %.0f ns = %.2f (goal: at most 2.2)\n",
                    failed->second, bare->second, failed->second / bare->second);
    }
    return 0;
}

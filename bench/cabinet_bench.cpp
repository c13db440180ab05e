// Handle lookups, and failed lookups translated into status values.
#include <memory>

#include <benchmark/benchmark.h>

#include "interface/Cabinet.h"
#include "interface/handleAllExceptions.h"
#include "platform/app/Application.h"

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

} // namespace

BENCHMARK_MAIN();

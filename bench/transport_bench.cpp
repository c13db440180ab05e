// The kinetic-theory evaluator on a 20-species mixture: the cost of setState
// (where everything that depends on the state is computed), and of each
// property call after it, which should cost no more than reading its result:
// O(K) for the mixture-averaged values, O(K^2) for the matrices. Each call is
// shown next to a plain copy of as many doubles.
#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

#include "velkora/platform/transport/GasTransport.h"

using namespace Velkora;

namespace
{

const std::vector<std::string> names = {"H2", "H", "O2", "O", "OH", "H2O", "HO2", "H2O2", "N2", "AR",
                                        "HE", "CO", "CO2", "CH4", "CH3", "CH2O", "C2H2", "C2H4", "C2H6", "NO"};

GasTransport mixture(const char* model)
{
    std::vector<GasSpecies> species;
    for (const std::string& n : names) {
        species.push_back(*findGasSpecies(n));
    }
    return GasTransport(species, model);
}

std::vector<double> composition()
{
    std::vector<double> X(names.size());
    for (size_t k = 0; k < X.size(); k++) {
        X[k] = 1.0 + 0.1 * double(k);
    }
    return X;
}

void BM_SetState(benchmark::State& state, const char* model)
{
    GasTransport gas = mixture(model);
    std::vector<double> X = composition();
    double T = 1500.0;
    for (auto _ : state) {
        T = T == 1500.0 ? 1501.0 : 1500.0; // a new state every time
        gas.setState(T, 101325.0, X.data());
    }
}
BENCHMARK_CAPTURE(BM_SetState, mixture_averaged, GasTransport::mixtureAveraged)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SetState, multicomponent, GasTransport::multicomponent)->Unit(benchmark::kMicrosecond);

void BM_Viscosity(benchmark::State& state)
{
    GasTransport gas = mixture(GasTransport::mixtureAveraged);
    std::vector<double> X = composition();
    gas.setState(1500.0, 101325.0, X.data());
    for (auto _ : state) {
        benchmark::DoNotOptimize(gas.viscosity());
        benchmark::DoNotOptimize(gas.thermalConductivity());
    }
}
BENCHMARK(BM_Viscosity);

void BM_MixDiffCoeffs(benchmark::State& state)
{
    GasTransport gas = mixture(GasTransport::mixtureAveraged);
    std::vector<double> X = composition(), d(names.size());
    gas.setState(1500.0, 101325.0, X.data());
    for (auto _ : state) {
        gas.getMixDiffCoeffs(d.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MixDiffCoeffs);

void BM_MultiDiffCoeffs(benchmark::State& state)
{
    GasTransport gas = mixture(GasTransport::multicomponent);
    std::vector<double> X = composition(), d(names.size() * names.size());
    gas.setState(1500.0, 101325.0, X.data());
    for (auto _ : state) {
        gas.getMultiDiffCoeffs(names.size(), d.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MultiDiffCoeffs);

// The references: copying K and K^2 doubles.
void BM_CopyDoubles(benchmark::State& state)
{
    const size_t n = static_cast<size_t>(state.range(0));
    std::vector<double> from(n, 1.0), to(n);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), n * sizeof(double));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyDoubles)->Arg(20)->Arg(400);

} // namespace

BENCHMARK_MAIN();

// Mechanisms: the time to load one, and one evaluation of all net production
// rates, per reaction, against the floor of a plain loop that computes one
// exponential per reaction and the product of its reactants'
// concentrations. Each evaluation is at a new temperature, so that the work
// that depends on T alone is done every time.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "KineticsFloor.h"

#include "velkora/platform/input/ChemkinReader.h"
#include "velkora/platform/kinetics/GasKinetics.h"
#include "velkora/platform/thermo/PhysicalConstants.h"

namespace
{

using namespace Velkora;

std::string caseFile(const std::string& name, const char* file)
{
    return std::string(VELKORA_CHEMISTRY_DATA) + "/" + name + "/chemkin/" + file;
}

bool have(const std::string& name)
{
    return std::ifstream(caseFile(name, "chem.inp")).good();
}

std::shared_ptr<Mechanism> load(const std::string& name)
{
    return readChemkin(caseFile(name, "chem.inp"), caseFile(name, "therm.dat"));
}

// A state of every species present, at 1500 K and 10 atm.
std::vector<double> concentrations(const Mechanism& m, double T)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<double> unit(0.1, 1.0);
    std::vector<double> C(m.nSpecies());
    double sum = 0.0;
    for (double& c : C) {
        c = unit(random);
        sum += c;
    }
    for (double& c : C) {
        c *= 10.0 * OneAtm / (GasConstant * T) / sum;
    }
    return C;
}

void BM_LoadMechanism(benchmark::State& state, const std::string& name)
{
    if (!have(name)) {
        state.SkipWithError("no reference data (scripts/fetch-chemistry.sh)");
        return;
    }
    size_t reactions = 0;
    for (auto _ : state) {
        auto m = load(name);
        reactions = m->nReactions();
        benchmark::DoNotOptimize(m);
    }
    state.counters["reactions"] = static_cast<double>(reactions);
}

void BM_NetProductionRates(benchmark::State& state, const std::string& name)
{
    if (!have(name)) {
        state.SkipWithError("no reference data (scripts/fetch-chemistry.sh)");
        return;
    }
    auto m = load(name);
    auto kinetics = m->newKinetics();
    std::vector<double> C = concentrations(*m, 1500.0), wdot(m->nSpecies());
    double T = 1500.0;
    for (auto _ : state) {
        T = T > 1600.0 ? 1500.0 : T + 0.1; // a new temperature every time
        kinetics->update(T, C.data());
        kinetics->getNetProductionRates(wdot.data());
        benchmark::DoNotOptimize(wdot.data());
    }
    state.counters["ns_per_reaction"] = benchmark::Counter(
        static_cast<double>(m->nReactions()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The same concentrations at the same temperature: only the work that
// depends on them.
void BM_NetProductionRatesSameT(benchmark::State& state, const std::string& name)
{
    if (!have(name)) {
        state.SkipWithError("no reference data (scripts/fetch-chemistry.sh)");
        return;
    }
    auto m = load(name);
    auto kinetics = m->newKinetics();
    std::vector<double> C = concentrations(*m, 1500.0), wdot(m->nSpecies());
    for (auto _ : state) {
        kinetics->update(1500.0, C.data());
        kinetics->getNetProductionRates(wdot.data());
        benchmark::DoNotOptimize(wdot.data());
    }
    state.counters["ns_per_reaction"] = benchmark::Counter(
        static_cast<double>(m->nReactions()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The floor: per reaction one exponential of an Arrhenius expression and the
// product of its reactants' concentrations, in a plain loop over flat
// arrays.
void BM_Floor(benchmark::State& state, const std::string& name)
{
    if (!have(name)) {
        state.SkipWithError("no reference data (scripts/fetch-chemistry.sh)");
        return;
    }
    auto m = load(name);
    KineticsFloor baseline(*m);
    std::vector<double> C = concentrations(*m, 1500.0);
    double T = 1500.0;
    for (auto _ : state) {
        T = T > 1600.0 ? 1500.0 : T + 0.1;
        baseline.evaluate(T, C.data());
        benchmark::DoNotOptimize(baseline.rates().data());
    }
    state.counters["ns_per_reaction"] = benchmark::Counter(
        static_cast<double>(m->nReactions()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

// Interleaved, several repetitions: the medians compare ours with the floor.
BENCHMARK_CAPTURE(BM_LoadMechanism, gri, std::string("gri"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_LoadMechanism, ic8h18, std::string("ic8h18"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_NetProductionRates, gri, std::string("gri"))->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Floor, gri, std::string("gri"))->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_NetProductionRatesSameT, gri, std::string("gri"))->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_NetProductionRates, ic8h18, std::string("ic8h18"))->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Floor, ic8h18, std::string("ic8h18"))->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_NetProductionRatesSameT, ic8h18, std::string("ic8h18"))->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    // Repetitions of the benchmarks in a random interleaving, not one after
    // the other: a shared machine's drift spreads over all of them.
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.push_back(interleave.data());
    int n = static_cast<int>(args.size());
    benchmark::Initialize(&n, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The cost the C interface adds to a network call: reactornet_time against
// ReactorNet::time on the same network.
#include <benchmark/benchmark.h>

#include "velkora/interface/registries.h"
#include "velkora/platform/reactors/ReactorNet.h"
#include "velkora/velkora.h"

using namespace Velkora;

namespace
{

int makeNetwork()
{
    static int net = [] {
        int rxn = mech_newReaction("A => B", 1.0, 0.0);
        int reactor = reactor_new(1, &rxn);
        reactor_setConcentration(reactor, "A", 1.0);
        int h = reactornet_new(1, &reactor);
        reactornet_advance(h, 0.5);
        return h;
    }();
    return net;
}

void BM_ReactorNetTimeThroughC(benchmark::State& state)
{
    int net = makeNetwork();
    benchmark::DoNotOptimize(net);
    for (auto _ : state) {
        benchmark::DoNotOptimize(reactornet_time(net));
    }
}
BENCHMARK(BM_ReactorNetTimeThroughC);

void BM_ReactorNetTimeDirect(benchmark::State& state)
{
    ReactorNet* net = Cabinet<ReactorNet>::at(makeNetwork()).get();
    benchmark::DoNotOptimize(net);
    for (auto _ : state) {
        benchmark::DoNotOptimize(net);
        benchmark::DoNotOptimize(net->time());
    }
}
BENCHMARK(BM_ReactorNetTimeDirect);

} // namespace

BENCHMARK_MAIN();

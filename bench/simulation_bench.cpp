// World update of the start-up flock and of flocks scaled to 1,000 and
// 10,000 fish at the start-up density. The counter fish_updates is the
// number of entity steps per second.

#include <benchmark/benchmark.h>

#include "simulation/population.h"
#include "simulation/random_source.h"
#include "simulation/world.h"

namespace {

void WorldUpdate(benchmark::State& state) {
    SharedRandom().Seed(1);
    StartupPopulation population(FlockScenario{static_cast<int>(state.range(0))});
    const int fish = population.FishCount();
    for (auto _ : state) {
        population.world.Update(1.0f / 60.0f);
    }
    state.counters["fish"] = fish;
    state.counters["fish_updates"] = benchmark::Counter(
        static_cast<double>(fish) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}

BENCHMARK(WorldUpdate)->Arg(0)->ArgName("fish(0=start-up)")->Unit(benchmark::kMicrosecond);
BENCHMARK(WorldUpdate)->Arg(1000)->ArgName("fish")->Unit(benchmark::kMillisecond);
BENCHMARK(WorldUpdate)->Arg(10000)->ArgName("fish")->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

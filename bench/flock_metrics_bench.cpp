// The school measurements that the statistics panel samples a few times a
// second, on scaled flocks of 1,000, 10,000 and 100,000 fish as they are
// built (spread at the start-up density). The mean nearest-neighbour
// distance dominates the cost.

#include <benchmark/benchmark.h>

#include <memory>

#include "simulation/flock_metrics.h"
#include "simulation/population.h"
#include "simulation/random_source.h"

namespace {

void MeasureSchoolsOfAFlock(benchmark::State& state) {
    SharedRandom().Seed(1);
    const auto population =
        std::make_unique<StartupPopulation>(FlockScenario{static_cast<int>(state.range(0))});
    for (auto _ : state) {
        benchmark::DoNotOptimize(MeasureSchools(population->world, kFishType));
    }
    state.counters["fish"] = population->FishCount();
}

BENCHMARK(MeasureSchoolsOfAFlock)
    ->ArgName("fish")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

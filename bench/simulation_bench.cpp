// World steps of the start-up flock and of scaled flocks (1,000, 10,000 and
// 100,000 fish at the start-up density) in their steady state: each flock is
// first stepped 600 frames, then measured frame by frame. Every size runs the
// exhaustive reference search and the indexed search, on one thread and on
// all cores, in the same run, so their ratios are comparable on a busy
// machine. The exhaustive search is left out at 100,000 fish (tens of seconds
// a frame); the 600 frames of warm-up at that size take long on two cores.
//
// Counters: fish_updates, entity steps per second; flock and foreign, the
// fish's mean list lengths after the last measured frame; threads.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "simulation/entity.h"
#include "simulation/flock_metrics.h"
#include "simulation/group.h"
#include "simulation/population.h"
#include "simulation/random_source.h"
#include "simulation/world.h"

namespace {

constexpr float kFrame = 1.0f / 60.0f;
constexpr int kWarmUpFrames = 600;
constexpr int kAllCores = 0;  // the threads argument meaning every core

int AllCores() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// The flock of the size last asked for, kept between benchmarks so that each
// size is warmed up once; the searches give the same flock, so the warm-up
// uses the fastest.
StartupPopulation& SteadyFlock(int totalFish) {
    static std::unique_ptr<StartupPopulation> flock;
    static int flockSize = -1;
    if (flockSize != totalFish) {
        flock.reset();
        SharedRandom().Seed(1);
        flock = std::make_unique<StartupPopulation>(FlockScenario{totalFish});
        flock->world.SetThreadCount(AllCores());
        for (int frame = 0; frame < kWarmUpFrames; ++frame) {
            flock->world.Update(kFrame);
        }
        flockSize = totalFish;
    }
    return *flock;
}

void ReportNeighbourCounts(benchmark::State& state, const StartupPopulation& population) {
    const NeighbourCounts counts = MeanNeighbourCounts(population.world, kFishType);
    state.counters["flock"] = counts.flock;
    state.counters["foreign"] = counts.foreign;
}

// Arguments: fish (0 for the start-up flock), search (0 exhaustive, 1
// indexed), threads (0 for all cores).
void WorldStep(benchmark::State& state) {
    StartupPopulation& population = SteadyFlock(static_cast<int>(state.range(0)));
    const int threads = state.range(2) == kAllCores ? AllCores() : static_cast<int>(state.range(2));
    population.world.SetNeighborSearch(state.range(1) == 0 ? NeighborSearch::kExhaustive
                                                           : NeighborSearch::kIndexed);
    population.world.SetThreadCount(threads);
    for (auto _ : state) {
        population.world.Update(kFrame);
    }
    const int fish = population.FishCount();
    state.counters["fish_updates"] =
        benchmark::Counter(static_cast<double>(fish) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["threads"] = threads;
    ReportNeighbourCounts(state, population);
}

void Sizes(benchmark::internal::Benchmark* b, int fish, bool withReference) {
    b->ArgNames({"fish", "indexed", "threads"});
    if (withReference) {
        b->Args({fish, 0, 1});
    }
    b->Args({fish, 1, 1});
    b->Args({fish, 1, kAllCores});
    b->UseRealTime();
}

BENCHMARK(WorldStep)
    ->Apply([](benchmark::internal::Benchmark* b) { Sizes(b, 0, true); })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(WorldStep)
    ->Apply([](benchmark::internal::Benchmark* b) { Sizes(b, 1000, true); })
    ->Unit(benchmark::kMillisecond);
// The reference takes about a second a frame here, so it gets a fixed count.
BENCHMARK(WorldStep)
    ->Apply([](benchmark::internal::Benchmark* b) {
        b->ArgNames({"fish", "indexed", "threads"});
        b->Args({10000, 0, 1})->Iterations(3);
    })
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WorldStep)
    ->Apply([](benchmark::internal::Benchmark* b) { Sizes(b, 10000, false); })
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WorldStep)
    ->Apply([](benchmark::internal::Benchmark* b) { Sizes(b, 100000, false); })
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

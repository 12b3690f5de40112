// Headless driver of the flocking simulation: builds the start-up population
// (or a scaled flock), steps it with a fixed elapsed time and reports each
// school's size, centroid and mean speed, and the fish's mean neighbour
// counts.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>

#include "platform/cli/command_line.h"
#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/population.h"
#include "simulation/world.h"

namespace {

constexpr int kUsageError = 2;

int AllCores() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

struct Options {
    long long frames = 600;
    double step = 1.0 / 60.0;
    long long fish = 0;
    NeighborSearch search = NeighborSearch::kIndexed;
    long long threads = AllCores();
    bool help = false;
};

void PrintUsage() {
    std::puts(
        "Usage: quorvane-sim [--frames N] [--step SECONDS] [--fish N]\n"
        "                    [--search exhaustive|indexed] [--threads N]\n"
        "\n"
        "Steps the flock without drawing it and prints, for each school, its fish\n"
        "count, centroid and mean speed, the fish's mean neighbour counts after\n"
        "the last frame, then the wall time of the steps.\n"
        "\n"
        "  --frames N        frames to step, 0 to 10000000 (default 600)\n"
        "  --step SECONDS    elapsed time of each frame, 0 to 1 (default 1/60)\n"
        "  --fish N          build four equal schools of N fish in all at the\n"
        "                    start-up density, 4 to 100000; without it the\n"
        "                    start-up flock is built\n"
        "  --search KIND     neighbour search: indexed (a spatial grid, the\n"
        "                    default) or exhaustive (every fish measures every\n"
        "                    other); both give the same flock bit for bit\n"
        "  --threads N       threads for the indexed search, 1 to 256 (default\n"
        "                    all cores); the flock does not depend on it\n"
        "  --help            show this text");
}

// Returns false with a one-line message in error when an argument is bad.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name != "--frames" && name != "--step" && name != "--fish" && name != "--search" &&
            name != "--threads") {
            error = "unknown option '" + std::string(name) + "' (see --help)";
            return false;
        }
        if (i + 1 >= argc) {
            error = std::string(name) + ": a value is missing";
            return false;
        }
        const std::string_view value = argv[++i];
        if (name == "--frames") {
            const auto frames = ParseInteger(name, value, 0, 10'000'000, error);
            if (!frames) return false;
            options.frames = *frames;
        } else if (name == "--step") {
            const auto step = ParseReal(name, value, 0.0, 1.0, error);
            if (!step) return false;
            options.step = *step;
        } else if (name == "--fish") {
            const auto fish = ParseInteger(name, value, 4, 100'000, error);
            if (!fish) return false;
            options.fish = *fish;
        } else if (name == "--search") {
            if (value == "indexed") {
                options.search = NeighborSearch::kIndexed;
            } else if (value == "exhaustive") {
                options.search = NeighborSearch::kExhaustive;
            } else {
                error = "--search: '" + std::string(value) +
                        "' is not a search (use exhaustive or indexed)";
                return false;
            }
        } else {
            const auto threads = ParseInteger(name, value, 1, cWorld::kMaxThreads, error);
            if (!threads) return false;
            options.threads = *threads;
        }
    }
    return true;
}

void PrintSchool(int index, const cGroup& school) {
    Vector3 centroid;
    float speedSum = 0.0f;
    for (const cEntity* fish : school.members) {
        centroid += fish->position;
        speedSum += Length(fish->velocity);
    }
    const float count = static_cast<float>(school.members.size());
    centroid = centroid * (1.0f / count);
    std::printf("school %d: %zu fish, centroid (%.2f, %.2f, %.2f), mean speed %.3f\n", index,
                school.members.size(), centroid.x, centroid.y, centroid.z, speedSum / count);
}

// Mean list lengths over the fish (the player entity does not search).
void PrintNeighbourCounts(const StartupPopulation& population) {
    double flock = 0.0;
    double foreign = 0.0;
    for (const cGroup* group : population.world.groups) {
        for (const cEntity* fish : group->members) {
            flock += static_cast<double>(fish->flockNeighbors.size());
            foreign += static_cast<double>(fish->foreignNeighbors.size());
        }
    }
    const double count = population.FishCount();
    std::printf("mean neighbours per fish: %.1f flock, %.2f foreign\n", flock / count,
                foreign / count);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "quorvane-sim: %s\n", error.c_str());
        return kUsageError;
    }
    if (options.help) {
        PrintUsage();
        return 0;
    }

    StartupPopulation population(FlockScenario{static_cast<int>(options.fish)});
    population.world.SetNeighborSearch(options.search);
    population.world.SetThreadCount(static_cast<int>(options.threads));
    const auto start = std::chrono::steady_clock::now();
    for (long long frame = 0; frame < options.frames; ++frame) {
        population.world.Update(static_cast<float>(options.step));
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;

    int index = 0;
    for (const cGroup* group : population.world.groups) {
        if (group->members.empty() || group->members.front() == population.playerEntity) {
            continue;
        }
        PrintSchool(index++, *group);
    }
    PrintNeighbourCounts(population);
    std::printf("%lld frames of %g s for %d fish in %.3f s wall time (%s search, %lld %s)\n",
                options.frames, options.step, population.FishCount(), wall.count(),
                options.search == NeighborSearch::kIndexed ? "indexed" : "exhaustive",
                options.threads, options.threads == 1 ? "thread" : "threads");
    return 0;
}

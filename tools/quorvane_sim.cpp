// Headless driver of the flocking simulation: builds the start-up population
// (or a scaled flock), steps it with a fixed elapsed time and reports each
// school's size, centroid and mean speed.

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/cli/command_line.h"
#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/population.h"
#include "simulation/world.h"

namespace {

constexpr int kUsageError = 2;

struct Options {
    long long frames = 600;
    double step = 1.0 / 60.0;
    long long fish = 0;
    bool help = false;
};

void PrintUsage() {
    std::puts(
        "Usage: quorvane-sim [--frames N] [--step SECONDS] [--fish N]\n"
        "\n"
        "Steps the flock without drawing it and prints, for each school, its fish\n"
        "count, centroid and mean speed, then the wall time of the steps.\n"
        "\n"
        "  --frames N        frames to step, 0 to 10000000 (default 600)\n"
        "  --step SECONDS    elapsed time of each frame, 0 to 1 (default 1/60)\n"
        "  --fish N          build four equal schools of N fish in all at the\n"
        "                    start-up density, 4 to 100000; without it the\n"
        "                    start-up flock is built\n"
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
        if (name != "--frames" && name != "--step" && name != "--fish") {
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
        } else {
            const auto fish = ParseInteger(name, value, 4, 100'000, error);
            if (!fish) return false;
            options.fish = *fish;
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
    std::printf("%lld frames of %g s for %d fish in %.3f s wall time\n", options.frames,
                options.step, population.FishCount(), wall.count());
    return 0;
}

// Headless driver of the flocking simulation: builds the start-up population
// (or a scaled flock), steps it with a fixed elapsed time and reports each
// school's size, centroid and mean speed, and the fish's mean neighbour
// counts; on request it writes the schools' measurements as CSV while it
// steps.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/cli/command_line.h"
#include "shell/preset_file.h"
#include "simulation/entity.h"
#include "simulation/flock_metrics.h"
#include "simulation/group.h"
#include "simulation/population.h"
#include "simulation/random_source.h"
#include "simulation/world.h"
#include "tools/metrics_csv.h"

namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

int AllCores() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

struct Options {
    long long frames = 600;
    double step = 1.0 / 60.0;
    long long fish = 0;
    NeighborSearch search = NeighborSearch::kIndexed;
    long long threads = AllCores();
    long long seed = 1;
    std::string preset;   // preset file applied before the first step, empty for none
    std::string metrics;  // CSV file, "-" for standard output, empty for none
    long long every = 1;
    bool help = false;
};

void PrintUsage() {
    std::puts(
        "Usage: quorvane-sim [--frames N] [--step SECONDS] [--fish N]\n"
        "                    [--search exhaustive|indexed] [--threads N] [--seed S]\n"
        "                    [--preset FILE.toml] [--metrics FILE.csv [--every K]]\n"
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
        "  --seed S          seed of the random draws that build the flock, 0 to\n"
        "                    4294967295 (default 1, the start-up flock)\n"
        "  --preset FILE     the behaviours' values from a preset file (as the\n"
        "                    program's File, Open reads them); a file that is\n"
        "                    not a valid preset stops the run with status 2\n"
        "  --metrics FILE    write each school's measurements as CSV: a header,\n"
        "                    then one row per school at frame 0 and every K\n"
        "                    frames (frame, time, school, count, centroid, mean\n"
        "                    speed, polarisation, mean nearest-neighbour\n"
        "                    distance, radius of gyration, non-finite fish, the\n"
        "                    player's position); - for standard output (the\n"
        "                    report then goes to standard error)\n"
        "  --every K         frames between measurements, 1 to 10000000 (default 1)\n"
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
            name != "--threads" && name != "--seed" && name != "--metrics" && name != "--every" &&
            name != "--preset") {
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
            const auto fish = ParseInteger(name, value, kMinimumFlockSize, kMaximumFlockSize, error);
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
        } else if (name == "--seed") {
            const auto seed = ParseInteger(name, value, 0, 4'294'967'295LL, error);
            if (!seed) return false;
            options.seed = *seed;
        } else if (name == "--preset") {
            options.preset = value;
        } else if (name == "--metrics") {
            if (value.empty()) {
                error = "--metrics: a file name is missing";
                return false;
            }
            options.metrics = value;
        } else if (name == "--every") {
            const auto every = ParseInteger(name, value, 1, 10'000'000, error);
            if (!every) return false;
            options.every = *every;
        } else {
            const auto threads = ParseInteger(name, value, 1, cWorld::kMaxThreads, error);
            if (!threads) return false;
            options.threads = *threads;
        }
    }
    return true;
}

// Where the measurements go: a file, standard output, or nowhere.
class MetricsSink {
public:
    // False with the reason in error when the file cannot be made.
    bool Open(const std::string& path, std::string& error) {
        path_ = path;
        if (path.empty()) {
            return true;
        }
        file_ = path == "-" ? stdout : std::fopen(path.c_str(), "w");
        if (file_ == nullptr) {
            error = "cannot write '" + path + "': " + std::strerror(errno);
            return false;
        }
        std::fprintf(file_, "%s\n", MetricsCsvHeader().c_str());
        return true;
    }
    void Write(long long frame, double time, const StartupPopulation& population) {
        if (file_ != nullptr) {
            const std::string rows = MetricsCsvRows(
                frame, time, MeasureSchools(population.world, kFishType),
                population.playerEntity->position);
            std::fprintf(file_, "%s\n", rows.c_str());
        }
    }
    // False with the reason in error when a write failed.
    bool Close(std::string& error) {
        if (file_ == nullptr) {
            return true;
        }
        const bool failed = std::ferror(file_) != 0;
        const bool closed = file_ == stdout ? std::fflush(file_) == 0 : std::fclose(file_) == 0;
        file_ = nullptr;
        if (failed || !closed) {
            error = "writing '" + path_ + "' failed: " + std::strerror(errno);
            return false;
        }
        return true;
    }
    bool ToStandardOutput() const { return path_ == "-"; }

private:
    std::string path_;
    std::FILE* file_ = nullptr;
};

void PrintSchools(std::FILE* out, const StartupPopulation& population) {
    const std::vector<SchoolMetrics> schools = MeasureSchools(population.world, kFishType);
    for (std::size_t index = 0; index < schools.size(); ++index) {
        const SchoolMetrics& school = schools[index];
        std::fprintf(out, "school %zu: %d fish, centroid (%.2f, %.2f, %.2f), mean speed %.3f\n",
                     index, school.count, school.centroid.x, school.centroid.y, school.centroid.z,
                     school.meanSpeed);
    }
    const NeighbourCounts counts = MeanNeighbourCounts(population.world, kFishType);
    std::fprintf(out, "mean neighbours per fish: %.1f flock, %.2f foreign\n", counts.flock,
                 counts.foreign);
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

    MetricsSink metrics;
    if (!metrics.Open(options.metrics, error)) {
        std::fprintf(stderr, "quorvane-sim: %s\n", error.c_str());
        return kFailure;
    }
    std::FILE* report = metrics.ToStandardOutput() ? stderr : stdout;

    SharedRandom().Seed(static_cast<std::uint32_t>(options.seed));
    StartupPopulation population(FlockScenario{static_cast<int>(options.fish)});
    if (!options.preset.empty() && !ReadPreset(options.preset, population.behaviors, error)) {
        std::fprintf(stderr, "quorvane-sim: %s\n", error.c_str());
        return kUsageError;
    }
    population.world.SetNeighborSearch(options.search);
    population.world.SetThreadCount(static_cast<int>(options.threads));
    const auto start = std::chrono::steady_clock::now();
    metrics.Write(0, 0.0, population);
    for (long long frame = 1; frame <= options.frames; ++frame) {
        population.world.Update(static_cast<float>(options.step));
        if (frame % options.every == 0) {
            metrics.Write(frame, static_cast<double>(frame) * options.step, population);
        }
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    if (!metrics.Close(error)) {
        std::fprintf(stderr, "quorvane-sim: %s\n", error.c_str());
        return kFailure;
    }

    PrintSchools(report, population);
    std::fprintf(report,
                 "%lld frames of %g s for %d fish in %.3f s wall time (%s search, %lld %s)\n",
                 options.frames, options.step, population.FishCount(), wall.count(),
                 options.search == NeighborSearch::kIndexed ? "indexed" : "exhaustive",
                 options.threads, options.threads == 1 ? "thread" : "threads");
    return 0;
}

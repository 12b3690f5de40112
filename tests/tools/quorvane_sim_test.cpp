// Runs the headless simulation driver as a user would and checks its exit
// status and output.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "simulation/entity.h"
#include "simulation/flock_metrics.h"
#include "simulation/population.h"
#include "simulation/random_source.h"
#include "tests/support/run_program.h"
#include "tools/metrics_csv.h"

namespace {

RunResult RunSim(const std::string& arguments) { return RunProgram(QUORVANE_SIM_PATH, arguments); }

TEST(QuorvaneSim, HeadlessRunPrintsOneLinePerSchool) {
    const RunResult run = RunSim("--frames 10");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    std::istringstream lines(run.out);
    std::string line;
    int schools = 0;
    while (std::getline(lines, line)) {
        if (line.rfind("school ", 0) == 0) {
            EXPECT_EQ(line.rfind("school " + std::to_string(schools) + ": ", 0), 0u) << line;
            ++schools;
        }
    }
    EXPECT_EQ(schools, 4) << run.out;
    EXPECT_NE(run.out.find("for 28 fish"), std::string::npos) << run.out;
}

// Everything but the timing line, which alone may differ between searches.
std::string WithoutTiming(const std::string& out) {
    return out.substr(0, out.rfind(" frames of "));
}

TEST(QuorvaneSim, BothSearchesAndAnyThreadCountPrintTheSameFlock) {
    const RunResult exhaustive = RunSim("--fish 400 --frames 5 --search exhaustive");
    const RunResult indexed = RunSim("--fish 400 --frames 5 --search indexed --threads 2");
    ASSERT_EQ(exhaustive.exitCode, 0) << exhaustive.err;
    ASSERT_EQ(indexed.exitCode, 0) << indexed.err;
    EXPECT_NE(exhaustive.out.find("mean neighbours per fish:"), std::string::npos);
    EXPECT_EQ(WithoutTiming(indexed.out), WithoutTiming(exhaustive.out));
    EXPECT_NE(indexed.out.find("(indexed search, 2 threads)"), std::string::npos) << indexed.out;
}

struct BadInput {
    const char* arguments;
    const char* option;  // the message must name it
};

void PrintTo(const BadInput& input, std::ostream* os) {
    *os << '"' << input.arguments << '"';
}

// "--frames abc" is named frames_abc.
std::string NameOf(const ::testing::TestParamInfo<BadInput>& info) {
    std::string name;
    for (const char* c = info.param.arguments; *c != '\0'; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) {
            name += *c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    return name;
}

// The CSV holds, at frames 0, K, 2K..., exactly the measurements of the same
// flock stepped here; a file and standard output get the same text.
TEST(QuorvaneSim, MetricsAreWrittenAsCsvEveryKFrames) {
    std::string expected = MetricsCsvHeader() + "\n";
    SharedRandom().Seed(3);
    StartupPopulation population;
    for (int frame = 0; frame <= 7; ++frame) {
        if (frame > 0) {
            population.world.Update(1.0f / 60.0f);
        }
        if (frame % 3 == 0) {
            expected += MetricsCsvRows(frame, frame / 60.0, MeasureSchools(population.world, kFishType),
                                       population.playerEntity->position) +
                        "\n";
        }
    }
    SharedRandom().Seed(1);
    const RunResult toOutput = RunSim("--frames 7 --every 3 --seed 3 --metrics -");
    EXPECT_EQ(toOutput.exitCode, 0);
    EXPECT_EQ(toOutput.out, expected);
    EXPECT_NE(toOutput.err.find("school 3:"), std::string::npos);  // the report moves aside

    const std::string path = ::testing::TempDir() + "quorvane-sim-metrics.csv";
    const RunResult toFile = RunSim("--frames 7 --every 3 --seed 3 --metrics '" + path + "'");
    EXPECT_EQ(toFile.exitCode, 0);
    std::ifstream file(path);
    std::ostringstream written;
    written << file.rdbuf();
    EXPECT_EQ(written.str(), expected);

    const RunResult unwritable = RunSim("--frames 1 --metrics /nonexistent-folder/m.csv");
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("/nonexistent-folder/m.csv"), std::string::npos);
}

class QuorvaneSimBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(QuorvaneSimBadInput, ExitsWithStatusTwoAndOneLineNamingTheOption) {
    const RunResult run = RunSim(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.back(), '\n');
    EXPECT_NE(run.err.find(GetParam().option), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Options, QuorvaneSimBadInput,
    ::testing::Values(BadInput{"--frames abc", "--frames"}, BadInput{"--frames 10x", "--frames"},
                      BadInput{"--frames -1", "--frames"}, BadInput{"--step nan", "--step"},
                      BadInput{"--step 2", "--step"}, BadInput{"--fish 3", "--fish"},
                      BadInput{"--fish", "--fish"}, BadInput{"--bogus", "--bogus"},
                      BadInput{"--search fast", "--search"}, BadInput{"--threads 0", "--threads"},
                      BadInput{"--threads 257", "--threads"}, BadInput{"--seed -1", "--seed"},
                      BadInput{"--every 0", "--every"}, BadInput{"--metrics", "--metrics"},
                      BadInput{"--preset /no/such/preset.toml", "/no/such/preset.toml"}),
    NameOf);

}  // namespace

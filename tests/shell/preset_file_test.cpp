// Preset files: what is written reads back to the same bits, every kind of
// bad file is refused whole with a message naming where, and the built-in
// recipes make the start-up flock swim measurably differently.

#include <unistd.h>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "shell/behavior_fields.h"
#include "shell/preset_file.h"
#include "simulation/behavior.h"
#include "simulation/flock_metrics.h"
#include "simulation/population.h"
#include "simulation/random_source.h"

namespace fs = std::filesystem;

namespace {

const fs::path kPresets = QUORVANE_PRESETS_DIR;

// Owns a set of the six behaviours at their start-up values.
struct Behaviors {
    Behaviors() : list(CreateStartupBehaviors()) {}
    ~Behaviors() {
        for (cBehavior* behavior : list)
            delete behavior;
    }
    std::vector<std::uint32_t> Bits() const {
        std::string error;
        std::vector<std::uint32_t> bits;
        const PresetValues values = CapturePreset(list, error).value();
        for (const auto& page : values.pages) {
            for (float value : page)
                bits.push_back(std::bit_cast<std::uint32_t>(value));
        }
        return bits;
    }
    std::vector<cBehavior*> list;
};

struct TempFolder {
    TempFolder() : path(fs::temp_directory_path() / ("presets-" + std::to_string(getpid()))) {
        fs::create_directories(path);
    }
    ~TempFolder() {
        fs::permissions(path, fs::perms::owner_all);
        fs::remove_all(path);
    }
    fs::path Write(const std::string& name, const std::string& text) const {
        std::ofstream(path / name, std::ios::binary) << text;
        return path / name;
    }
    fs::path path;
};

// A value of field drawn uniformly from its range, in thousandths for sliders.
PresetValues RandomValues(std::mt19937& random) {
    PresetValues values;
    for (const BehaviorPageFields& page : BehaviorPages()) {
        auto& pageValues = values.pages.emplace_back();
        for (const BehaviorField& field : page.fields) {
            std::uniform_real_distribution<float> draw(field.minimum, field.maximum);
            pageValues.push_back(draw(random));
        }
    }
    // Cruising: chances as running sums; separation: min below max.
    auto& cruising = values.pages[3];
    std::sort(cruising.end() - 3, cruising.end());
    auto& separation = values.pages[4];
    std::sort(separation.end() - 2, separation.end());
    return values;
}

TEST(PresetFileTest, WrittenValuesReadBackBitForBit) {
    TempFolder folder;
    std::mt19937 random(7);
    std::vector<PresetValues> cases;
    for (int i = 0; i < 20; ++i)
        cases.push_back(RandomValues(random));
    for (const auto& entry : fs::directory_iterator(kPresets)) {
        Behaviors builtIn;
        std::string error;
        ASSERT_TRUE(ReadPreset(entry.path(), builtIn.list, error)) << error;
        cases.push_back(CapturePreset(builtIn.list, error).value());
    }
    for (const PresetValues& values : cases) {
        Behaviors written;
        Behaviors read;
        std::string error;
        ASSERT_TRUE(ApplyPreset(values, written.list, error)) << error;
        ASSERT_TRUE(WritePreset(folder.path / "p.toml", written.list, error)) << error;
        ASSERT_TRUE(ReadPreset(folder.path / "p.toml", read.list, error)) << error;
        EXPECT_EQ(read.Bits(), written.Bits()) << FormatPreset(values);
    }
}

TEST(PresetFileTest, StartUpPresetHoldsTheStartUpValues) {
    Behaviors startUp;
    Behaviors read;
    std::string error;
    ASSERT_TRUE(ReadPreset(kPresets / "start-up.toml", read.list, error)) << error;
    EXPECT_EQ(read.Bits(), startUp.Bits());
}

struct BadFile {
    std::string text;
    std::string message;  // the whole message after the file name
};

TEST(PresetFileTest, BadFilesAreRefusedWholeWithOneMessage) {
    std::string good;
    {
        std::ifstream file(kPresets / "start-up.toml");
        good.assign(std::istreambuf_iterator<char>(file), {});
    }
    const auto with = [&](const std::string& from, const std::string& to, std::string text = {}) {
        text = text.empty() ? good : text;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const BadFile cases[] = {
        {"", ": the key version is missing (this program reads version = 1)"},
        {with("version = 1", "version = 2"), ", line 3: version must be 1"},
        {with("[alignment_behavior]", "[alignment]"), ", line 5: unknown table or key 'alignment'"},
        {with("turn_rate = 0.1\n\n[avoid", "turn_rate = 0.1\nspeed = 2\n\n[avoid"),
         ", line 8: unknown key 'speed' in [alignment_behavior]"},
        {with("turn_rate = 0.1\n\n[avoid", "\n\n[avoid"),
         ", line 5: [alignment_behavior] turn_rate is missing"},
        {with("radius = 1000.0", "radius = \"far\""),
         ", line 35: [stay_in_sphere_behavior] radius must be a number, not a string"},
        {with("radius = 1000.0", "radius = -1.0"),
         ", line 35: [stay_in_sphere_behavior] radius = -1 is out of range (0 to 1e+06)"},
        {with("center_x = 0.0", "center_x = 1e300"),
         ", line 36: [stay_in_sphere_behavior] center_x = 1e+300 is out of range (-1e+06 to "
         "1e+06)"},
        {with("behavior_gain = 1.0", "behavior_gain = nan"),
         ", line 6: [alignment_behavior] behavior_gain = nan is out of range (0 to 1)"},
        {with("min_separation_percentage = 0.05", "min_separation_percentage = 0.1"),
         ", line 30: [separation_behavior] min_separation_percentage (0.1) must be below "
         "max_separation_percentage (0.1)"},
        {with("move_y_chance = 0.1", "move_y_chance = 0.2"),
         ", line 25: [cruising_behavior] the move chances add up to 1.1, above 1"},
        {with("[cohesion_behavior]\nbehavior_gain = 1.0\nturn_rate = 0.1\n", ""),
         ": the table [cohesion_behavior] is missing"},
        {with("version = 1", "version = 1\nalignment_behavior = 3",
              with("[alignment_behavior]\nbehavior_gain = 1.0\nturn_rate = 0.1\n", "")),
         ", line 4: alignment_behavior must be a table, not a number"},
        {with("turn_rate = 0.1", "turn_rate = = 0.1"), ", line 7: "},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), ", line 1: "},
    };
    TempFolder folder;
    for (const BadFile& bad : cases) {
        Behaviors behaviors;
        const auto before = behaviors.Bits();
        const fs::path path = folder.Write("bad.toml", bad.text);
        std::string error;
        EXPECT_FALSE(ReadPreset(path, behaviors.list, error)) << bad.message;
        EXPECT_EQ(error.substr(0, path.string().size() + bad.message.size()),
                  path.string() + bad.message);
        EXPECT_EQ(behaviors.Bits(), before) << bad.message;
    }
}

TEST(PresetFileTest, MissingAndHugeFilesAreRefused) {
    TempFolder folder;
    Behaviors behaviors;
    std::string error;
    EXPECT_FALSE(ReadPreset(folder.path / "none.toml", behaviors.list, error));
    EXPECT_NE(error.find("none.toml': No such file or directory"), std::string::npos) << error;
    const fs::path huge = folder.Write("huge.toml", "# " + std::string(10 << 20, 'x') + "\n");
    EXPECT_FALSE(ReadPreset(huge, behaviors.list, error));
    EXPECT_EQ(error,
              huge.string() + ": 10485763 bytes is too large for a preset (at most 1048576)");
}

TEST(PresetFileTest, FailedWritesNameThePathAndKeepTheOldFile) {
    TempFolder folder;
    Behaviors behaviors;
    std::string error;
    const fs::path missing = folder.path / "no-folder" / "p.toml";
    EXPECT_FALSE(WritePreset(missing, behaviors.list, error));
    EXPECT_EQ(error, "cannot write '" + missing.string() + "': No such file or directory");
    const fs::path old = folder.Write("old.toml", "old");
    const fs::path underFile = old / "p.toml";
    EXPECT_FALSE(WritePreset(underFile, behaviors.list, error));
    EXPECT_EQ(error, "cannot write '" + underFile.string() + "': Not a directory");
    if (geteuid() != 0) {  // the super-user writes into read-only folders
        fs::permissions(folder.path, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(WritePreset(old, behaviors.list, error));
        EXPECT_EQ(error, "cannot write '" + old.string() + "': Permission denied");
    }
    EXPECT_EQ(std::ifstream(old).rdbuf() != nullptr, true);
    std::string kept;
    std::getline(std::ifstream(old) >> std::ws, kept);
    EXPECT_EQ(kept, "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator{}), 1);
}

// Mean polarisation and nearest-neighbour distance of the four schools after
// 1,200 frames of the start-up flock under preset.
std::pair<float, float> MeasureFlock(const fs::path& preset) {
    SharedRandom().Seed(1);
    StartupPopulation population;
    std::string error;
    EXPECT_TRUE(ReadPreset(preset, population.behaviors, error)) << error;
    for (int frame = 0; frame < 1200; ++frame)
        population.world.Update(1.0f / 60.0f);
    float polarisation = 0.0f;
    float nearest = 0.0f;
    for (const SchoolMetrics& school : MeasureSchools(population.world, kFishType)) {
        polarisation += school.polarisation / kSchoolCount;
        nearest += school.meanNearestDistance / kSchoolCount;
    }
    return {polarisation, nearest};
}

TEST(PresetFileTest, EveryRecipeMovesTheFlockVisiblyDifferently) {
    const auto [startPolarisation, startNearest] = MeasureFlock(kPresets / "start-up.toml");
    std::printf("%-16s polarisation %.2f  nearest %.0f\n", "start-up", startPolarisation,
                startNearest);
    int recipes = 0;
    for (const auto& entry : fs::directory_iterator(kPresets)) {
        if (entry.path().filename() == "start-up.toml")
            continue;
        const auto [polarisation, nearest] = MeasureFlock(entry.path());
        std::printf("%-16s polarisation %.2f  nearest %.0f\n",
                    PresetDisplayName(entry.path()).c_str(), polarisation, nearest);
        EXPECT_TRUE(std::abs(polarisation - startPolarisation) > 0.1f ||
                    std::abs(nearest / startNearest - 1.0f) > 0.25f)
            << entry.path();
        ++recipes;
    }
    EXPECT_GE(recipes, 4);
}

}  // namespace

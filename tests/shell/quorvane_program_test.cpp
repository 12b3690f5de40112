// Runs the program itself: headless frames to a screenshot of the whole
// window, repeatable runs, statistics, bad options, missing data, the real
// window on an X server left through its menu, and a missing display.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    const std::uint8_t* At(int x, int y) const { return &rgba[(y * width + x) * 4]; }
};

Picture Load(const fs::path& path) {
    Picture picture;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 4);
    if (pixels != nullptr) {
        picture.rgba.assign(pixels, pixels + picture.width * picture.height * 4);
        stbi_image_free(pixels);
    }
    return picture;
}

class QuorvaneProgram : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorvane_program_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    RunResult Run(const std::string& arguments, const std::string& environment = "") {
        return RunProgram(QUORVANE_PATH, arguments, environment);
    }

    fs::path folder;
};

// Checks a picture of the whole window: the scene right of the 335-pixel
// form pane and below the menu bar and the pane's caption line, from
// sceneLeft and sceneTop on, is water with fish in it; the form pane is the
// sheet's light, colourless face with dark writing, without water.
void ExpectTheSheetBesideFishInWater(const Picture& picture, int sceneLeft, int sceneTop) {
    int water = 0, other = 0;
    for (int y = sceneTop; y < picture.height; ++y) {
        for (int x = sceneLeft; x < picture.width; ++x) {
            const std::uint8_t* p = picture.At(x, y);
            const bool blue = p[2] > p[0] + 20 && p[2] >= p[1];
            (blue ? water : other) += 1;
        }
    }
    const int total = (picture.width - sceneLeft) * (picture.height - sceneTop);
    EXPECT_GT(water, total * 8 / 10) << "the scene should be mostly water";
    EXPECT_GT(other, 100) << "fish should stand out against the water";
    // Brighter above than below: light comes from the surface.
    const int middle = (sceneLeft + picture.width) / 2;
    EXPECT_GT(picture.At(middle, sceneTop + 2)[2], picture.At(middle, picture.height - 3)[2]);

    const int formWidth = 330;
    int grey = 0, dark = 0, blue = 0;
    for (int y = 30; y < picture.height; ++y) {
        for (int x = 0; x < formWidth; ++x) {
            const std::uint8_t* p = picture.At(x, y);
            const int spread = std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]});
            grey += spread < 16 && p[0] > 180;
            dark += spread < 16 && p[0] < 80;
            blue += p[2] > p[0] + 20 && p[2] >= p[1];
        }
    }
    const int form = formWidth * (picture.height - 30);
    EXPECT_GT(grey, form * 8 / 10) << "the form should be mostly the sheet's face";
    EXPECT_GT(dark, 200) << "the sheet's tabs and labels should be written on it";
    EXPECT_LT(blue, form / 10) << "no scene on the form's side";
}

TEST_F(QuorvaneProgram, HeadlessScreenshotShowsTheSheetBesideFishInWater) {
    const fs::path shot = folder / "window.png";
    const RunResult run =
        Run("--headless --frames 20 --size 720x400 --fixed-step 0.0166667 --screenshot '" +
            shot.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Picture picture = Load(shot);
    ASSERT_EQ(picture.width, 720);
    ASSERT_EQ(picture.height, 400);
    ExpectTheSheetBesideFishInWater(picture, 360, 60);
}

TEST_F(QuorvaneProgram, AFixedStepGivesTheSameImageTwice) {
    const std::string common = "--headless --frames 15 --size 480x300 --fixed-step 0.02 ";
    ASSERT_EQ(Run(common + "--screenshot '" + (folder / "a.png").string() + "'").exitCode, 0);
    ASSERT_EQ(Run(common + "--screenshot '" + (folder / "b.png").string() + "'").exitCode, 0);
    const Picture a = Load(folder / "a.png");
    const Picture b = Load(folder / "b.png");
    ASSERT_FALSE(a.rgba.empty());
    EXPECT_EQ(a.rgba, b.rgba);
}

TEST_F(QuorvaneProgram, StatsReportTheFramesRendered) {
    const RunResult run = Run("--headless --frames 5 --size 64x64 --stats");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("frames 5,"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("frames per second"), std::string::npos) << run.out;
}

TEST_F(QuorvaneProgram, APresetChangesHowTheFlockSwims) {
    const std::string common = "--headless --frames 30 --size 480x300 --fixed-step 0.02 ";
    const fs::path presets = fs::path(QUORVANE_PATH).parent_path() / "Data" / "Presets";
    ASSERT_EQ(Run(common + "--screenshot '" + (folder / "a.png").string() + "'").exitCode, 0);
    const RunResult run = Run(common + "--preset '" + (presets / "slow-milling.toml").string() +
                              "' --screenshot '" + (folder / "b.png").string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(Load(folder / "a.png").rgba, Load(folder / "b.png").rgba);
}

TEST_F(QuorvaneProgram, ViewOptionsReachTheSceneAtStart) {
    const std::string common = "--headless --size 320x200 --fixed-step 0.01 --paused ";
    const auto shot = [&](const std::string& options, const char* name) {
        const RunResult run =
            Run(common + options + " --screenshot '" + (folder / name).string() + "'");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return Load(folder / name).rgba;
    };
    const auto early = shot("--frames 3", "early.png");
    ASSERT_FALSE(early.empty());
    EXPECT_EQ(shot("--frames 12", "late.png"), early) << "paused from the first frame";
    EXPECT_NE(shot("--frames 3 --camera overview --show sphere,stats --select 27", "overview.png"),
              early);
}

TEST_F(QuorvaneProgram, HelpExplainsTheOptions) {
    const RunResult run = Run("--help");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("--headless"), std::string::npos);
    EXPECT_NE(run.out.find("--screenshot"), std::string::npos);
}

TEST_F(QuorvaneProgram, BadOptionsExitWithTwoAndNameTheProblem) {
    const struct {
        const char* arguments;
        const char* named;
    } cases[] = {
        {"--frames 0 --headless", "--frames"},
        {"--frames many --headless", "--frames"},
        {"--size 10x10 --headless", "--size"},
        {"--size 640 --headless", "--size"},
        {"--fixed-step inf --headless", "--fixed-step"},
        {"--fish 3 --headless", "--fish"},
        {"--fish 100001", "--fish"},
        {"--fish many", "--fish"},
        {"--threads 0", "--threads"},
        {"--threads 257", "--threads"},
        {"--screenshot x.png", "--screenshot"},
        {"--bogus", "--bogus"},
        {"--headless --frames", "--frames"},
        {"--headless --preset", "--preset"},
        {"--headless --preset /no/such.toml", "cannot open '/no/such.toml'"},
        {"--preset /tmp", "cannot open '/tmp': it is a folder"},
        {"--screenshot-dir /no/such", "--screenshot-dir: there is no folder '/no/such'"},
        {"--screenshot-dir /dev/null", "--screenshot-dir: '/dev/null' is not a folder"},
        {"--screenshot-dir ''", "--screenshot-dir: the folder name is empty"},
        {"--camera side", "--camera: 'side'"},
        {"--show sphere,bogus", "--show: 'bogus'"},
        {"--show sphere,", "--show: ''"},
        {"--select -1", "--select"},
        {"--select 28", "--select: fish 28 is not in a flock of 28"},
        {"--fish 8 --select 8", "--select: fish 8 is not in a flock of 8"},
    };
    for (const auto& bad : cases) {
        const RunResult run = Run(bad.arguments);
        EXPECT_EQ(run.exitCode, 2) << bad.arguments;
        EXPECT_NE(run.err.find(bad.named), std::string::npos) << bad.arguments << ": " << run.err;
        EXPECT_EQ(run.out, "") << bad.arguments;
    }
}

TEST_F(QuorvaneProgram, MissingOrDamagedDataFailsCleanlyNamingTheFiles) {
    // A copy of the program in a folder without Data/ and with no parent holding it.
    const fs::path copy = folder / "quorvane";
    fs::copy_file(QUORVANE_PATH, copy);
    const auto run = [&] {
        return RunProgram(copy.string(), "--headless --frames 3 --size 64x64",
                          "env -u QUORVANE_MEDIA_DIR", folder.string());
    };
    RunResult result = run();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("SkyBox_Front.jpg: no such file"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("SkyBox_Bottom.jpg"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("northernpike.x: no such file"), std::string::npos) << result.err;

    // All data present, one fish model cut short: the scene does not start either.
    fs::copy(fs::path(QUORVANE_PATH).parent_path() / "Data", folder / "Data",
             fs::copy_options::recursive);
    const fs::path model = folder / "Data" / "Models" / "bluegill.x";
    fs::resize_file(model, fs::file_size(model) / 2);
    result = run();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("bluegill.x: truncated"), std::string::npos) << result.err;
}

bool CommandExists(const std::string& name) {
    return RunProgram("sh", "-c 'command -v " + name + "'").exitCode == 0;
}

TEST_F(QuorvaneProgram, OnAnXServerTheWindowShowsBothPanesAndExitsFromTheMenu) {
    for (const char* tool : {"xvfb-run", "xdotool", "import"}) {
        if (!CommandExists(tool)) {
            GTEST_SKIP() << tool << " is not installed (scripts/install-deps.sh installs it)";
        }
    }
    // drive_window.sh: the program in a 1000x640 window; a picture of it;
    // then File, Exit with the mouse. Its status is the program's.
    const fs::path picture = folder / "window.png";
    const RunResult run = RunProgram("xvfb-run",
                                     "-a -s '-screen 0 1280x800x24' bash '" DRIVE_WINDOW_SCRIPT
                                     "' '" QUORVANE_PATH "' '" +
                                         picture.string() + "'",
                                     "env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY "
                                     "LSAN_OPTIONS=suppressions=" X11_LEAK_SUPPRESSIONS);
    ASSERT_EQ(run.exitCode, 0) << "90: no window, 91: still running after Exit, 92: no picture\n"
                               << run.err;
    const Picture shown = Load(picture);
    ASSERT_EQ(shown.width, 1000);
    ASSERT_EQ(shown.height, 640);
    ExpectTheSheetBesideFishInWater(shown, 360, 60);
}

// The X library ends the process when its server goes away; the exit must
// not wait on the dead server (it once spun for ever tearing the window down).
TEST_F(QuorvaneProgram, ADisplayThatGoesAwayEndsTheProgram) {
    for (const char* tool : {"Xvfb", "xdotool"}) {
        if (!CommandExists(tool)) {
            GTEST_SKIP() << tool << " is not installed (scripts/install-deps.sh installs it)";
        }
    }
    const RunResult run = RunProgram("bash", "'" LOSE_DISPLAY_SCRIPT "' '" QUORVANE_PATH "'",
                                     "env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY");
    EXPECT_EQ(run.exitCode, 0) << "90: no window, 91: still running 20 s after the server "
                                  "went, 93: no free display number\n"
                               << run.err;
}

TEST_F(QuorvaneProgram, NoDisplayWithoutHeadlessSaysHowToRunHeadless) {
    const RunResult run = Run("", "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--headless"), std::string::npos) << run.err;
}

}  // namespace

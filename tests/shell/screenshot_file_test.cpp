// Screenshot files: named by date and time, never over an existing file,
// a PNG of the given pixels, and failures that say why; the folder check
// of --screenshot-dir.

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include "shell/screenshot_file.h"

namespace {

namespace fs = std::filesystem;

class ScreenshotFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("screenshots-" + std::to_string(getpid()));
        fs::create_directories(folder);
        time.tm_year = 2026 - 1900;
        time.tm_mon = 11;
        time.tm_mday = 9;
        time.tm_hour = 1;
        time.tm_min = 42;
        time.tm_sec = 33;
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    std::tm time{};
    std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(3 * 2 * 4, 200);
};

TEST_F(ScreenshotFileTest, NamesByDateAndTimeAndNeverOverwrites) {
    EXPECT_EQ(ScreenshotFileName(time), "quorvane-2026-12-09-014233.png");
    for (const char* expected :
         {"quorvane-2026-12-09-014233.png", "quorvane-2026-12-09-014233-2.png",
          "quorvane-2026-12-09-014233-3.png"}) {
        const ScreenshotOutcome outcome = SaveScreenshot(folder, time, pixels, 3, 2);
        ASSERT_TRUE(outcome.saved) << outcome.reason;
        EXPECT_EQ(outcome.path, folder / expected);
        int width = 0, height = 0, channels = 0;
        stbi_uc* png = stbi_load(outcome.path.c_str(), &width, &height, &channels, 4);
        ASSERT_NE(png, nullptr) << expected;
        EXPECT_EQ(width, 3);
        EXPECT_EQ(height, 2);
        EXPECT_EQ(png[0], 200);
        stbi_image_free(png);
    }
    // The current folder when none is given.
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    EXPECT_EQ(SaveScreenshot("", time, pixels, 3, 2).path,
              folder / "quorvane-2026-12-09-014233-4.png");
    fs::current_path(before);
}

TEST_F(ScreenshotFileTest, FailuresNameTheFileAndTheReasonAndLeaveNothing) {
    std::ofstream(folder / "plain-file") << "x";
    const struct {
        fs::path folder;
        int width;
        const char* reason;
    } cases[] = {
        {folder / "missing", 3, "the folder does not exist"},
        {folder / "plain-file", 3, "part of the folder's path is not a folder"},
        {folder, 4, "the window could not be read"},  // pixels do not match the size
    };
    for (const auto& c : cases) {
        const ScreenshotOutcome outcome = SaveScreenshot(c.folder, time, pixels, c.width, 2);
        EXPECT_FALSE(outcome.saved);
        EXPECT_EQ(outcome.reason, c.reason);
        EXPECT_EQ(outcome.path, c.folder / "quorvane-2026-12-09-014233.png");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(ScreenshotFileTest, TheFolderOptionNeedsAFolderThatExists) {
    std::ofstream(folder / "plain-file") << "x";
    EXPECT_EQ(ScreenshotFolderProblem(folder), "");
    EXPECT_EQ(ScreenshotFolderProblem(folder / "missing"),
              "there is no folder '" + (folder / "missing").string() + "'");
    EXPECT_EQ(ScreenshotFolderProblem(folder / "plain-file"),
              "'" + (folder / "plain-file").string() + "' is not a folder");
}

}  // namespace

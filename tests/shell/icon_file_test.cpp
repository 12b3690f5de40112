// The application icon read from its picture file: the generated one, and
// files that are missing or are no picture, which give no icon.

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "shell/resources/icon_file.h"

namespace {

TEST(IconFile, TheGeneratedIconIsFoundAndDecodedAsRgba) {
    const std::optional<IconImage> icon = LoadApplicationIcon();
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(icon->width, 64);
    EXPECT_EQ(icon->height, 64);
    EXPECT_EQ(icon->rgba.size(), 64u * 64u * 4u);
    // A badge with a transparent surround: the corner is clear, the centre not.
    EXPECT_EQ(icon->rgba[3], 0);
    EXPECT_EQ(icon->rgba[(32 * 64 + 32) * 4 + 3], 255);
}

TEST(IconFile, AMissingOrDamagedFileGivesNoIcon) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    EXPECT_FALSE(LoadIconFile((folder / "quorvane-no-such-icon.png").string()).has_value());
    const std::filesystem::path damaged = folder / "quorvane-damaged-icon.png";
    std::ofstream(damaged) << "\x89PNG\r\n not really";
    EXPECT_FALSE(LoadIconFile(damaged.string()).has_value());
    std::filesystem::remove(damaged);
    EXPECT_FALSE(LoadIconFile("").has_value());
}

}  // namespace

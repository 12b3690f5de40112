// PNG writing: the file decodes to the same pixels, top row first, whichever
// row order the caller's data has.

#include "platform/image/png_writer.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <stb/stb_image.h>

namespace {

// 2 × 3 pixels, each row one colour: red, green, blue from the top.
std::vector<std::uint8_t> TopFirstRows() {
    std::vector<std::uint8_t> rgba;
    const std::uint8_t rows[3][4] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 128}};
    for (const auto& row : rows) {
        for (int column = 0; column < 2; ++column) {
            rgba.insert(rgba.end(), row, row + 4);
        }
    }
    return rgba;
}

std::vector<std::uint8_t> Decode(const std::string& path) {
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (pixels == nullptr || width != 2 || height != 3) {
        stbi_image_free(pixels);
        return {};
    }
    std::vector<std::uint8_t> result(pixels, pixels + 2 * 3 * 4);
    stbi_image_free(pixels);
    return result;
}

class PngWriterTest : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove(path_); }
    const std::string path_ =
        (std::filesystem::temp_directory_path() / "quorvane_png_writer_test.png").string();
};

TEST_F(PngWriterTest, TopFirstDataRoundTrips) {
    ASSERT_TRUE(WritePng(path_, TopFirstRows(), 2, 3));
    EXPECT_EQ(Decode(path_), TopFirstRows());
}

TEST_F(PngWriterTest, BottomFirstDataIsFlippedOnWriting) {
    const std::vector<std::uint8_t> bottomFirst = TopFirstRows();
    std::vector<std::uint8_t> flipped;
    for (int row = 2; row >= 0; --row) {
        flipped.insert(flipped.end(), bottomFirst.begin() + row * 8,
                       bottomFirst.begin() + row * 8 + 8);
    }
    ASSERT_TRUE(WritePng(path_, flipped, 2, 3, true));
    EXPECT_EQ(Decode(path_), TopFirstRows());
}

TEST_F(PngWriterTest, MismatchedSizesAndUnwritablePathsFail) {
    EXPECT_FALSE(WritePng(path_, TopFirstRows(), 3, 3));
    EXPECT_FALSE(WritePng(path_, TopFirstRows(), 0, 0));
    EXPECT_FALSE(WritePng(path_, {}, 0, 3));
    EXPECT_FALSE(std::filesystem::exists(path_));
    EXPECT_FALSE(WritePng("/nonexistent-folder/x.png", TopFirstRows(), 2, 3));
}

}  // namespace

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <filesystem>
#include <fstream>

#include "d3dx_test_support.h"
#include "platform/d3dx/d3dx_mesh.h"
#include "platform/d3dx/d3dx_texture.h"

namespace {

namespace fs = std::filesystem;

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("quorvane_texture_" +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    ~TextureTest() override {
        SafeRelease(texture);
        fs::remove_all(folder);
    }

    // A 2 × 2 picture: red, green on top; blue, half-transparent white below.
    std::string WritePng() {
        const std::uint8_t rgba[16] = {255, 0, 0,   255, 0,   255, 0,   255,
                                       0,   0, 255, 255, 255, 255, 255, 128};
        const std::string path = (folder / "tiny.png").string();
        EXPECT_NE(stbi_write_png(path.c_str(), 2, 2, 4, rgba, 8), 0);
        return path;
    }

    fs::path folder;
    d3dx_test::DeviceHolder holder;
    IDirect3DTexture9* texture = nullptr;
};

TEST_F(TextureTest, PixelsArriveAsBgraRowsTopFirst) {
    const std::string path = WritePng();
    ASSERT_EQ(D3DXCreateTextureFromFileA(holder.device, path.c_str(), &texture), D3D_OK);
    EXPECT_EQ(holder.log->Matching("CreateTexture("),
              (std::vector<std::string>{"CreateTexture(2, 2, 1, 0, 21, 1, ptr, null)"}));
    const std::vector<std::uint8_t>& bytes = RecordedBytes(texture);
    const std::vector<std::uint8_t> expected = {0,   0, 255, 255, 0,   255, 0,   255,
                                                255, 0, 0,   255, 255, 255, 255, 128};
    EXPECT_EQ(bytes, expected);
}

TEST_F(TextureTest, UnreadableFilesFailWithOneLineNamingThem) {
    struct Case {
        std::string path;
        HRESULT result;
        const char* reason;
    };
    const std::string corrupt = (folder / "corrupt.png").string();
    {
        std::ofstream file(corrupt, std::ios::binary);
        file << "\x89PNG\r\n\x1a\n but nothing else";
    }
    const std::vector<Case> cases = {
        {(folder / "absent.jpg").string(), D3DERR_NOTFOUND, ": no such file"},
        {folder.string(), D3DERR_NOTFOUND, ": is a directory"},
        {corrupt, D3DXERR_INVALIDDATA, ": truncated"},
    };
    for (const Case& c : cases) {
        d3dx_test::StderrCapture errors;
        EXPECT_EQ(D3DXCreateTextureFromFileA(holder.device, c.path.c_str(), &texture), c.result)
            << c.path;
        EXPECT_EQ(texture, nullptr);
        const std::vector<std::string> lines = errors.Lines();
        ASSERT_EQ(lines.size(), 1u) << c.path;
        EXPECT_NE(lines[0].find(c.path), std::string::npos) << lines[0];
        EXPECT_NE(lines[0].find(c.reason), std::string::npos) << lines[0];
    }
}

TEST_F(TextureTest, ADeviceThatRefusesTheTextureFailsTheLoad) {
    const std::string path = WritePng();
    holder.device->createResourceResult = D3DERR_OUTOFVIDEOMEMORY;
    d3dx_test::StderrCapture errors;
    EXPECT_EQ(D3DXCreateTextureFromFileA(holder.device, path.c_str(), &texture),
              D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(errors.Lines().size(), 1u);
}

TEST_F(TextureTest, TruncatedAndFlippedImagesNeverCrash) {
    const std::vector<std::uint8_t> png = d3dx_test::ReadBytes(WritePng());
    for (std::size_t length = 0; length <= png.size(); ++length) {
        d3dx_test::StderrCapture quiet;
        const HRESULT result = D3DXCreateTextureFromFileInMemoryNamed(holder.device, png.data(),
                                                                      length, "cut.png", &texture);
        // Cut before its pixel data ends, the picture cannot be decoded.
        if (length <= png.size() / 2) {
            EXPECT_EQ(result, D3DXERR_INVALIDDATA) << length;
        } else if (length == png.size()) {
            EXPECT_EQ(result, D3D_OK);
        }
        SafeRelease(texture);
    }
    for (std::size_t at = 0; at < png.size(); ++at) {
        std::vector<std::uint8_t> flipped = png;
        flipped[at] ^= 0xA5;
        d3dx_test::StderrCapture quiet;
        if (SUCCEEDED(D3DXCreateTextureFromFileInMemoryNamed(
                holder.device, flipped.data(), flipped.size(), "flipped.png", &texture))) {
            SafeRelease(texture);
        }
    }
}

}  // namespace

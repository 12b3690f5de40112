#include <gtest/gtest.h>

#include <cstring>

#include "platform/gfx/recording/recording_device.h"

namespace {

class RecordingResourcesTest : public ::testing::Test {
protected:
    ~RecordingResourcesTest() override { device->Release(); }

    std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
    RecordingDevice* device = new RecordingDevice(log, CapableCaps(), D3DPRESENT_PARAMETERS{});
};

TEST_F(RecordingResourcesTest, VertexBufferLockWritesReachTheRecordedBytes) {
    IDirect3DVertexBuffer9* buffer = nullptr;
    ASSERT_EQ(device->CreateVertexBuffer(24, D3DUSAGE_WRITEONLY, D3DFVF_XYZ, D3DPOOL_MANAGED,
                                         &buffer, nullptr),
              D3D_OK);
    const float vertices[6] = {1, 2, 3, 4, 5, 6};
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);
    std::memcpy(data, vertices, sizeof vertices);
    ASSERT_EQ(buffer->Unlock(), D3D_OK);

    std::vector<std::uint8_t>& bytes = RecordedBytes(buffer);
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(std::memcmp(bytes.data(), vertices, sizeof vertices), 0);

    ASSERT_EQ(buffer->Lock(12, 12, &data, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(static_cast<float*>(data)[0], 4.0f);
    EXPECT_EQ(buffer->Unlock(), D3D_OK);

    D3DVERTEXBUFFER_DESC description;
    ASSERT_EQ(buffer->GetDesc(&description), D3D_OK);
    EXPECT_EQ(description.Size, 24u);
    EXPECT_EQ(description.FVF, D3DFVF_XYZ);
    EXPECT_EQ(description.Usage, D3DUSAGE_WRITEONLY);
    EXPECT_EQ(log->Matching("VertexBuffer.Lock("),
              (std::vector<std::string>{"VertexBuffer.Lock(0, 0, ptr, 0)",
                                        "VertexBuffer.Lock(12, 12, ptr, 16)"}));
    buffer->Release();
}

TEST_F(RecordingResourcesTest, BufferLocksOutsideTheBufferAreRefused) {
    IDirect3DIndexBuffer9* buffer = nullptr;
    ASSERT_EQ(device->CreateIndexBuffer(12, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &buffer, nullptr),
              D3D_OK);
    void* data = nullptr;
    EXPECT_EQ(buffer->Lock(12, 0, &data, 0), D3D_OK);  // empty range at the end
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
    EXPECT_EQ(buffer->Lock(8, 8, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Lock(13, 0, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Lock(0xFFFFFFF0u, 0x20, &data, 0), D3DERR_INVALIDCALL);  // would wrap
    EXPECT_EQ(buffer->Lock(0, 0, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Unlock(), D3DERR_INVALIDCALL);  // nothing is locked

    ASSERT_EQ(buffer->Lock(4, 8, &data, 0), D3D_OK);
    const std::uint16_t indices[4] = {0, 1, 2, 3};
    std::memcpy(data, indices, sizeof indices);
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
    EXPECT_EQ(RecordedBytes(buffer)[4], 0);
    EXPECT_EQ(RecordedBytes(buffer)[6], 1);
    EXPECT_EQ(RecordedBytes(buffer)[10], 3);
    buffer->Release();
}

TEST_F(RecordingResourcesTest, TextureLevelsHaveTheirOwnStorageAndPitch) {
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(
        device->CreateTexture(8, 2, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3D_OK);
    EXPECT_EQ(texture->GetLevelCount(), 4u);  // 8×2, 4×1, 2×1, 1×1
    D3DSURFACE_DESC description;
    ASSERT_EQ(texture->GetLevelDesc(3, &description), D3D_OK);
    EXPECT_EQ(description.Width, 1u);
    EXPECT_EQ(description.Height, 1u);
    EXPECT_EQ(texture->GetLevelDesc(4, &description), D3DERR_INVALIDCALL);

    D3DLOCKED_RECT locked;
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(locked.Pitch, 32);
    auto* row1 = static_cast<std::uint8_t*>(locked.pBits) + locked.Pitch;
    row1[4 * 7 + 2] = 0xEE;  // red of the last pixel in the second row
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);  // already locked
    ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
    EXPECT_EQ(texture->UnlockRect(0), D3DERR_INVALIDCALL);
    ASSERT_EQ(RecordedBytes(texture).size(), 64u);
    EXPECT_EQ(RecordedBytes(texture)[32 + 28 + 2], 0xEE);

    const RECT rect{2, 1, 4, 2};
    ASSERT_EQ(texture->LockRect(0, &locked, &rect, 0), D3D_OK);
    EXPECT_EQ(static_cast<std::uint8_t*>(locked.pBits) - RecordedBytes(texture).data(), 32 + 8);
    texture->UnlockRect(0);
    const RECT outside{6, 0, 9, 1};
    EXPECT_EQ(texture->LockRect(0, &locked, &outside, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture->LockRect(4, &locked, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(log->Lines().back(), "Texture.LockRect(4, ptr, null, 0)");
    texture->Release();
}

TEST_F(RecordingResourcesTest, CompressedTexturesAreStoredAsBlocks) {
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(8, 8, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED, &texture, nullptr),
              D3D_OK);
    D3DLOCKED_RECT locked;
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(locked.Pitch, 16);  // two 8-byte blocks per block row
    texture->UnlockRect(0);
    EXPECT_EQ(RecordedBytes(texture).size(), 32u);
    texture->Release();

    ASSERT_EQ(device->CreateTexture(2, 2, 1, 0, D3DFMT_DXT3, D3DPOOL_MANAGED, &texture, nullptr),
              D3D_OK);
    EXPECT_EQ(RecordedBytes(texture).size(), 16u);  // a partial block still takes a whole one
    texture->Release();
}

}  // namespace

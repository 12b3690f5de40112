// Instanced drawing on the OpenGL device: stream 0's geometry drawn once per
// world matrix of the instance stream, and the draws the contract refuses.

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "opengl_test_support.h"

namespace {

constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kRed{255, 0, 0, 255};

// A red square a quarter of the target wide at the left edge, as a strip of
// four indexed vertices, and an instance stream of three matrices that move
// it right by 0, 0.5 and 1 (clip space).
class OpenGLInstancingTest : public OpenGLFixture {
protected:
    void SetUp() override {
        OpenGLFixture::SetUp();
        CreateDevice();
        UsePlainState();
        const std::vector<ColorVertex> square = {{-1.0f, 0.5f, 0.5f, 0xFFFF0000},
                                                 {-0.5f, 0.5f, 0.5f, 0xFFFF0000},
                                                 {-1.0f, -0.5f, 0.5f, 0xFFFF0000},
                                                 {-0.5f, -0.5f, 0.5f, 0xFFFF0000}};
        vertices_ = Make<IDirect3DVertexBuffer9>(square, kColorVertexFormat);
        indices_ = Make<IDirect3DIndexBuffer9>(std::vector<std::uint16_t>{0, 1, 2, 3}, 0);
        std::vector<D3DMATRIX> worlds(3);
        for (int i = 0; i < 3; ++i) {
            worlds[i].m[3][0] = 0.5f * static_cast<float>(i);
        }
        instances_ = Make<IDirect3DVertexBuffer9>(worlds, 0);
        device_->SetFVF(kColorVertexFormat);
        device_->SetStreamSource(0, vertices_, 0, sizeof(ColorVertex));
        device_->SetIndices(indices_);
        device_->SetStreamSource(kInstanceStream, instances_, 0, kInstanceMatrixBytes);
    }
    void TearDown() override {
        SafeRelease(vertices_);
        SafeRelease(indices_);
        SafeRelease(instances_);
        OpenGLFixture::TearDown();
    }

    template <class Buffer, class T>
    Buffer* Make(const std::vector<T>& values, DWORD vertexFormat) {
        const auto bytes = static_cast<UINT>(values.size() * sizeof(T));
        Buffer* buffer = nullptr;
        if constexpr (std::is_same_v<Buffer, IDirect3DIndexBuffer9>) {
            device_->CreateIndexBuffer(bytes, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &buffer, nullptr);
        } else {
            device_->CreateVertexBuffer(bytes, 0, vertexFormat, D3DPOOL_MANAGED, &buffer, nullptr);
        }
        void* data = nullptr;
        buffer->Lock(0, 0, &data, 0);
        std::copy(values.begin(), values.end(), static_cast<T*>(data));
        buffer->Unlock();
        return buffer;
    }
    HRESULT DrawSquare() {
        return device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, 4, 0, 2);
    }
    // The centre of the quarter column of the target, 0 to 3.
    Rgba Column(UINT quarter) { return Pixel(quarter * kWidth / 4 + kWidth / 8, kHeight / 2); }

    IDirect3DVertexBuffer9* vertices_ = nullptr;
    IDirect3DIndexBuffer9* indices_ = nullptr;
    IDirect3DVertexBuffer9* instances_ = nullptr;
};

TEST_F(OpenGLInstancingTest, EachInstanceDrawsTheGeometryAtItsOwnWorldMatrix) {
    ASSERT_EQ(device_->SetStreamSourceFreq(0, D3DSTREAMSOURCE_INDEXEDDATA | 3), D3D_OK);
    ASSERT_EQ(device_->SetStreamSourceFreq(kInstanceStream, D3DSTREAMSOURCE_INSTANCEDATA | 1),
              D3D_OK);
    ASSERT_EQ(DrawSquare(), D3D_OK);
    for (UINT quarter = 0; quarter < 3; ++quarter) {
        EXPECT_TRUE(Near(Column(quarter), kRed)) << quarter;
    }
    EXPECT_TRUE(Near(Column(3), kBlack));
    EXPECT_TRUE(Near(Pixel(kWidth / 8, 2), kBlack)) << "instances keep the geometry's height";

    // Frequency 1 on both streams: one square at the world transform again.
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    device_->SetStreamSourceFreq(0, 1);
    device_->SetStreamSourceFreq(kInstanceStream, 1);
    ASSERT_EQ(DrawSquare(), D3D_OK);
    EXPECT_TRUE(Near(Column(0), kRed));
    EXPECT_TRUE(Near(Column(1), kBlack));
}

TEST_F(OpenGLInstancingTest, SettingsAndDrawsOutsideTheContractAreRefused) {
    const struct {
        UINT stream;
        UINT setting;
    } refused[] = {
        {0, D3DSTREAMSOURCE_INDEXEDDATA},       // no instances
        {0, D3DSTREAMSOURCE_INSTANCEDATA | 1},  // stream 0 holds the geometry
        {0, 0},
        {kInstanceStream, D3DSTREAMSOURCE_INSTANCEDATA | 2},
        {kInstanceStream, D3DSTREAMSOURCE_INDEXEDDATA | 3},
        {2, D3DSTREAMSOURCE_INSTANCEDATA | 1},
    };
    for (const auto& bad : refused) {
        EXPECT_EQ(device_->SetStreamSourceFreq(bad.stream, bad.setting), D3DERR_INVALIDCALL)
            << bad.stream << ", " << bad.setting;
    }
    // Four instances of a stream that holds three, and a stride shorter
    // than a matrix.
    device_->SetStreamSourceFreq(0, D3DSTREAMSOURCE_INDEXEDDATA | 4);
    device_->SetStreamSourceFreq(kInstanceStream, D3DSTREAMSOURCE_INSTANCEDATA | 1);
    EXPECT_EQ(DrawSquare(), D3DERR_INVALIDCALL);
    device_->SetStreamSourceFreq(0, D3DSTREAMSOURCE_INDEXEDDATA | 2);
    device_->SetStreamSource(kInstanceStream, instances_, 0, 32);
    EXPECT_EQ(DrawSquare(), D3DERR_INVALIDCALL);
    device_->SetStreamSource(kInstanceStream, nullptr, 0, 0);
    EXPECT_EQ(DrawSquare(), D3DERR_INVALIDCALL);
    EXPECT_TRUE(Near(Column(0), kBlack));
}

}  // namespace

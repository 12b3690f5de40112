// Rendering tests of the OpenGL device: each draws with the device and reads
// the back buffer's pixels back (top row first).

#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "opengl_test_support.h"
#include "platform/window/window.h"

namespace {

constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

constexpr D3DCOLOR kRedColor = 0xFFFF0000;
constexpr D3DCOLOR kGreenColor = 0xFF00FF00;
constexpr D3DCOLOR kBlueColor = 0xFF0000FF;
constexpr D3DCOLOR kWhiteColor = 0xFFFFFFFF;

// Left-handed perspective projection (depth 0 at zNear, 1 at zFar), row
// vectors, as the program's cameras build it.
D3DMATRIX Perspective(float fovY, float aspect, float zNear, float zFar) {
    const float yScale = 1.0f / std::tan(fovY / 2);
    D3DMATRIX m;
    m.m[0][0] = yScale / aspect;
    m.m[1][1] = yScale;
    m.m[2][2] = zFar / (zFar - zNear);
    m.m[2][3] = 1.0f;
    m.m[3][2] = -zNear * zFar / (zFar - zNear);
    m.m[3][3] = 0.0f;
    return m;
}

class OpenGLDeviceTest : public OpenGLFixture {
protected:
    void SetUp() override {
        OpenGLFixture::SetUp();
        CreateDevice();
        UsePlainState();
    }

    Rgba Center() { return Pixel(kWidth / 2, kHeight / 2); }
};

// ---- Culling by screen-space winding ----

// Clockwise on screen: bottom-left, top, bottom-right (clip y points up).
const std::vector<ColorVertex> kClockwise = {
    {-0.8f, -0.8f, 0.5f, kRedColor}, {0.0f, 0.8f, 0.5f, kRedColor}, {0.8f, -0.8f, 0.5f, kRedColor}};
const std::vector<ColorVertex> kCounterClockwise = {
    {-0.8f, -0.8f, 0.5f, kRedColor}, {0.8f, -0.8f, 0.5f, kRedColor}, {0.0f, 0.8f, 0.5f, kRedColor}};

TEST_F(OpenGLDeviceTest, CullCcwDrawsClockwiseAndDropsCounterClockwiseTriangles) {
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    ASSERT_EQ(Draw(kCounterClockwise, kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kBlack));
    ASSERT_EQ(Draw(kClockwise, kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kRed));
}

TEST_F(OpenGLDeviceTest, CullCwDropsClockwiseTriangles) {
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    ASSERT_EQ(Draw(kClockwise, kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kBlack));
    ASSERT_EQ(Draw(kCounterClockwise, kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kRed));
}

TEST_F(OpenGLDeviceTest, CullNoneDrawsBothWindings) {
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    ASSERT_EQ(Draw(kCounterClockwise, kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kRed));
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    ASSERT_EQ(Draw(kClockwise, kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kRed));
}

TEST_F(OpenGLDeviceTest, TopOfClipSpaceIsTheFirstRowReadBack) {
    ASSERT_EQ(Draw(Quad(-1, 0, 1, 1, 0.5f, kGreenColor), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Pixel(kWidth / 2, 2), kGreen));
    EXPECT_TRUE(Near(Pixel(kWidth / 2, kHeight - 3), kBlack));
}

TEST_F(OpenGLDeviceTest, VertexColoursAreReadAsArgb) {
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.5f, 0xFF204080), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), {0x20, 0x40, 0x80, 255}));
}

// ---- Depth ----

class OpenGLDepthTest : public OpenGLFixture, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        OpenGLFixture::SetUp();
        OpenGLOptions options;
        options.allowClipControl = GetParam();
        CreateDevice(options);
        UsePlainState();
    }
    Rgba Center() { return Pixel(kWidth / 2, kHeight / 2); }
};

TEST_P(OpenGLDepthTest, NearerSurfaceWinsWhateverTheDrawingOrder) {
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.2f, kRedColor), kColorVertexFormat), D3D_OK);
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.8f, kGreenColor), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kRed));
}

TEST_P(OpenGLDepthTest, DepthTestOffDrawsInOrder) {
    device_->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.2f, kRedColor), kColorVertexFormat), D3D_OK);
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.8f, kGreenColor), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kGreen));
}

TEST_P(OpenGLDepthTest, SurfaceWithoutDepthWritesDoesNotHideLaterOnes) {
    device_->SetRenderState(D3DRS_ZWRITEENABLE, 0);
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.2f, kRedColor), kColorVertexFormat), D3D_OK);
    device_->SetRenderState(D3DRS_ZWRITEENABLE, 1);
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.8f, kGreenColor), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kGreen));
}

TEST_P(OpenGLDepthTest, DepthOutsideZeroToOneIsClipped) {
    // OpenGL's own convention would keep z = -0.5; the device's 0..1 clips it.
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, -0.5f, kRedColor), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kBlack));
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.0f, kGreenColor), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kGreen));
}

TEST_P(OpenGLDepthTest, ViewportDepthRangeScalesStoredDepth) {
    // Drawn with MaxZ 0.5, depth 0.9 is stored as 0.45 and hides depth 0.5.
    D3DVIEWPORT9 viewport{0, 0, kWidth, kHeight, 0.0f, 0.5f};
    ASSERT_EQ(device_->SetViewport(&viewport), D3D_OK);
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.9f, kRedColor), kColorVertexFormat), D3D_OK);
    viewport.MaxZ = 1.0f;
    ASSERT_EQ(device_->SetViewport(&viewport), D3D_OK);
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.5f, kGreenColor), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kRed));
}

INSTANTIATE_TEST_SUITE_P(ClipControlAndShaderRemap, OpenGLDepthTest, ::testing::Bool(),
                         [](const auto& info) {
                             return info.param ? "ClipControl" : "ShaderRemap";
                         });

// ---- Fog ----

class OpenGLFogTest : public OpenGLDeviceTest {
protected:
    void SetUp() override {
        OpenGLDeviceTest::SetUp();
        const D3DMATRIX projection = Perspective(1.0f, 4.0f / 3.0f, 1.0f, 5000.0f);
        device_->SetTransform(D3DTS_PROJECTION, &projection);
        device_->SetRenderState(D3DRS_FOGENABLE, 1);
        device_->SetRenderState(D3DRS_FOGCOLOR, 0x00004080);
        device_->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_EXP);
        device_->SetRenderState(D3DRS_FOGDENSITY, FloatToDword(0.001f));
    }

    // A white wall across the view at view-space depth z.
    void DrawWallAt(float z) {
        const float half = z;  // wider than the view at any depth
        ASSERT_EQ(Draw(Quad(-half, -half, half, half, z, kWhiteColor), kColorVertexFormat), D3D_OK);
    }

    // White blended toward the fog colour (0, 0x40, 0x80) by exp(-0.001 z).
    static Rgba Expected(float z) {
        const double f = std::exp(-0.001 * z);
        const auto channel = [f](double fog) {
            return static_cast<int>(std::lround((f + (1 - f) * fog / 255.0) * 255.0));
        };
        return {channel(0), channel(0x40), channel(0x80), 255};
    }
};

TEST_F(OpenGLFogTest, ExponentialFogFollowsViewDepth) {
    DrawWallAt(500.0f);
    EXPECT_TRUE(Near(Center(), Expected(500.0f), 2));
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    DrawWallAt(1500.0f);
    EXPECT_TRUE(Near(Center(), Expected(1500.0f), 2));
}

TEST_F(OpenGLFogTest, FogUsesTheViewTransformsDepth) {
    // The same wall, placed by the view 1000 units further away.
    D3DMATRIX view;
    view.m[3][2] = 1000.0f;
    device_->SetTransform(D3DTS_VIEW, &view);
    DrawWallAt(500.0f);
    EXPECT_TRUE(Near(Center(), Expected(1500.0f), 2));
}

TEST_F(OpenGLFogTest, DisabledFogLeavesColoursAlone) {
    device_->SetRenderState(D3DRS_FOGENABLE, 0);
    DrawWallAt(1500.0f);
    EXPECT_TRUE(Near(Center(), kWhite));
}

// ---- Textures ----

class OpenGLTextureTest : public OpenGLDeviceTest {
protected:
    void SetUp() override {
        OpenGLDeviceTest::SetUp();
        // Top row red, green; bottom row blue, white.
        texture_ = MakeTexture(2, 2, {kRedColor, kGreenColor, kBlueColor, kWhiteColor});
        device_->SetTexture(0, texture_);
        device_->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
        device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    }
    void TearDown() override {
        SafeRelease(texture_);
        OpenGLDeviceTest::TearDown();
    }

    // A full-screen quad with texture coordinates (0, 0) top-left to
    // (uMax, vMax) bottom-right.
    HRESULT DrawTexturedScreen(float uMax, float vMax, D3DCOLOR color = kWhiteColor) {
        const std::vector<TexturedVertex> quad = {{-1, 1, 0.5f, color, 0, 0},
                                                  {1, 1, 0.5f, color, uMax, 0},
                                                  {-1, -1, 0.5f, color, 0, vMax},
                                                  {1, -1, 0.5f, color, uMax, vMax}};
        return Draw(quad, kTexturedVertexFormat, D3DPT_TRIANGLESTRIP);
    }

    // The pixel at fraction (fx, fy) of the screen, top-left origin.
    Rgba At(float fx, float fy) {
        return Pixel(static_cast<UINT>(fx * kWidth), static_cast<UINT>(fy * kHeight));
    }

    IDirect3DTexture9* texture_ = nullptr;
};

TEST_F(OpenGLTextureTest, VZeroIsTheImagesTopRow) {
    ASSERT_EQ(DrawTexturedScreen(1, 1), D3D_OK);
    EXPECT_TRUE(Near(At(0.25f, 0.25f), kRed));
    EXPECT_TRUE(Near(At(0.75f, 0.25f), kGreen));
    EXPECT_TRUE(Near(At(0.25f, 0.75f), kBlue));
    EXPECT_TRUE(Near(At(0.75f, 0.75f), kWhite));
}

TEST_F(OpenGLTextureTest, WrapRepeatsClampStretchesTheEdgeMirrorReflects) {
    // u runs 0..2 across the screen; at 7/8 of the width u is 1.75.
    ASSERT_EQ(DrawTexturedScreen(2, 1), D3D_OK);
    EXPECT_TRUE(Near(At(0.875f, 0.25f), kGreen));  // wrap: 0.75
    EXPECT_TRUE(Near(At(0.625f, 0.25f), kRed));    // wrap: 0.25

    device_->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    ASSERT_EQ(DrawTexturedScreen(2, 1), D3D_OK);
    EXPECT_TRUE(Near(At(0.625f, 0.25f), kGreen));  // clamp: the right edge
    EXPECT_TRUE(Near(At(0.875f, 0.25f), kGreen));

    device_->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_MIRROR);
    ASSERT_EQ(DrawTexturedScreen(2, 1), D3D_OK);
    EXPECT_TRUE(Near(At(0.625f, 0.25f), kGreen));  // mirror: 0.75
    EXPECT_TRUE(Near(At(0.875f, 0.25f), kRed));    // mirror: 0.25
}

TEST_F(OpenGLTextureTest, AddressModesAreKeptPerAxis) {
    device_->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    ASSERT_EQ(DrawTexturedScreen(2, 2), D3D_OK);
    // v wraps (1.75 → 0.75: bottom row) while u clamps to the right column.
    EXPECT_TRUE(Near(At(0.875f, 0.875f), kWhite));
    EXPECT_TRUE(Near(At(0.875f, 0.625f), kGreen));
}

TEST_F(OpenGLTextureTest, TextureIsModulatedByTheVertexColour) {
    ASSERT_EQ(DrawTexturedScreen(1, 1, 0xFF808080), D3D_OK);
    EXPECT_TRUE(Near(At(0.75f, 0.75f), {128, 128, 128, 255}));
    EXPECT_TRUE(Near(At(0.25f, 0.25f), {128, 0, 0, 255}));
}

TEST_F(OpenGLTextureTest, WithoutVertexColourTheMaterialDiffuseModulates) {
    struct Vertex {
        float x, y, z, u, v;
    };
    D3DMATERIAL9 material;
    material.Diffuse = {0.5f, 0.25f, 1.0f, 1.0f};
    device_->SetMaterial(&material);
    const std::vector<Vertex> quad = {
        {-1, 1, 0.5f, 0, 0}, {1, 1, 0.5f, 1, 0}, {-1, -1, 0.5f, 0, 1}, {1, -1, 0.5f, 1, 1}};
    ASSERT_EQ(Draw(quad, D3DFVF_XYZ | D3DFVF_TEX1, D3DPT_TRIANGLESTRIP), D3D_OK);
    EXPECT_TRUE(Near(At(0.75f, 0.75f), {128, 64, 255, 255}));
}

TEST_F(OpenGLTextureTest, WithoutATextureTheDiffuseColourShows) {
    device_->SetTexture(0, nullptr);
    ASSERT_EQ(DrawTexturedScreen(1, 1, 0xFF336699), D3D_OK);
    EXPECT_TRUE(Near(At(0.25f, 0.25f), {0x33, 0x66, 0x99, 255}));
}

TEST_F(OpenGLTextureTest, SelectArg1ShowsTheTextureAlone) {
    device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    ASSERT_EQ(DrawTexturedScreen(1, 1, 0xFF000000), D3D_OK);
    EXPECT_TRUE(Near(At(0.75f, 0.25f), kGreen));
}

TEST_F(OpenGLTextureTest, BoundTextureOutlivesTheCallersRelease) {
    // The device holds its own reference, as the classic device does.
    SafeRelease(texture_);
    ASSERT_EQ(DrawTexturedScreen(1, 1), D3D_OK);
    EXPECT_TRUE(Near(At(0.25f, 0.25f), kRed));
    EXPECT_EQ(device_->SetTexture(0, nullptr), D3D_OK);
}

TEST_F(OpenGLTextureTest, RelockedSubRectangleUpdatesOnlyThoseTexels) {
    D3DLOCKED_RECT locked;
    const RECT bottomRight{1, 1, 2, 2};
    ASSERT_EQ(texture_->LockRect(0, &locked, &bottomRight, 0), D3D_OK);
    *static_cast<D3DCOLOR*>(locked.pBits) = 0xFF000000;
    ASSERT_EQ(texture_->UnlockRect(0), D3D_OK);
    ASSERT_EQ(DrawTexturedScreen(1, 1), D3D_OK);
    EXPECT_TRUE(Near(At(0.75f, 0.75f), kBlack));
    EXPECT_TRUE(Near(At(0.25f, 0.75f), kBlue));
}

// ---- Clear and viewport ----

TEST_F(OpenGLDeviceTest, ClearFillsWithTheColourAndKeepsAlphaOpaque) {
    // The program's clear colours have a zero top byte; the X8R8G8B8 back
    // buffer stays opaque.
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00336699, 1.0f, 0), D3D_OK);
    EXPECT_TRUE(Near(Pixel(0, 0), {0x33, 0x66, 0x99, 255}));
    EXPECT_TRUE(Near(Pixel(kWidth - 1, kHeight - 1), {0x33, 0x66, 0x99, 255}));
}

TEST_F(OpenGLDeviceTest, ClearRectanglesUseTopLeftOrigin) {
    const D3DRECT topLeft{0, 0, 8, 8};
    ASSERT_EQ(device_->Clear(1, &topLeft, D3DCLEAR_TARGET, kGreenColor, 1.0f, 0), D3D_OK);
    EXPECT_TRUE(Near(Pixel(2, 2), kGreen));
    EXPECT_TRUE(Near(Pixel(2, kHeight - 3), kBlack));
    EXPECT_TRUE(Near(Pixel(12, 2), kBlack));
}

TEST_F(OpenGLDeviceTest, ClearIsConfinedToTheViewport) {
    const D3DVIEWPORT9 rightHalf{kWidth / 2, 0, kWidth / 2, kHeight, 0.0f, 1.0f};
    ASSERT_EQ(device_->SetViewport(&rightHalf), D3D_OK);
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, kBlueColor, 1.0f, 0), D3D_OK);
    EXPECT_TRUE(Near(Pixel(kWidth - 2, 2), kBlue));
    EXPECT_TRUE(Near(Pixel(2, 2), kBlack));
}

TEST_F(OpenGLDeviceTest, ClearDepthDecidesWhatIsDrawnAfterwards) {
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 0.3f, 0), D3D_OK);
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.5f, kRedColor), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kBlack));
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.2f, kRedColor), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kRed));
}

TEST_F(OpenGLDeviceTest, ViewportPlacesClipSpaceInTheTopRightQuadrant) {
    const D3DVIEWPORT9 topRight{kWidth / 2, 0, kWidth / 2, kHeight / 2, 0.0f, 1.0f};
    ASSERT_EQ(device_->SetViewport(&topRight), D3D_OK);
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.5f, kGreenColor), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Pixel(3 * kWidth / 4, kHeight / 4), kGreen));
    EXPECT_TRUE(Near(Pixel(kWidth / 4, kHeight / 4), kBlack));
    EXPECT_TRUE(Near(Pixel(3 * kWidth / 4, 3 * kHeight / 4), kBlack));
}

TEST_F(OpenGLDeviceTest, ViewportOutsideTheBackBufferIsRefused) {
    D3DVIEWPORT9 viewport{kWidth / 2, 0, kWidth, kHeight, 0.0f, 1.0f};
    EXPECT_EQ(device_->SetViewport(&viewport), D3DERR_INVALIDCALL);
    viewport = {0, 0, kWidth, kHeight, 0.6f, 0.4f};
    EXPECT_EQ(device_->SetViewport(&viewport), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->SetViewport(nullptr), D3DERR_INVALIDCALL);
    D3DVIEWPORT9 current;
    ASSERT_EQ(device_->GetViewport(&current), D3D_OK);
    EXPECT_EQ(current.Width, kWidth);
    EXPECT_EQ(current.MaxZ, 1.0f);
}

// ---- Indexed drawing ----

class OpenGLIndexedTest : public OpenGLDeviceTest {
protected:
    // Two quads as strips of four vertices each, like one sky-box face after
    // another: the left half red, the right half green.
    void SetUp() override {
        OpenGLDeviceTest::SetUp();
        const std::vector<ColorVertex> vertices = {
            {-1, 1, 0.5f, kRedColor},   {0, 1, 0.5f, kRedColor},   {-1, -1, 0.5f, kRedColor},
            {0, -1, 0.5f, kRedColor},   {0, 1, 0.5f, kGreenColor}, {1, 1, 0.5f, kGreenColor},
            {0, -1, 0.5f, kGreenColor}, {1, -1, 0.5f, kGreenColor}};
        ASSERT_EQ(device_->CreateVertexBuffer(sizeof(ColorVertex) * 8, 0, kColorVertexFormat,
                                              D3DPOOL_MANAGED, &vertices_, nullptr),
                  D3D_OK);
        Fill(vertices_, vertices);
        ASSERT_EQ(device_->CreateIndexBuffer(8 * 2, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices_,
                                             nullptr),
                  D3D_OK);
        Fill(indices_, std::vector<std::uint16_t>{0, 1, 2, 3, 4, 5, 6, 7});
        device_->SetFVF(kColorVertexFormat);
        device_->SetStreamSource(0, vertices_, 0, sizeof(ColorVertex));
        device_->SetIndices(indices_);
    }
    void TearDown() override {
        SafeRelease(vertices_);
        SafeRelease(indices_);
        OpenGLDeviceTest::TearDown();
    }

    template <class Buffer, class T>
    static void Fill(Buffer* buffer, const std::vector<T>& values) {
        void* data = nullptr;
        ASSERT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);
        std::copy(values.begin(), values.end(), static_cast<T*>(data));
        ASSERT_EQ(buffer->Unlock(), D3D_OK);
    }

    IDirect3DVertexBuffer9* vertices_ = nullptr;
    IDirect3DIndexBuffer9* indices_ = nullptr;
};

TEST_F(OpenGLIndexedTest, StartIndexSelectsTheSecondStrip) {
    ASSERT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, 8, 4, 2), D3D_OK);
    EXPECT_TRUE(Near(Pixel(kWidth / 4, kHeight / 2), kBlack));
    EXPECT_TRUE(Near(Pixel(3 * kWidth / 4, kHeight / 2), kGreen));
}

TEST_F(OpenGLIndexedTest, BaseVertexShiftsEveryIndex) {
    ASSERT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 4, 0, 4, 0, 2), D3D_OK);
    EXPECT_TRUE(Near(Pixel(3 * kWidth / 4, kHeight / 2), kGreen));
    EXPECT_TRUE(Near(Pixel(kWidth / 4, kHeight / 2), kBlack));
}

TEST_F(OpenGLIndexedTest, DrawsReadingOutsideTheirBuffersAreRefused) {
    // Indices past the index buffer, vertices past the vertex buffer.
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, 8, 6, 2),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 1, 0, 8, 4, 2),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, -1, 0, 8, 0, 2),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 5, 2), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 0xFFFFFFFFu), D3DERR_INVALIDCALL);
    // A stride shorter than the vertex format reads past each vertex.
    device_->SetStreamSource(0, vertices_, 0, 8);
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL);
    EXPECT_TRUE(Near(Center(), kBlack));
}

TEST_F(OpenGLIndexedTest, RewrittenIndicesAreCheckedAgain) {
    ASSERT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, 8, 4, 2), D3D_OK);
    // The same run of indices now names vertex 9 of 8.
    Fill(indices_, std::vector<std::uint16_t>{0, 1, 2, 3, 4, 5, 6, 9});
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, 8, 4, 2),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, 8, 0, 2), D3D_OK);
    // A lock held for writing: the bytes are checked as they stand.
    void* data = nullptr;
    ASSERT_EQ(indices_->Lock(0, 0, &data, 0), D3D_OK);
    static_cast<std::uint16_t*>(data)[7] = 7;
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, 8, 4, 2), D3D_OK);
    static_cast<std::uint16_t*>(data)[7] = 8;
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, 8, 4, 2),
              D3DERR_INVALIDCALL);
    ASSERT_EQ(indices_->Unlock(), D3D_OK);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, 8, 4, 2),
              D3DERR_INVALIDCALL);
}

TEST_F(OpenGLIndexedTest, DrawingWithoutIndicesOrStreamIsRefused) {
    device_->SetIndices(nullptr);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, 8, 0, 2),
              D3DERR_INVALIDCALL);
    device_->SetStreamSource(0, nullptr, 0, 0);
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL);
}

// ---- Life: present, reset, presented image ----

TEST_F(OpenGLDeviceTest, PresentedImageAppearsOnlyAfterPresent) {
    EXPECT_EQ(device_->GetPresentedImage().texture, 0u);
    EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    const PresentedImage image = device_->GetPresentedImage();
    EXPECT_NE(image.texture, 0u);
    EXPECT_EQ(image.width, kWidth);
    EXPECT_EQ(image.height, kHeight);
    EXPECT_TRUE(image.bottomRowFirst);
    const RECT rect{};
    EXPECT_EQ(device_->Present(&rect, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
}

TEST_F(OpenGLDeviceTest, ResetResizesTheBackBufferKeepsItsTextureAndRestoresDefaults) {
    ASSERT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    const std::uintptr_t texture = device_->GetPresentedImage().texture;
    D3DPRESENT_PARAMETERS parameters = WindowedParameters();
    parameters.BackBufferWidth = 40;
    parameters.BackBufferHeight = 30;
    ASSERT_EQ(device_->Reset(&parameters), D3D_OK);

    DWORD lighting = 0;
    device_->GetRenderState(D3DRS_LIGHTING, &lighting);
    EXPECT_EQ(lighting, 1u);
    D3DVIEWPORT9 viewport;
    device_->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 40u);
    EXPECT_EQ(viewport.Height, 30u);

    std::vector<std::uint8_t> rgba;
    UINT width = 0;
    UINT height = 0;
    ASSERT_EQ(device_->ReadBackBuffer(rgba, width, height), D3D_OK);
    EXPECT_EQ(width, 40u);
    EXPECT_EQ(height, 30u);
    EXPECT_EQ(rgba.size(), 40u * 30u * 4u);
    ASSERT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(device_->GetPresentedImage().texture, texture);
}

TEST_F(OpenGLDeviceTest, ResetWithZeroSizeFollowsTheWindow) {
    window_->SetPlacement(0, 0, 80, 60);
    D3DPRESENT_PARAMETERS parameters = WindowedParameters();
    ASSERT_EQ(device_->Reset(&parameters), D3D_OK);
    EXPECT_EQ(parameters.BackBufferWidth, 80u);
    EXPECT_EQ(parameters.BackBufferHeight, 60u);
}

TEST_F(OpenGLDeviceTest, ScenesDoNotNest) {
    EXPECT_EQ(device_->EndScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->BeginScene(), D3D_OK);
    EXPECT_EQ(device_->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->EndScene(), D3D_OK);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3D_OK);
}

// ---- Resources ----

TEST_F(OpenGLDeviceTest, ResourceCreationRefusesWhatItCannotMake) {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(
        device_->CreateTexture(0, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->CreateTexture(4, 4, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED, &texture, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(
        device_->CreateTexture(4, 4, 4, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3DERR_INVALIDCALL);  // 4 × 4 has 3 levels
    IDirect3DVertexBuffer9* buffer = nullptr;
    EXPECT_EQ(
        device_->CreateVertexBuffer(8, 0, kColorVertexFormat, D3DPOOL_MANAGED, &buffer, nullptr),
        D3DERR_INVALIDCALL);  // smaller than one vertex
    IDirect3DIndexBuffer9* indices = nullptr;
    EXPECT_EQ(device_->CreateIndexBuffer(0, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(indices, nullptr);
}

TEST_F(OpenGLDeviceTest, TextureLevelsHalveDownToOnePixel) {
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(
        device_->CreateTexture(8, 2, 0, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3D_OK);
    EXPECT_EQ(texture->GetLevelCount(), 4u);
    D3DSURFACE_DESC description;
    ASSERT_EQ(texture->GetLevelDesc(3, &description), D3D_OK);
    EXPECT_EQ(description.Width, 1u);
    EXPECT_EQ(description.Height, 1u);
    D3DLOCKED_RECT locked;
    ASSERT_EQ(texture->LockRect(2, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(locked.Pitch, 8);  // 2 pixels of 4 bytes
    EXPECT_EQ(texture->LockRect(2, &locked, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture->UnlockRect(2), D3D_OK);
    EXPECT_EQ(texture->UnlockRect(2), D3DERR_INVALIDCALL);
    const RECT outside{0, 0, 3, 1};
    EXPECT_EQ(texture->LockRect(2, &locked, &outside, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture->LockRect(4, &locked, nullptr, 0), D3DERR_INVALIDCALL);
    texture->Release();
}

TEST_F(OpenGLDeviceTest, BufferLocksStayInsideTheBuffer) {
    IDirect3DVertexBuffer9* buffer = nullptr;
    ASSERT_EQ(device_->CreateVertexBuffer(64, 0, 0, D3DPOOL_MANAGED, &buffer, nullptr), D3D_OK);
    void* data = nullptr;
    EXPECT_EQ(buffer->Lock(60, 8, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Lock(65, 0, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Lock(0xFFFFFFF0u, 0x20, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Unlock(), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Lock(16, 0, &data, 0), D3D_OK);
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
    D3DVERTEXBUFFER_DESC description;
    ASSERT_EQ(buffer->GetDesc(&description), D3D_OK);
    EXPECT_EQ(description.Size, 64u);
    EXPECT_EQ(description.Pool, D3DPOOL_MANAGED);
    buffer->Release();
}

}  // namespace

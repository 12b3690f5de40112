// Rendering tests of the compiled fixed-function programs and of what the
// device skips as already applied: every state change between two draws
// must still show in the second one, whichever program, sampler setting or
// vertex source the first one left behind.

#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "opengl_test_support.h"

namespace {

constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

constexpr D3DCOLOR kRedColor = 0xFFFF0000;
constexpr D3DCOLOR kGreenColor = 0xFF00FF00;
constexpr D3DCOLOR kBlueColor = 0xFF0000FF;
constexpr D3DCOLOR kWhiteColor = 0xFFFFFFFF;

int Channel(double value) {
    return static_cast<int>(std::lround(value * 255.0));
}

// White mixed toward fog colour (r, g, b in 0..1) by factor f of white.
Rgba FoggedWhite(double f, double r, double g, double b) {
    return {Channel(f + (1 - f) * r), Channel(f + (1 - f) * g), Channel(f + (1 - f) * b), 255};
}

class FixedFunctionProgramTest : public OpenGLFixture {
protected:
    void SetUp() override {
        OpenGLFixture::SetUp();
        CreateDevice();
        UsePlainState();
    }

    // A full-screen quad with texture coordinates (0, 0) top-left to
    // (uMax, vMax) bottom-right, at depth z.
    HRESULT DrawTexturedScreen(float uMax = 1, float vMax = 1, D3DCOLOR color = kWhiteColor,
                               float z = 0.5f) {
        const std::vector<TexturedVertex> quad = {{-1, 1, z, color, 0, 0},
                                                  {1, 1, z, color, uMax, 0},
                                                  {-1, -1, z, color, 0, vMax},
                                                  {1, -1, z, color, uMax, vMax}};
        return Draw(quad, kTexturedVertexFormat, D3DPT_TRIANGLESTRIP);
    }
    // White over the left (x < 0) or right half at depth 0.5.
    HRESULT DrawHalf(bool left, D3DCOLOR color = kWhiteColor) {
        return Draw(Quad(left ? -1.0f : 0.0f, -1, left ? 0.0f : 1.0f, 1, 0.5f, color),
                    kColorVertexFormat);
    }
    Rgba Left() { return Pixel(kWidth / 4, kHeight / 2); }
    Rgba Right() { return Pixel(3 * kWidth / 4, kHeight / 2); }
    Rgba Center() { return Pixel(kWidth / 2, kHeight / 2); }

    // Exponential fog of density 2: the identity view puts the plane at
    // depth 0.5, so its factor is exp(-1).
    void UseExpFog(D3DCOLOR color) {
        device_->SetRenderState(D3DRS_FOGENABLE, 1);
        device_->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_EXP);
        device_->SetRenderState(D3DRS_FOGDENSITY, FloatToDword(2.0f));
        device_->SetRenderState(D3DRS_FOGCOLOR, color);
    }

    IDirect3DTexture9* Track(IDirect3DTexture9* texture) {
        textures_.push_back(texture);
        return texture;
    }
    void TearDown() override {
        for (IDirect3DTexture9* texture : textures_) {
            SafeRelease(texture);
        }
        OpenGLFixture::TearDown();
    }

    std::vector<IDirect3DTexture9*> textures_;
};

const double kFactorAtHalf = std::exp(-1.0);

// ---- Fog ----

TEST_F(FixedFunctionProgramTest, FogTurnedOffBetweenDrawsLeavesTheSecondDrawClear) {
    UseExpFog(0x000000FF);
    ASSERT_EQ(DrawHalf(true), D3D_OK);
    device_->SetRenderState(D3DRS_FOGENABLE, 0);
    ASSERT_EQ(DrawHalf(false), D3D_OK);
    EXPECT_TRUE(Near(Left(), FoggedWhite(kFactorAtHalf, 0, 0, 1), 2));
    EXPECT_TRUE(Near(Right(), kWhite));
    // And back on: the fogged program is used again.
    device_->SetRenderState(D3DRS_FOGENABLE, 1);
    ASSERT_EQ(DrawHalf(false), D3D_OK);
    EXPECT_TRUE(Near(Right(), FoggedWhite(kFactorAtHalf, 0, 0, 1), 2));
}

TEST_F(FixedFunctionProgramTest, FogSettingsChangedWhileAnotherProgramRanStillArrive) {
    UseExpFog(0x00FF0000);
    ASSERT_EQ(DrawHalf(true), D3D_OK);
    // Another program draws while the fog colour and density change.
    device_->SetRenderState(D3DRS_FOGENABLE, 0);
    device_->SetRenderState(D3DRS_FOGCOLOR, 0x0000FF00);
    device_->SetRenderState(D3DRS_FOGDENSITY, FloatToDword(4.0f));
    ASSERT_EQ(DrawHalf(false, kBlueColor), D3D_OK);
    device_->SetRenderState(D3DRS_FOGENABLE, 1);
    ASSERT_EQ(DrawHalf(false), D3D_OK);
    EXPECT_TRUE(Near(Right(), FoggedWhite(std::exp(-2.0), 0, 1, 0), 2));
    EXPECT_TRUE(Near(Left(), FoggedWhite(kFactorAtHalf, 1, 0, 0), 2));
}

TEST_F(FixedFunctionProgramTest, LinearAndSquaredExponentialFogAtAKnownDepth) {
    UseExpFog(0x00000000);
    device_->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_EXP2);
    ASSERT_EQ(DrawHalf(true), D3D_OK);
    EXPECT_TRUE(Near(Left(), FoggedWhite(std::exp(-1.0), 0, 0, 0), 2));  // (2 × 0.5)²

    // Table NONE: the vertex mode decides. Linear from 0.25 to 1.25: 0.75.
    device_->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_NONE);
    device_->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
    device_->SetRenderState(D3DRS_FOGSTART, FloatToDword(0.25f));
    device_->SetRenderState(D3DRS_FOGEND, FloatToDword(1.25f));
    ASSERT_EQ(DrawHalf(false), D3D_OK);
    EXPECT_TRUE(Near(Right(), FoggedWhite(0.75, 0, 0, 0), 2));

    // An empty range leaves the colour alone rather than dividing by zero.
    device_->SetRenderState(D3DRS_FOGSTART, FloatToDword(1.25f));
    ASSERT_EQ(DrawHalf(true), D3D_OK);
    EXPECT_TRUE(Near(Left(), kWhite));
}

// ---- Texture stages ----

class FixedFunctionStageTest : public FixedFunctionProgramTest {
protected:
    void SetUp() override {
        FixedFunctionProgramTest::SetUp();
        // Top row red, green; bottom row blue, white; alpha 0x40 on red.
        texture_ = Track(MakeTexture(2, 2, {0x40FF0000, kGreenColor, kBlueColor, kWhiteColor}));
        device_->SetTexture(0, texture_);
    }
    Rgba TopLeft() { return Pixel(kWidth / 4, kHeight / 4); }

    IDirect3DTexture9* texture_ = nullptr;
};

TEST_F(FixedFunctionStageTest, DisablingStageZeroAfterATexturedDrawShowsTheDiffuse) {
    ASSERT_EQ(DrawTexturedScreen(1, 1, 0xFF336699), D3D_OK);
    EXPECT_TRUE(Near(TopLeft(), {0x33, 0, 0, 255}));
    device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_DISABLE);
    ASSERT_EQ(DrawTexturedScreen(1, 1, 0xFF336699), D3D_OK);
    EXPECT_TRUE(Near(TopLeft(), {0x33, 0x66, 0x99, 255}));
    device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    ASSERT_EQ(DrawTexturedScreen(1, 1, 0xFF336699), D3D_OK);
    EXPECT_TRUE(Near(TopLeft(), {0x33, 0, 0, 255}));
}

TEST_F(FixedFunctionStageTest, UnbindingTheTextureBetweenDrawsReadsWhite) {
    ASSERT_EQ(DrawTexturedScreen(), D3D_OK);
    EXPECT_TRUE(Near(TopLeft(), kRed));
    device_->SetTexture(0, nullptr);
    ASSERT_EQ(DrawTexturedScreen(1, 1, 0xFF808080), D3D_OK);
    EXPECT_TRUE(Near(TopLeft(), {128, 128, 128, 255}));
}

TEST_F(FixedFunctionStageTest, ComplementAndAlphaReplicateModifyTheArgument) {
    device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE | D3DTA_COMPLEMENT);
    ASSERT_EQ(DrawTexturedScreen(), D3D_OK);
    EXPECT_TRUE(Near(TopLeft(), {0, 255, 255, 255}));
    EXPECT_TRUE(Near(Pixel(3 * kWidth / 4, kHeight / 4), {255, 0, 255, 255}));

    device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE | D3DTA_ALPHAREPLICATE);
    ASSERT_EQ(DrawTexturedScreen(), D3D_OK);
    EXPECT_TRUE(Near(TopLeft(), {0x40, 0x40, 0x40, 255}));

    // The diffuse as argument 1 and the texture ignored by SELECTARG1.
    device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE | D3DTA_COMPLEMENT);
    ASSERT_EQ(DrawTexturedScreen(1, 1, 0xFF336699), D3D_OK);
    EXPECT_TRUE(Near(TopLeft(), {0xCC, 0x99, 0x66, 255}));
}

TEST_F(FixedFunctionStageTest, StageOneModulatesWithItsOwnTextureUntilDisabled) {
    // Stage 1: a uniform grey texture read through coordinate set 0.
    IDirect3DTexture9* grey = Track(MakeTexture(1, 1, {0xFF808080}));
    device_->SetTexture(1, grey);
    device_->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 0);
    device_->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device_->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device_->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
    ASSERT_EQ(DrawTexturedScreen(), D3D_OK);
    EXPECT_TRUE(Near(TopLeft(), {128, 0, 0, 255}));
    EXPECT_TRUE(Near(Pixel(3 * kWidth / 4, 3 * kHeight / 4), {128, 128, 128, 255}));

    device_->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    ASSERT_EQ(DrawTexturedScreen(), D3D_OK);
    EXPECT_TRUE(Near(Pixel(3 * kWidth / 4, 3 * kHeight / 4), kWhite));
}

TEST_F(FixedFunctionStageTest, LightingWithoutLightsShowsAmbientTimesMaterialPlusEmissive) {
    device_->SetTexture(0, nullptr);
    device_->SetRenderState(D3DRS_LIGHTING, 1);
    device_->SetRenderState(D3DRS_AMBIENT, 0xFF808080);
    D3DMATERIAL9 material;
    material.Ambient = {1.0f, 0.5f, 0.0f, 1.0f};
    material.Emissive = {0.0f, 0.0f, 0.25f, 0.0f};
    device_->SetMaterial(&material);
    ASSERT_EQ(DrawTexturedScreen(), D3D_OK);
    EXPECT_TRUE(Near(TopLeft(), {128, 64, 64, 255}, 2));
    // Lighting off again: the vertex colour.
    device_->SetRenderState(D3DRS_LIGHTING, 0);
    ASSERT_EQ(DrawTexturedScreen(1, 1, 0xFF102030), D3D_OK);
    EXPECT_TRUE(Near(TopLeft(), {0x10, 0x20, 0x30, 255}));
}

// ---- Alpha of the back buffer ----

// An X8R8G8B8 back buffer keeps alpha 1 whatever alpha is drawn (the owner
// of a pane blends the image by it); an A8R8G8B8 one stores the alpha drawn.
TEST_F(FixedFunctionProgramTest, OnlyABackBufferWithAlphaStoresTheAlphaDrawn) {
    // Alpha from the vertex colour (by default it is the texture's).
    device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.5f, 0x40FF0000), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), kRed));

    D3DPRESENT_PARAMETERS parameters = WindowedParameters();
    parameters.BackBufferFormat = D3DFMT_A8R8G8B8;
    ASSERT_EQ(device_->Reset(&parameters), D3D_OK);
    UsePlainState();
    device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    ASSERT_EQ(Draw(Quad(-1, -1, 1, 1, 0.5f, 0x40FF0000), kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Center(), {255, 0, 0, 0x40}));
}

// ---- Transforms ----

TEST_F(FixedFunctionProgramTest, WorldChangedBetweenDrawsOfOneProgramMovesTheSecond) {
    const std::vector<ColorVertex> square = Quad(-0.4f, -0.4f, 0.4f, 0.4f, 0.5f, kGreenColor);
    D3DMATRIX world;
    world.m[3][0] = -0.5f;
    device_->SetTransform(D3DTS_WORLD, &world);
    ASSERT_EQ(Draw(square, kColorVertexFormat), D3D_OK);
    world.m[3][0] = 0.5f;
    device_->SetTransform(D3DTS_WORLD, &world);
    ASSERT_EQ(Draw(square, kColorVertexFormat), D3D_OK);
    EXPECT_TRUE(Near(Left(), kGreen));
    EXPECT_TRUE(Near(Right(), kGreen));
    EXPECT_TRUE(Near(Center(), kBlack));
}

// ---- Samplers ----

TEST_F(FixedFunctionProgramTest, MipFilterFollowsTheLevelsOfTheTextureBound) {
    // Level 0 (2 × 2) red, level 1 (1 × 1) green.
    IDirect3DTexture9* chain = nullptr;
    ASSERT_EQ(device_->CreateTexture(2, 2, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &chain, nullptr),
              D3D_OK);
    Track(chain);
    for (UINT level = 0; level < 2; ++level) {
        D3DLOCKED_RECT locked;
        ASSERT_EQ(chain->LockRect(level, &locked, nullptr, 0), D3D_OK);
        const UINT side = 2 >> level;
        for (UINT row = 0; row < side; ++row) {
            auto* texels = reinterpret_cast<D3DCOLOR*>(static_cast<std::uint8_t*>(locked.pBits) +
                                                       row * locked.Pitch);
            for (UINT column = 0; column < side; ++column) {
                texels[column] = level == 0 ? kRedColor : kGreenColor;
            }
        }
        ASSERT_EQ(chain->UnlockRect(level), D3D_OK);
    }
    IDirect3DTexture9* single =
        Track(MakeTexture(2, 2, {kBlueColor, kBlueColor, kBlueColor, kBlueColor}));
    device_->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
    device_->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
    // u runs 0..64 over 64 pixels: two texels of level 0 per pixel, one of
    // level 1, so minification picks level 1.
    const float repeats = static_cast<float>(kWidth);
    device_->SetTexture(0, chain);
    ASSERT_EQ(DrawTexturedScreen(repeats, repeats), D3D_OK);
    EXPECT_TRUE(Near(Center(), kGreen));
    // A texture of one level, minified just the same, shows that level...
    device_->SetTexture(0, single);
    ASSERT_EQ(DrawTexturedScreen(repeats, repeats), D3D_OK);
    EXPECT_TRUE(Near(Center(), {0, 0, 255, 255}));
    // ...and the chain afterwards still gets its mip filter back.
    device_->SetTexture(0, chain);
    ASSERT_EQ(DrawTexturedScreen(repeats, repeats), D3D_OK);
    EXPECT_TRUE(Near(Center(), kGreen));
    // Without a mip filter the chain shows level 0.
    device_->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE);
    ASSERT_EQ(DrawTexturedScreen(repeats, repeats), D3D_OK);
    EXPECT_TRUE(Near(Center(), kRed));
}

// ---- Vertex sources ----

TEST_F(FixedFunctionProgramTest, ANewBufferInTheOldOnesPlaceIsRead) {
    // The first buffer is drawn, unbound and destroyed; OpenGL may hand its
    // name to the next buffer, which must not be mistaken for it.
    IDirect3DVertexBuffer9* first = nullptr;
    const std::vector<ColorVertex> red = Quad(-1, -1, 1, 1, 0.5f, kRedColor);
    const auto bytes = static_cast<UINT>(red.size() * sizeof(ColorVertex));
    const auto fill = [](IDirect3DVertexBuffer9* buffer, const std::vector<ColorVertex>& data) {
        void* target = nullptr;
        ASSERT_EQ(buffer->Lock(0, 0, &target, 0), D3D_OK);
        std::copy(data.begin(), data.end(), static_cast<ColorVertex*>(target));
        ASSERT_EQ(buffer->Unlock(), D3D_OK);
    };
    ASSERT_EQ(
        device_->CreateVertexBuffer(bytes, 0, kColorVertexFormat, D3DPOOL_MANAGED, &first, nullptr),
        D3D_OK);
    fill(first, red);
    device_->SetFVF(kColorVertexFormat);
    device_->SetStreamSource(0, first, 0, sizeof(ColorVertex));
    ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    EXPECT_TRUE(Near(Center(), kRed));
    device_->SetStreamSource(0, nullptr, 0, 0);
    first->Release();

    IDirect3DVertexBuffer9* second = nullptr;
    ASSERT_EQ(device_->CreateVertexBuffer(bytes, 0, kColorVertexFormat, D3DPOOL_MANAGED, &second,
                                          nullptr),
              D3D_OK);
    fill(second, Quad(-1, -1, 1, 1, 0.5f, kGreenColor));
    device_->SetStreamSource(0, second, 0, sizeof(ColorVertex));
    ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    EXPECT_TRUE(Near(Center(), kGreen));
    device_->SetStreamSource(0, nullptr, 0, 0);
    second->Release();
}

TEST_F(FixedFunctionProgramTest, OffsetAndFormatChangesOnOneBufferAreFollowed) {
    // Six red vertices, then six green: the offset picks the quad.
    std::vector<ColorVertex> vertices = Quad(-1, -1, 1, 1, 0.5f, kRedColor);
    const std::vector<ColorVertex> green = Quad(-1, -1, 1, 1, 0.5f, kGreenColor);
    vertices.insert(vertices.end(), green.begin(), green.end());
    ASSERT_EQ(Draw(vertices, kColorVertexFormat), D3D_OK);  // the green quad lands last
    EXPECT_TRUE(Near(Center(), kGreen));
    IDirect3DVertexBuffer9* buffer = buffers_.back();
    device_->SetStreamSource(0, buffer, 0, sizeof(ColorVertex));
    ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    EXPECT_TRUE(Near(Center(), kRed));
    device_->SetStreamSource(0, buffer, 6 * sizeof(ColorVertex), sizeof(ColorVertex));
    ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    EXPECT_TRUE(Near(Center(), kGreen));
    // The same bytes read without their colour: the material's diffuse.
    D3DMATERIAL9 material;
    material.Diffuse = {0.0f, 0.0f, 1.0f, 1.0f};
    device_->SetMaterial(&material);
    device_->SetFVF(D3DFVF_XYZ);
    device_->SetStreamSource(0, buffer, 0, sizeof(ColorVertex));
    ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    EXPECT_TRUE(Near(Center(), {0, 0, 255, 255}));
    // Only the format changes back: the colour must be read again.
    device_->SetFVF(kColorVertexFormat);
    ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    EXPECT_TRUE(Near(Center(), kRed));
}

}  // namespace

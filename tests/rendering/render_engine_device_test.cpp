#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "rendering/render_engine.h"

namespace rendering_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kFatal[] = "Fatal Error!";

D3DCAPS9& HalCaps(RecordingDirect3D& direct3D) {
    return direct3D.adapters[0].devices[D3DDEVTYPE_HAL];
}

void RefuseTextureFormat(RecordingDirect3D& direct3D, D3DFORMAT format) {
    direct3D.deviceFormatResults[{0, D3DRTYPE_TEXTURE, format}] = D3DERR_NOTAVAILABLE;
}

// ---- CreateDevice failures ----

class CreateDeviceTest : public EngineTest {
protected:
    // Initialize fails, with one fatal message and the quit request, and the
    // engine is left without interfaces.
    void ExpectFatalFailure(const std::string& text) {
        EXPECT_FALSE(engine->Initialize(&window));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, text);
        EXPECT_EQ(messages[0].caption, kFatal);
        EXPECT_EQ(messages[0].owner, nullptr);
        EXPECT_EQ(messages[0].type & MB_ICONERROR, MB_ICONERROR);
        EXPECT_TRUE(QuitRequested());
        EXPECT_EQ(QuitExitCode(), 0);
        EXPECT_EQ(engine->device, nullptr);
        EXPECT_EQ(engine->direct3D, nullptr);
        EXPECT_EQ(References(direct3D), 1u);
        EXPECT_THAT(Log().Matching("hook:CreateResources"), IsEmpty());
    }
};

TEST_F(CreateDeviceTest, NoAdapterObject) {
    SetDirect3DFactory({});
    ExpectFatalFailure("No compatible Direct3D object could be created.");
}

TEST_F(CreateDeviceTest, EnumerationFailure) {
    direct3D->enumAdapterModesResult = D3DERR_DRIVERINTERNALERROR;
    ExpectFatalFailure("Device enumeration failed. The application will now exit.");
}

TEST_F(CreateDeviceTest, DeviceCreationFailure) {
    direct3D->createDeviceResults = {D3DERR_NOTAVAILABLE};
    ExpectFatalFailure("Device creation failed. The application will now exit.");
    EXPECT_EQ(Log().Matching("CreateDevice(").size(), 1u);
}

// Back-buffer formats the enumeration tries.
constexpr D3DFORMAT kBackBufferFormats[] = {D3DFMT_R8G8B8,   D3DFMT_A8R8G8B8,   D3DFMT_X8R8G8B8,
                                            D3DFMT_R5G6B5,   D3DFMT_A1R5G5B5,   D3DFMT_X1R5G5B5,
                                            D3DFMT_R3G3B2,   D3DFMT_A8R3G3B2,   D3DFMT_X4R4G4B4,
                                            D3DFMT_A4R4G4B4, D3DFMT_A2B10G10R10};

void RefuseCombinations(RecordingDirect3D& direct3D, BOOL windowed) {
    for (D3DFORMAT backBuffer : kBackBufferFormats) {
        direct3D.deviceTypeResults[{D3DFMT_X8R8G8B8, backBuffer, windowed}] = D3DERR_NOTAVAILABLE;
    }
}

TEST_F(CreateDeviceTest, NothingSelectedIsACreationFailureNotAnAttempt) {
    // The adapter enumerates, but its windowed combinations are not on the
    // desktop's format and it has no full-screen ones: neither search writes
    // the settings, and the all-zero record must reach neither the window
    // (a 0 x 0 full-screen mode) nor the device.
    direct3D->adapters[0].desktopMode.Format = D3DFMT_R5G6B5;
    RefuseCombinations(*direct3D, 0);
    ExpectFatalFailure("Device creation failed. The application will now exit.");
    EXPECT_THAT(Log().Matching("CreateDevice("), IsEmpty());
    EXPECT_TRUE(window.placements.empty());
    EXPECT_TRUE(window.styles.empty());
    EXPECT_EQ(window.menuRemovals, 0);
}

TEST_F(CreateDeviceTest, NoUsableModeIsACreationFailure) {
    for (D3DDISPLAYMODE& mode : direct3D->adapters[0].modes) {
        mode.RefreshRate = 59;
    }
    ExpectFatalFailure("Device creation failed. The application will now exit.");
}

TEST_F(CreateDeviceTest, DeviceLackingRequiredCapsIsNotSelected) {
    HalCaps(*direct3D).ShadeCaps = 0;
    ExpectFatalFailure("Device creation failed. The application will now exit.");
}

TEST_F(CreateDeviceTest, FullScreenOnlyAdapterStillGetsADevice) {
    // No windowed combination: the full-screen choice stands, and the given
    // window is made to cover the 640 x 480 mode.
    RefuseCombinations(*direct3D, 1);
    ASSERT_TRUE(engine->Initialize(&window));
    EXPECT_EQ(engine->settings.windowed, 0);
    EXPECT_EQ(engine->settings.fullscreenSettings.displayMode.Width, 640u);
    EXPECT_EQ(engine->viewport.width, 640);
    EXPECT_EQ(engine->viewport.height, 480);
    EXPECT_TRUE(messages.empty());
}

// ---- CheckDeviceCaps ----

class CheckDeviceCapsTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        StartEngine();
    }
};

TEST_F(CheckDeviceCapsTest, CapableDeviceKeepsTheChoices) {
    EXPECT_TRUE(engine->CheckDeviceCaps());
    EXPECT_EQ(engine->minFilter, D3DTEXF_LINEAR);
    EXPECT_EQ(engine->magFilter, D3DTEXF_LINEAR);
    EXPECT_EQ(engine->mipFilter, D3DTEXF_LINEAR);
    EXPECT_EQ(engine->maxAnisotropy, 1u);
    EXPECT_EQ(engine->supportedMaxAnisotropy, 16u);
    EXPECT_EQ(engine->textureFormat, D3DFMT_DXT1);
    EXPECT_EQ(engine->alphaTextureFormat, D3DFMT_DXT3);
    EXPECT_TRUE(engine->minFilterSupported[D3DTEXF_NONE]);
    EXPECT_TRUE(engine->minFilterSupported[D3DTEXF_ANISOTROPIC]);
    EXPECT_FALSE(engine->mipFilterSupported[D3DTEXF_ANISOTROPIC]);
    EXPECT_TRUE(messages.empty());
}

TEST_F(CheckDeviceCapsTest, UnsupportedFiltersFallBack) {
    HalCaps(*direct3D).TextureFilterCaps =
        D3DPTFILTERCAPS_MINFPOINT | D3DPTFILTERCAPS_MAGFPOINT | D3DPTFILTERCAPS_MAGFANISOTROPIC;
    ASSERT_TRUE(engine->CheckDeviceCaps());
    EXPECT_EQ(engine->minFilter, D3DTEXF_POINT);
    EXPECT_EQ(engine->magFilter, D3DTEXF_ANISOTROPIC);  // anisotropic is preferred
    EXPECT_EQ(engine->mipFilter, D3DTEXF_NONE);
    EXPECT_FALSE(engine->minFilterSupported[D3DTEXF_LINEAR]);
    EXPECT_TRUE(engine->mipFilterSupported[D3DTEXF_NONE]);

    // The choices stay where they fell when a better device comes back.
    HalCaps(*direct3D) = CapableCaps();
    ASSERT_TRUE(engine->CheckDeviceCaps());
    EXPECT_EQ(engine->minFilter, D3DTEXF_POINT);
    EXPECT_EQ(engine->mipFilter, D3DTEXF_NONE);
}

TEST_F(CheckDeviceCapsTest, FilterOutsideTheTablesIsTreatedAsUnsupported) {
    engine->minFilter = 10;
    engine->mipFilter = 0xFFFFFFFFu;
    ASSERT_TRUE(engine->CheckDeviceCaps());
    EXPECT_EQ(engine->minFilter, D3DTEXF_ANISOTROPIC);
    EXPECT_EQ(engine->mipFilter, D3DTEXF_LINEAR);
}

TEST_F(CheckDeviceCapsTest, AnisotropyIsCutToAPowerOfTwo) {
    struct Case {
        DWORD deviceMaximum;
        DWORD supported;
    };
    for (const Case& c :
         {Case{0, 0}, Case{1, 1}, Case{3, 2}, Case{12, 8}, Case{64, 64}, Case{100, 64}}) {
        HalCaps(*direct3D).MaxAnisotropy = c.deviceMaximum;
        engine->maxAnisotropy = 16;
        ASSERT_TRUE(engine->CheckDeviceCaps());
        EXPECT_EQ(engine->supportedMaxAnisotropy, c.supported) << c.deviceMaximum;
        EXPECT_EQ(engine->maxAnisotropy, std::min<DWORD>(16, c.supported)) << c.deviceMaximum;
    }
    engine->maxAnisotropy = 2;
    HalCaps(*direct3D).MaxAnisotropy = 12;
    ASSERT_TRUE(engine->CheckDeviceCaps());
    EXPECT_EQ(engine->maxAnisotropy, 2u);  // never raised
}

TEST_F(CheckDeviceCapsTest, FirstAcceptedFormatOfEachKindIsChosen) {
    RefuseTextureFormat(*direct3D, D3DFMT_DXT1);
    RefuseTextureFormat(*direct3D, D3DFMT_DXT3);
    RefuseTextureFormat(*direct3D, D3DFMT_A8R8G8B8);
    ASSERT_TRUE(engine->CheckDeviceCaps());
    EXPECT_EQ(engine->textureFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(engine->alphaTextureFormat, D3DFMT_A1R5G5B5);
}

TEST_F(CheckDeviceCapsTest, NoOpaqueFormatIsReportedAndEndsTheApplication) {
    for (D3DFORMAT format : {D3DFMT_DXT1, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5, D3DFMT_X1R5G5B5}) {
        RefuseTextureFormat(*direct3D, format);
    }
    EXPECT_FALSE(engine->CheckDeviceCaps());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "No valid texture formats could be found.");
    EXPECT_EQ(messages[0].caption, "Error.");
    EXPECT_EQ(messages[0].owner, nullptr);
    EXPECT_EQ(messages[0].type & MB_ICONERROR, MB_ICONERROR);
    EXPECT_FALSE(QuitRequested());  // the caller decides

    // Through RestoreDeviceState: the quit request, and no states set.
    Log().Clear();
    engine->RestoreDeviceState();
    EXPECT_TRUE(QuitRequested());
    EXPECT_THAT(Log().Matching("SetRenderState("), IsEmpty());
    EXPECT_THAT(Log().Matching("SetFVF("), IsEmpty());
}

TEST_F(CheckDeviceCapsTest, NoAlphaFormatIsReported) {
    for (D3DFORMAT format : {D3DFMT_DXT3, D3DFMT_A8R8G8B8, D3DFMT_A1R5G5B5, D3DFMT_A4R4G4B4}) {
        RefuseTextureFormat(*direct3D, format);
    }
    EXPECT_FALSE(engine->CheckDeviceCaps());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "No valid alpha texture formats could be found.");
    EXPECT_EQ(messages[0].caption, "Error.");
    EXPECT_EQ(engine->textureFormat, D3DFMT_DXT1);
}

TEST_F(CheckDeviceCapsTest, UnreadableCapsFailSilently) {
    engine->settings.windowedSettings.deviceType = D3DDEVTYPE_REF;  // the adapter has none
    EXPECT_FALSE(engine->CheckDeviceCaps());
    EXPECT_TRUE(messages.empty());
}

TEST_F(CheckDeviceCapsTest, ReadsTheActiveBlock) {
    // Full-screen block of a device type the adapter lacks: read only when
    // the windowed flag is clear.
    engine->settings.fullscreenSettings.deviceType = D3DDEVTYPE_REF;
    EXPECT_TRUE(engine->CheckDeviceCaps());
    engine->settings.windowed = 0;
    EXPECT_FALSE(engine->CheckDeviceCaps());
}

}  // namespace
}  // namespace rendering_test

// The OpenGL adapter object: what enumeration and settings selection need
// from it, the display-mode list, and device creation failures.

#include <string>

#include <SDL.h>
#include <gtest/gtest.h>

#include "opengl_test_support.h"
#include "platform/gfx/opengl/display_modes.h"
#include "platform/gfx/opengl/opengl_direct3d.h"

namespace {

// ---- Display-mode list (no SDL needed) ----

TEST(BuildDisplayModes, UnknownRefreshIsSixtyAndSizelessModesAreDropped) {
    const D3DDISPLAYMODE desktop{1024, 768, 60, D3DFMT_X8R8G8B8};
    const auto modes = BuildDisplayModes({{800, 600, 0}, {0, 0, 0}, {800, 600, 60}, {640, 480, 75}},
                                         desktop, false);
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes[0].Width, 640u);
    EXPECT_EQ(modes[0].RefreshRate, 75u);
    EXPECT_EQ(modes[1].Width, 800u);
    EXPECT_EQ(modes[1].RefreshRate, 60u);
    EXPECT_EQ(modes[1].Format, D3DFMT_X8R8G8B8);
}

TEST(BuildDisplayModes, NothingSaneGivesDesktopAndStandardModes) {
    const D3DDISPLAYMODE desktop = SaneDesktopMode({0, 0, 0});
    EXPECT_EQ(desktop.Width, 1920u);
    EXPECT_EQ(desktop.Height, 1080u);
    EXPECT_EQ(desktop.RefreshRate, 60u);
    const auto modes = BuildDisplayModes({{0, 0, 0}}, desktop, false);
    ASSERT_EQ(modes.size(), 5u);
    EXPECT_EQ(modes.front().Width, 640u);
    EXPECT_EQ(modes.back().Width, 1920u);
    for (const D3DDISPLAYMODE& mode : modes) {
        EXPECT_EQ(mode.RefreshRate, 60u);
    }
}

TEST(BuildDisplayModes, SupplementAddsStandardModesWithoutDuplicates) {
    const D3DDISPLAYMODE desktop = SaneDesktopMode({1024, 768, 0});
    EXPECT_EQ(desktop.RefreshRate, 60u);
    const auto modes = BuildDisplayModes({{1024, 768, 60}}, desktop, true);
    ASSERT_EQ(modes.size(), 4u);  // 640, 800, 1024 (once), 1280
    EXPECT_EQ(modes[2].Width, 1024u);
    EXPECT_EQ(modes[3].Width, 1280u);
}

// ---- The adapter object under the offscreen driver ----

class OpenGLDirect3DTest : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareOffscreenOpenGL();
        direct3D_ = Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(direct3D_, nullptr);
        ASSERT_GE(direct3D_->GetAdapterCount(), 1u);
    }
    void TearDown() override { SafeRelease(direct3D_); }

    IDirect3D9* direct3D_ = nullptr;
};

TEST_F(OpenGLDirect3DTest, ModesIncludeWhatTheDevicePolicyAccepts) {
    // The program keeps modes of at least 640 × 480 at 60 Hz or more.
    const UINT count = direct3D_->GetAdapterModeCount(0, D3DFMT_X8R8G8B8);
    ASSERT_GT(count, 0u);
    bool has640 = false;
    bool hasAccepted = false;
    for (UINT index = 0; index < count; ++index) {
        D3DDISPLAYMODE mode;
        ASSERT_EQ(direct3D_->EnumAdapterModes(0, D3DFMT_X8R8G8B8, index, &mode), D3D_OK);
        EXPECT_GE(mode.RefreshRate, 60u);
        EXPECT_GT(mode.Width, 0u);
        hasAccepted = hasAccepted || (mode.Width >= 640 && mode.Height >= 480);
        has640 = has640 || (mode.Width == 640 && mode.Height == 480 && mode.RefreshRate == 60);
    }
    EXPECT_TRUE(hasAccepted);
    // The offscreen driver reports no usable mode of its own; the standard
    // ones stand in. A real display reports what it has.
    if (std::string(SDL_GetCurrentVideoDriver()) == "offscreen") {
        EXPECT_TRUE(has640);
    }
    D3DDISPLAYMODE mode;
    EXPECT_EQ(direct3D_->EnumAdapterModes(0, D3DFMT_X8R8G8B8, count, &mode), D3DERR_INVALIDCALL);
    EXPECT_EQ(direct3D_->GetAdapterModeCount(0, D3DFMT_R5G6B5), 0u);
    EXPECT_EQ(direct3D_->GetAdapterModeCount(7, D3DFMT_X8R8G8B8), 0u);

    D3DDISPLAYMODE desktop;
    ASSERT_EQ(direct3D_->GetAdapterDisplayMode(0, &desktop), D3D_OK);
    EXPECT_EQ(desktop.Format, D3DFMT_X8R8G8B8);
    EXPECT_GE(desktop.RefreshRate, 60u);
    EXPECT_GE(desktop.Width, 640u);
}

TEST_F(OpenGLDirect3DTest, HalCapsHaveEveryBitTheProgramRequires) {
    D3DCAPS9 caps;
    ASSERT_EQ(direct3D_->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3D_OK);
    EXPECT_TRUE(caps.RasterCaps & D3DPRASTERCAPS_DITHER);
    EXPECT_TRUE(caps.ShadeCaps & D3DPSHADECAPS_COLORGOURAUDRGB);
    EXPECT_TRUE(caps.PrimitiveMiscCaps & D3DPMISCCAPS_CULLCCW);
    EXPECT_TRUE(caps.ZCmpCaps & D3DPCMPCAPS_LESSEQUAL);
    EXPECT_TRUE(caps.TextureOpCaps & D3DTEXOPCAPS_SELECTARG1);
    EXPECT_TRUE(caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);
    EXPECT_FALSE(caps.DevCaps & D3DDEVCAPS_PUREDEVICE);
    for (DWORD bit :
         {D3DPTFILTERCAPS_MINFPOINT, D3DPTFILTERCAPS_MINFLINEAR, D3DPTFILTERCAPS_MAGFPOINT,
          D3DPTFILTERCAPS_MAGFLINEAR, D3DPTFILTERCAPS_MIPFPOINT, D3DPTFILTERCAPS_MIPFLINEAR}) {
        EXPECT_TRUE(caps.TextureFilterCaps & bit) << std::hex << bit;
    }
    EXPECT_GE(caps.MaxAnisotropy, 1u);
    EXPECT_EQ(caps.PresentationIntervals, D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE);
    EXPECT_EQ(direct3D_->GetDeviceCaps(0, D3DDEVTYPE_REF, &caps), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3D_->GetDeviceCaps(3, D3DDEVTYPE_HAL, &caps), D3DERR_INVALIDCALL);
}

TEST_F(OpenGLDirect3DTest, FormatChecksMatchWhatTheDeviceCanMake) {
    const auto texture = [this](D3DFORMAT format) {
        return direct3D_->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE,
                                            format);
    };
    EXPECT_EQ(texture(D3DFMT_X8R8G8B8), D3D_OK);
    EXPECT_EQ(texture(D3DFMT_A8R8G8B8), D3D_OK);
    EXPECT_EQ(texture(D3DFMT_R5G6B5), D3D_OK);
    EXPECT_EQ(texture(D3DFMT_DXT1), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(texture(D3DFMT_DXT3), D3DERR_NOTAVAILABLE);

    const auto depth = [this](D3DFORMAT format) {
        return direct3D_->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8,
                                            D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, format);
    };
    EXPECT_EQ(depth(D3DFMT_D24S8), D3D_OK);
    EXPECT_EQ(depth(D3DFMT_D24X8), D3D_OK);
    EXPECT_EQ(depth(D3DFMT_D16), D3D_OK);
    EXPECT_EQ(depth(D3DFMT_D32), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3D_->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8,
                                                D3DFMT_D24S8),
              D3D_OK);

    EXPECT_EQ(direct3D_->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, 1),
              D3D_OK);
    EXPECT_EQ(direct3D_->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5, 0),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3D_->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, D3DFMT_R5G6B5, 0),
              D3DERR_NOTAVAILABLE);

    DWORD quality = 0;
    EXPECT_EQ(direct3D_->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 1,
                                                    D3DMULTISAMPLE_NONE, &quality),
              D3D_OK);
    EXPECT_EQ(quality, 1u);
    EXPECT_EQ(direct3D_->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 1,
                                                    D3DMULTISAMPLE_2_SAMPLES, &quality),
              D3DERR_NOTAVAILABLE);
}

TEST_F(OpenGLDirect3DTest, WrongInterfaceVersionGivesNoObject) {
    EXPECT_EQ(Direct3DCreate9(D3D_SDK_VERSION + 1), nullptr);
}

// ---- Device creation failures ----

class OpenGLCreationTest : public OpenGLFixture {};

TEST_F(OpenGLCreationTest, SettingsThatNoSelectionWroteFailCleanly) {
    // All zero: device type 0, full screen of 0 × 0, format UNKNOWN, no
    // vertex processing chosen.
    D3DPRESENT_PARAMETERS zero;
    EXPECT_TRUE(FAILED(direct3D_->CreateDevice(0, static_cast<D3DDEVTYPE>(0), window_,
                                               D3DCREATE_MULTITHREADED, &zero, &device_)));
    EXPECT_EQ(device_, nullptr);
    EXPECT_TRUE(FAILED(direct3D_->CreateDevice(0, D3DDEVTYPE_HAL, window_, D3DCREATE_MULTITHREADED,
                                               &zero, &device_)));
    EXPECT_TRUE(FAILED(direct3D_->CreateDevice(
        0, D3DDEVTYPE_HAL, window_, D3DCREATE_HARDWARE_VERTEXPROCESSING, &zero, &device_)));
    EXPECT_EQ(device_, nullptr);
}

TEST_F(OpenGLCreationTest, ParametersTheDeviceCannotHonourAreRefused) {
    const DWORD flags = D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED;
    D3DPRESENT_PARAMETERS parameters = WindowedParameters();
    parameters.MultiSampleType = D3DMULTISAMPLE_2_SAMPLES;
    EXPECT_EQ(direct3D_->CreateDevice(0, D3DDEVTYPE_HAL, window_, flags, &parameters, &device_),
              D3DERR_INVALIDCALL);
    parameters = WindowedParameters();
    parameters.AutoDepthStencilFormat = D3DFMT_D32;
    EXPECT_EQ(direct3D_->CreateDevice(0, D3DDEVTYPE_HAL, window_, flags, &parameters, &device_),
              D3DERR_INVALIDCALL);
    parameters = WindowedParameters();
    EXPECT_EQ(direct3D_->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, flags, &parameters, &device_),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(direct3D_->CreateDevice(0, D3DDEVTYPE_REF, window_, flags, &parameters, &device_),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3D_->CreateDevice(
                  0, D3DDEVTYPE_HAL, window_,
                  D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                  &parameters, &device_),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device_, nullptr);
}

TEST_F(OpenGLCreationTest, FullScreenSettingsGiveABackBufferOfTheModesSize) {
    D3DPRESENT_PARAMETERS parameters = WindowedParameters();
    parameters.Windowed = 0;
    parameters.BackBufferWidth = 640;
    parameters.BackBufferHeight = 480;
    parameters.FullScreen_RefreshRateInHz = 60;
    ASSERT_EQ(direct3D_->CreateDevice(0, D3DDEVTYPE_HAL, window_,
                                      D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED,
                                      &parameters, &device_),
              D3D_OK);
    std::vector<std::uint8_t> rgba;
    UINT width = 0;
    UINT height = 0;
    ASSERT_EQ(device_->ReadBackBuffer(rgba, width, height), D3D_OK);
    EXPECT_EQ(width, 640u);
    EXPECT_EQ(height, 480u);
    EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
}

}  // namespace

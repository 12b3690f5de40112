// Presentation parameters, device and window creation, reset and device
// hand-out of CD3DInitialize.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/d3d_initialize.h"
#include "tests/framework/d3d_initialize_fixture.h"

namespace {

using RenderLib::CD3DInitialize;
using RenderLib::D3DSettings;
using RenderLib::D3DSettingsBlock;
using RenderLib::VertexProcessingType;

D3DSettingsBlock Block(UINT width, UINT height, UINT refresh, VertexProcessingType processing) {
    D3DSettingsBlock block;
    block.adapterOrdinal = 0;
    block.displayMode = {width, height, refresh, D3DFMT_X8R8G8B8};
    block.deviceType = D3DDEVTYPE_HAL;
    block.backBufferFormat = D3DFMT_X8R8G8B8;
    block.depthStencilFormat = D3DFMT_D24S8;
    block.multiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(4);
    block.multiSampleQuality = 2;
    block.vertexProcessingType = processing;
    block.presentInterval = D3DPRESENT_INTERVAL_ONE;
    return block;
}

// Windowed block on the desktop mode 1280x800, full-screen block on 1024x768 at 75 Hz.
D3DSettings Settings(bool windowed,
                     VertexProcessingType processing = VertexProcessingType::Hardware) {
    D3DSettings settings;
    settings.windowed = windowed ? 1 : 0;
    settings.windowedSettings = Block(1280, 800, 60, processing);
    settings.fullscreenSettings = Block(1024, 768, 75, processing);
    settings.fullscreenSettings.presentInterval = D3DPRESENT_INTERVAL_TWO;
    return settings;
}

// The behaviour flags of the single CreateDevice call in log.
DWORD CreationFlags(const CallLog& log) {
    const std::vector<std::string> calls = log.Matching("CreateDevice(");
    EXPECT_EQ(calls.size(), 1u);
    if (calls.size() != 1) {
        return 0;
    }
    // CreateDevice(adapter, type, window, flags, parameters, device)
    std::string rest = calls[0];
    for (int comma = 0; comma < 3; ++comma) {
        rest = rest.substr(rest.find(", ") + 2);
    }
    return static_cast<DWORD>(std::stoul(rest));
}

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        d3d.adapters.push_back(TypicalAdapter());
        ASSERT_EQ(init.Enumerate(&d3d), S_OK);
        d3d.Log().Clear();
    }

    HRESULT Create(const D3DSettings& settings, HWND window, int width = 800, int height = 600,
                   DWORD behaviorFlags = 0) {
        return init.CreateDisplay(settings, behaviorFlags, window, nullptr, "Quorvane test", width,
                                  height, nullptr);
    }

    RecordingDirect3DHolder holder;
    RecordingDirect3D& d3d = *holder.d3d;
    CD3DInitialize init;
};

// ---- Presentation parameters ----

TEST(PresentParametersTest, WindowedLetsTheWindowSizeTheBackBuffer) {
    const D3DPRESENT_PARAMETERS p =
        CD3DInitialize::BuildPresentParameters(Settings(true), D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL);
    EXPECT_EQ(p.BackBufferWidth, 0u);
    EXPECT_EQ(p.BackBufferHeight, 0u);
    EXPECT_EQ(p.FullScreen_RefreshRateInHz, 0u);
    EXPECT_EQ(p.Windowed, 1);
    EXPECT_EQ(p.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(p.BackBufferCount, 1u);
    EXPECT_EQ(p.MultiSampleType, static_cast<D3DMULTISAMPLE_TYPE>(4));
    EXPECT_EQ(p.MultiSampleQuality, 2u);
    EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_DISCARD);
    EXPECT_EQ(p.hDeviceWindow, nullptr);
    EXPECT_EQ(p.EnableAutoDepthStencil, 1);
    EXPECT_EQ(p.AutoDepthStencilFormat, D3DFMT_D24S8);
    EXPECT_EQ(p.Flags, D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL);
    EXPECT_EQ(p.PresentationInterval, D3DPRESENT_INTERVAL_ONE);
}

TEST(PresentParametersTest, FullscreenTakesTheModeAndAddsToTheCallersFlags) {
    const D3DPRESENT_PARAMETERS p = CD3DInitialize::BuildPresentParameters(Settings(false), 0x1);
    EXPECT_EQ(p.BackBufferWidth, 1024u);
    EXPECT_EQ(p.BackBufferHeight, 768u);
    EXPECT_EQ(p.FullScreen_RefreshRateInHz, 75u);
    EXPECT_EQ(p.Windowed, 0);
    EXPECT_EQ(p.Flags, 0x1u | D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL);
    EXPECT_EQ(p.PresentationInterval, D3DPRESENT_INTERVAL_TWO);
}

// ---- Creation ----

TEST_F(DisplayTest, WindowedWithoutWindowMakesOneOfTheRequestedSizeAtTheDefaultPlace) {
    WindowFactoryScope factory;
    ASSERT_EQ(Create(Settings(true), nullptr, 800, 600), S_OK);

    ASSERT_EQ(factory.requests.size(), 1u);
    const WindowCreation& request = factory.requests[0];
    EXPECT_EQ(request.title, "Quorvane test");
    EXPECT_EQ(request.style, WindowStyle::Overlapped);
    EXPECT_EQ(request.x, CW_USEDEFAULT);
    EXPECT_EQ(request.y, CW_USEDEFAULT);
    EXPECT_EQ(request.width, 800);
    EXPECT_EQ(request.height, 600);
    EXPECT_EQ(init.GetDeviceWindow(), factory.windows[0]);
    ASSERT_NE(d3d.lastDevice, nullptr);
    EXPECT_EQ(d3d.lastDevice->window, factory.windows[0]);
    EXPECT_EQ(d3d.lastPresentParameters.Windowed, 1);
}

TEST_F(DisplayTest, FullscreenWithoutWindowCoversTheModeAndIgnoresTheRequestedSize) {
    WindowFactoryScope factory;
    ASSERT_EQ(Create(Settings(false), nullptr, 800, 600), S_OK);

    ASSERT_EQ(factory.requests.size(), 1u);
    const WindowCreation& request = factory.requests[0];
    EXPECT_EQ(request.style, WindowStyle::Popup);
    EXPECT_EQ(request.x, 0);
    EXPECT_EQ(request.y, 0);
    EXPECT_EQ(request.width, 1024);
    EXPECT_EQ(request.height, 768);
    EXPECT_EQ(d3d.lastPresentParameters.BackBufferWidth, 1024u);
    EXPECT_EQ(d3d.lastPresentParameters.FullScreen_RefreshRateInHz, 75u);
}

TEST_F(DisplayTest, FailedWindowCreationFailsBeforeAnyDevice) {
    WindowFactoryScope factory(/*fail=*/true);
    EXPECT_EQ(Create(Settings(true), nullptr), E_FAIL);
    EXPECT_TRUE(d3d.Log().Matching("CreateDevice(").empty());
    EXPECT_EQ(init.GetDevice(), nullptr);
}

TEST_F(DisplayTest, GivenWindowIsLeftAloneWhenWindowed) {
    WindowFactoryScope factory;
    RecordingWindow window(300, 200);
    ASSERT_EQ(Create(Settings(true), &window), S_OK);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_TRUE(factory.requests.empty());
    EXPECT_EQ(init.GetDeviceWindow(), &window);
    EXPECT_EQ(d3d.lastDevice->window, &window);
}

TEST_F(DisplayTest, GivenWindowBecomesAMenulessPopupOverTheModeWhenFullscreen) {
    RecordingWindow window(300, 200);
    ASSERT_EQ(Create(Settings(false), &window), S_OK);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"RemoveMenu()", "SetStyle(Popup)",
                                                      "SetPlacement(0, 0, 1024, 768)"}));
}

TEST_F(DisplayTest, DeviceIsAlwaysMultithreadedWithItsVertexProcessing) {
    struct Case {
        VertexProcessingType processing;
        DWORD callerFlags;
        DWORD expected;
    };
    const Case cases[] = {
        {VertexProcessingType::Software, 0, 0x20 | D3DCREATE_MULTITHREADED},
        {VertexProcessingType::Mixed, 0, 0x80 | D3DCREATE_MULTITHREADED},
        {VertexProcessingType::Hardware, 0, 0x40 | D3DCREATE_MULTITHREADED},
        {VertexProcessingType::PureHardware, 0, 0x40 | 0x10 | D3DCREATE_MULTITHREADED},
        {VertexProcessingType::Software, D3DCREATE_MULTITHREADED, 0x20 | D3DCREATE_MULTITHREADED},
        {VertexProcessingType::Hardware, 0x100, 0x100 | 0x40 | D3DCREATE_MULTITHREADED},
    };
    for (const Case& c : cases) {
        RecordingWindow window;
        d3d.Log().Clear();
        ASSERT_EQ(Create(Settings(true, c.processing), &window, 0, 0, c.callerFlags), S_OK);
        EXPECT_EQ(CreationFlags(d3d.Log()), c.expected)
            << static_cast<int>(c.processing) << " with caller flags " << c.callerFlags;
    }
}

TEST_F(DisplayTest, DeviceCreationFailureIsPassedBackAndLeavesNoDevice) {
    RecordingWindow window;
    d3d.createDeviceResults.push_back(D3DERR_NOTAVAILABLE);
    EXPECT_EQ(Create(Settings(true), &window), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(init.GetDevice(), nullptr);
}

TEST_F(DisplayTest, CreationBeforeEnumerationFailsWithoutTouchingAnyWindow) {
    WindowFactoryScope factory;
    CD3DInitialize fresh;
    RecordingWindow window;
    EXPECT_EQ(fresh.CreateDisplay(Settings(false), 0, &window, nullptr, nullptr, 0, 0, nullptr),
              E_FAIL);
    EXPECT_EQ(fresh.CreateDisplay(Settings(true), 0, nullptr, nullptr, nullptr, 0, 0, nullptr),
              E_FAIL);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_TRUE(factory.requests.empty());
}

// ---- Device hand-out ----

TEST_F(DisplayTest, GetDeviceHandsOutAReferenceThatOutlivesTheInitialiser) {
    RecordingWindow window;
    IDirect3DDevice9* device = nullptr;
    {
        CD3DInitialize local;
        ASSERT_EQ(local.Enumerate(&d3d), S_OK);
        EXPECT_EQ(local.GetDevice(), nullptr);
        ASSERT_EQ(local.CreateDisplay(Settings(true), 0, &window, nullptr, nullptr, 0, 0, nullptr),
                  S_OK);
        device = local.GetDevice();
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(ReferenceCount(device), 2u);
    }
    EXPECT_EQ(ReferenceCount(device), 1u);
    EXPECT_EQ(ReferenceCount(&d3d), 2u);  // the holder's and the fixture's initialiser's
    device->Release();
}

TEST_F(DisplayTest, CreatingAgainReleasesTheEarlierDevice) {
    RecordingWindow window;
    ASSERT_EQ(Create(Settings(true), &window), S_OK);
    IDirect3DDevice9* first = init.GetDevice();
    ASSERT_EQ(Create(Settings(true), &window), S_OK);
    EXPECT_EQ(ReferenceCount(first), 1u);  // only ours is left
    IDirect3DDevice9* second = init.GetDevice();
    EXPECT_NE(second, first);
    first->Release();
    second->Release();
}

// ---- Reset ----

TEST_F(DisplayTest, WindowedResetMovesTheGivenWindowAndResetsTheDevice) {
    RecordingWindow window(300, 200);
    ASSERT_EQ(Create(Settings(true), &window), S_OK);
    EXPECT_TRUE(window.calls.empty());  // creation left it alone

    ASSERT_EQ(CD3DInitialize::ResetDisplay(d3d.lastDevice, Settings(true), &window), S_OK);
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"SetStyle(Overlapped)", "SetPlacement(50, 50, 400, 400)"}));
    EXPECT_EQ(d3d.lastDevice->presentParameters.Windowed, 1);
    EXPECT_EQ(d3d.lastDevice->presentParameters.BackBufferWidth, 0u);
    EXPECT_EQ(d3d.lastDevice->presentParameters.Flags, D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL);
}

TEST_F(DisplayTest, FullscreenResetMakesTheGivenWindowAPopupOverTheMode) {
    RecordingWindow window;
    ASSERT_EQ(Create(Settings(true), &window), S_OK);
    ASSERT_EQ(CD3DInitialize::ResetDisplay(d3d.lastDevice, Settings(false), &window), S_OK);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"RemoveMenu()", "SetStyle(Popup)",
                                                      "SetPlacement(0, 0, 1024, 768)"}));
    EXPECT_EQ(d3d.lastDevice->presentParameters.BackBufferWidth, 1024u);
    EXPECT_EQ(d3d.lastDevice->presentParameters.Windowed, 0);
}

TEST_F(DisplayTest, ResetWithoutWindowChangesNoWindow) {
    WindowFactoryScope factory;
    ASSERT_EQ(Create(Settings(true), nullptr), S_OK);
    RecordingWindow* made = factory.windows.at(0);
    d3d.Log().Clear();

    CD3DInitialize fresh;  // a reset needs no enumeration
    EXPECT_EQ(fresh.ResetDisplay(d3d.lastDevice, Settings(false), nullptr), S_OK);
    EXPECT_TRUE(made->calls.empty());
    EXPECT_EQ(factory.requests.size(), 1u);
    EXPECT_EQ(d3d.Log().Matching("Reset(").size(), 1u);
    EXPECT_EQ(d3d.lastDevice->presentParameters.BackBufferHeight, 768u);
}

TEST_F(DisplayTest, ResetPassesFailuresBackAndRefusesAMissingDevice) {
    RecordingWindow window;
    ASSERT_EQ(Create(Settings(true), &window), S_OK);
    d3d.lastDevice->resetResults.push_back(D3DERR_DEVICELOST);
    EXPECT_EQ(CD3DInitialize::ResetDisplay(d3d.lastDevice, Settings(true), nullptr),
              D3DERR_DEVICELOST);

    EXPECT_EQ(CD3DInitialize::ResetDisplay(nullptr, Settings(true), &window), E_INVALIDARG);
    EXPECT_TRUE(window.calls.empty());
}

}  // namespace

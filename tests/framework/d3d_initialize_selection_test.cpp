// The windowed and full-screen settings selections of CD3DInitialize.

#include <gtest/gtest.h>

#include <cstring>

#include "framework/d3d_initialize.h"
#include "tests/framework/d3d_initialize_fixture.h"

namespace {

using RenderLib::CD3DInitialize;
using RenderLib::D3DSettings;
using RenderLib::D3DSettingsBlock;
using RenderLib::VertexProcessingType;

bool SameBytes(const D3DSettingsBlock& a, const D3DSettingsBlock& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A settings record whose every byte is recognisable, to see what was written.
D3DSettings Marked() {
    D3DSettings settings;
    std::memset(static_cast<void*>(&settings), 0xAB, sizeof settings);
    return settings;
}

class SelectionTest : public ::testing::Test {
protected:
    void Enumerate() { ASSERT_EQ(init.Enumerate(&d3d), S_OK); }

    RecordingDirect3DHolder holder;
    RecordingDirect3D& d3d = *holder.d3d;
    CD3DInitialize init;
};

// ---- Windowed ----

TEST_F(SelectionTest, WindowedTakesHalWithBackBufferOnTheDesktopFormat) {
    d3d.adapters.push_back(TypicalAdapter());
    d3d.multiSampleQualityLevels = 4;
    Enumerate();
    D3DSettings settings = Marked();
    const D3DSettingsBlock fullscreenBefore = settings.fullscreenSettings;

    ASSERT_TRUE(init.FindBestWindowedSettings(settings, false, false));
    EXPECT_EQ(settings.windowed, 1);
    const D3DSettingsBlock& block = settings.windowedSettings;
    EXPECT_EQ(block.adapterOrdinal, 0u);
    EXPECT_EQ(block.displayMode.Width, 1280u);  // the desktop mode
    EXPECT_EQ(block.displayMode.Height, 800u);
    EXPECT_EQ(block.displayMode.RefreshRate, 60u);
    EXPECT_EQ(block.displayMode.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(block.deviceType, D3DDEVTYPE_HAL);
    // R8G8B8 and A8R8G8B8 come first in the table but differ from the desktop format.
    EXPECT_EQ(block.backBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(block.depthStencilFormat, D3DFMT_D32);
    EXPECT_EQ(block.multiSampleType, D3DMULTISAMPLE_NONE);
    EXPECT_EQ(block.multiSampleQuality, 0u);
    EXPECT_EQ(block.vertexProcessingType, VertexProcessingType::PureHardware);
    EXPECT_EQ(block.presentInterval, D3DPRESENT_INTERVAL_IMMEDIATE);
    EXPECT_TRUE(SameBytes(settings.fullscreenSettings, fullscreenBefore));
}

TEST_F(SelectionTest, WindowedPrefersTheFirstHalOverAnEarlierSoftwareDevice) {
    RecordingAdapter software = TypicalAdapter();
    software.devices.clear();
    software.devices[D3DDEVTYPE_SW] = CapableCaps(D3DDEVTYPE_SW);
    RecordingAdapter hal = TypicalAdapter();
    d3d.adapters = {software, hal};
    // No windowed back buffer on the desktop format anywhere.
    d3d.deviceTypeResults[{D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, 1}] = D3DERR_NOTAVAILABLE;
    Enumerate();

    D3DSettings settings;
    ASSERT_TRUE(init.FindBestWindowedSettings(settings, false, false));
    EXPECT_EQ(settings.windowedSettings.adapterOrdinal, 1u);
    EXPECT_EQ(settings.windowedSettings.deviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(settings.windowedSettings.backBufferFormat, D3DFMT_R8G8B8);
}

TEST_F(SelectionTest, WindowedNeedsACombinationOnTheDesktopFormat) {
    RecordingAdapter adapter = TypicalAdapter();
    adapter.desktopMode.Format = D3DFMT_R5G6B5;
    d3d.adapters.push_back(adapter);
    Enumerate();
    D3DSettings settings = Marked();
    const D3DSettings before = settings;
    EXPECT_FALSE(init.FindBestWindowedSettings(settings, false, false));
    EXPECT_EQ(std::memcmp(&settings, &before, sizeof settings), 0);
}

TEST_F(SelectionTest, RequiredDeviceTypeFiltersBothSelections) {
    RecordingAdapter adapter = TypicalAdapter();
    adapter.devices.clear();
    adapter.devices[D3DDEVTYPE_SW] = CapableCaps(D3DDEVTYPE_SW);
    adapter.devices[D3DDEVTYPE_REF] = CapableCaps(D3DDEVTYPE_REF);
    d3d.adapters.push_back(adapter);
    Enumerate();

    D3DSettings settings;
    EXPECT_FALSE(init.FindBestWindowedSettings(settings, true, false));
    EXPECT_FALSE(init.FindBestFullscreenSettings(settings, nullptr, true, false));

    ASSERT_TRUE(init.FindBestWindowedSettings(settings, false, true));
    EXPECT_EQ(settings.windowedSettings.deviceType, D3DDEVTYPE_REF);
    ASSERT_TRUE(init.FindBestFullscreenSettings(settings, nullptr, false, true));
    EXPECT_EQ(settings.fullscreenSettings.deviceType, D3DDEVTYPE_REF);

    ASSERT_TRUE(init.FindBestWindowedSettings(settings, false, false));
    EXPECT_EQ(settings.windowedSettings.deviceType, D3DDEVTYPE_SW);
}

TEST_F(SelectionTest, SelectionsBeforeEnumerationFindNothing) {
    D3DSettings settings;
    EXPECT_FALSE(init.FindBestWindowedSettings(settings, false, false));
    EXPECT_FALSE(init.FindBestFullscreenSettings(settings, nullptr, false, false));
}

// ---- Full screen ----

TEST_F(SelectionTest, FullscreenKeepsTheCurrentRefreshAndTakesTheLastModeOfTheWidth) {
    RecordingAdapter adapter = TypicalAdapter();
    adapter.desktopMode = {1280, 800, 60, D3DFMT_X8R8G8B8};
    adapter.modes = {{640, 480, 75, D3DFMT_X8R8G8B8},
                     {800, 600, 60, D3DFMT_X8R8G8B8},
                     {640, 480, 85, D3DFMT_X8R8G8B8},
                     {1024, 768, 60, D3DFMT_X8R8G8B8}};
    d3d.adapters.push_back(adapter);
    Enumerate();
    D3DSettings settings = Marked();
    const D3DSettingsBlock windowedBefore = settings.windowedSettings;

    const D3DDISPLAYMODE desired{640, 480, 0, D3DFMT_UNKNOWN};
    ASSERT_TRUE(init.FindBestFullscreenSettings(settings, &desired, false, false));
    EXPECT_EQ(settings.windowed, 0);
    const D3DSettingsBlock& block = settings.fullscreenSettings;
    EXPECT_EQ(block.displayMode.Width, 640u);
    EXPECT_EQ(block.displayMode.Height, 480u);
    EXPECT_EQ(block.displayMode.RefreshRate, 85u);
    EXPECT_EQ(block.displayMode.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(block.deviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(block.backBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(block.depthStencilFormat, D3DFMT_D32);
    EXPECT_EQ(block.multiSampleQuality, 0u);
    EXPECT_EQ(block.vertexProcessingType, VertexProcessingType::PureHardware);
    EXPECT_EQ(block.presentInterval, D3DPRESENT_INTERVAL_IMMEDIATE);
    EXPECT_TRUE(SameBytes(settings.windowedSettings, windowedBefore));
}

TEST_F(SelectionTest, FullscreenTakesAnExactModeAtOnce) {
    RecordingAdapter adapter = TypicalAdapter();
    adapter.modes = {{1024, 768, 60, D3DFMT_X8R8G8B8},
                     {640, 480, 60, D3DFMT_X8R8G8B8},
                     {640, 400, 70, D3DFMT_X8R8G8B8}};
    d3d.adapters.push_back(adapter);
    Enumerate();
    D3DSettings settings;
    const D3DDISPLAYMODE desired{640, 480, 0, D3DFMT_UNKNOWN};
    ASSERT_TRUE(init.FindBestFullscreenSettings(settings, &desired, false, false));
    EXPECT_EQ(settings.fullscreenSettings.displayMode.Height, 480u);
    EXPECT_EQ(settings.fullscreenSettings.displayMode.RefreshRate, 60u);
}

TEST_F(SelectionTest, FullscreenFallsBackToTheFirstModeWithoutTheWidth) {
    RecordingAdapter adapter = TypicalAdapter();
    adapter.modes = {{800, 600, 60, D3DFMT_X8R8G8B8}, {1024, 768, 60, D3DFMT_X8R8G8B8}};
    d3d.adapters.push_back(adapter);
    Enumerate();
    D3DSettings settings;
    const D3DDISPLAYMODE desired{640, 480, 0, D3DFMT_UNKNOWN};
    ASSERT_TRUE(init.FindBestFullscreenSettings(settings, &desired, false, false));
    EXPECT_EQ(settings.fullscreenSettings.displayMode.Width, 800u);
}

TEST_F(SelectionTest, FullscreenWithoutDesiredModeUsesTheCurrentMode) {
    d3d.adapters.push_back(TypicalAdapter());
    Enumerate();
    D3DSettings settings;
    ASSERT_TRUE(init.FindBestFullscreenSettings(settings, nullptr, false, false));
    EXPECT_EQ(settings.fullscreenSettings.displayMode.Width, 1280u);
    EXPECT_EQ(settings.fullscreenSettings.displayMode.Height, 800u);
}

TEST_F(SelectionTest, FullscreenPrefersTheDesiredDisplayFormat) {
    RecordingAdapter adapter = TypicalAdapter();
    adapter.desktopMode = {1024, 768, 60, D3DFMT_R5G6B5};
    adapter.modes = {{1024, 768, 60, D3DFMT_X8R8G8B8}, {1024, 768, 60, D3DFMT_R5G6B5}};
    d3d.adapters.push_back(adapter);
    Enumerate();

    D3DSettings settings;
    ASSERT_TRUE(init.FindBestFullscreenSettings(settings, nullptr, false, false));
    EXPECT_EQ(settings.fullscreenSettings.displayMode.Format, D3DFMT_R5G6B5);
    EXPECT_EQ(settings.fullscreenSettings.backBufferFormat, D3DFMT_R5G6B5);

    // A desired format overrides the current one.
    const D3DDISPLAYMODE desired{0, 0, 0, D3DFMT_X8R8G8B8};
    ASSERT_TRUE(init.FindBestFullscreenSettings(settings, &desired, false, false));
    EXPECT_EQ(settings.fullscreenSettings.displayMode.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(settings.fullscreenSettings.backBufferFormat, D3DFMT_X8R8G8B8);
}

TEST_F(SelectionTest, FullscreenTakesTheDesiredFormatEvenWithAnotherBackBuffer) {
    RecordingAdapter adapter = TypicalAdapter();
    adapter.desktopMode = {1024, 768, 60, D3DFMT_R5G6B5};
    adapter.modes = {{1024, 768, 60, D3DFMT_X8R8G8B8}, {1024, 768, 60, D3DFMT_R5G6B5}};
    d3d.adapters.push_back(adapter);
    d3d.deviceTypeResults[{D3DFMT_R5G6B5, D3DFMT_R5G6B5, 0}] = D3DERR_NOTAVAILABLE;
    Enumerate();

    D3DSettings settings;
    ASSERT_TRUE(init.FindBestFullscreenSettings(settings, nullptr, false, false));
    EXPECT_EQ(settings.fullscreenSettings.displayMode.Format, D3DFMT_R5G6B5);
    // The first back buffer on that display format, not the matching one on X8R8G8B8.
    EXPECT_EQ(settings.fullscreenSettings.backBufferFormat, D3DFMT_R8G8B8);
}

TEST_F(SelectionTest, FullscreenPrefersHalOnALaterAdapter) {
    RecordingAdapter software = TypicalAdapter();
    software.devices.clear();
    software.devices[D3DDEVTYPE_SW] = CapableCaps(D3DDEVTYPE_SW);
    RecordingAdapter hal = TypicalAdapter();
    hal.modes = {{800, 600, 72, D3DFMT_X8R8G8B8}};
    hal.desktopMode = {800, 600, 72, D3DFMT_X8R8G8B8};
    d3d.adapters = {software, hal};
    Enumerate();

    D3DSettings settings;
    ASSERT_TRUE(init.FindBestFullscreenSettings(settings, nullptr, false, false));
    EXPECT_EQ(settings.fullscreenSettings.adapterOrdinal, 1u);
    EXPECT_EQ(settings.fullscreenSettings.deviceType, D3DDEVTYPE_HAL);
    // The mode comes from the chosen adapter, with its own desired mode.
    EXPECT_EQ(settings.fullscreenSettings.displayMode.Width, 800u);
    EXPECT_EQ(settings.fullscreenSettings.displayMode.RefreshRate, 72u);
}

TEST_F(SelectionTest, FirstPerfectCandidateEndsBothSearches) {
    d3d.adapters = {TypicalAdapter(), TypicalAdapter()};
    Enumerate();
    D3DSettings settings;
    ASSERT_TRUE(init.FindBestWindowedSettings(settings, false, false));
    EXPECT_EQ(settings.windowedSettings.adapterOrdinal, 0u);
    ASSERT_TRUE(init.FindBestFullscreenSettings(settings, nullptr, false, false));
    EXPECT_EQ(settings.fullscreenSettings.adapterOrdinal, 0u);
}

TEST_F(SelectionTest, SelectionsWriteOnlyTheirOwnBlock) {
    d3d.adapters.push_back(TypicalAdapter());
    Enumerate();
    D3DSettings settings;
    const D3DDISPLAYMODE desired{640, 480, 0, D3DFMT_UNKNOWN};
    ASSERT_TRUE(init.FindBestFullscreenSettings(settings, &desired, false, false));
    ASSERT_TRUE(init.FindBestWindowedSettings(settings, false, false));
    // The windowed search ran last and leaves the record windowed; the
    // full-screen block survives for a later switch.
    EXPECT_EQ(settings.windowed, 1);
    EXPECT_EQ(settings.fullscreenSettings.displayMode.Width, 640u);
    EXPECT_EQ(settings.windowedSettings.displayMode.Width, 1280u);
    EXPECT_EQ(&settings.Active(), &settings.windowedSettings);
}

}  // namespace

#include "rendering/device_selection_policy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/gfx/recording/recording_device.h"

namespace {

using RenderLib::CMyD3DInit;
using RenderLib::VertexProcessingType;

TEST(MyD3DInitModes, SmallestAcceptedModeIs640By480At60) {
    CMyD3DInit policy;
    EXPECT_TRUE(policy.ValidateDisplayMode({640, 480, 60, D3DFMT_X8R8G8B8}));
    EXPECT_TRUE(policy.ValidateDisplayMode({1280, 800, 75, D3DFMT_R5G6B5}));
    EXPECT_FALSE(policy.ValidateDisplayMode({640, 480, 59, D3DFMT_X8R8G8B8}));
    EXPECT_FALSE(policy.ValidateDisplayMode({639, 480, 60, D3DFMT_X8R8G8B8}));
    EXPECT_FALSE(policy.ValidateDisplayMode({640, 479, 60, D3DFMT_X8R8G8B8}));
    EXPECT_FALSE(policy.ValidateDisplayMode({1920, 1080, 0, D3DFMT_X8R8G8B8}));
}

TEST(MyD3DInitDevices, EveryRequiredCapabilityIsNeeded) {
    CMyD3DInit policy;
    const D3DCAPS9 capable = CapableCaps();
    EXPECT_TRUE(policy.ValidateDevice(D3DDEVTYPE_HAL, capable));

    DWORD D3DCAPS9::*const fields[] = {&D3DCAPS9::RasterCaps, &D3DCAPS9::ShadeCaps,
                                       &D3DCAPS9::PrimitiveMiscCaps, &D3DCAPS9::ZCmpCaps,
                                       &D3DCAPS9::TextureOpCaps};
    const DWORD bits[] = {D3DPRASTERCAPS_DITHER, D3DPSHADECAPS_COLORGOURAUDRGB,
                          D3DPMISCCAPS_CULLCCW, D3DPCMPCAPS_LESSEQUAL, D3DTEXOPCAPS_SELECTARG1};
    for (int i = 0; i < 5; ++i) {
        D3DCAPS9 lacking = capable;
        lacking.*fields[i] &= ~bits[i];
        EXPECT_FALSE(policy.ValidateDevice(D3DDEVTYPE_HAL, lacking)) << "capability " << i;
    }

    // The required bits alone are enough.
    D3DCAPS9 minimal;
    for (int i = 0; i < 5; ++i) {
        minimal.*fields[i] = bits[i];
    }
    EXPECT_TRUE(policy.ValidateDevice(D3DDEVTYPE_SW, minimal));
}

TEST(MyD3DInitVertexProcessing, OnlyMixedIsRefused) {
    CMyD3DInit policy;
    EXPECT_TRUE(policy.ValidateVertexProcessingType(VertexProcessingType::Software));
    EXPECT_FALSE(policy.ValidateVertexProcessingType(VertexProcessingType::Mixed));
    EXPECT_TRUE(policy.ValidateVertexProcessingType(VertexProcessingType::Hardware));
    EXPECT_TRUE(policy.ValidateVertexProcessingType(VertexProcessingType::PureHardware));
}

TEST(MyD3DInitEnumeration, PolicyShapesTheTree) {
    auto* direct3D = new RecordingDirect3D();
    RecordingAdapter adapter = TypicalAdapter();
    adapter.modes = {{640, 480, 59, D3DFMT_X8R8G8B8},
                     {639, 480, 60, D3DFMT_X8R8G8B8},
                     {800, 600, 0, D3DFMT_X8R8G8B8},
                     {800, 600, 75, D3DFMT_X8R8G8B8}};
    direct3D->adapters.push_back(adapter);

    CMyD3DInit policy;
    ASSERT_EQ(policy.Enumerate(direct3D), 0);
    ASSERT_EQ(policy.GetAdapters().size(), 1u);
    const auto& info = *policy.GetAdapters()[0];
    ASSERT_EQ(info.displayModes.size(), 1u);
    EXPECT_EQ(info.displayModes[0].Width, 800u);
    EXPECT_EQ(info.displayModes[0].RefreshRate, 75u);

    ASSERT_FALSE(info.devices.empty());
    for (const auto& device : info.devices) {
        for (const auto& combo : device->combos) {
            EXPECT_THAT(combo->vertexProcessingTypes,
                        ::testing::ElementsAre(VertexProcessingType::PureHardware,
                                               VertexProcessingType::Hardware,
                                               VertexProcessingType::Software));
        }
    }
    direct3D->Release();
}

}  // namespace

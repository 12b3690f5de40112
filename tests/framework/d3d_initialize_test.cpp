// Enumeration of the adapter tree by CD3DInitialize against recording adapters.

#include "framework/d3d_initialize.h"

#include <gtest/gtest.h>

#include <new>
#include <utility>
#include <vector>

#include "tests/framework/d3d_initialize_fixture.h"

namespace {

using RenderLib::CD3DInitialize;
using RenderLib::D3DAdapterInfo;
using RenderLib::D3DDeviceCombo;
using RenderLib::VertexProcessingType;

const D3DDeviceCombo* FindCombo(const D3DAdapterInfo& adapter, D3DDEVTYPE type,
                                D3DFORMAT backBuffer, bool windowed) {
    for (const auto& device : adapter.devices) {
        for (const auto& combo : device->combos) {
            if (device->deviceType == type && combo->backBufferFormat == backBuffer &&
                combo->windowed == windowed) {
                return combo.get();
            }
        }
    }
    return nullptr;
}

std::vector<D3DDEVTYPE> DeviceTypes(const D3DAdapterInfo& adapter) {
    std::vector<D3DDEVTYPE> types;
    for (const auto& device : adapter.devices) {
        types.push_back(device->deviceType);
    }
    return types;
}

// Refuses every depth-stencil format while one device type is enumerated, so
// every combination of that type comes out empty.
class DepthRefusingInit : public CD3DInitialize {
public:
    explicit DepthRefusingInit(D3DDEVTYPE refused) : refused_(refused) {}
    bool ValidateDevice(D3DDEVTYPE type, const D3DCAPS9&) override {
        current_ = type;
        return true;
    }
    bool ValidateDepthStencilFormat(D3DFORMAT) override { return current_ != refused_; }

private:
    D3DDEVTYPE refused_;
    D3DDEVTYPE current_ = D3DDEVTYPE_HAL;
};

class EnumerationTest : public ::testing::Test {
protected:
    RecordingDirect3DHolder holder;
    RecordingDirect3D& d3d = *holder.d3d;
};

TEST_F(EnumerationTest, RefusesMissingAdapterObject) {
    CD3DInitialize init;
    EXPECT_EQ(init.Enumerate(nullptr), E_FAIL);
    EXPECT_TRUE(init.GetAdapters().empty());
}

TEST_F(EnumerationTest, TypicalAdapterGivesOneHalDeviceWithEveryBackBufferBothWays) {
    d3d.adapters.push_back(TypicalAdapter());
    CD3DInitialize init;
    ASSERT_EQ(init.Enumerate(&d3d), S_OK);

    ASSERT_EQ(init.GetAdapters().size(), 1u);
    const D3DAdapterInfo& adapter = *init.GetAdapters()[0];
    EXPECT_EQ(adapter.ordinal, 0u);
    EXPECT_STREQ(adapter.identifier.Description, "Recording adapter");
    ASSERT_EQ(adapter.displayModes.size(), 4u);
    EXPECT_EQ(adapter.displayModes[0].Width, 640u);
    EXPECT_EQ(adapter.displayModes[3].Width, 1280u);
    ASSERT_EQ(DeviceTypes(adapter), std::vector<D3DDEVTYPE>{D3DDEVTYPE_HAL});

    // Back-buffer formats in table order, full screen before windowed.
    const auto& combos = adapter.devices[0]->combos;
    ASSERT_EQ(combos.size(), 22u);
    EXPECT_EQ(combos[0]->backBufferFormat, D3DFMT_R8G8B8);
    EXPECT_FALSE(combos[0]->windowed);
    EXPECT_EQ(combos[1]->backBufferFormat, D3DFMT_R8G8B8);
    EXPECT_TRUE(combos[1]->windowed);
    EXPECT_EQ(combos[2]->backBufferFormat, D3DFMT_A8R8G8B8);
    EXPECT_EQ(combos[21]->backBufferFormat, D3DFMT_A2B10G10R10);

    const D3DDeviceCombo& combo = *combos[4];  // X8R8G8B8, full screen
    EXPECT_EQ(combo.adapterOrdinal, 0u);
    EXPECT_EQ(combo.deviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(combo.adapterFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(combo.backBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(combo.caps.DevCaps, CapableCaps().DevCaps);
    EXPECT_EQ(combo.depthStencilFormats,
              (std::vector<D3DFORMAT>{D3DFMT_D32, D3DFMT_D24X4S4, D3DFMT_D24X8, D3DFMT_D24S8,
                                      D3DFMT_D16, D3DFMT_D15S1}));
    EXPECT_EQ(combo.multiSampleTypes, std::vector<D3DMULTISAMPLE_TYPE>{D3DMULTISAMPLE_NONE});
    EXPECT_EQ(combo.vertexProcessingTypes,
              (std::vector<VertexProcessingType>{
                  VertexProcessingType::PureHardware, VertexProcessingType::Hardware,
                  VertexProcessingType::Mixed, VertexProcessingType::Software}));
    EXPECT_EQ(combo.presentIntervals,
              (std::vector<UINT>{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT,
                                 D3DPRESENT_INTERVAL_ONE, D3DPRESENT_INTERVAL_TWO,
                                 D3DPRESENT_INTERVAL_THREE, D3DPRESENT_INTERVAL_FOUR}));
}

TEST_F(EnumerationTest, ModesFollowTheFormatTableAndCombosTheirFirstSeenFormats) {
    RecordingAdapter adapter = TypicalAdapter();
    adapter.modes = {{800, 600, 60, D3DFMT_R5G6B5},
                     {640, 480, 60, D3DFMT_X8R8G8B8},
                     {1024, 768, 60, D3DFMT_X1R5G5B5}};
    d3d.adapters.push_back(adapter);
    CD3DInitialize init;
    ASSERT_EQ(init.Enumerate(&d3d), S_OK);

    const D3DAdapterInfo& info = *init.GetAdapters()[0];
    ASSERT_EQ(info.displayModes.size(), 3u);
    EXPECT_EQ(info.displayModes[0].Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(info.displayModes[1].Format, D3DFMT_X1R5G5B5);
    EXPECT_EQ(info.displayModes[2].Format, D3DFMT_R5G6B5);
    const auto& combos = info.devices[0]->combos;
    ASSERT_EQ(combos.size(), 66u);
    EXPECT_EQ(combos[0]->adapterFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(combos[22]->adapterFormat, D3DFMT_X1R5G5B5);
    EXPECT_EQ(combos[44]->adapterFormat, D3DFMT_R5G6B5);
}

TEST_F(EnumerationTest, RefusedChecksOnlyExcludeTheirCandidates) {
    d3d.adapters.push_back(TypicalAdapter());
    d3d.deviceTypeResults[{D3DFMT_X8R8G8B8, D3DFMT_R8G8B8, 1}] = D3DERR_NOTAVAILABLE;
    d3d.deviceFormatResults[{D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D32}] =
        D3DERR_NOTAVAILABLE;
    d3d.depthStencilMatchResults[D3DFMT_D24X4S4] = D3DERR_NOTAVAILABLE;
    d3d.multiSampleResults[static_cast<D3DMULTISAMPLE_TYPE>(4)] = D3D_OK;
    d3d.multiSampleQualityLevels = 3;
    CD3DInitialize init;
    ASSERT_EQ(init.Enumerate(&d3d), S_OK);

    const D3DAdapterInfo& adapter = *init.GetAdapters()[0];
    EXPECT_EQ(FindCombo(adapter, D3DDEVTYPE_HAL, D3DFMT_R8G8B8, true), nullptr);
    ASSERT_NE(FindCombo(adapter, D3DDEVTYPE_HAL, D3DFMT_R8G8B8, false), nullptr);
    const D3DDeviceCombo& combo = *FindCombo(adapter, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, true);
    EXPECT_EQ(combo.depthStencilFormats,
              (std::vector<D3DFORMAT>{D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D16, D3DFMT_D15S1}));
    EXPECT_EQ(combo.multiSampleTypes,
              (std::vector<D3DMULTISAMPLE_TYPE>{D3DMULTISAMPLE_NONE,
                                                static_cast<D3DMULTISAMPLE_TYPE>(4)}));
    EXPECT_EQ(combo.multiSampleQualities, (std::vector<DWORD>{3, 3}));
}

TEST_F(EnumerationTest, DeviceTypeWhoseCombinationsAllFailIsMissing) {
    RecordingAdapter adapter = TypicalAdapter();
    adapter.devices[D3DDEVTYPE_REF] = CapableCaps(D3DDEVTYPE_REF);
    adapter.devices[D3DDEVTYPE_SW] = CapableCaps(D3DDEVTYPE_SW);
    d3d.adapters.push_back(adapter);

    DepthRefusingInit init(D3DDEVTYPE_SW);
    ASSERT_EQ(init.Enumerate(&d3d), S_OK);
    ASSERT_EQ(init.GetAdapters().size(), 1u);
    EXPECT_EQ(DeviceTypes(*init.GetAdapters()[0]),
              (std::vector<D3DDEVTYPE>{D3DDEVTYPE_HAL, D3DDEVTYPE_REF}));
}

TEST_F(EnumerationTest, AdapterWithoutUsableDeviceIsMissingAndEnumerationSucceeds) {
    RecordingAdapter noDevices = TypicalAdapter();
    noDevices.devices.clear();
    RecordingAdapter refusedHal = TypicalAdapter();
    RecordingAdapter good = TypicalAdapter();
    good.devices[D3DDEVTYPE_REF] = CapableCaps(D3DDEVTYPE_REF);
    refusedHal.devices.clear();
    refusedHal.devices[D3DDEVTYPE_HAL] = CapableCaps();
    d3d.adapters = {noDevices, good, refusedHal};

    DepthRefusingInit init(D3DDEVTYPE_HAL);  // leaves only good's REF device
    ASSERT_EQ(init.Enumerate(&d3d), S_OK);
    ASSERT_EQ(init.GetAdapters().size(), 1u);
    EXPECT_EQ(init.GetAdapters()[0]->ordinal, 1u);
    EXPECT_EQ(DeviceTypes(*init.GetAdapters()[0]), std::vector<D3DDEVTYPE>{D3DDEVTYPE_REF});
}

TEST_F(EnumerationTest, NothingUsableAnywhereStillSucceedsWithAnEmptyTree) {
    RecordingAdapter noModes = TypicalAdapter();
    noModes.modes.clear();
    d3d.adapters = {noModes, TypicalAdapter()};
    for (D3DFORMAT format :
         {D3DFMT_D32, D3DFMT_D24X4S4, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D16, D3DFMT_D15S1}) {
        d3d.depthStencilMatchResults[format] = D3DERR_NOTAVAILABLE;
    }
    CD3DInitialize init;
    EXPECT_EQ(init.Enumerate(&d3d), S_OK);
    EXPECT_TRUE(init.GetAdapters().empty());
}

TEST_F(EnumerationTest, PlatformFailureWhileReadingModesStopsEverything) {
    d3d.adapters = {TypicalAdapter(), TypicalAdapter()};
    d3d.enumAdapterModesResult = D3DERR_DRIVERINTERNALERROR;
    CD3DInitialize init;
    EXPECT_EQ(init.Enumerate(&d3d), D3DERR_DRIVERINTERNALERROR);
    EXPECT_TRUE(init.GetAdapters().empty());
    // The second adapter was never asked.
    EXPECT_TRUE(d3d.Log().Matching("GetAdapterIdentifier(1").empty());
    EXPECT_TRUE(d3d.Log().Matching("GetDeviceCaps(").empty());
}

TEST_F(EnumerationTest, WindowedCombinationsPresentAtMostOncePerRefresh) {
    d3d.adapters.push_back(TypicalAdapter());
    CD3DInitialize init;
    ASSERT_EQ(init.Enumerate(&d3d), S_OK);
    for (const auto& combo : init.GetAdapters()[0]->devices[0]->combos) {
        const std::vector<UINT> expected =
            combo->windowed
                ? std::vector<UINT>{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT,
                                    D3DPRESENT_INTERVAL_ONE}
                : std::vector<UINT>{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT,
                                    D3DPRESENT_INTERVAL_ONE,       D3DPRESENT_INTERVAL_TWO,
                                    D3DPRESENT_INTERVAL_THREE,     D3DPRESENT_INTERVAL_FOUR};
        EXPECT_EQ(combo->presentIntervals, expected) << combo->backBufferFormat;
    }
}

// Refuses every presentation interval it is asked about.
class IntervalRefusingInit : public CD3DInitialize {
public:
    bool ValidatePresentInterval(UINT interval) override {
        asked.push_back(interval);
        return false;
    }
    std::vector<UINT> asked;
};

TEST_F(EnumerationTest, DefaultIntervalIsListedWithoutCapsOrApproval) {
    RecordingAdapter adapter = TypicalAdapter();
    adapter.devices[D3DDEVTYPE_HAL].PresentationIntervals = D3DPRESENT_INTERVAL_ONE;
    d3d.adapters.push_back(adapter);
    IntervalRefusingInit init;
    ASSERT_EQ(init.Enumerate(&d3d), S_OK);

    ASSERT_FALSE(init.GetAdapters().empty());
    for (const auto& combo : init.GetAdapters()[0]->devices[0]->combos) {
        EXPECT_EQ(combo->presentIntervals, std::vector<UINT>{D3DPRESENT_INTERVAL_DEFAULT});
    }
    // Only intervals in the caps reach the hook; DEFAULT never does.
    for (UINT interval : init.asked) {
        EXPECT_EQ(interval, D3DPRESENT_INTERVAL_ONE);
    }
    EXPECT_FALSE(init.asked.empty());
}

TEST_F(EnumerationTest, VertexProcessingFollowsTransformAndLightingCaps) {
    RecordingAdapter adapter = TypicalAdapter();
    adapter.devices[D3DDEVTYPE_HAL].DevCaps = 0;
    adapter.devices[D3DDEVTYPE_REF] = CapableCaps(D3DDEVTYPE_REF);
    adapter.devices[D3DDEVTYPE_REF].DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    adapter.devices[D3DDEVTYPE_SW] = CapableCaps(D3DDEVTYPE_SW);
    adapter.devices[D3DDEVTYPE_SW].DevCaps = D3DDEVCAPS_PUREDEVICE;  // pure without T&L
    d3d.adapters.push_back(adapter);
    CD3DInitialize init;
    ASSERT_EQ(init.Enumerate(&d3d), S_OK);

    const D3DAdapterInfo& info = *init.GetAdapters()[0];
    using V = VertexProcessingType;
    EXPECT_EQ(FindCombo(info, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, false)->vertexProcessingTypes,
              std::vector<V>{V::Software});
    EXPECT_EQ(FindCombo(info, D3DDEVTYPE_SW, D3DFMT_X8R8G8B8, true)->vertexProcessingTypes,
              std::vector<V>{V::Software});
    EXPECT_EQ(FindCombo(info, D3DDEVTYPE_REF, D3DFMT_X8R8G8B8, false)->vertexProcessingTypes,
              (std::vector<V>{V::Hardware, V::Mixed, V::Software}));
}

// The program's kind of policy: no mixed processing, only large modes, only
// full-screen back buffers.
class PolicyInit : public CD3DInitialize {
public:
    bool ValidateDisplayMode(const D3DDISPLAYMODE& mode) override { return mode.Width >= 800; }
    bool ValidateBackBufferFormat(D3DFORMAT, bool windowed) override { return !windowed; }
    bool ValidateVertexProcessingType(VertexProcessingType type) override {
        return type != VertexProcessingType::Mixed;
    }
};

TEST_F(EnumerationTest, OverriddenHooksShapeTheTree) {
    d3d.adapters.push_back(TypicalAdapter());
    PolicyInit init;
    ASSERT_EQ(init.Enumerate(&d3d), S_OK);

    const D3DAdapterInfo& info = *init.GetAdapters()[0];
    ASSERT_EQ(info.displayModes.size(), 3u);
    EXPECT_EQ(info.displayModes[0].Width, 800u);
    ASSERT_EQ(info.devices[0]->combos.size(), 11u);
    for (const auto& combo : info.devices[0]->combos) {
        EXPECT_FALSE(combo->windowed);
        EXPECT_EQ(combo->vertexProcessingTypes,
                  (std::vector<VertexProcessingType>{VertexProcessingType::PureHardware,
                                                     VertexProcessingType::Hardware,
                                                     VertexProcessingType::Software}));
    }
}

// Fails an allocation in the middle of building a combination.
class OutOfMemoryInit : public CD3DInitialize {
public:
    bool ValidateMultiSampleType(D3DMULTISAMPLE_TYPE) override { throw std::bad_alloc(); }
};

TEST_F(EnumerationTest, AllocationFailureReportsOutOfMemory) {
    d3d.adapters.push_back(TypicalAdapter());
    OutOfMemoryInit init;
    EXPECT_EQ(init.Enumerate(&d3d), E_OUTOFMEMORY);
    EXPECT_TRUE(init.GetAdapters().empty());
}

TEST_F(EnumerationTest, HoldsOneReferenceToTheAdapterObjectAcrossRepeatedEnumeration) {
    d3d.adapters.push_back(TypicalAdapter());
    {
        CD3DInitialize init;
        ASSERT_EQ(init.Enumerate(&d3d), S_OK);
        EXPECT_EQ(ReferenceCount(&d3d), 2u);
        ASSERT_EQ(init.Enumerate(&d3d), S_OK);
        EXPECT_EQ(ReferenceCount(&d3d), 2u);
        EXPECT_EQ(init.GetAdapters().size(), 1u);  // rebuilt, not appended to
    }
    EXPECT_EQ(ReferenceCount(&d3d), 1u);
}

}  // namespace

#include <gtest/gtest.h>

#include "platform/gfx/recording/recording_device.h"
#include "platform/gfx/recording/recording_window.h"

namespace {

class RecordingDirect3DTest : public ::testing::Test {
protected:
    RecordingDirect3DTest() { d3d->adapters.push_back(TypicalAdapter()); }
    ~RecordingDirect3DTest() override { d3d->Release(); }

    D3DPRESENT_PARAMETERS WindowedParameters() {
        D3DPRESENT_PARAMETERS parameters;
        parameters.Windowed = 1;
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        return parameters;
    }

    RecordingDirect3D* d3d = new RecordingDirect3D();
};

TEST_F(RecordingDirect3DTest, ModesAreCountedAndEnumeratedPerFormat) {
    RecordingAdapter& adapter = d3d->adapters[0];
    adapter.modes = {{640, 480, 60, D3DFMT_X8R8G8B8},
                     {640, 480, 60, D3DFMT_R5G6B5},
                     {800, 600, 75, D3DFMT_X8R8G8B8},
                     {1024, 768, 60, D3DFMT_R5G6B5}};

    EXPECT_EQ(d3d->GetAdapterModeCount(0, D3DFMT_X8R8G8B8), 2u);
    EXPECT_EQ(d3d->GetAdapterModeCount(0, D3DFMT_R5G6B5), 2u);
    EXPECT_EQ(d3d->GetAdapterModeCount(0, D3DFMT_X1R5G5B5), 0u);
    EXPECT_EQ(d3d->GetAdapterModeCount(1, D3DFMT_X8R8G8B8), 0u);  // no such adapter

    D3DDISPLAYMODE mode;
    ASSERT_EQ(d3d->EnumAdapterModes(0, D3DFMT_R5G6B5, 1, &mode), D3D_OK);
    EXPECT_EQ(mode.Width, 1024u);
    EXPECT_EQ(mode.Format, D3DFMT_R5G6B5);
    ASSERT_EQ(d3d->EnumAdapterModes(0, D3DFMT_X8R8G8B8, 1, &mode), D3D_OK);
    EXPECT_EQ(mode.Width, 800u);
    EXPECT_EQ(mode.RefreshRate, 75u);
    EXPECT_EQ(d3d->EnumAdapterModes(0, D3DFMT_X8R8G8B8, 2, &mode), D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d->EnumAdapterModes(0, D3DFMT_X8R8G8B8, 0, nullptr), D3DERR_INVALIDCALL);

    d3d->enumAdapterModesResult = D3DERR_DRIVERINTERNALERROR;
    EXPECT_EQ(d3d->EnumAdapterModes(0, D3DFMT_X8R8G8B8, 0, &mode), D3DERR_DRIVERINTERNALERROR);
}

TEST_F(RecordingDirect3DTest, TypicalAdapterOffersFourModesAndACapableHal) {
    EXPECT_EQ(d3d->GetAdapterCount(), 1u);
    EXPECT_EQ(d3d->GetAdapterModeCount(0, D3DFMT_X8R8G8B8), 4u);
    D3DCAPS9 caps;
    ASSERT_EQ(d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3D_OK);
    EXPECT_EQ(caps.DeviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(caps.MaxAnisotropy, 16u);
    EXPECT_NE(caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0u);
    EXPECT_NE(caps.TextureOpCaps & D3DTEXOPCAPS_SELECTARG1, 0u);
    EXPECT_NE(caps.PrimitiveMiscCaps & D3DPMISCCAPS_CULLCCW, 0u);
    EXPECT_EQ(d3d->GetDeviceCaps(0, D3DDEVTYPE_REF, &caps), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d->GetDeviceCaps(0, D3DDEVTYPE_SW, &caps), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d->GetDeviceCaps(3, D3DDEVTYPE_HAL, &caps), D3DERR_INVALIDCALL);
}

TEST_F(RecordingDirect3DTest, ChecksAnswerFromTheirMapsAndOtherwiseSucceed) {
    d3d->deviceTypeResults[{D3DFMT_X8R8G8B8, D3DFMT_R5G6B5, 1}] = D3DERR_NOTAVAILABLE;
    EXPECT_EQ(d3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5, 1),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5, 0), D3D_OK);
    EXPECT_EQ(d3d->CheckDeviceType(0, D3DDEVTYPE_REF, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, 1),
              D3DERR_NOTAVAILABLE);  // no such device type

    d3d->deviceFormatResults[{0, D3DRTYPE_TEXTURE, D3DFMT_DXT1}] = D3DERR_NOTAVAILABLE;
    EXPECT_EQ(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE,
                                     D3DFMT_DXT1),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE,
                                     D3DFMT_X8R8G8B8),
              D3D_OK);

    d3d->depthStencilMatchResults[D3DFMT_D32] = D3DERR_NOTAVAILABLE;
    EXPECT_EQ(d3d->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8,
                                          D3DFMT_D32),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8,
                                          D3DFMT_D16),
              D3D_OK);
}

TEST_F(RecordingDirect3DTest, MultisamplingOffersOnlyNoneUnlessListed) {
    d3d->multiSampleQualityLevels = 3;
    DWORD quality = 99;
    EXPECT_EQ(d3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 1,
                                              D3DMULTISAMPLE_NONE, &quality),
              D3D_OK);
    EXPECT_EQ(quality, 3u);
    EXPECT_TRUE(FAILED(d3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 1,
                                                       D3DMULTISAMPLE_2_SAMPLES, &quality)));
    d3d->multiSampleResults[D3DMULTISAMPLE_2_SAMPLES] = D3D_OK;
    d3d->multiSampleResults[D3DMULTISAMPLE_NONE] = D3DERR_NOTAVAILABLE;
    EXPECT_EQ(d3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 1,
                                              D3DMULTISAMPLE_2_SAMPLES, nullptr),
              D3D_OK);
    EXPECT_TRUE(FAILED(d3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 1,
                                                       D3DMULTISAMPLE_NONE, &quality)));
}

TEST_F(RecordingDirect3DTest, CreateDeviceConsumesScriptedResultsThenSucceeds) {
    d3d->createDeviceResults = {D3DERR_NOTAVAILABLE, D3DERR_OUTOFVIDEOMEMORY};
    D3DPRESENT_PARAMETERS parameters = WindowedParameters();
    IDirect3DDevice9* device = reinterpret_cast<IDirect3DDevice9*>(&parameters);  // not null

    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &device),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &device),
              D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(d3d->lastDevice, nullptr);

    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &device), D3D_OK);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(d3d->lastDevice, device);
    EXPECT_EQ(d3d->lastPresentParameters.PresentationInterval, D3DPRESENT_INTERVAL_IMMEDIATE);
    EXPECT_EQ(d3d->Log().Matching("CreateDevice(").size(), 3u);
    device->Release();
}

TEST_F(RecordingDirect3DTest, CreateDeviceRefusesAMissingDeviceTypeOrAdapter) {
    D3DPRESENT_PARAMETERS parameters = WindowedParameters();
    IDirect3DDevice9* device = nullptr;
    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_REF, nullptr, 0, &parameters, &device),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d->CreateDevice(1, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &device),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, nullptr, &device),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device, nullptr);
}

TEST_F(RecordingDirect3DTest, DeviceSharesTheLogAndHasTheCapsOfItsType) {
    RecordingAdapter& adapter = d3d->adapters[0];
    adapter.devices[D3DDEVTYPE_REF] = CapableCaps(D3DDEVTYPE_REF);
    adapter.devices[D3DDEVTYPE_REF].MaxAnisotropy = 4;
    RecordingWindow window(320, 200);
    D3DPRESENT_PARAMETERS parameters = WindowedParameters();
    IDirect3DDevice9* device = nullptr;
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_REF, &window, D3DCREATE_MULTITHREADED, &parameters,
                                &device),
              D3D_OK);

    D3DCAPS9 caps;
    ASSERT_EQ(device->GetDeviceCaps(&caps), D3D_OK);
    EXPECT_EQ(caps.DeviceType, D3DDEVTYPE_REF);
    EXPECT_EQ(caps.MaxAnisotropy, 4u);
    EXPECT_EQ(d3d->lastDevice->window, &window);
    EXPECT_EQ(d3d->Log().Lines().back(), "GetDeviceCaps(ptr)");
    EXPECT_EQ(d3d->Log().Matching("CreateDevice("),
              std::vector<std::string>{"CreateDevice(0, 2, ptr, 4, ptr, ptr)"});
    device->Release();
}

TEST_F(RecordingDirect3DTest, EnumerationCallsAreLoggedWithTheirArguments) {
    D3DADAPTER_IDENTIFIER9 identifier;
    D3DDISPLAYMODE mode;
    d3d->GetAdapterCount();
    d3d->GetAdapterIdentifier(0, 0, &identifier);
    d3d->GetAdapterDisplayMode(0, &mode);
    d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL,
                           D3DRTYPE_SURFACE, D3DFMT_D24S8);
    const std::vector<std::string> expected = {
        "GetAdapterCount()",
        "GetAdapterIdentifier(0, 0, ptr)",
        "GetAdapterDisplayMode(0, ptr)",
        "CheckDeviceFormat(0, 1, 22, 2, 1, 75)",
    };
    EXPECT_EQ(d3d->Log().Lines(), expected);
    EXPECT_EQ(mode.Width, 1280u);
    EXPECT_STREQ(identifier.Description, "Recording adapter");
}

}  // namespace

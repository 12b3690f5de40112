#include <gtest/gtest.h>

#include <cstring>

#include "platform/gfx/recording/recording_device.h"
#include "platform/gfx/recording/recording_window.h"

namespace {

class RecordingDeviceTest : public ::testing::Test {
protected:
    RecordingDeviceTest() {
        D3DPRESENT_PARAMETERS parameters;
        parameters.Windowed = 1;
        device = new RecordingDevice(log, CapableCaps(), parameters, &window);
    }
    ~RecordingDeviceTest() override { SafeRelease(device); }

    RecordingWindow window{320, 200};
    std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
    RecordingDevice* device = nullptr;
};

TEST_F(RecordingDeviceTest, AFrameIsLoggedOneLinePerCallWithArgumentsInOrder) {
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00004080, 1.0f, 0);
    device->BeginScene();
    device->SetRenderState(D3DRS_FOGDENSITY, FloatToDword(0.5f));
    device->SetTexture(0, nullptr);
    device->SetSamplerState(1, D3DSAMP_MAXANISOTROPY, 16);
    device->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, -2, 0, 24, 4, 2);
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
    const std::vector<std::string> expected = {
        "Clear(0, null, 3, 0x00004080, 1, 0)",
        "BeginScene()",
        "SetRenderState(38, 1056964608)",
        "SetTexture(0, null)",
        "SetSamplerState(1, 10, 16)",
        "DrawIndexedPrimitive(5, -2, 0, 24, 4, 2)",
        "EndScene()",
        "Present(null, null, null, null)",
    };
    EXPECT_EQ(log->Lines(), expected);
    EXPECT_EQ(log->Matching("Set"),
              (std::vector<std::string>{expected[2], expected[3], expected[4]}));
    EXPECT_TRUE(log->Matching("Reset(").empty());
}

TEST_F(RecordingDeviceTest, ColoursAreHexAndFloatsShortest) {
    device->Clear(1, nullptr, D3DCLEAR_TARGET, 0xFFA0B0C0, 0.25f, 7);
    EXPECT_EQ(log->Lines().back(), "Clear(1, null, 1, 0xFFA0B0C0, 0.25, 7)");
}

TEST_F(RecordingDeviceTest, ScriptedResultsAreConsumedInOrderThenSucceed) {
    device->presentResults = {D3DERR_DEVICELOST};
    device->testCooperativeLevelResults = {D3DERR_DEVICELOST, D3DERR_DEVICENOTRESET};
    device->resetResults = {D3DERR_INVALIDCALL};

    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);

    D3DPRESENT_PARAMETERS parameters;
    parameters.BackBufferWidth = 100;
    parameters.BackBufferHeight = 50;
    EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->presentParameters.BackBufferWidth, 0u);  // a failed reset changes nothing
    EXPECT_EQ(device->BackBufferWidth(), 320u);
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
    EXPECT_EQ(device->presentParameters.BackBufferWidth, 100u);
}

TEST_F(RecordingDeviceTest, BackBufferFollowsTheWindowOnlyAtReset) {
    D3DVIEWPORT9 viewport;
    ASSERT_EQ(device->GetViewport(&viewport), D3D_OK);
    EXPECT_EQ(viewport.Width, 320u);
    EXPECT_EQ(viewport.Height, 200u);

    window.SetClientSize(400, 300);
    EXPECT_EQ(device->BackBufferWidth(), 320u);
    D3DPRESENT_PARAMETERS parameters;
    parameters.Windowed = 1;
    ASSERT_EQ(device->Reset(&parameters), D3D_OK);
    EXPECT_EQ(device->BackBufferWidth(), 400u);
    EXPECT_EQ(device->BackBufferHeight(), 300u);
    EXPECT_EQ(device->viewport.Width, 400u);

    std::vector<std::uint8_t> rgba(3, 0x55);
    UINT width = 0;
    UINT height = 0;
    ASSERT_EQ(device->ReadBackBuffer(rgba, width, height), D3D_OK);
    EXPECT_EQ(width, 400u);
    EXPECT_EQ(height, 300u);
    ASSERT_EQ(rgba.size(), 400u * 300u * 4u);
    EXPECT_EQ(rgba[0], 0);
    EXPECT_EQ(rgba[3], 0xFF);
    EXPECT_EQ(rgba[rgba.size() - 2], 0);
    EXPECT_EQ(rgba.back(), 0xFF);

    const PresentedImage image = device->GetPresentedImage();
    EXPECT_EQ(image.texture, 0u);
    EXPECT_EQ(image.width, 400u);
}

TEST_F(RecordingDeviceTest, StateIsKeptAsLastSet) {
    Matrix4 view;
    view.m[3][2] = 5.0f;
    device->SetTransform(D3DTS_VIEW, &view);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(1, D3DSAMP_MINFILTER, D3DTEXF_POINT);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetFVF(D3DFVF_XYZ | D3DFVF_TEX1);

    D3DMATRIX matrix;
    ASSERT_EQ(device->GetTransform(D3DTS_VIEW, &matrix), D3D_OK);
    EXPECT_EQ(matrix.m[3][2], 5.0f);
    ASSERT_EQ(device->GetTransform(D3DTS_WORLD, &matrix), D3D_OK);  // never set: identity
    EXPECT_EQ(matrix.m[3][2], 0.0f);
    EXPECT_EQ(matrix.m[2][2], 1.0f);
    DWORD cull = 0;
    ASSERT_EQ(device->GetRenderState(D3DRS_CULLMODE, &cull), D3D_OK);
    EXPECT_EQ(cull, static_cast<DWORD>(D3DCULL_NONE));
    EXPECT_EQ((device->samplerStates[{0, D3DSAMP_MINFILTER}]), static_cast<DWORD>(D3DTEXF_LINEAR));
    EXPECT_EQ((device->samplerStates[{1, D3DSAMP_MINFILTER}]), static_cast<DWORD>(D3DTEXF_POINT));
    EXPECT_EQ((device->textureStageStates[{0, D3DTSS_COLOROP}]),
              static_cast<DWORD>(D3DTOP_MODULATE));
    EXPECT_EQ(device->vertexFormat, D3DFVF_XYZ | D3DFVF_TEX1);
}

TEST_F(RecordingDeviceTest, IllFormedCallsAreRefusedNotCrashed) {
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->sceneDepth, 1);
    EXPECT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(device->sceneDepth, 0);

    RECT rect;
    EXPECT_EQ(device->Present(&rect, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTransform(D3DTS_WORLD, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetMaterial(nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetViewport(nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Reset(nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->GetDeviceCaps(nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(log->Lines().back(), "GetDeviceCaps(null)");  // refused calls are logged too
}

TEST_F(RecordingDeviceTest, ReleaseToZeroDestroysAndResourcesOutliveTheDevice) {
    // The device and its buffer are the only owners of this log.
    auto ownLog = std::make_shared<CallLog>();
    const std::weak_ptr<CallLog> watcher = ownLog;
    auto* own = new RecordingDevice(std::move(ownLog), CapableCaps(), D3DPRESENT_PARAMETERS{});
    IDirect3DVertexBuffer9* buffer = nullptr;
    ASSERT_EQ(own->CreateVertexBuffer(64, D3DUSAGE_WRITEONLY, D3DFVF_XYZ, D3DPOOL_MANAGED, &buffer,
                                      nullptr),
              D3D_OK);
    EXPECT_EQ(buffer->AddRef(), 2u);
    EXPECT_EQ(buffer->Release(), 1u);
    EXPECT_EQ(own->AddRef(), 2u);
    EXPECT_EQ(own->Release(), 1u);
    EXPECT_EQ(own->Release(), 0u);  // destroyed; a leak or double free shows under ASan

    void* data = nullptr;
    EXPECT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);  // still logs into the shared log
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
    ASSERT_FALSE(watcher.expired());
    EXPECT_EQ(watcher.lock()->Lines().back(), "VertexBuffer.Unlock()");
    EXPECT_EQ(buffer->Release(), 0u);
    EXPECT_TRUE(watcher.expired());  // the last holder let go of the log
}

TEST_F(RecordingDeviceTest, ScriptedCreationFailureHandsOutNothing) {
    device->createResourceResult = D3DERR_OUTOFVIDEOMEMORY;
    IDirect3DVertexBuffer9* vertices = nullptr;
    IDirect3DIndexBuffer9* indices = nullptr;
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(device->CreateVertexBuffer(64, 0, 0, D3DPOOL_MANAGED, &vertices, nullptr),
              D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(device->CreateIndexBuffer(64, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices, nullptr),
              D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(
        device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(vertices, nullptr);
    EXPECT_EQ(indices, nullptr);
    EXPECT_EQ(texture, nullptr);
}

TEST_F(RecordingDeviceTest, CreationRefusesBadArguments) {
    IDirect3DVertexBuffer9* vertices = nullptr;
    IDirect3DIndexBuffer9* indices = nullptr;
    IDirect3DTexture9* texture = nullptr;
    int handle = 0;
    EXPECT_EQ(device->CreateVertexBuffer(0, 0, 0, D3DPOOL_MANAGED, &vertices, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateVertexBuffer(16, 0, 0, D3DPOOL_MANAGED, &vertices, &handle),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateVertexBuffer(16, 0, 0, D3DPOOL_MANAGED, nullptr, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateIndexBuffer(16, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &indices, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(
        device->CreateTexture(0, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3DERR_INVALIDCALL);
    EXPECT_EQ(
        device->CreateTexture(8192, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3DERR_INVALIDCALL);  // beyond the caps' maximum
    EXPECT_EQ(
        device->CreateTexture(4, 4, 4, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3DERR_INVALIDCALL);  // 4 × 4 has only 3 levels
    EXPECT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_D24S8, D3DPOOL_MANAGED, &texture, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(vertices, nullptr);
    EXPECT_EQ(indices, nullptr);
    EXPECT_EQ(texture, nullptr);
}

}  // namespace

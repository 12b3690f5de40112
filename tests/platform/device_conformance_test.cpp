// One suite of the device contract run against both implementations: the
// recording device and the OpenGL device on SDL's offscreen driver. Whatever
// the drawing device refuses, the recording device must refuse too, so that
// a test written on the recording device holds on the real one.

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/recording/recording_device.h"
#include "platform/gfx/recording/recording_window.h"
#include "platform/window/window.h"
#include "tests/platform/opengl_test_support.h"

namespace {

constexpr UINT kWidth = 64;
constexpr UINT kHeight = 48;

class RecordingBackend {
public:
    IDirect3DDevice9* Create() {
        return new RecordingDevice(std::make_shared<CallLog>(), CapableCaps(),
                                   D3DPRESENT_PARAMETERS{}, &window_);
    }

private:
    RecordingWindow window_{kWidth, kHeight};
};

class OpenGLBackend {
public:
    OpenGLBackend() {
        PrepareOffscreenOpenGL();
        WindowCreation creation;
        creation.title = "Device conformance";
        creation.width = static_cast<int>(kWidth);
        creation.height = static_cast<int>(kHeight);
        window_ = CreatePlatformWindow(creation);
        direct3D_ = Direct3DCreate9(D3D_SDK_VERSION);
    }
    ~OpenGLBackend() {
        SafeRelease(direct3D_);
        if (window_ != nullptr) {
            DestroyPlatformWindow(window_);
        }
    }
    IDirect3DDevice9* Create() {
        if (window_ == nullptr || direct3D_ == nullptr) {
            return nullptr;
        }
        D3DPRESENT_PARAMETERS parameters;
        parameters.Windowed = 1;
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.EnableAutoDepthStencil = 1;
        parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
        IDirect3DDevice9* device = nullptr;
        direct3D_->CreateDevice(0, D3DDEVTYPE_HAL, window_, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                &parameters, &device);
        return device;
    }

private:
    HWND window_ = nullptr;
    IDirect3D9* direct3D_ = nullptr;
};

template <class Backend>
class DeviceConformance : public ::testing::Test {
protected:
    void SetUp() override {
        device = backend.Create();
        ASSERT_NE(device, nullptr);
    }
    void TearDown() override { SafeRelease(device); }

    Backend backend;
    IDirect3DDevice9* device = nullptr;
};

using Backends = ::testing::Types<RecordingBackend, OpenGLBackend>;
class BackendNames {
public:
    template <class Backend>
    static std::string GetName(int) {
        return std::is_same_v<Backend, RecordingBackend> ? "Recording" : "OpenGL";
    }
};
TYPED_TEST_SUITE(DeviceConformance, Backends, BackendNames);

constexpr DWORD kColorFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;  // 16 bytes a vertex

// Creates with create and releases what was made; the result of create.
template <class Resource, class Create>
HRESULT Made(Create create) {
    Resource* resource = nullptr;
    const HRESULT result = create(&resource);
    SafeRelease(resource);
    return result;
}

TYPED_TEST(DeviceConformance, CreationTakesWhatTheContractAllowsAndRefusesTheRest) {
    IDirect3DDevice9* device = this->device;
    int sharedHandle = 0;
    const auto vertices = [&](UINT length, DWORD format, D3DPOOL pool, void* shared = nullptr) {
        return Made<IDirect3DVertexBuffer9>([&](IDirect3DVertexBuffer9** out) {
            return device->CreateVertexBuffer(length, 0, format, pool, out, shared);
        });
    };
    const auto indices = [&](UINT length, D3DFORMAT format, D3DPOOL pool) {
        return Made<IDirect3DIndexBuffer9>([&](IDirect3DIndexBuffer9** out) {
            return device->CreateIndexBuffer(length, 0, format, pool, out, nullptr);
        });
    };
    const auto texture = [&](UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format) {
        return Made<IDirect3DTexture9>([&](IDirect3DTexture9** out) {
            return device->CreateTexture(width, height, levels, usage, format, D3DPOOL_MANAGED, out,
                                         nullptr);
        });
    };
    struct Case {
        const char* what;
        HRESULT result;
        HRESULT expected;
    };
    const std::vector<Case> cases = {
        {"vertex buffer", vertices(64, kColorFormat, D3DPOOL_MANAGED), D3D_OK},
        {"one vertex exactly", vertices(16, kColorFormat, D3DPOOL_DEFAULT), D3D_OK},
        {"shorter than one vertex", vertices(15, kColorFormat, D3DPOOL_MANAGED),
         D3DERR_INVALIDCALL},
        {"scratch vertex buffer", vertices(64, kColorFormat, D3DPOOL_SCRATCH), D3DERR_INVALIDCALL},
        {"empty vertex buffer", vertices(0, 0, D3DPOOL_MANAGED), D3DERR_INVALIDCALL},
        {"shared vertex buffer", vertices(64, 0, D3DPOOL_MANAGED, &sharedHandle),
         D3DERR_INVALIDCALL},
        {"index buffer", indices(12, D3DFMT_INDEX16, D3DPOOL_MANAGED), D3D_OK},
        {"scratch index buffer", indices(12, D3DFMT_INDEX16, D3DPOOL_SCRATCH), D3DERR_INVALIDCALL},
        {"index buffer of colours", indices(12, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED),
         D3DERR_INVALIDCALL},
        {"texture", texture(8, 4, 0, 0, D3DFMT_A8R8G8B8), D3D_OK},
        {"texture of a full chain", texture(8, 4, 4, 0, D3DFMT_X8R8G8B8), D3D_OK},
        {"more levels than the chain", texture(8, 4, 5, 0, D3DFMT_A8R8G8B8), D3DERR_INVALIDCALL},
        {"texture of no width", texture(0, 4, 1, 0, D3DFMT_A8R8G8B8), D3DERR_INVALIDCALL},
        {"render-target texture", texture(8, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8),
         D3DERR_INVALIDCALL},
        {"texture of index format", texture(8, 4, 1, 0, D3DFMT_INDEX16), D3DERR_INVALIDCALL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.result, c.expected) << c.what;
    }
    EXPECT_EQ(device->CreateVertexBuffer(64, 0, 0, D3DPOOL_MANAGED, nullptr, nullptr),
              D3DERR_INVALIDCALL);
}

TYPED_TEST(DeviceConformance, LocksStayInsideTheBufferAndPairWithUnlocks) {
    IDirect3DVertexBuffer9* buffer = nullptr;
    ASSERT_EQ(
        this->device->CreateVertexBuffer(64, 0, kColorFormat, D3DPOOL_MANAGED, &buffer, nullptr),
        D3D_OK);
    void* data = nullptr;
    EXPECT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);  // size 0: the whole buffer
    EXPECT_NE(data, nullptr);
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
    EXPECT_EQ(buffer->Unlock(), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Lock(48, 16, &data, 0), D3D_OK);
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
    for (const auto& [offset, size] :
         std::vector<std::pair<UINT, UINT>>{{48, 17}, {65, 0}, {1, 0xFFFFFFFFu}}) {
        data = &data;
        EXPECT_EQ(buffer->Lock(offset, size, &data, 0), D3DERR_INVALIDCALL) << offset;
        EXPECT_EQ(data, nullptr) << offset;
    }
    EXPECT_EQ(buffer->Lock(0, 0, nullptr, 0), D3DERR_INVALIDCALL);
    buffer->Release();
}

TYPED_TEST(DeviceConformance, StateOutsideItsRangesIsRefusedAndInsideIsKept) {
    IDirect3DDevice9* device = this->device;
    D3DMATRIX matrix;
    matrix.m[3][0] = 5.0f;
    EXPECT_EQ(device->SetTransform(D3DTS_WORLD, &matrix), D3D_OK);
    D3DMATRIX read;
    EXPECT_EQ(device->GetTransform(D3DTS_WORLD, &read), D3D_OK);
    EXPECT_EQ(read.m[3][0], 5.0f);
    EXPECT_EQ(device->SetTransform(D3DTS_TEXTURE0, &matrix), D3D_OK);
    EXPECT_EQ(device->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(300), &matrix),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTransform(D3DTS_VIEW, nullptr), D3DERR_INVALIDCALL);

    EXPECT_EQ(device->SetRenderState(D3DRS_ZENABLE, 0), D3D_OK);
    DWORD value = 7;
    EXPECT_EQ(device->GetRenderState(D3DRS_ZENABLE, &value), D3D_OK);
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(256), 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetSamplerState(7, D3DSAMP_MAGFILTER, D3DTEXF_POINT), D3D_OK);
    EXPECT_EQ(device->SetSamplerState(8, D3DSAMP_MAGFILTER, D3DTEXF_POINT), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTextureStageState(7, D3DTSS_COLOROP, D3DTOP_DISABLE), D3D_OK);
    EXPECT_EQ(device->SetTextureStageState(8, D3DTSS_COLOROP, D3DTOP_DISABLE), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTexture(8, nullptr), D3DERR_INVALIDCALL);

    D3DVIEWPORT9 viewport{0, 0, kWidth, kHeight, 0.0f, 1.0f};
    EXPECT_EQ(device->SetViewport(&viewport), D3D_OK);
    for (D3DVIEWPORT9 bad : {D3DVIEWPORT9{1, 0, kWidth, kHeight, 0.0f, 1.0f},
                             D3DVIEWPORT9{0, 0, kWidth, kHeight, 0.5f, 0.25f}}) {
        EXPECT_EQ(device->SetViewport(&bad), D3DERR_INVALIDCALL);
    }
    EXPECT_EQ(device->SetStreamSource(16, nullptr, 0, 0), D3DERR_INVALIDCALL);
}

}  // namespace

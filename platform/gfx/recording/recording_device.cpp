#include "platform/gfx/device_contract.h"
#include "platform/gfx/recording/recording_device.h"

#include <utility>

#include "platform/gfx/recording/call_line.h"
#include "platform/gfx/recording/recording_buffer.h"
#include "platform/gfx/recording/recording_texture.h"
#include "platform/window/window.h"

RecordingDevice::RecordingDevice(std::shared_ptr<CallLog> log, D3DCAPS9 caps,
                                 D3DPRESENT_PARAMETERS parameters, HWND deviceWindow)
    : presentParameters(parameters), window(deviceWindow), log_(std::move(log)), caps_(caps) {
    CreateBackBuffer();
}

HRESULT RecordingDevice::NextResult(std::deque<HRESULT>& script) {
    if (script.empty()) {
        return D3D_OK;
    }
    const HRESULT result = script.front();
    script.pop_front();
    return result;
}

void RecordingDevice::CreateBackBuffer() {
    RECT client;
    if (window != nullptr) {
        client = window->GetClientRect();
    }
    const auto extent = [](std::int32_t low, std::int32_t high) {
        return high > low ? static_cast<UINT>(high - low) : 0u;
    };
    backBufferWidth_ = presentParameters.BackBufferWidth != 0 ? presentParameters.BackBufferWidth
                                                              : extent(client.left, client.right);
    backBufferHeight_ = presentParameters.BackBufferHeight != 0 ? presentParameters.BackBufferHeight
                                                                : extent(client.top, client.bottom);
    viewport = D3DVIEWPORT9{};
    viewport.Width = backBufferWidth_;
    viewport.Height = backBufferHeight_;
}

// ---- Device life ----

HRESULT RecordingDevice::TestCooperativeLevel() {
    log_->Add(FormatCall("TestCooperativeLevel"));
    return NextResult(testCooperativeLevelResults);
}

HRESULT RecordingDevice::Reset(D3DPRESENT_PARAMETERS* parameters) {
    log_->Add(FormatCall("Reset", parameters));
    if (parameters == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const HRESULT result = NextResult(resetResults);
    if (SUCCEEDED(result)) {
        presentParameters = *parameters;
        CreateBackBuffer();
        streamFrequencies = {1, 1};
    }
    return result;
}

HRESULT RecordingDevice::Present(const RECT* source, const RECT* destination, HWND overrideWindow,
                                 const void* dirtyRegion) {
    log_->Add(FormatCall("Present", source, destination, overrideWindow, dirtyRegion));
    if (source != nullptr || destination != nullptr || overrideWindow != nullptr ||
        dirtyRegion != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    return NextResult(presentResults);
}

HRESULT RecordingDevice::GetDeviceCaps(D3DCAPS9* caps) {
    log_->Add(FormatCall("GetDeviceCaps", caps));
    if (caps == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *caps = caps_;
    return D3D_OK;
}

// ---- Frame ----

HRESULT RecordingDevice::Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color,
                               float z, DWORD stencil) {
    log_->Add(FormatCall("Clear", rectCount, rects, flags, HexColor{color}, z, stencil));
    return D3D_OK;
}

HRESULT RecordingDevice::BeginScene() {
    log_->Add(FormatCall("BeginScene"));
    if (sceneDepth != 0) {
        return D3DERR_INVALIDCALL;
    }
    ++sceneDepth;
    return D3D_OK;
}

HRESULT RecordingDevice::EndScene() {
    log_->Add(FormatCall("EndScene"));
    if (sceneDepth == 0) {
        return D3DERR_INVALIDCALL;
    }
    --sceneDepth;
    return D3D_OK;
}

// ---- State ----

HRESULT RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    log_->Add(FormatCall("SetTransform", state, matrix));
    if (const HRESULT allowed = DeviceContract::CheckTransform(state, matrix); allowed != D3D_OK) {
        return allowed;
    }
    transforms[state] = *matrix;
    return D3D_OK;
}

HRESULT RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
    log_->Add(FormatCall("GetTransform", state, matrix));
    if (matrix == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const auto found = transforms.find(state);
    *matrix = found != transforms.end() ? found->second : D3DMATRIX{};  // identity when unset
    return D3D_OK;
}

HRESULT RecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    log_->Add(FormatCall("SetRenderState", state, value));
    if (const HRESULT allowed = DeviceContract::CheckRenderState(state); allowed != D3D_OK) {
        return allowed;
    }
    renderStates[state] = value;
    return D3D_OK;
}

HRESULT RecordingDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
    log_->Add(FormatCall("GetRenderState", state, value));
    if (value == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const auto found = renderStates.find(state);
    *value = found != renderStates.end() ? found->second : 0;  // 0 when never set
    return D3D_OK;
}

HRESULT RecordingDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
    log_->Add(FormatCall("SetSamplerState", sampler, type, value));
    if (const HRESULT allowed = DeviceContract::CheckSamplerState(sampler, type);
        allowed != D3D_OK) {
        return allowed;
    }
    samplerStates[{sampler, type}] = value;
    return D3D_OK;
}

HRESULT RecordingDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                              DWORD value) {
    log_->Add(FormatCall("SetTextureStageState", stage, type, value));
    if (const HRESULT allowed = DeviceContract::CheckTextureStageState(stage, type);
        allowed != D3D_OK) {
        return allowed;
    }
    textureStageStates[{stage, type}] = value;
    return D3D_OK;
}

HRESULT RecordingDevice::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
    log_->Add(FormatCall("SetTexture", stage, texture));
    if (const HRESULT allowed = DeviceContract::CheckTextureStage(stage); allowed != D3D_OK) {
        return allowed;
    }
    textures[stage] = texture;
    return D3D_OK;
}

HRESULT RecordingDevice::SetMaterial(const D3DMATERIAL9* newMaterial) {
    log_->Add(FormatCall("SetMaterial", newMaterial));
    if (newMaterial == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    material = *newMaterial;
    return D3D_OK;
}

HRESULT RecordingDevice::SetViewport(const D3DVIEWPORT9* newViewport) {
    log_->Add(FormatCall("SetViewport", newViewport));
    if (const HRESULT allowed =
            DeviceContract::CheckViewport(newViewport, BackBufferWidth(), BackBufferHeight());
        allowed != D3D_OK) {
        return allowed;
    }
    viewport = *newViewport;
    return D3D_OK;
}

HRESULT RecordingDevice::GetViewport(D3DVIEWPORT9* result) {
    log_->Add(FormatCall("GetViewport", result));
    if (result == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *result = viewport;
    return D3D_OK;
}

// ---- Geometry ----

HRESULT RecordingDevice::SetFVF(DWORD format) {
    log_->Add(FormatCall("SetFVF", format));
    vertexFormat = format;
    return D3D_OK;
}

HRESULT RecordingDevice::SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset,
                                         UINT stride) {
    log_->Add(FormatCall("SetStreamSource", stream, buffer, offset, stride));
    if (const HRESULT allowed = DeviceContract::CheckStreamSource(stream, buffer != nullptr);
        allowed != D3D_OK) {
        return allowed;
    }
    if (stream == 0) {
        streamSource = buffer;
        streamOffset = offset;
        streamStride = stride;
    } else if (stream == kInstanceStream) {
        instanceSource = buffer;
        instanceOffset = offset;
        instanceStride = stride;
    }
    return D3D_OK;
}

HRESULT RecordingDevice::SetIndices(IDirect3DIndexBuffer9* buffer) {
    log_->Add(FormatCall("SetIndices", buffer));
    indices = buffer;
    return D3D_OK;
}

HRESULT RecordingDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, std::int32_t baseVertexIndex,
                                              UINT minIndex, UINT vertexCount, UINT startIndex,
                                              UINT primitiveCount) {
    log_->Add(FormatCall("DrawIndexedPrimitive", type, baseVertexIndex, minIndex, vertexCount,
                         startIndex, primitiveCount));
    const UINT instances = InstanceCountOf(streamFrequencies[0], streamFrequencies[1]);
    if (instances > 0 &&
        (instanceSource == nullptr || !InstancesFit(RecordedBytes(instanceSource).size(),
                                                    instanceOffset, instanceStride, instances))) {
        return D3DERR_INVALIDCALL;
    }
    return D3D_OK;
}

HRESULT RecordingDevice::SetStreamSourceFreq(UINT stream, UINT setting) {
    log_->Add(FormatCall("SetStreamSourceFreq", stream, setting));
    if (!StreamFrequencyAllowed(stream, setting)) {
        return D3DERR_INVALIDCALL;
    }
    if (stream < streamFrequencies.size()) {
        streamFrequencies[stream] = setting;
    }
    return D3D_OK;
}

HRESULT RecordingDevice::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex,
                                       UINT primitiveCount) {
    log_->Add(FormatCall("DrawPrimitive", type, startVertex, primitiveCount));
    return D3D_OK;
}

// ---- Resources ----

HRESULT RecordingDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD format, D3DPOOL pool,
                                            IDirect3DVertexBuffer9** buffer, void* sharedHandle) {
    log_->Add(FormatCall("CreateVertexBuffer", length, usage, format, pool, buffer, sharedHandle));
    if (buffer != nullptr) {
        *buffer = nullptr;
    }
    if (const HRESULT allowed =
            DeviceContract::CheckVertexBufferCreation(length, format, pool, buffer, sharedHandle);
        allowed != D3D_OK) {
        return allowed;
    }
    if (FAILED(createResourceResult)) {
        return createResourceResult;
    }
    *buffer = new RecordingVertexBuffer(
        log_, "VertexBuffer", {.Usage = usage, .Pool = pool, .Size = length, .FVF = format});
    return D3D_OK;
}

HRESULT RecordingDevice::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                           IDirect3DIndexBuffer9** buffer, void* sharedHandle) {
    log_->Add(FormatCall("CreateIndexBuffer", length, usage, format, pool, buffer, sharedHandle));
    if (buffer != nullptr) {
        *buffer = nullptr;
    }
    if (const HRESULT allowed =
            DeviceContract::CheckIndexBufferCreation(length, format, pool, buffer, sharedHandle);
        allowed != D3D_OK) {
        return allowed;
    }
    if (FAILED(createResourceResult)) {
        return createResourceResult;
    }
    *buffer = new RecordingIndexBuffer(
        log_, "IndexBuffer", {.Format = format, .Usage = usage, .Pool = pool, .Size = length});
    return D3D_OK;
}

HRESULT RecordingDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                       D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture,
                                       void* sharedHandle) {
    log_->Add(FormatCall("CreateTexture", width, height, levels, usage, format, pool, texture,
                         sharedHandle));
    if (texture != nullptr) {
        *texture = nullptr;
    }
    // Caps of 0 (a hand-made record) put no limit on the size.
    const auto limit = [](DWORD cap) { return cap != 0 ? cap : ~DWORD{0}; };
    if (const HRESULT allowed = DeviceContract::CheckTextureCreation(
            width, height, levels, usage, RecordingTexture::LayoutOf(format).has_value(),
            limit(caps_.MaxTextureWidth), limit(caps_.MaxTextureHeight), texture, sharedHandle);
        allowed != D3D_OK) {
        return allowed;
    }
    const UINT fullChain = DeviceContract::FullChainLevels(width, height);
    if (FAILED(createResourceResult)) {
        return createResourceResult;
    }
    D3DSURFACE_DESC top;
    top.Format = format;
    top.Usage = usage;
    top.Pool = pool;
    top.Width = width;
    top.Height = height;
    *texture = new RecordingTexture(log_, top, levels == 0 ? fullChain : levels);
    return D3D_OK;
}

// ---- Back buffer ----

PresentedImage RecordingDevice::GetPresentedImage() {
    log_->Add(FormatCall("GetPresentedImage"));
    PresentedImage image;
    image.width = BackBufferWidth();
    image.height = BackBufferHeight();
    return image;
}

HRESULT RecordingDevice::ReadBackBuffer(std::vector<std::uint8_t>& rgba, UINT& width,
                                        UINT& height) {
    log_->Add(FormatCall("ReadBackBuffer"));
    width = BackBufferWidth();
    height = BackBufferHeight();
    rgba.assign(std::size_t{width} * height * 4, 0);
    for (std::size_t alpha = 3; alpha < rgba.size(); alpha += 4) {
        rgba[alpha] = 0xFF;  // opaque black
    }
    return D3D_OK;
}

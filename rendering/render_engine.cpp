#include "rendering/render_engine.h"

#include <string>

#include "platform/window/system.h"

// The engine's life and its frame. Device creation, the capability check and
// resets are in render_engine_device.cpp.

namespace RenderLib {

namespace {
// Position, diffuse colour and two texture-coordinate sets.
constexpr DWORD kDefaultVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX2;
constexpr int kFrameRateTextSize = 256;
}  // namespace

CRenderEngine::CRenderEngine() : CRenderEngine(Clock::Default()) {}

CRenderEngine::CRenderEngine(Clock& clock) : timer(clock) {}

CRenderEngine::~CRenderEngine() {
    // Virtual calls reach only this class here: the scene's part is gone.
    CRenderEngine::ReleaseResources();
    ReleaseInterfaces();
}

void CRenderEngine::ReleaseInterfaces() {
    SafeRelease(device);
    SafeRelease(direct3D);
    window = nullptr;
}

bool CRenderEngine::Initialize(HWND targetWindow) {
    if (!CreateDevice(targetWindow) || !CreateResources(0)) {
        Shutdown();
        return false;
    }
    SetupScene(nullptr, nullptr);
    RestoreDeviceState();
    return true;
}

bool CRenderEngine::Shutdown() {
    ReleaseResources();
    ReleaseInterfaces();
    return true;
}

void CRenderEngine::OnSize(UINT type, std::int32_t width, std::int32_t height) {
    if (type == kSizeMinimized) {
        active = false;
        return;
    }
    active = true;
    viewport.width = width;
    viewport.height = height;
    if (device != nullptr) {
        ResetDevice(nullptr);
        RestoreDeviceState();
    }
}

void CRenderEngine::OnLButtonDown(UINT, std::int32_t, std::int32_t) {
    SetCapture(window);
    GetCursorPos(&rememberedCursor);
}

void CRenderEngine::OnLButtonUp(UINT, std::int32_t, std::int32_t) {
    ReleaseCapture();
}

HRESULT CRenderEngine::RenderFrame() {
    timer.Tick(0.0f);
    // Chosen for an engine whose Initialize failed (or that was shut down):
    // with no device nothing past the tick can run, and a size message may
    // have made it active again.
    if (device == nullptr) {
        return E_FAIL;
    }
    if (!active) {
        return D3D_OK;
    }
    ShowFrameRate();

    HRESULT answer = D3D_OK;
    if (deviceLost && !RecoverLostDevice(answer)) {
        return answer;
    }

    ProcessInput();
    UpdateScene();
    device->Clear(0, nullptr, clearFlags, clearColor, clearZ, clearStencil);
    device->BeginScene();
    DrawScene();
    device->EndScene();
    const HRESULT presented = device->Present(nullptr, nullptr, nullptr, nullptr);
    if (FAILED(presented)) {
        deviceLost = true;
    }
    return presented;
}

void CRenderEngine::ShowFrameRate() {
    const bool stopped = IsTimeStopped();
    if (timer.GetFrameRate() == lastFrameRate && stopped == lastShownStopped) {
        return;
    }
    char rateText[kFrameRateTextSize];
    lastFrameRate = timer.GetFrameRate(rateText);
    lastShownStopped = stopped;
    if (window != nullptr) {
        window->SetText(std::string("Scene : ") + rateText + (stopped ? " - Paused" : ""));
    }
}

// True when drawing may go on this frame. A device that answers D3D_OK was
// not lost after all (the present failed for another reason): drawing
// resumes, where keeping deviceLost would skip every frame for good.
bool CRenderEngine::RecoverLostDevice(HRESULT& answer) {
    answer = device->TestCooperativeLevel();
    if (answer == D3DERR_DEVICENOTRESET) {
        ResetDevice(window);
        RestoreDeviceState();
    } else if (answer != D3D_OK) {
        return false;
    }
    deviceLost = false;
    return true;
}

bool CRenderEngine::CreateResources(UINT) {
    const VertexProcessingType processing = settings.Active().vertexProcessingType;
    hardwareVertexProcessing = processing == VertexProcessingType::Hardware ||
                               processing == VertexProcessingType::PureHardware;
    ReleaseResources();
    return true;
}

void CRenderEngine::SetupScene(const Vector3*, const Vector3*) {
    worldMatrix = Matrix4();
    active = true;
}

void CRenderEngine::RestoreDeviceState() {
    if (device == nullptr) {
        return;
    }
    if (!CheckDeviceCaps()) {
        PostQuitMessage(0);
        return;
    }
    SetDefaultStates();
    if (window != nullptr) {
        const RECT client = window->GetClientRect();
        viewport.width = client.right - client.left;
        viewport.height = client.bottom - client.top;
    }
}

void CRenderEngine::SetDefaultStates() {
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device->SetRenderState(D3DRS_DITHERENABLE, 1);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->SetRenderState(D3DRS_LIGHTING, 0);
    SetSamplerFilters(0);
    SetSamplerFilters(1);
    device->SetSamplerState(1, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetSamplerState(1, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    device->SetRenderState(D3DRS_FILLMODE, fillMode);
    device->SetFVF(kDefaultVertexFormat);
}

void CRenderEngine::SetSamplerFilters(DWORD stage) {
    device->SetSamplerState(stage, D3DSAMP_MINFILTER, minFilter);
    device->SetSamplerState(stage, D3DSAMP_MAGFILTER, magFilter);
    device->SetSamplerState(stage, D3DSAMP_MIPFILTER, mipFilter);
    device->SetSamplerState(stage, D3DSAMP_MAXANISOTROPY, maxAnisotropy);
}

void CRenderEngine::UpdateScene() {}

void CRenderEngine::ReleaseResources() {
    if (device == nullptr) {
        return;
    }
    device->SetStreamSource(0, nullptr, 0, 0);
    device->SetIndices(nullptr);
    device->SetTexture(0, nullptr);
    device->SetTexture(1, nullptr);
}

void CRenderEngine::ProcessInput() {}

void CRenderEngine::DrawScene() {}

PresentedImage CRenderEngine::GetPresentedImage() const {
    return device != nullptr ? device->GetPresentedImage() : PresentedImage{};
}

bool CRenderEngine::CaptureFrame(std::vector<std::uint8_t>& rgba, UINT& width,
                                 UINT& height) const {
    return device != nullptr && SUCCEEDED(device->ReadBackBuffer(rgba, width, height));
}

}  // namespace RenderLib

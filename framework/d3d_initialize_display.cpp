// CD3DInitialize: presentation parameters, device (and window) creation,
// device reset, and handing the device out.
//
// Window styles: windowed is an overlapped (framed) window, full screen a
// borderless popup covering the display mode's size at (0, 0). The window
// interface has no z-order, activation or visibility flags; a window made or
// restyled here is visible, and placement is all that changes.

#include "framework/d3d_initialize.h"

namespace RenderLib {

namespace {

DWORD VertexProcessingFlags(VertexProcessingType type) {
    switch (type) {
        case VertexProcessingType::PureHardware:
            return D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE;
        case VertexProcessingType::Hardware:
            return D3DCREATE_HARDWARE_VERTEXPROCESSING;
        case VertexProcessingType::Mixed:
            return D3DCREATE_MIXED_VERTEXPROCESSING;
        case VertexProcessingType::Software:
            return D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    }
    return 0;  // a block no selection wrote
}

int ToInt(UINT value) {
    return static_cast<int>(value);
}

// Makes window a popup covering mode's size at (0, 0), without a menu.
void MakeFullscreen(HWND window, const D3DDISPLAYMODE& mode) {
    window->RemoveMenu();
    window->SetStyle(WindowStyle::Popup);
    window->SetPlacement(0, 0, ToInt(mode.Width), ToInt(mode.Height));
}

HWND CreateDeviceWindow(const D3DSettings& settings, const char* className, int width, int height) {
    WindowCreation creation;
    creation.title = className != nullptr ? className : "";
    if (settings.windowed != 0) {
        creation.style = WindowStyle::Overlapped;
        creation.x = CW_USEDEFAULT;
        creation.y = CW_USEDEFAULT;
        creation.width = width;
        creation.height = height;
    } else {
        const D3DDISPLAYMODE& mode = settings.fullscreenSettings.displayMode;
        creation.style = WindowStyle::Popup;
        creation.x = 0;
        creation.y = 0;
        creation.width = ToInt(mode.Width);
        creation.height = ToInt(mode.Height);
    }
    return CreatePlatformWindow(creation);
}

}  // namespace

D3DPRESENT_PARAMETERS CD3DInitialize::BuildPresentParameters(const D3DSettings& settings,
                                                             DWORD flags) {
    const bool windowed = settings.windowed != 0;
    const D3DSettingsBlock& block = settings.Active();
    D3DPRESENT_PARAMETERS parameters;
    parameters.BackBufferWidth = windowed ? 0 : block.displayMode.Width;
    parameters.BackBufferHeight = windowed ? 0 : block.displayMode.Height;
    parameters.BackBufferFormat = block.backBufferFormat;
    parameters.BackBufferCount = 1;
    parameters.MultiSampleType = block.multiSampleType;
    parameters.MultiSampleQuality = block.multiSampleQuality;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.hDeviceWindow = nullptr;
    parameters.Windowed = windowed ? 1 : 0;
    parameters.EnableAutoDepthStencil = 1;
    parameters.AutoDepthStencilFormat = block.depthStencilFormat;
    parameters.Flags = flags | D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL;
    parameters.FullScreen_RefreshRateInHz = windowed ? 0 : block.displayMode.RefreshRate;
    parameters.PresentationInterval = block.presentInterval;
    return parameters;
}

HRESULT CD3DInitialize::CreateDisplay(const D3DSettings& settings, DWORD behaviorFlags, HWND window,
                                      WNDPROC /*windowProc*/, const char* className, int width,
                                      int height, void* /*createParam*/) {
    // Checked before any window is made or changed, so a failure leaves none behind.
    if (direct3D_ == nullptr) {
        return E_FAIL;
    }
    if (window == nullptr) {
        window = CreateDeviceWindow(settings, className, width, height);
        if (window == nullptr) {
            return E_FAIL;
        }
    } else if (settings.windowed == 0) {
        MakeFullscreen(window, settings.fullscreenSettings.displayMode);
    }
    window_ = window;

    // A second creation replaces the first device instead of leaking it.
    SafeRelease(device_);
    const D3DSettingsBlock& block = settings.Active();
    D3DPRESENT_PARAMETERS parameters = BuildPresentParameters(settings, 0);
    const DWORD flags =
        behaviorFlags | VertexProcessingFlags(block.vertexProcessingType) | D3DCREATE_MULTITHREADED;
    const HRESULT result = direct3D_->CreateDevice(block.adapterOrdinal, block.deviceType, window_,
                                                   flags, &parameters, &device_);
    if (FAILED(result)) {
        SafeRelease(device_);
        return result;
    }
    return S_OK;
}

HRESULT CD3DInitialize::ResetDisplay(IDirect3DDevice9* device, const D3DSettings& settings,
                                     HWND window) {
    if (device == nullptr) {
        return E_INVALIDARG;
    }
    D3DPRESENT_PARAMETERS parameters = BuildPresentParameters(settings, 0);
    if (window != nullptr) {
        if (settings.windowed != 0) {
            window->SetStyle(WindowStyle::Overlapped);
            window->SetPlacement(50, 50, 400, 400);
        } else {
            MakeFullscreen(window, settings.fullscreenSettings.displayMode);
        }
    }
    const HRESULT result = device->Reset(&parameters);
    return FAILED(result) ? result : S_OK;
}

IDirect3DDevice9* CD3DInitialize::GetDevice() {
    if (device_ != nullptr) {
        device_->AddRef();
    }
    return device_;
}

}  // namespace RenderLib

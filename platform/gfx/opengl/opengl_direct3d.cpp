#include "platform/gfx/opengl/opengl_direct3d.h"

#include <cstdio>
#include <cstring>

#include <SDL.h>

#include "platform/gfx/opengl/display_modes.h"
#include "platform/gfx/opengl/opengl_caps.h"
#include "platform/gfx/opengl/opengl_device.h"
#include "platform/gfx/opengl/texture_format.h"
#include "platform/window/sdl_window_system.h"

namespace {

constexpr DWORD kVertexProcessingFlags = D3DCREATE_SOFTWARE_VERTEXPROCESSING |
                                         D3DCREATE_HARDWARE_VERTEXPROCESSING |
                                         D3DCREATE_MIXED_VERTEXPROCESSING;

void Report(const std::string& message) {
    std::fprintf(stderr, "OpenGL adapter: %s\n", message.c_str());
}

template <std::size_t N>
void CopyText(char (&destination)[N], const std::string& text) {
    std::strncpy(destination, text.c_str(), N - 1);
    destination[N - 1] = '\0';
}

bool IsDisplaylessDriver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

bool HasOneVertexProcessingFlag(DWORD flags) {
    const DWORD processing = flags & kVertexProcessingFlags;
    const bool one = processing == D3DCREATE_SOFTWARE_VERTEXPROCESSING ||
                     processing == D3DCREATE_HARDWARE_VERTEXPROCESSING ||
                     processing == D3DCREATE_MIXED_VERTEXPROCESSING;
    const bool pureValid =
        (flags & D3DCREATE_PUREDEVICE) == 0 || processing == D3DCREATE_HARDWARE_VERTEXPROCESSING;
    return one && pureValid;
}

bool IsTextureCheck(DWORD usage, D3DRESOURCETYPE type) {
    return type == D3DRTYPE_TEXTURE &&
           (usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL)) == 0;
}

bool FormatAvailable(DWORD usage, D3DRESOURCETYPE type, D3DFORMAT format) {
    if ((usage & D3DUSAGE_DEPTHSTENCIL) != 0) {
        return type == D3DRTYPE_SURFACE && IsSupportedDepthFormat(format);
    }
    if ((usage & D3DUSAGE_RENDERTARGET) != 0) {
        return type == D3DRTYPE_SURFACE && IsSupportedBackBufferFormat(format);
    }
    if (IsTextureCheck(usage, type)) {
        return FindTextureFormat(format).has_value();
    }
    switch (type) {
        case D3DRTYPE_SURFACE:
            return IsSupportedBackBufferFormat(format) || FindTextureFormat(format).has_value();
        case D3DRTYPE_VERTEXBUFFER:
            return true;
        case D3DRTYPE_INDEXBUFFER:
            return format == D3DFMT_INDEX16 || format == D3DFMT_INDEX32;
        default:
            return false;
    }
}

}  // namespace

OpenGLDirect3D* OpenGLDirect3D::Create(UINT sdkVersion, const OpenGLOptions& options) {
    if (sdkVersion != D3D_SDK_VERSION) {
        Report("the program was built for interface version " + std::to_string(sdkVersion) +
               ", this backend offers " + std::to_string(D3D_SDK_VERSION));
        return nullptr;
    }
    std::string error;
    if (!InitSdlVideo(&error)) {
        Report(error);
        return nullptr;
    }
    auto* created = new OpenGLDirect3D(options);
    created->ReadDisplays();
    return created;
}

OpenGLDirect3D::OpenGLDirect3D(const OpenGLOptions& options) : options_(options) {}

OpenGLDirect3D::~OpenGLDirect3D() {
    ShutdownSdlVideo();
}

void OpenGLDirect3D::ReadDisplays() {
    const bool supplement = IsDisplaylessDriver();
    const int displays = SDL_GetNumVideoDisplays();
    for (int display = 0; display < displays; ++display) {
        std::vector<ReportedMode> reported;
        const int count = SDL_GetNumDisplayModes(display);
        for (int index = 0; index < count; ++index) {
            SDL_DisplayMode mode{};
            if (SDL_GetDisplayMode(display, index, &mode) == 0) {
                reported.push_back({mode.w, mode.h, mode.refresh_rate});
            }
        }
        SDL_DisplayMode desktop{};
        if (SDL_GetDesktopDisplayMode(display, &desktop) != 0) {
            desktop = {};
        }
        Adapter adapter;
        const char* name = SDL_GetDisplayName(display);
        adapter.name = name != nullptr ? name : "display " + std::to_string(display);
        adapter.desktop = SaneDesktopMode({desktop.w, desktop.h, desktop.refresh_rate});
        adapter.modes = BuildDisplayModes(reported, adapter.desktop, supplement);
        adapters_.push_back(std::move(adapter));
    }
}

const GlCapabilities& OpenGLDirect3D::Probe() {
    if (probed_) {
        return *probed_;
    }
    probed_ = GlCapabilities{};
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window != nullptr) {
        if (auto context = GlContext::Create(window, false, options_, nullptr)) {
            probed_ = context->Capabilities();
        }
        SDL_DestroyWindow(window);
    }
    if (previousContext != nullptr) {
        SDL_GL_MakeCurrent(previousWindow, previousContext);
    }
    return *probed_;
}

UINT OpenGLDirect3D::GetAdapterCount() {
    return static_cast<UINT>(adapters_.size());
}

HRESULT OpenGLDirect3D::GetAdapterIdentifier(UINT adapter, DWORD /*flags*/,
                                             D3DADAPTER_IDENTIFIER9* identifier) {
    if (identifier == nullptr || adapter >= adapters_.size()) {
        return D3DERR_INVALIDCALL;
    }
    *identifier = {};
    const char* driver = SDL_GetCurrentVideoDriver();
    CopyText(identifier->Driver, std::string("OpenGL 3.3 on SDL ") + (driver ? driver : "video"));
    CopyText(identifier->Description, adapters_[adapter].name);
    CopyText(identifier->DeviceName, "display " + std::to_string(adapter));
    return D3D_OK;
}

UINT OpenGLDirect3D::GetAdapterModeCount(UINT adapter, D3DFORMAT format) {
    if (adapter >= adapters_.size() || format != D3DFMT_X8R8G8B8) {
        return 0;
    }
    return static_cast<UINT>(adapters_[adapter].modes.size());
}

HRESULT OpenGLDirect3D::EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode,
                                         D3DDISPLAYMODE* displayMode) {
    if (displayMode == nullptr || adapter >= adapters_.size()) {
        return D3DERR_INVALIDCALL;
    }
    if (format != D3DFMT_X8R8G8B8) {
        return D3DERR_NOTAVAILABLE;
    }
    if (mode >= adapters_[adapter].modes.size()) {
        return D3DERR_INVALIDCALL;
    }
    *displayMode = adapters_[adapter].modes[mode];
    return D3D_OK;
}

HRESULT OpenGLDirect3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) {
    if (displayMode == nullptr || adapter >= adapters_.size()) {
        return D3DERR_INVALIDCALL;
    }
    *displayMode = adapters_[adapter].desktop;
    return D3D_OK;
}

HRESULT OpenGLDirect3D::CheckAdapterAndType(UINT adapter, D3DDEVTYPE type) const {
    if (adapter >= adapters_.size()) {
        return D3DERR_INVALIDCALL;
    }
    if (type == D3DDEVTYPE_HAL) {
        return D3D_OK;
    }
    return type == D3DDEVTYPE_REF || type == D3DDEVTYPE_SW ? D3DERR_NOTAVAILABLE
                                                           : D3DERR_INVALIDCALL;
}

HRESULT OpenGLDirect3D::CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                        D3DFORMAT backBufferFormat, BOOL windowed) {
    if (const HRESULT known = CheckAdapterAndType(adapter, type); known != D3D_OK) {
        return known;
    }
    const bool backBufferFits = IsSupportedBackBufferFormat(backBufferFormat) ||
                                (windowed != 0 && backBufferFormat == D3DFMT_UNKNOWN);
    return adapterFormat == D3DFMT_X8R8G8B8 && backBufferFits ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT OpenGLDirect3D::CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                          DWORD usage, D3DRESOURCETYPE resourceType,
                                          D3DFORMAT checkFormat) {
    if (const HRESULT known = CheckAdapterAndType(adapter, type); known != D3D_OK) {
        return known;
    }
    return adapterFormat == D3DFMT_X8R8G8B8 && FormatAvailable(usage, resourceType, checkFormat)
               ? D3D_OK
               : D3DERR_NOTAVAILABLE;
}

HRESULT OpenGLDirect3D::CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type,
                                                   D3DFORMAT surfaceFormat, BOOL /*windowed*/,
                                                   D3DMULTISAMPLE_TYPE multiSampleType,
                                                   DWORD* qualityLevels) {
    if (const HRESULT known = CheckAdapterAndType(adapter, type); known != D3D_OK) {
        return known;
    }
    const bool formatKnown =
        IsSupportedBackBufferFormat(surfaceFormat) || IsSupportedDepthFormat(surfaceFormat);
    if (!formatKnown || multiSampleType != D3DMULTISAMPLE_NONE) {
        return D3DERR_NOTAVAILABLE;
    }
    if (qualityLevels != nullptr) {
        *qualityLevels = 1;
    }
    return D3D_OK;
}

HRESULT OpenGLDirect3D::CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type,
                                               D3DFORMAT adapterFormat,
                                               D3DFORMAT renderTargetFormat,
                                               D3DFORMAT depthStencilFormat) {
    if (const HRESULT known = CheckAdapterAndType(adapter, type); known != D3D_OK) {
        return known;
    }
    const bool match = adapterFormat == D3DFMT_X8R8G8B8 &&
                       IsSupportedBackBufferFormat(renderTargetFormat) &&
                       IsSupportedDepthFormat(depthStencilFormat);
    return match ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT OpenGLDirect3D::GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) {
    if (caps == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (const HRESULT known = CheckAdapterAndType(adapter, type); known != D3D_OK) {
        return known;
    }
    *caps = MakeOpenGLCaps(adapter, Probe());
    return D3D_OK;
}

HRESULT OpenGLDirect3D::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow,
                                     DWORD behaviorFlags, D3DPRESENT_PARAMETERS* parameters,
                                     IDirect3DDevice9** device) {
    if (device == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *device = nullptr;
    if (const HRESULT known = CheckAdapterAndType(adapter, type); known != D3D_OK) {
        Report("no device of type " + std::to_string(type) + " on adapter " +
               std::to_string(adapter));
        return known;
    }
    if (parameters == nullptr || !HasOneVertexProcessingFlag(behaviorFlags)) {
        Report("device creation needs presentation parameters and one vertex-processing flag");
        return D3DERR_INVALIDCALL;
    }
    HWND window = parameters->hDeviceWindow != nullptr ? parameters->hDeviceWindow : focusWindow;
    if (window == nullptr) {
        Report("device creation needs a window to draw for");
        return D3DERR_INVALIDCALL;
    }
    return OpenGLDevice::Create(window, parameters, MakeOpenGLCaps(adapter, Probe()), options_,
                                device);
}

void InstallOpenGLDirect3D(const OpenGLOptions& options) {
    SetDirect3DFactory([options](UINT sdkVersion) -> IDirect3D9* {
        return OpenGLDirect3D::Create(sdkVersion, options);
    });
}

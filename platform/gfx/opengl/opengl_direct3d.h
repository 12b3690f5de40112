#pragma once

// The adapter object of the OpenGL backend. Adapters are SDL's displays; each
// reports D3DFMT_X8R8G8B8 display modes (see display_modes.h), one HAL device
// type with the caps of opengl_caps.h, and format checks that succeed for
// what the device can make: X8R8G8B8 and A8R8G8B8 back buffers, D24S8, D24X8
// and D16 depth buffers, the textures of texture_format.h, 16- and 32-bit
// index buffers, and no multisampling. The object holds SDL video for its
// whole life.

#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/d3d9.h"
#include "platform/gfx/opengl/gl_context.h"

class OpenGLDirect3D : public IDirect3D9 {
public:
    // Null, with the reason on standard error, when sdkVersion is not
    // D3D_SDK_VERSION or SDL video cannot start (no display: the message
    // suggests SDL_VIDEODRIVER=offscreen or --headless).
    static OpenGLDirect3D* Create(UINT sdkVersion, const OpenGLOptions& options = {});

    UINT GetAdapterCount() override;
    HRESULT GetAdapterIdentifier(UINT adapter, DWORD flags,
                                 D3DADAPTER_IDENTIFIER9* identifier) override;
    UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) override;
    HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode,
                             D3DDISPLAYMODE* displayMode) override;
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) override;
    HRESULT CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                            D3DFORMAT backBufferFormat, BOOL windowed) override;
    HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                              D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) override;
    HRESULT CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type, D3DFORMAT surfaceFormat,
                                       BOOL windowed, D3DMULTISAMPLE_TYPE multiSampleType,
                                       DWORD* qualityLevels) override;
    HRESULT CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                   D3DFORMAT renderTargetFormat,
                                   D3DFORMAT depthStencilFormat) override;
    HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override;
    // The device draws on the parameters' hDeviceWindow, else focusWindow;
    // behaviorFlags need exactly one vertex-processing flag. Failures are
    // explained on standard error.
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviorFlags,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override;

private:
    struct Adapter {
        std::string name;
        D3DDISPLAYMODE desktop;
        std::vector<D3DDISPLAYMODE> modes;
    };

    explicit OpenGLDirect3D(const OpenGLOptions& options);
    ~OpenGLDirect3D() override;

    void ReadDisplays();
    // D3D_OK for a known adapter and the HAL type; the classic codes otherwise.
    HRESULT CheckAdapterAndType(UINT adapter, D3DDEVTYPE type) const;
    // What the OpenGL implementation offers, probed once on a hidden window.
    const GlCapabilities& Probe();

    OpenGLOptions options_;
    std::vector<Adapter> adapters_;
    std::optional<GlCapabilities> probed_;
};

// Installs the factory Direct3DCreate9 calls so that it makes OpenGLDirect3D
// objects with options.
void InstallOpenGLDirect3D(const OpenGLOptions& options = {});

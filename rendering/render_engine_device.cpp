#include <initializer_list>

#include "platform/window/system.h"
#include "rendering/device_selection_policy.h"
#include "rendering/render_engine.h"

// The engine's device steps: creation with the program's device policy, the
// capability check that fits the filter choices and texture formats to the
// device, and resets.

namespace RenderLib {

namespace {

constexpr char kFatalCaption[] = "Fatal Error!";
constexpr char kFormatCaption[] = "Error.";
constexpr char kNoDirect3D[] = "No compatible Direct3D object could be created.";
constexpr char kEnumerationFailed[] = "Device enumeration failed. The application will now exit.";
constexpr char kCreationFailed[] = "Device creation failed. The application will now exit.";
constexpr char kNoTextureFormat[] = "No valid texture formats could be found.";
constexpr char kNoAlphaTextureFormat[] = "No valid alpha texture formats could be found.";

constexpr D3DFORMAT kOpaqueFormats[] = {D3DFMT_DXT1, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5,
                                        D3DFMT_X1R5G5B5};
constexpr D3DFORMAT kAlphaFormats[] = {D3DFMT_DXT3, D3DFMT_A8R8G8B8, D3DFMT_A1R5G5B5,
                                       D3DFMT_A4R4G4B4};

// Capability bits of the point, linear and anisotropic filters; 0: not offered.
struct FilterCapBits {
    DWORD point;
    DWORD linear;
    DWORD anisotropic;
};
constexpr FilterCapBits kMinFilterCaps{D3DPTFILTERCAPS_MINFPOINT, D3DPTFILTERCAPS_MINFLINEAR,
                                       D3DPTFILTERCAPS_MINFANISOTROPIC};
constexpr FilterCapBits kMagFilterCaps{D3DPTFILTERCAPS_MAGFPOINT, D3DPTFILTERCAPS_MAGFLINEAR,
                                       D3DPTFILTERCAPS_MAGFANISOTROPIC};
constexpr FilterCapBits kMipFilterCaps{D3DPTFILTERCAPS_MIPFPOINT, D3DPTFILTERCAPS_MIPFLINEAR, 0};

void MarkSupported(bool (&table)[CRenderEngine::kFilterTypes], DWORD filterCaps,
                   const FilterCapBits& bits) {
    for (bool& entry : table) {
        entry = false;
    }
    table[D3DTEXF_NONE] = true;
    table[D3DTEXF_POINT] = (filterCaps & bits.point) != 0;
    table[D3DTEXF_LINEAR] = (filterCaps & bits.linear) != 0;
    table[D3DTEXF_ANISOTROPIC] = bits.anisotropic != 0 && (filterCaps & bits.anisotropic) != 0;
}

bool IsSupported(const bool (&table)[CRenderEngine::kFilterTypes], DWORD filter) {
    // A value outside the table is not a filter the device can offer.
    return filter < CRenderEngine::kFilterTypes && table[filter];
}

// Keeps a supported choice; otherwise the first supported of preferences,
// or none.
DWORD FallBack(const bool (&table)[CRenderEngine::kFilterTypes], DWORD choice,
               std::initializer_list<DWORD> preferences) {
    if (IsSupported(table, choice)) {
        return choice;
    }
    for (DWORD candidate : preferences) {
        if (table[candidate]) {
            return candidate;
        }
    }
    return D3DTEXF_NONE;
}

DWORD LargestPowerOfTwoAnisotropy(DWORD deviceMaximum) {
    DWORD supported = 0;
    for (DWORD level = 1; level <= 64 && level <= deviceMaximum; level *= 2) {
        supported = level;
    }
    return supported;
}

// The first candidate the adapter accepts as a texture format, or D3DFMT_UNKNOWN.
template <std::size_t N>
D3DFORMAT FirstTextureFormat(IDirect3D9& direct3D, const D3DSettingsBlock& block,
                             const D3DFORMAT (&candidates)[N]) {
    for (D3DFORMAT candidate : candidates) {
        if (SUCCEEDED(direct3D.CheckDeviceFormat(block.adapterOrdinal, block.deviceType,
                                                 block.displayMode.Format, 0, D3DRTYPE_TEXTURE,
                                                 candidate))) {
            return candidate;
        }
    }
    return D3DFMT_UNKNOWN;
}

bool FailFatally(HWND owner, const char* text) {
    MessageBoxA(owner, text, kFatalCaption, MB_OK | MB_ICONERROR);
    PostQuitMessage(0);
    return false;
}

}  // namespace

bool CRenderEngine::CreateDevice(HWND targetWindow) {
    CMyD3DInit initializer;
    // A second creation must not leak the first one's interfaces.
    SafeRelease(device);
    SafeRelease(direct3D);

    direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (direct3D == nullptr) {
        return FailFatally(window, kNoDirect3D);
    }
    if (FAILED(initializer.Enumerate(direct3D))) {
        return FailFatally(window, kEnumerationFailed);
    }

    // The windowed search runs last, so when it succeeds the device starts
    // windowed in the given window.
    const D3DDISPLAYMODE desiredMode{640, 480, 0, D3DFMT_UNKNOWN};
    const bool fullscreenFound =
        initializer.FindBestFullscreenSettings(settings, &desiredMode, false, false);
    const bool windowedFound = initializer.FindBestWindowedSettings(settings, false, false);
    // When neither search wrote the settings they are all zero: no adapter
    // format, no device type, a 0 x 0 mode that would shrink the window to
    // nothing. That is a failed creation, not something to try.
    if (!fullscreenFound && !windowedFound) {
        return FailFatally(window, kCreationFailed);
    }
    if (FAILED(initializer.CreateDisplay(settings, 0, targetWindow, nullptr, nullptr, CW_USEDEFAULT,
                                         CW_USEDEFAULT, nullptr))) {
        return FailFatally(window, kCreationFailed);
    }

    device = initializer.GetDevice();
    window = initializer.GetDeviceWindow();
    if (device == nullptr) {
        return FailFatally(window, kCreationFailed);
    }
    if (window != nullptr) {
        const RECT client = window->GetClientRect();
        viewport = {client.left, client.top, client.right - client.left,
                    client.bottom - client.top};
    }
    return true;
}

bool CRenderEngine::CheckDeviceCaps() {
    if (direct3D == nullptr) {
        return false;
    }
    const D3DSettingsBlock& block = settings.Active();
    D3DCAPS9 caps;
    if (FAILED(direct3D->GetDeviceCaps(block.adapterOrdinal, block.deviceType, &caps))) {
        return false;
    }

    MarkSupported(minFilterSupported, caps.TextureFilterCaps, kMinFilterCaps);
    MarkSupported(magFilterSupported, caps.TextureFilterCaps, kMagFilterCaps);
    MarkSupported(mipFilterSupported, caps.TextureFilterCaps, kMipFilterCaps);
    supportedMaxAnisotropy = LargestPowerOfTwoAnisotropy(caps.MaxAnisotropy);

    minFilter = FallBack(minFilterSupported, minFilter,
                         {D3DTEXF_ANISOTROPIC, D3DTEXF_LINEAR, D3DTEXF_POINT});
    magFilter = FallBack(magFilterSupported, magFilter,
                         {D3DTEXF_ANISOTROPIC, D3DTEXF_LINEAR, D3DTEXF_POINT});
    mipFilter = FallBack(mipFilterSupported, mipFilter, {D3DTEXF_LINEAR, D3DTEXF_POINT});
    if (maxAnisotropy > supportedMaxAnisotropy) {
        maxAnisotropy = supportedMaxAnisotropy;
    }

    textureFormat = FirstTextureFormat(*direct3D, block, kOpaqueFormats);
    if (textureFormat == D3DFMT_UNKNOWN) {
        MessageBoxA(nullptr, kNoTextureFormat, kFormatCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    alphaTextureFormat = FirstTextureFormat(*direct3D, block, kAlphaFormats);
    if (alphaTextureFormat == D3DFMT_UNKNOWN) {
        MessageBoxA(nullptr, kNoAlphaTextureFormat, kFormatCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

void CRenderEngine::ResetDevice(HWND resetWindow) {
    if (device == nullptr) {
        return;
    }
    // Resets need no enumeration; the initialiser only carries the policy.
    CMyD3DInit initializer;
    initializer.ResetDisplay(device, settings, resetWindow);
}

}  // namespace RenderLib

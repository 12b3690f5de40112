#pragma once

// CD3DInitialize: finds out what the adapter object can do, picks the best
// windowed and full-screen settings from that, and creates or resets a device
// (and, when asked, its window) from a settings record.
//
// Use: one initialiser per use. Enumerate, select into a D3DSettings, then
// CreateDisplay and take the device with GetDevice before the initialiser is
// destroyed. A later reset needs no enumeration: a fresh initialiser's
// ResetDisplay works on any device.
//
// Subclasses set the program's policy by overriding the validation hooks;
// every hook accepts everything here. The hooks are asked during Enumerate
// only, in the order of the tree (mode, device, back buffer, then per
// combination depth-stencil, multisample, vertex processing, interval).
//
// Results follow the HRESULT convention. Inside enumeration E_ABORT means
// "nothing usable here": the record is dropped and enumeration goes on.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/d3d_enumeration_records.h"
#include "framework/d3d_settings.h"
#include "platform/gfx/d3d9.h"
#include "platform/window/window.h"

namespace RenderLib {

// A window procedure as window classes take it. Accepted for the shape of
// CreateDisplay; the platform's windows route their own events, so it is
// never called.
using WNDPROC = std::intptr_t (*)(HWND window, UINT message, std::uintptr_t wParam,
                                  std::intptr_t lParam);

class CD3DInitialize {
public:
    // No adapter object, no device, no window, no adapters.
    CD3DInitialize() = default;
    // Releases the adapter object, then the device, and frees the tree.
    virtual ~CD3DInitialize();

    // ---- Validation hooks (all accept in this class) ----
    virtual bool ValidateDisplayMode(const D3DDISPLAYMODE& /*mode*/) { return true; }
    virtual bool ValidateDevice(D3DDEVTYPE /*deviceType*/, const D3DCAPS9& /*caps*/) {
        return true;
    }
    virtual bool ValidateBackBufferFormat(D3DFORMAT /*backBufferFormat*/, bool /*windowed*/) {
        return true;
    }
    virtual bool ValidateDepthStencilFormat(D3DFORMAT /*depthStencilFormat*/) { return true; }
    virtual bool ValidateMultiSampleType(D3DMULTISAMPLE_TYPE /*multiSampleType*/) { return true; }
    virtual bool ValidateVertexProcessingType(VertexProcessingType /*type*/) { return true; }
    virtual bool ValidatePresentInterval(UINT /*presentInterval*/) { return true; }

    // ---- Enumeration and selection ----

    // Builds the adapter tree from direct3D, taking a reference to it. E_FAIL
    // when direct3D is null; 0 when done, even if no adapter was usable;
    // E_OUTOFMEMORY when an allocation failed; otherwise the first platform
    // failure that is not a refused candidate. Enumerating again starts afresh.
    HRESULT Enumerate(IDirect3D9* direct3D);

    // Picks the best windowed settings on the desktop's display format: HAL
    // with back-buffer format equal to the display format first, then any
    // HAL, then the first candidate. On success sets settings.windowed and
    // fills settings.windowedSettings (display mode: the desktop mode of
    // adapter 0; multisample quality 0) and returns true. Returns false, with
    // settings untouched, when nothing fits, nothing was enumerated or the
    // desktop mode is unreadable. requireHal/requireRef restrict the device type.
    bool FindBestWindowedSettings(D3DSettings& settings, bool requireHal, bool requireRef);

    // Picks the best full-screen settings. The desired mode of an adapter is
    // its current display mode with every nonzero field of desiredMode (may be
    // null) put in its place. On success clears settings.windowed, fills
    // settings.fullscreenSettings with the chosen mode of the best adapter and
    // returns true; false, with settings untouched, when nothing fits.
    bool FindBestFullscreenSettings(D3DSettings& settings, const D3DDISPLAYMODE* desiredMode,
                                    bool requireHal, bool requireRef);

    // ---- Display ----

    // Presentation parameters for the active block of settings, with
    // D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL added to flags. Windowed: back
    // buffer and refresh rate 0 (the window's client size decides).
    static D3DPRESENT_PARAMETERS BuildPresentParameters(const D3DSettings& settings, DWORD flags);

    // Creates the device for the active block of settings into this
    // initialiser, replacing (and releasing) any device it held. With window
    // null a window is created through CreatePlatformWindow, titled className
    // (may be null): windowed, overlapped at the default position with
    // width x height; full screen, a popup at (0, 0) with the display mode's
    // size. A given full-screen window loses its menu, becomes a popup and
    // covers the mode's size at (0, 0); a given windowed one is left alone.
    // Window classes need no registration on this platform, so windowProc and
    // createParam are accepted and unused. The device always gets
    // D3DCREATE_MULTITHREADED besides behaviorFlags and the vertex-processing
    // flags. Returns 0; E_FAIL when nothing was enumerated or the window could
    // not be made; otherwise the device creation's own failure.
    HRESULT CreateDisplay(const D3DSettings& settings, DWORD behaviorFlags, HWND window,
                          WNDPROC windowProc, const char* className, int width, int height,
                          void* createParam);

    // Resets device to the active block of settings. A given window is made
    // windowed (overlapped, at (50, 50), 400 x 400) or full screen (no menu,
    // popup at (0, 0) with the mode's size) first; with window null no window
    // changes. Keeps no reference to device. Returns 0, E_INVALIDARG when
    // device is null (nothing is touched), or the reset's failure.
    static HRESULT ResetDisplay(IDirect3DDevice9* device, const D3DSettings& settings, HWND window);

    // The created device with a reference added for the caller, or null.
    IDirect3DDevice9* GetDevice();
    // The window the device was created for, or null; not owned.
    HWND GetDeviceWindow() const { return window_; }
    // The enumerated tree, in enumeration order.
    const std::vector<std::unique_ptr<D3DAdapterInfo>>& GetAdapters() const { return adapters_; }

    CD3DInitialize(const CD3DInitialize&) = delete;
    CD3DInitialize& operator=(const CD3DInitialize&) = delete;

private:
    HRESULT EnumerateAdapters();
    HRESULT EnumerateDisplayModes(D3DAdapterInfo& adapter);
    HRESULT EnumerateDevices(D3DAdapterInfo& adapter);
    HRESULT EnumerateDeviceCombos(const D3DAdapterInfo& adapter, D3DDeviceInfo& device);
    HRESULT EnumerateComboLists(D3DDeviceCombo& combo);
    HRESULT EnumerateDepthStencilFormats(D3DDeviceCombo& combo);
    HRESULT EnumerateMultiSampleTypes(D3DDeviceCombo& combo);
    HRESULT EnumerateVertexProcessingTypes(D3DDeviceCombo& combo);
    HRESULT EnumeratePresentIntervals(D3DDeviceCombo& combo);
    void Clear();

    IDirect3D9* direct3D_ = nullptr;      // counted reference taken by Enumerate
    IDirect3DDevice9* device_ = nullptr;  // counted reference made by CreateDisplay
    HWND window_ = nullptr;               // the device window; not owned
    std::vector<std::unique_ptr<D3DAdapterInfo>> adapters_;
};

}  // namespace RenderLib

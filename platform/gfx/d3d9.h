#pragma once

// The graphics device interface: the calls the program makes on its adapter
// object (IDirect3D9), its device (IDirect3DDevice9) and the device's
// resources. Objects are reference counted: a creator hands out one
// reference, AddRef adds one, Release drops one and destroys the object at
// zero. Every operation returns a status in the HRESULT convention unless it
// says otherwise. Implementations: platform/gfx/opengl (real drawing through
// OpenGL 3.3) and platform/gfx/recording (a call log for tests).

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gfx/d3d9_types.h"
#include "platform/gfx/stream_frequency.h"

// Reference counting shared by every interface below.
class IUnknown {
public:
    ULONG AddRef() { return ++references_; }
    ULONG Release() {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    IUnknown() = default;
    virtual ~IUnknown() = default;

private:
    ULONG references_ = 1;
};

// Releases p (when not null) and sets it to null.
template <class T>
void SafeRelease(T*& p) {
    if (p != nullptr) {
        p->Release();
        p = nullptr;
    }
}

class IDirect3DResource9 : public IUnknown {};

class IDirect3DVertexBuffer9 : public IDirect3DResource9 {
public:
    // Maps [offset, offset + size) for the caller; size 0 means to the end.
    virtual HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) = 0;
    virtual HRESULT Unlock() = 0;
    virtual HRESULT GetDesc(D3DVERTEXBUFFER_DESC* description) = 0;
};

class IDirect3DIndexBuffer9 : public IDirect3DResource9 {
public:
    virtual HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) = 0;
    virtual HRESULT Unlock() = 0;
    virtual HRESULT GetDesc(D3DINDEXBUFFER_DESC* description) = 0;
};

class IDirect3DBaseTexture9 : public IDirect3DResource9 {
public:
    virtual DWORD GetLevelCount() = 0;
};

class IDirect3DTexture9 : public IDirect3DBaseTexture9 {
public:
    // Rows are top first; rect null means the whole level.
    virtual HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
    virtual HRESULT UnlockRect(UINT level) = 0;
    virtual HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* description) = 0;
};

// An image of the device's back buffer for whoever shows it (the shell's 3D
// pane) or saves it. texture is the implementation's handle (an OpenGL
// texture name), 0 when there is none; rows in the handle's own order.
struct PresentedImage {
    std::uintptr_t texture = 0;
    UINT width = 0;
    UINT height = 0;
    bool bottomRowFirst = false;
};

class IDirect3DDevice9 : public IUnknown {
public:
    // ---- Device life ----
    // D3D_OK, D3DERR_DEVICELOST (not resettable yet) or D3DERR_DEVICENOTRESET.
    virtual HRESULT TestCooperativeLevel() = 0;
    // Re-creates the back buffer for the parameters (size 0: the window's
    // client size). The parameters may be updated with the sizes used.
    virtual HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) = 0;
    // Shows the back buffer; all four arguments must be null.
    virtual HRESULT Present(const RECT* source, const RECT* destination, HWND overrideWindow,
                            const void* dirtyRegion) = 0;
    virtual HRESULT GetDeviceCaps(D3DCAPS9* caps) = 0;

    // ---- Frame ----
    virtual HRESULT Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color,
                          float z, DWORD stencil) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;

    // ---- State ----
    virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) = 0;
    virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
    virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) = 0;
    virtual HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) = 0;
    virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                         DWORD value) = 0;
    virtual HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) = 0;
    virtual HRESULT SetMaterial(const D3DMATERIAL9* material) = 0;
    virtual HRESULT SetViewport(const D3DVIEWPORT9* viewport) = 0;
    virtual HRESULT GetViewport(D3DVIEWPORT9* viewport) = 0;

    // ---- Geometry ----
    virtual HRESULT SetFVF(DWORD vertexFormat) = 0;
    virtual HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset,
                                    UINT stride) = 0;
    virtual HRESULT SetIndices(IDirect3DIndexBuffer9* buffer) = 0;
    virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, std::int32_t baseVertexIndex,
                                         UINT minIndex, UINT vertexCount, UINT startIndex,
                                         UINT primitiveCount) = 0;
    virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex,
                                  UINT primitiveCount) = 0;
    // Instancing: see stream_frequency.h for the settings, what the instance
    // stream holds and which values are refused (D3DERR_INVALIDCALL).
    virtual HRESULT SetStreamSourceFreq(UINT stream, UINT setting) = 0;

    // ---- Resources (shared handle must be null) ----
    virtual HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD vertexFormat, D3DPOOL pool,
                                       IDirect3DVertexBuffer9** buffer, void* sharedHandle) = 0;
    virtual HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                      IDirect3DIndexBuffer9** buffer, void* sharedHandle) = 0;
    virtual HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                  D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture,
                                  void* sharedHandle) = 0;

    // ---- Beyond the classic device: the back buffer for the shell and screenshots ----
    // The last presented image.
    virtual PresentedImage GetPresentedImage() = 0;
    // Reads the back buffer as tightly packed RGBA, top row first.
    virtual HRESULT ReadBackBuffer(std::vector<std::uint8_t>& rgba, UINT& width,
                                   UINT& height) = 0;
};

class IDirect3D9 : public IUnknown {
public:
    virtual UINT GetAdapterCount() = 0;
    virtual HRESULT GetAdapterIdentifier(UINT adapter, DWORD flags,
                                         D3DADAPTER_IDENTIFIER9* identifier) = 0;
    virtual UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) = 0;
    virtual HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode,
                                     D3DDISPLAYMODE* displayMode) = 0;
    virtual HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) = 0;
    virtual HRESULT CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                    D3DFORMAT backBufferFormat, BOOL windowed) = 0;
    virtual HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                      DWORD usage, D3DRESOURCETYPE resourceType,
                                      D3DFORMAT checkFormat) = 0;
    virtual HRESULT CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type,
                                               D3DFORMAT surfaceFormat, BOOL windowed,
                                               D3DMULTISAMPLE_TYPE multiSampleType,
                                               DWORD* qualityLevels) = 0;
    virtual HRESULT CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                           D3DFORMAT renderTargetFormat,
                                           D3DFORMAT depthStencilFormat) = 0;
    virtual HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) = 0;
    // The device draws for focusWindow (or the parameters' hDeviceWindow when
    // that is set). Parameters may be updated with the sizes used.
    virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow,
                                 DWORD behaviorFlags, D3DPRESENT_PARAMETERS* parameters,
                                 IDirect3DDevice9** device) = 0;
};

// Creates the adapter object through the installed factory; null when no
// factory is installed or the factory fails (no usable graphics).
IDirect3D9* Direct3DCreate9(UINT sdkVersion);

// Installs the factory Direct3DCreate9 calls: the program installs the OpenGL
// one, tests a Recording one. An empty function uninstalls.
using Direct3DFactory = std::function<IDirect3D9*(UINT sdkVersion)>;
void SetDirect3DFactory(Direct3DFactory factory);

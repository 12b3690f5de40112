#pragma once

// CRenderEngine: the base of a render engine. It owns the adapter object and
// the device, the frame timer, the view rectangle, the clear values and the
// texture-filter choices, and runs the life of the device and of the frame. A
// scene derives from it and overrides the operations from CreateResources to
// DrawScene (and may override OnSize), calling the base versions first.
//
// Call order from outside: construct, Initialize(window), then OnSize /
// OnLButtonDown / OnLButtonUp / RenderFrame as messages and idle turns come,
// then destroy. Everything runs on the one thread of the message loop.

#include <cstdint>
#include <vector>

#include "framework/clock.h"
#include "framework/d3d_settings.h"
#include "framework/timer.h"
#include "platform/gfx/d3d9.h"
#include "platform/window/window.h"
#include "base/vector_math.h"

namespace RenderLib {

// The engine's view rectangle in pixels.
struct ViewRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

class CRenderEngine {
public:
    // Size type of OnSize that means the window was minimised.
    static constexpr UINT kSizeMinimized = 1;
    // Entries of each filter-support table, indexed by D3DTEXTUREFILTERTYPE.
    static constexpr int kFilterTypes = 10;

    // The timer reads the default steady clock.
    CRenderEngine();
    // The timer reads clock, which must outlive the engine (not owned).
    explicit CRenderEngine(Clock& clock);
    // Unbinds the device (the base ReleaseResources steps), then releases the
    // device and the adapter object.
    virtual ~CRenderEngine();

    // Creates the device for window (null: a window of its own is created),
    // loads the resources, builds the scene and sets the device states. On
    // failure the engine is shut down (no device) and false returned; device
    // and capability failures have told the user and asked the application
    // to quit.
    virtual bool Initialize(HWND window);
    // ReleaseResources, then releases the device and the adapter object;
    // device, direct3D and window become null. Always true.
    virtual bool Shutdown();
    // A size message of the window: type kSizeMinimized makes the engine
    // inactive; any other type activates it, sizes the view rectangle to
    // width x height pixels and, with a device, resets it and restores its states.
    virtual void OnSize(UINT type, std::int32_t width, std::int32_t height);
    // Captures the mouse for the engine's window and remembers the cursor's
    // screen position. flags, x and y are ignored.
    virtual void OnLButtonDown(UINT flags, std::int32_t x, std::int32_t y);
    // Releases the mouse capture. flags, x and y are ignored.
    virtual void OnLButtonUp(UINT flags, std::int32_t x, std::int32_t y);
    // One frame: tick the timer, show a changed frame rate (and whether time
    // stands still) in the window text,
    // recover a lost device, then input, update, clear, draw and present.
    // Returns the present's result; D3D_OK when inactive; the device's
    // cooperative-level answer while it is lost; E_FAIL without a device (an
    // engine whose Initialize failed only ticks its timer).
    virtual HRESULT RenderFrame();
    // Records whether vertices are processed in hardware and drops anything
    // loaded before (ReleaseResources). reserved is passed on by scenes
    // unchanged. Returns false when loading failed.
    virtual bool CreateResources(UINT reserved);
    // Makes worldMatrix the identity and the engine active. position (world
    // units) and rotation (x pitch, y yaw, z roll, degrees) may be null.
    virtual void SetupScene(const Vector3* position, const Vector3* rotation);
    // After creation and every reset: checks the device (asking the
    // application to quit when it is unfit), sets the default render and
    // sampler states and the vertex format, and sizes the view rectangle to
    // the window's client area. Does nothing without a device.
    virtual void RestoreDeviceState();
    virtual void UpdateScene();
    // Unbinds stream 0, the index buffer and the textures of stages 0 and 1.
    virtual void ReleaseResources();
    virtual void ProcessInput();
    // Draws between BeginScene and EndScene.
    virtual void DrawScene();

    // ---- Device steps (non-virtual) ----

    // Creates the adapter object and the device for window with the
    // program's device policy, and takes the window and view rectangle from
    // it. On failure shows a "Fatal Error!" message, asks the application to
    // quit and returns false; an adapter object once created stays in
    // direct3D until Shutdown.
    bool CreateDevice(HWND window);
    // Fits the filter choices to the device and picks the texture formats.
    // False when the caps are unreadable (silently) or no opaque or alpha
    // texture format is usable (with an "Error." message).
    bool CheckDeviceCaps();
    // Resets the device to settings; a given window is restyled for them
    // (null: no window changes). The reset's result is not used. Needs a device.
    void ResetDevice(HWND resetWindow);

    // ---- The drawn image, for whoever shows or saves it ----

    // The image the last Present showed (texture 0 without a device).
    PresentedImage GetPresentedImage() const;
    // Reads the back buffer as RGBA, top row first. False without a device
    // or when the device cannot read it.
    bool CaptureFrame(std::vector<std::uint8_t>& rgba, UINT& width, UINT& height) const;

    CRenderEngine(const CRenderEngine&) = delete;
    CRenderEngine& operator=(const CRenderEngine&) = delete;

    Matrix4 worldMatrix;                       // identity; world transform after each scene pass
    CTimer timer;                              // frame timing and frame rate
    std::uint32_t lastFrameRate = 0;           // frame rate last shown in the window text
    bool lastShownStopped = false;             // the window text last said "Paused"
    HWND window = nullptr;                     // window the device presents to; not owned
    bool deviceLost = false;                   // the last present failed
    bool active = false;                       // frames are drawn (false while minimised)
    IDirect3D9* direct3D = nullptr;            // counted reference
    IDirect3DDevice9* device = nullptr;        // counted reference
    D3DSettings settings;                      // chosen at device creation; zero before
    bool hardwareVertexProcessing = true;      // active block's processing is (pure) hardware
    DWORD fillMode = D3DFILL_SOLID;            // D3DRS_FILLMODE
    DWORD magFilter = D3DTEXF_LINEAR;          // D3DSAMP_MAGFILTER of stages 0 and 1
    DWORD minFilter = D3DTEXF_LINEAR;          // D3DSAMP_MINFILTER
    DWORD mipFilter = D3DTEXF_LINEAR;          // D3DSAMP_MIPFILTER
    DWORD maxAnisotropy = 1;                   // D3DSAMP_MAXANISOTROPY
    D3DFORMAT textureFormat = D3DFMT_UNKNOWN;  // chosen opaque texture format
    D3DFORMAT alphaTextureFormat = D3DFMT_UNKNOWN;  // chosen texture format with alpha
    bool magFilterSupported[kFilterTypes] = {};     // by filter type
    bool minFilterSupported[kFilterTypes] = {};
    bool mipFilterSupported[kFilterTypes] = {};
    DWORD supportedMaxAnisotropy = 0;  // power of two up to 64, not above the device's
    ViewRect viewport;                 // view rectangle in pixels
    DWORD clearFlags = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER;  // per-frame clear
    D3DCOLOR clearColor = 0x0079D3FF;
    float clearZ = 1.0f;
    DWORD clearStencil = 0;
    POINT rememberedCursor;  // cursor's screen position at the last left press

protected:
    // Whether the scene's time stands still: the window text then says
    // "Paused" after the frame rate. The base never stops.
    virtual bool IsTimeStopped() const { return false; }

private:
    void ShowFrameRate();
    bool RecoverLostDevice(HRESULT& answer);
    void SetDefaultStates();
    void SetSamplerFilters(DWORD stage);
    void ReleaseInterfaces();
};

}  // namespace RenderLib

#pragma once

// The Recording implementation of the device interface, for tests. Every call
// on the adapter object, the device and their resources is appended, as one
// line of text, to a call log they share, so a test can check whole call
// sequences. The adapters, their modes, device types and caps, and what the
// format checks answer are configurable; results of CreateDevice, Present,
// TestCooperativeLevel and Reset can be scripted. The device keeps the state
// it was given (transforms, render/sampler/stage states, textures, viewport,
// vertex format, stream and indices) so tests can also check the outcome.
//
// Log lines: the call's name and its arguments in declared order, numbers in
// decimal, pointers as "null" or "ptr", e.g. "SetRenderState(7, 1)",
// "SetTexture(0, null)", "DrawIndexedPrimitive(5, 0, 0, 24, 4, 2)",
// "Clear(0, null, 3, 0x00004080, 1, 0)" (colours in hex, floats as %g).
// Colours are "0x" with eight upper-case hex digits; a BOOL is 0 or 1 as
// passed. Resources prefix their calls with their kind: "VertexBuffer.Lock(0,
// 0, ptr, 0)", "IndexBuffer.Unlock()", "Texture.LockRect(0, ptr, null, 0)".
// AddRef and Release are not logged. A call is logged before it is checked,
// so refused calls appear in the log too.
//
// Ill-formed calls fail with D3DERR_INVALIDCALL rather than crash: null out
// pointers, adapters or mipmap levels out of range, locks outside a resource,
// unlocking what is not locked, BeginScene inside a scene, EndScene outside
// one, a non-null argument to Present or a non-null shared handle.

#include <array>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/gfx/d3d9.h"

// The shared call log.
class CallLog {
public:
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    const std::vector<std::string>& Lines() const { return lines_; }
    void Clear() { lines_.clear(); }
    // Lines that start with prefix (for example "SetRenderState("), in order.
    std::vector<std::string> Matching(const std::string& prefix) const;

private:
    std::vector<std::string> lines_;
};

// One adapter of the recording adapter object.
struct RecordingAdapter {
    D3DADAPTER_IDENTIFIER9 identifier;
    D3DDISPLAYMODE desktopMode{1280, 800, 60, D3DFMT_X8R8G8B8};
    std::vector<D3DDISPLAYMODE> modes;      // every mode of every format, in list order
    std::map<D3DDEVTYPE, D3DCAPS9> devices;  // device types present, with their caps
};

// Caps of a capable hardware device: every bit the program asks for,
// hardware transform and lighting, all presentation intervals, anisotropy 16.
D3DCAPS9 CapableCaps(D3DDEVTYPE type = D3DDEVTYPE_HAL);
// One adapter with a HAL device of CapableCaps and X8R8G8B8 modes 640×480,
// 800×600, 1024×768 and 1280×800, all at 60 Hz.
RecordingAdapter TypicalAdapter();

class RecordingDevice;

class RecordingDirect3D : public IDirect3D9 {
public:
    // Adds one reference; the log is shared with every device it creates.
    explicit RecordingDirect3D(std::shared_ptr<CallLog> log = std::make_shared<CallLog>());

    // Empty until the test adds some (TypicalAdapter() is the usual one).
    std::vector<RecordingAdapter> adapters;

    // Answers of the checks, by their arguments; anything not listed
    // succeeds. Set an entry to a failure code to refuse that combination.
    std::map<std::tuple<D3DFORMAT, D3DFORMAT, BOOL>, HRESULT> deviceTypeResults;  // (adapter fmt, back-buffer fmt, windowed)
    std::map<std::tuple<DWORD, D3DRESOURCETYPE, D3DFORMAT>, HRESULT> deviceFormatResults;  // (usage, type, format)
    std::map<D3DMULTISAMPLE_TYPE, HRESULT> multiSampleResults;  // NONE succeeds, others fail unless listed
    std::map<D3DFORMAT, HRESULT> depthStencilMatchResults;      // by depth-stencil format
    DWORD multiSampleQualityLevels = 1;
    // Scripted failure of EnumAdapterModes (every call), when not D3D_OK.
    HRESULT enumAdapterModesResult = D3D_OK;

    // Results of the next CreateDevice calls, front first; D3D_OK when empty.
    // A success still fails with D3DERR_NOTAVAILABLE when the adapter lacks
    // the device type (D3DERR_INVALIDCALL when the adapter does not exist).
    std::deque<HRESULT> createDeviceResults;
    // The device made by the last successful CreateDevice (the caller owns
    // it); its log is this object's log.
    RecordingDevice* lastDevice = nullptr;
    // Parameters of the last CreateDevice call.
    D3DPRESENT_PARAMETERS lastPresentParameters;

    CallLog& Log() { return *log_; }
    std::shared_ptr<CallLog> SharedLog() { return log_; }

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
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviorFlags,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override;

private:
    const RecordingAdapter* Adapter(UINT adapter) const;  // null when out of range
    // D3D_OK when the adapter has the device type, D3DERR_NOTAVAILABLE when
    // it lacks it, D3DERR_INVALIDCALL when the adapter does not exist.
    HRESULT DevicePresent(UINT adapter, D3DDEVTYPE type) const;

    std::shared_ptr<CallLog> log_;
};

class RecordingDevice : public IDirect3DDevice9 {
public:
    // window (may be null) gives the back-buffer size when the parameters'
    // size is 0. The viewport starts as the whole back buffer.
    RecordingDevice(std::shared_ptr<CallLog> log, D3DCAPS9 caps, D3DPRESENT_PARAMETERS parameters,
                    HWND window = nullptr);

    // Scripted results, front first; D3D_OK when empty.
    std::deque<HRESULT> presentResults;
    std::deque<HRESULT> testCooperativeLevelResults;
    std::deque<HRESULT> resetResults;
    // Scripted failure of every resource creation, when not D3D_OK.
    HRESULT createResourceResult = D3D_OK;

    // State as last set.
    std::map<D3DTRANSFORMSTATETYPE, D3DMATRIX> transforms;
    std::map<D3DRENDERSTATETYPE, DWORD> renderStates;
    std::map<std::pair<DWORD, D3DSAMPLERSTATETYPE>, DWORD> samplerStates;
    std::map<std::pair<DWORD, D3DTEXTURESTAGESTATETYPE>, DWORD> textureStageStates;
    std::map<DWORD, IDirect3DBaseTexture9*> textures;  // not referenced by the device
    D3DVIEWPORT9 viewport;
    D3DMATERIAL9 material;
    DWORD vertexFormat = 0;
    IDirect3DVertexBuffer9* streamSource = nullptr;
    UINT streamOffset = 0;
    UINT streamStride = 0;
    IDirect3DIndexBuffer9* indices = nullptr;
    IDirect3DVertexBuffer9* instanceSource = nullptr;  // stream 1
    UINT instanceOffset = 0;
    UINT instanceStride = 0;
    std::array<UINT, 2> streamFrequencies{1, 1};  // streams 0 and 1; Reset restores 1
    D3DPRESENT_PARAMETERS presentParameters;  // as created or last reset
    int sceneDepth = 0;                       // BeginScene minus EndScene
    HWND window = nullptr;                    // the device window, may be null

    // The back buffer's size, fixed at creation and at each successful
    // Reset: the parameters' size, or the window's client size where that is
    // 0 (0 without a window). Resizing the window alone does not change it.
    UINT BackBufferWidth() const { return backBufferWidth_; }
    UINT BackBufferHeight() const { return backBufferHeight_; }

    CallLog& Log() { return *log_; }

    HRESULT TestCooperativeLevel() override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
    HRESULT Present(const RECT* source, const RECT* destination, HWND overrideWindow,
                    const void* dirtyRegion) override;
    HRESULT GetDeviceCaps(D3DCAPS9* caps) override;
    HRESULT Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                  DWORD stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
    HRESULT SetMaterial(const D3DMATERIAL9* material) override;
    HRESULT SetViewport(const D3DVIEWPORT9* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT9* viewport) override;
    HRESULT SetFVF(DWORD vertexFormat) override;
    HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset,
                            UINT stride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer9* buffer) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, std::int32_t baseVertexIndex,
                                 UINT minIndex, UINT vertexCount, UINT startIndex,
                                 UINT primitiveCount) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
    HRESULT SetStreamSourceFreq(UINT stream, UINT setting) override;
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD vertexFormat, D3DPOOL pool,
                               IDirect3DVertexBuffer9** buffer, void* sharedHandle) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DIndexBuffer9** buffer, void* sharedHandle) override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture9** texture, void* sharedHandle) override;
    PresentedImage GetPresentedImage() override;
    HRESULT ReadBackBuffer(std::vector<std::uint8_t>& rgba, UINT& width, UINT& height) override;

private:
    // The front of a script, removed, or D3D_OK when it is empty.
    static HRESULT NextResult(std::deque<HRESULT>& script);
    // Sizes the back buffer from presentParameters and the window, and makes
    // the viewport cover all of it.
    void CreateBackBuffer();

    std::shared_ptr<CallLog> log_;
    D3DCAPS9 caps_;
    UINT backBufferWidth_ = 0;
    UINT backBufferHeight_ = 0;
};

// Memory-backed resources the recording device hands out: locks give real
// storage so that uploads and skinning can be checked byte for byte.
std::vector<std::uint8_t>& RecordedBytes(IDirect3DVertexBuffer9* buffer);
std::vector<std::uint8_t>& RecordedBytes(IDirect3DIndexBuffer9* buffer);
std::vector<std::uint8_t>& RecordedBytes(IDirect3DTexture9* texture);  // level 0, BGRA rows

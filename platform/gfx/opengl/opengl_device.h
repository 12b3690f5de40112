#pragma once

// The device of the OpenGL backend. It draws into its own back buffer (a
// framebuffer object sized to the window's client area, or to the
// parameters' size when they give one) and emulates the fixed-function
// subset the program uses with FixedFunctionProgram: one compiled program per
// FixedFunctionKey, built on first use and kept for the device's life.
//
// Context: the device makes an OpenGL 3.3 core context of its own on the
// window's native SDL window. When another context is current at creation
// (the shell's, for a 3D pane inside its window) the new one shares objects
// with it, so the presented image's texture name is valid there too. Every
// device call makes the device's context current and leaves it so: whoever
// draws with another context makes that one current again first.
//
// Present: on a window that ShowsPresentedImage the image is blitted to the
// window and the buffers are swapped (swap interval 0 for IMMEDIATE, else
// 1); for a pane the device only finishes its work, and the owner shows
// GetPresentedImage's texture (bottom row first) itself.
//
// Like the classic device, it holds a reference to every texture, vertex
// buffer and index buffer bound to it until they are unbound, replaced, the
// device is reset or destroyed; Reset also restores every default state and
// a viewport covering the new back buffer. Resources must be OpenGL ones
// made by a device of this backend; anything else is D3DERR_INVALIDCALL, as
// is a draw that would read outside its buffers.
//
// Not emulated (states are kept but do not draw): lights, alpha blending and
// alpha test, flat shading, stencil, texture transforms, pretransformed or
// blended positions (their draws fail), stages 2 to 7.

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "platform/gfx/d3d9.h"
#include "platform/gfx/opengl/back_buffer.h"
#include "platform/gfx/opengl/device_state.h"
#include "platform/gfx/opengl/fixed_function_program.h"
#include "platform/gfx/opengl/gl_context.h"
#include "platform/gfx/opengl/gl_state_mapping.h"
#include "platform/gfx/vertex_layout.h"

class OpenGLIndexBuffer;
class OpenGLTexture;
class OpenGLVertexBuffer;

class OpenGLDevice : public IDirect3DDevice9 {
public:
    // Creates a device drawing for window (not null) with parameters, which
    // are checked and then updated with the sizes and format used. caps is
    // what GetDeviceCaps answers. On failure returns the status and writes
    // the reason to standard error; *device is then null.
    static HRESULT Create(Window* window, D3DPRESENT_PARAMETERS* parameters, const D3DCAPS9& caps,
                          const OpenGLOptions& options, IDirect3DDevice9** device);

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
    // The viewport must lie inside the back buffer with 0 ≤ MinZ ≤ MaxZ ≤ 1.
    HRESULT SetViewport(const D3DVIEWPORT9* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT9* viewport) override;
    HRESULT SetFVF(DWORD vertexFormat) override;
    // Stream 0 (vertices) and stream 1 (instances, see SetStreamSourceFreq);
    // offset within the buffer.
    HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset,
                            UINT stride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer9* buffer) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, std::int32_t baseVertexIndex, UINT minIndex,
                                 UINT vertexCount, UINT startIndex, UINT primitiveCount) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
    // Instanced indexed draws read the instance stream's matrices through
    // attributes advancing once per instance (see stream_frequency.h).
    HRESULT SetStreamSourceFreq(UINT stream, UINT setting) override;
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD vertexFormat, D3DPOOL pool,
                               IDirect3DVertexBuffer9** buffer, void* sharedHandle) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DIndexBuffer9** buffer, void* sharedHandle) override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture9** texture, void* sharedHandle) override;
    // The back buffer's colour texture (an OpenGL texture name), bottom row
    // first; texture 0 until the first Present after creation or a reset.
    PresentedImage GetPresentedImage() override;
    HRESULT ReadBackBuffer(std::vector<std::uint8_t>& rgba, UINT& width, UINT& height) override;

private:
    // What the vertex array's attributes were last pointed at.
    struct VertexArraySource {
        std::uint64_t storage = 0;  // GlBufferStorage::Serial; 0: not set up yet
        UINT offset = 0;
        UINT stride = 0;
        DWORD vertexFormat = 0;
        std::uint64_t instanceStorage = 0;  // 0: the draw is not instanced
        UINT instanceOffset = 0;
        UINT instanceStride = 0;
        bool operator==(const VertexArraySource&) const = default;
    };
    // The OpenGL objects the device owns besides the back buffer, and what
    // was last applied to those only the device changes (so that redundant
    // updates can be skipped).
    struct GlObjects {
        std::uint32_t vertexArray = 0;
        std::array<std::uint32_t, 2> samplers{};  // stages 0 and 1
        std::unordered_map<std::uint64_t, std::unique_ptr<FixedFunctionProgram>>
            programs;  // by FixedFunctionKey::Packed
        std::uint32_t currentProgram = 0;
        std::array<SamplerSettings, 2> samplerSettings{};
        std::array<bool, 2> samplerSettingsValid{};
        VertexArraySource vertexArraySource;
    };
    // What is bound; each non-null pointer holds one reference.
    struct Bindings {
        std::array<OpenGLTexture*, DeviceState::kStages> textures{};
        OpenGLVertexBuffer* stream = nullptr;
        UINT streamOffset = 0;
        UINT streamStride = 0;
        OpenGLIndexBuffer* indices = nullptr;
        OpenGLVertexBuffer* instances = nullptr;  // stream 1: world matrices
        UINT instancesOffset = 0;
        UINT instancesStride = 0;
        std::array<UINT, 2> frequencies{1, 1};  // SetStreamSourceFreq of streams 0 and 1
    };

    OpenGLDevice(Window* window, std::shared_ptr<GlContext> context, const D3DCAPS9& caps);
    ~OpenGLDevice() override;

    HRESULT Configure(D3DPRESENT_PARAMETERS* parameters);
    void ReleaseBindings();
    void ClearToOpaqueBlack();
    HRESULT PrepareDraw(D3DPRIMITIVETYPE type, VertexLayout& layout) const;
    bool ApplyDrawState(const VertexLayout& layout, bool instanced = false);
    void ApplyRasterState() const;
    bool OpaqueTarget() const;
    void ApplySamplers(std::array<bool, 2>& textureBound);
    void BindVertexArray(const VertexLayout& layout, bool instanced);
    void BindInstanceAttributes(bool instanced);
    FixedFunctionProgram* ProgramFor(const FixedFunctionKey& key);
    bool ClearRect(const D3DRECT* rect) const;

    // Replaces a referenced binding: the new resource gains a reference, the
    // old one loses its.
    template <class T>
    static void Rebind(T*& slot, T* resource) {
        if (resource != nullptr) {
            resource->AddRef();
        }
        if (slot != nullptr) {
            slot->Release();
        }
        slot = resource;
    }

    Window* window_;  // not owned; outlives the device
    std::shared_ptr<GlContext> context_;
    D3DCAPS9 caps_;
    std::unique_ptr<BackBuffer> backBuffer_;
    GlObjects gl_;
    DeviceState state_;
    Bindings bindings_;
    D3DFORMAT backBufferFormat_ = D3DFMT_X8R8G8B8;
    bool inScene_ = false;
    bool presented_ = false;  // a Present happened since creation or the last reset
};

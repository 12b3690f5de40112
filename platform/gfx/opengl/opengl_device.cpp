#include "platform/gfx/opengl/opengl_device.h"

// Sections: creation and life; frame; state; geometry and drawing;
// resources; the back buffer for the shell.

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include <SDL.h>
#include <epoxy/gl.h>

#include "platform/gfx/opengl/draw_validation.h"
#include "platform/gfx/opengl/gl_state_mapping.h"
#include "platform/gfx/opengl/opengl_index_buffer.h"
#include "platform/gfx/opengl/opengl_texture.h"
#include "platform/gfx/opengl/opengl_vertex_buffer.h"
#include "platform/gfx/opengl/present_parameters.h"
#include "platform/gfx/opengl/texture_format.h"
#include "platform/gfx/device_contract.h"
#include "platform/gfx/vertex_layout.h"
#include "platform/window/window.h"

namespace {


void Report(const std::string& message) {
    std::fprintf(stderr, "OpenGL device: %s\n", message.c_str());
}

}  // namespace

// ---- Creation and life ----

HRESULT OpenGLDevice::Create(Window* window, D3DPRESENT_PARAMETERS* parameters,
                             const D3DCAPS9& caps, const OpenGLOptions& options,
                             IDirect3DDevice9** device) {
    if (device == nullptr || parameters == nullptr || window == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *device = nullptr;
    auto* native = static_cast<SDL_Window*>(window->GetNativeWindow());
    if (native == nullptr) {
        Report("the device window has no native window to draw on");
        return D3DERR_INVALIDCALL;
    }
    if (CheckPresentParameters(*parameters, caps.MaxTextureWidth) != D3D_OK) {
        Report("the presentation parameters ask for what this device cannot do");
        return D3DERR_INVALIDCALL;
    }
    std::string error;
    std::shared_ptr<GlContext> context = GlContext::Create(native, true, options, &error);
    if (context == nullptr) {
        Report(error);
        return D3DERR_NOTAVAILABLE;
    }
    auto* created = new OpenGLDevice(window, std::move(context), caps);
    const HRESULT result = created->Configure(parameters);
    if (FAILED(result)) {
        created->Release();
        return result;
    }
    *device = created;
    return D3D_OK;
}

OpenGLDevice::OpenGLDevice(Window* window, std::shared_ptr<GlContext> context, const D3DCAPS9& caps)
    : window_(window), context_(std::move(context)), caps_(caps) {
    context_->MakeCurrent();
    backBuffer_ = std::make_unique<BackBuffer>(context_);
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    gl_.vertexArray = vertexArray;
    GLuint samplers[2] = {};
    glGenSamplers(2, samplers);
    gl_.samplers = {samplers[0], samplers[1]};
}

OpenGLDevice::~OpenGLDevice() {
    ReleaseBindings();
    context_->MakeCurrent();
    gl_.programs.clear();
    GLuint vertexArray = gl_.vertexArray;
    glDeleteVertexArrays(1, &vertexArray);
    GLuint samplers[2] = {gl_.samplers[0], gl_.samplers[1]};
    glDeleteSamplers(2, samplers);
    backBuffer_.reset();
}

// Sizes the back buffer for parameters, restores the default state and
// writes the sizes and format used back into parameters.
HRESULT OpenGLDevice::Configure(D3DPRESENT_PARAMETERS* parameters) {
    const BackBufferSize size = ResolveBackBufferSize(*parameters, window_->GetClientRect());
    const D3DFORMAT depthFormat = DepthFormatOf(*parameters);
    context_->MakeCurrent();
    if (!backBuffer_->Resize(size.width, size.height, depthFormat)) {
        Report("the back buffer of " + std::to_string(size.width) + "x" +
               std::to_string(size.height) + " could not be created");
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    // A refused swap interval (the offscreen driver has no vertical sync)
    // leaves presentation unthrottled, which is harmless.
    SDL_GL_SetSwapInterval(SwapIntervalFor(parameters->PresentationInterval));
    ReleaseBindings();
    state_ = DeviceState::Defaults(depthFormat != D3DFMT_UNKNOWN, size.width, size.height);
    backBufferFormat_ =
        parameters->BackBufferFormat == D3DFMT_A8R8G8B8 ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    inScene_ = false;
    presented_ = false;
    ClearToOpaqueBlack();
    parameters->BackBufferWidth = size.width;
    parameters->BackBufferHeight = size.height;
    parameters->BackBufferFormat = backBufferFormat_;
    parameters->BackBufferCount = 1;
    return D3D_OK;
}

void OpenGLDevice::ReleaseBindings() {
    for (OpenGLTexture*& texture : bindings_.textures) {
        Rebind(texture, static_cast<OpenGLTexture*>(nullptr));
    }
    Rebind(bindings_.stream, static_cast<OpenGLVertexBuffer*>(nullptr));
    Rebind(bindings_.indices, static_cast<OpenGLIndexBuffer*>(nullptr));
    bindings_.streamOffset = bindings_.streamStride = 0;
    Rebind(bindings_.instances, static_cast<OpenGLVertexBuffer*>(nullptr));
    bindings_.instancesOffset = bindings_.instancesStride = 0;
    bindings_.frequencies = {1, 1};
}

void OpenGLDevice::ClearToOpaqueBlack() {
    backBuffer_->Bind();
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

HRESULT OpenGLDevice::TestCooperativeLevel() {
    return D3D_OK;
}

HRESULT OpenGLDevice::Reset(D3DPRESENT_PARAMETERS* parameters) {
    if (parameters == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    // The context belongs to one native window; a reset cannot move it.
    if (parameters->hDeviceWindow != nullptr &&
        parameters->hDeviceWindow->GetNativeWindow() != window_->GetNativeWindow()) {
        Report("a reset cannot move the device to another native window");
        return D3DERR_INVALIDCALL;
    }
    if (CheckPresentParameters(*parameters, caps_.MaxTextureWidth) != D3D_OK) {
        Report("the reset's presentation parameters ask for what this device cannot do");
        return D3DERR_INVALIDCALL;
    }
    return Configure(parameters);
}

HRESULT OpenGLDevice::GetDeviceCaps(D3DCAPS9* caps) {
    if (caps == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *caps = caps_;
    return D3D_OK;
}

// ---- Frame ----

HRESULT OpenGLDevice::Present(const RECT* source, const RECT* destination, HWND overrideWindow,
                              const void* dirtyRegion) {
    if (source != nullptr || destination != nullptr || overrideWindow != nullptr ||
        dirtyRegion != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    context_->MakeCurrent();
    if (window_->ShowsPresentedImage()) {
        int width = 0;
        int height = 0;
        SDL_GL_GetDrawableSize(context_->Window(), &width, &height);
        backBuffer_->BlitToWindow(width, height);
        SDL_GL_SwapWindow(context_->Window());
    } else {
        // The owner samples the image from its own context next: the work
        // must be complete before that context can see it.
        glFinish();
    }
    presented_ = true;
    return D3D_OK;
}

HRESULT OpenGLDevice::Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color,
                            float z, DWORD stencil) {
    const bool wantsDepth = (flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) != 0;
    if ((rectCount != 0 && rects == nullptr) || (wantsDepth && !backBuffer_->HasDepth())) {
        return D3DERR_INVALIDCALL;
    }
    GLbitfield mask = 0;
    mask |= (flags & D3DCLEAR_TARGET) != 0 ? GL_COLOR_BUFFER_BIT : 0;
    mask |= (flags & D3DCLEAR_ZBUFFER) != 0 ? GL_DEPTH_BUFFER_BIT : 0;
    mask |= (flags & D3DCLEAR_STENCIL) != 0 ? GL_STENCIL_BUFFER_BIT : 0;
    if (mask == 0) {
        return D3D_OK;
    }
    context_->MakeCurrent();
    backBuffer_->Bind();
    float rgba[4];
    ColorToFloats(color, rgba);
    // An X8R8G8B8 back buffer keeps alpha 1 whatever the colour's top byte.
    const float alpha = backBufferFormat_ == D3DFMT_X8R8G8B8 ? 1.0f : rgba[3];
    glClearColor(rgba[0], rgba[1], rgba[2], alpha);
    glClearDepth(std::clamp(z, 0.0f, 1.0f));
    glClearStencil(static_cast<GLint>(stencil));
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    glEnable(GL_SCISSOR_TEST);
    for (DWORD index = 0; index < std::max<DWORD>(rectCount, 1); ++index) {
        if (ClearRect(rectCount != 0 ? &rects[index] : nullptr)) {
            glClear(mask);
        }
    }
    glDisable(GL_SCISSOR_TEST);
    return D3D_OK;
}

// Scissors the clear to the viewport, intersected with rect (top-left
// origin) when given; false when nothing is left to clear.
bool OpenGLDevice::ClearRect(const D3DRECT* rect) const {
    const D3DVIEWPORT9& viewport = state_.viewport;
    std::int64_t left = viewport.X;
    std::int64_t top = viewport.Y;
    std::int64_t right = std::int64_t{viewport.X} + viewport.Width;
    std::int64_t bottom = std::int64_t{viewport.Y} + viewport.Height;
    if (rect != nullptr) {
        left = std::max<std::int64_t>(left, rect->x1);
        top = std::max<std::int64_t>(top, rect->y1);
        right = std::min<std::int64_t>(right, rect->x2);
        bottom = std::min<std::int64_t>(bottom, rect->y2);
    }
    if (left >= right || top >= bottom) {
        return false;
    }
    const std::int64_t height = backBuffer_->Height();
    glScissor(static_cast<GLint>(left), static_cast<GLint>(height - bottom),
              static_cast<GLsizei>(right - left), static_cast<GLsizei>(bottom - top));
    return true;
}

HRESULT OpenGLDevice::BeginScene() {
    if (inScene_) {
        return D3DERR_INVALIDCALL;
    }
    inScene_ = true;
    return D3D_OK;
}

HRESULT OpenGLDevice::EndScene() {
    if (!inScene_) {
        return D3DERR_INVALIDCALL;
    }
    inScene_ = false;
    return D3D_OK;
}

// ---- State ----

HRESULT OpenGLDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    if (const HRESULT allowed = DeviceContract::CheckTransform(state, matrix); allowed != D3D_OK) {
        return allowed;
    }
    switch (state) {
        case D3DTS_WORLD:
            state_.world = *matrix;
            return D3D_OK;
        case D3DTS_VIEW:
            state_.view = *matrix;
            return D3D_OK;
        case D3DTS_PROJECTION:
            state_.projection = *matrix;
            return D3D_OK;
        default:
            return D3D_OK;  // texture transforms are accepted and not used
    }
}

HRESULT OpenGLDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
    if (matrix == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    switch (state) {
        case D3DTS_WORLD:
            *matrix = state_.world;
            return D3D_OK;
        case D3DTS_VIEW:
            *matrix = state_.view;
            return D3D_OK;
        case D3DTS_PROJECTION:
            *matrix = state_.projection;
            return D3D_OK;
        default:
            return D3DERR_INVALIDCALL;
    }
}

HRESULT OpenGLDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    if (const HRESULT allowed = DeviceContract::CheckRenderState(state); allowed != D3D_OK) {
        return allowed;
    }
    state_.renderStates[state] = value;
    return D3D_OK;
}

HRESULT OpenGLDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
    if (value == nullptr || state >= DeviceState::kRenderStates) {
        return D3DERR_INVALIDCALL;
    }
    *value = state_.renderStates[state];
    return D3D_OK;
}

HRESULT OpenGLDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
    if (const HRESULT allowed = DeviceContract::CheckSamplerState(sampler, type);
        allowed != D3D_OK) {
        return allowed;
    }
    state_.samplerStates[sampler][type] = value;
    return D3D_OK;
}

HRESULT OpenGLDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                           DWORD value) {
    if (const HRESULT allowed = DeviceContract::CheckTextureStageState(stage, type);
        allowed != D3D_OK) {
        return allowed;
    }
    state_.stageStates[stage][type] = value;
    return D3D_OK;
}

HRESULT OpenGLDevice::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
    if (const HRESULT allowed = DeviceContract::CheckTextureStage(stage); allowed != D3D_OK) {
        return allowed;
    }
    auto* ours = dynamic_cast<OpenGLTexture*>(texture);
    if (texture != nullptr && ours == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    Rebind(bindings_.textures[stage], ours);
    return D3D_OK;
}

HRESULT OpenGLDevice::SetMaterial(const D3DMATERIAL9* material) {
    if (material == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    state_.material = *material;
    return D3D_OK;
}

HRESULT OpenGLDevice::SetViewport(const D3DVIEWPORT9* viewport) {
    if (const HRESULT allowed =
            DeviceContract::CheckViewport(viewport, backBuffer_->Width(), backBuffer_->Height());
        allowed != D3D_OK) {
        return allowed;
    }
    state_.viewport = *viewport;
    return D3D_OK;
}

HRESULT OpenGLDevice::GetViewport(D3DVIEWPORT9* viewport) {
    if (viewport == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *viewport = state_.viewport;
    return D3D_OK;
}

// OpenGLDevice, second half: geometry binding, drawing, resource creation
// and the back buffer for the shell. The first half (life, frame, state) is
// in opengl_device.cpp.

#include <cstdint>
#include <cstdio>
#include <string>

#include <epoxy/gl.h>

#include "platform/gfx/opengl/draw_validation.h"
#include "platform/gfx/opengl/fixed_function_key.h"
#include "platform/gfx/opengl/gl_state_mapping.h"
#include "platform/gfx/opengl/opengl_device.h"
#include "platform/gfx/opengl/opengl_index_buffer.h"
#include "platform/gfx/opengl/opengl_texture.h"
#include "platform/gfx/opengl/opengl_vertex_buffer.h"
#include "platform/gfx/opengl/texture_format.h"
#include "platform/gfx/device_contract.h"
#include "platform/gfx/vertex_layout.h"

namespace {

const void* ByteOffset(std::uint64_t offset) {
    return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(offset));
}

}  // namespace

// ---- Geometry ----

HRESULT OpenGLDevice::SetFVF(DWORD vertexFormat) {
    state_.vertexFormat = vertexFormat;
    return D3D_OK;
}

HRESULT OpenGLDevice::SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset,
                                      UINT stride) {
    if (const HRESULT allowed = DeviceContract::CheckStreamSource(stream, buffer != nullptr);
        allowed != D3D_OK) {
        return allowed;
    }
    auto* ours = dynamic_cast<OpenGLVertexBuffer*>(buffer);
    if (buffer != nullptr && ours == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (stream != 0 && stream != kInstanceStream) {
        return D3D_OK;  // an unused stream unbound
    }
    if (ours != nullptr && offset > ours->Storage().Size()) {
        return D3DERR_INVALIDCALL;
    }
    if (stream == kInstanceStream) {
        Rebind(bindings_.instances, ours);
        bindings_.instancesOffset = ours != nullptr ? offset : 0;
        bindings_.instancesStride = ours != nullptr ? stride : 0;
        return D3D_OK;
    }
    Rebind(bindings_.stream, ours);
    bindings_.streamOffset = ours != nullptr ? offset : 0;
    bindings_.streamStride = ours != nullptr ? stride : 0;
    return D3D_OK;
}

HRESULT OpenGLDevice::SetStreamSourceFreq(UINT stream, UINT setting) {
    if (!StreamFrequencyAllowed(stream, setting)) {
        return D3DERR_INVALIDCALL;
    }
    if (stream < bindings_.frequencies.size()) {
        bindings_.frequencies[stream] = setting;
    }
    return D3D_OK;
}

HRESULT OpenGLDevice::SetIndices(IDirect3DIndexBuffer9* buffer) {
    auto* ours = dynamic_cast<OpenGLIndexBuffer*>(buffer);
    if (buffer != nullptr && ours == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    Rebind(bindings_.indices, ours);
    return D3D_OK;
}

// ---- Drawing ----

HRESULT OpenGLDevice::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
    VertexLayout layout;
    if (const HRESULT ready = PrepareDraw(type, layout); ready != D3D_OK) {
        return ready;
    }
    const std::uint64_t count = VertexCountFor(type, primitiveCount);
    const VertexStream stream{bindings_.stream->Storage().Size(), bindings_.streamOffset,
                              bindings_.streamStride, layout.size};
    if (!VerticesFit(stream, startVertex, count)) {
        return D3DERR_INVALIDCALL;
    }
    if (count == 0) {
        return D3D_OK;
    }
    if (!ApplyDrawState(layout)) {
        return D3DERR_DRIVERINTERNALERROR;
    }
    glDrawArrays(PrimitiveModeFor(type), static_cast<GLint>(startVertex),
                 static_cast<GLsizei>(count));
    return D3D_OK;
}

HRESULT OpenGLDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, std::int32_t baseVertexIndex,
                                           UINT /*minIndex*/, UINT /*vertexCount*/, UINT startIndex,
                                           UINT primitiveCount) {
    // minIndex and vertexCount are hints of the classic interface; the
    // indices themselves are checked against the buffers instead.
    VertexLayout layout;
    if (const HRESULT ready = PrepareDraw(type, layout); ready != D3D_OK) {
        return ready;
    }
    if (bindings_.indices == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const std::uint64_t count = VertexCountFor(type, primitiveCount);
    if (count == 0) {
        return D3D_OK;
    }
    const UINT indexSize = bindings_.indices->IndexSize();
    const VertexStream stream{bindings_.stream->Storage().Size(), bindings_.streamOffset,
                              bindings_.streamStride, layout.size};
    const std::optional<IndexRange> range = bindings_.indices->RangeOf(startIndex, count);
    if (!range.has_value() || !IndexRangeFits(*range, baseVertexIndex, stream)) {
        return D3DERR_INVALIDCALL;
    }
    const UINT instances = InstanceCountOf(bindings_.frequencies[0], bindings_.frequencies[1]);
    if (instances > 0 &&
        (bindings_.instances == nullptr ||
         !InstancesFit(bindings_.instances->Storage().Size(), bindings_.instancesOffset,
                       bindings_.instancesStride, instances))) {
        return D3DERR_INVALIDCALL;
    }
    if (!ApplyDrawState(layout, instances > 0)) {
        return D3DERR_DRIVERINTERNALERROR;
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, bindings_.indices->Storage().Name());
    if (instances > 0) {
        glDrawElementsInstancedBaseVertex(PrimitiveModeFor(type), static_cast<GLsizei>(count),
                                          indexSize == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
                                          ByteOffset(std::uint64_t{startIndex} * indexSize),
                                          static_cast<GLsizei>(instances), baseVertexIndex);
        return D3D_OK;
    }
    // The exact range spares OpenGL scanning the indices for it again.
    glDrawRangeElementsBaseVertex(
        PrimitiveModeFor(type), range->lowest, range->highest, static_cast<GLsizei>(count),
        indexSize == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
        ByteOffset(std::uint64_t{startIndex} * indexSize), baseVertexIndex);
    return D3D_OK;
}

// The checks every draw shares: a known primitive, a vertex format this
// backend draws and a bound stream.
HRESULT OpenGLDevice::PrepareDraw(D3DPRIMITIVETYPE type, VertexLayout& layout) const {
    layout = LayoutOfVertexFormat(state_.vertexFormat);
    if (PrimitiveModeFor(type) == 0 || bindings_.stream == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    return layout.valid ? D3D_OK : E_NOTIMPL;
}

// Makes the context current and applies the state of the draw. Objects only
// the device changes (its programs' uniforms, its samplers, its vertex
// array) are updated only where they differ from what was last applied;
// the rest is set at every draw, since other code (clears, uploads) changes
// it between draws.
bool OpenGLDevice::ApplyDrawState(const VertexLayout& layout, bool instanced) {
    context_->MakeCurrent();
    std::array<bool, 2> textureBound{};
    ApplySamplers(textureBound);
    FixedFunctionKey key = FixedFunctionKey::Of(
        state_, layout, textureBound, !context_->Capabilities().clipControl, OpaqueTarget());
    key.instancedWorld = instanced;
    FixedFunctionProgram* program = ProgramFor(key);
    if (program == nullptr) {
        return false;
    }
    backBuffer_->Bind();
    ApplyRasterState();
    if (gl_.currentProgram != program->Name()) {
        glUseProgram(program->Name());
        gl_.currentProgram = program->Name();
    }
    program->Use(state_);
    BindVertexArray(layout, instanced);
    return true;
}

void OpenGLDevice::ApplyRasterState() const {
    const D3DVIEWPORT9& viewport = state_.viewport;
    const auto bottom = static_cast<GLint>(backBuffer_->Height()) -
                        static_cast<GLint>(viewport.Y + viewport.Height);
    glViewport(static_cast<GLint>(viewport.X), bottom, static_cast<GLsizei>(viewport.Width),
               static_cast<GLsizei>(viewport.Height));
    glDepthRange(viewport.MinZ, viewport.MaxZ);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_BLEND);

    const CullSetting cull = CullSettingFor(state_.Render(D3DRS_CULLMODE));
    glFrontFace(cull.frontFace);
    glCullFace(cull.cullFace);
    (cull.enabled ? glEnable : glDisable)(GL_CULL_FACE);

    // Without depth testing OpenGL writes no depth either, as the classic
    // device does with ZENABLE off.
    const bool depth = state_.Render(D3DRS_ZENABLE) != D3DZB_FALSE && backBuffer_->HasDepth();
    (depth ? glEnable : glDisable)(GL_DEPTH_TEST);
    glDepthFunc(CompareFunctionFor(state_.Render(D3DRS_ZFUNC)));
    glDepthMask(state_.Render(D3DRS_ZWRITEENABLE) != 0 ? GL_TRUE : GL_FALSE);

    glPolygonMode(GL_FRONT_AND_BACK, PolygonModeFor(state_.Render(D3DRS_FILLMODE)));
    // An opaque target's programs write alpha 1, which its pixels hold.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

// Whether the back buffer keeps alpha at 1 (X8R8G8B8).
bool OpenGLDevice::OpaqueTarget() const {
    return backBufferFormat_ != D3DFMT_A8R8G8B8;
}

// Binds stages 0 and 1's textures (texture uploads rebind unit 0, so this is
// done at every draw) and their samplers.
void OpenGLDevice::ApplySamplers(std::array<bool, 2>& textureBound) {
    for (DWORD stage = 0; stage < 2; ++stage) {
        const GLuint sampler = gl_.samplers[stage];
        const OpenGLTexture* texture = bindings_.textures[stage];
        textureBound[stage] = texture != nullptr;
        glActiveTexture(GL_TEXTURE0 + stage);
        glBindTexture(GL_TEXTURE_2D, texture != nullptr ? texture->Name() : 0);
        glBindSampler(stage, sampler);
        const SamplerSettings settings = SamplerSettingsFor(
            state_.samplerStates[stage], texture != nullptr ? texture->Levels() : 0,
            context_->Capabilities().maxAnisotropy);
        if (gl_.samplerSettingsValid[stage] && gl_.samplerSettings[stage] == settings) {
            continue;
        }
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, static_cast<GLint>(settings.wrapS));
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, static_cast<GLint>(settings.wrapT));
        glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(settings.minFilter));
        glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(settings.magFilter));
        glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, settings.borderColor.data());
        glSamplerParameterf(sampler, GL_TEXTURE_LOD_BIAS, settings.lodBias);
        glSamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, settings.minLod);
        if (context_->Capabilities().anisotropy) {
            glSamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY_EXT, settings.maxAnisotropy);
        }
        gl_.samplerSettings[stage] = settings;
        gl_.samplerSettingsValid[stage] = true;
    }
}

// Points the attributes at the bound stream; a draw from the same storage,
// offset, stride and format as the last one finds them set up already.
void OpenGLDevice::BindVertexArray(const VertexLayout& layout, bool instanced) {
    glBindVertexArray(gl_.vertexArray);
    VertexArraySource source{bindings_.stream->Storage().Serial(), bindings_.streamOffset,
                             bindings_.streamStride, state_.vertexFormat};
    if (instanced) {
        source.instanceStorage = bindings_.instances->Storage().Serial();
        source.instanceOffset = bindings_.instancesOffset;
        source.instanceStride = bindings_.instancesStride;
    }
    if (source == gl_.vertexArraySource) {
        return;
    }
    gl_.vertexArraySource = source;
    BindInstanceAttributes(instanced);
    glBindBuffer(GL_ARRAY_BUFFER, bindings_.stream->Storage().Name());
    const auto stride = static_cast<GLsizei>(bindings_.streamStride);
    const std::uint64_t base = bindings_.streamOffset;
    glEnableVertexAttribArray(FixedFunctionProgram::kPosition);
    glVertexAttribPointer(FixedFunctionProgram::kPosition, 3, GL_FLOAT, GL_FALSE, stride,
                          ByteOffset(base));
    if (layout.diffuseOffset != VertexLayout::kAbsent) {
        // D3DCOLOR bytes are B, G, R, A: GL_BGRA reads them as r, g, b, a.
        glEnableVertexAttribArray(FixedFunctionProgram::kDiffuse);
        glVertexAttribPointer(FixedFunctionProgram::kDiffuse, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE,
                              stride, ByteOffset(base + layout.diffuseOffset));
    } else {
        glDisableVertexAttribArray(FixedFunctionProgram::kDiffuse);
    }
    for (int set = 0; set < 2; ++set) {
        const GLuint location = FixedFunctionProgram::kTexCoord0 + static_cast<GLuint>(set);
        if (set < layout.texCoordSets) {
            glEnableVertexAttribArray(location);
            glVertexAttribPointer(location, layout.texCoordComponents[set], GL_FLOAT, GL_FALSE,
                                  stride, ByteOffset(base + layout.texCoordOffsets[set]));
        } else {
            glDisableVertexAttribArray(location);
        }
    }
}

// The instance matrix's four rows, one attribute each, advancing once per
// instance; switched off for plain draws.
void OpenGLDevice::BindInstanceAttributes(bool instanced) {
    for (GLuint row = 0; row < 4; ++row) {
        const GLuint location = FixedFunctionProgram::kInstanceWorld0 + row;
        if (!instanced) {
            glDisableVertexAttribArray(location);
            continue;
        }
        glBindBuffer(GL_ARRAY_BUFFER, bindings_.instances->Storage().Name());
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, 4, GL_FLOAT, GL_FALSE,
                              static_cast<GLsizei>(bindings_.instancesStride),
                              ByteOffset(std::uint64_t{bindings_.instancesOffset} + row * 16));
        glVertexAttribDivisor(location, 1);
    }
}

FixedFunctionProgram* OpenGLDevice::ProgramFor(const FixedFunctionKey& key) {
    const std::uint64_t packed = key.Packed();
    auto found = gl_.programs.find(packed);
    if (found != gl_.programs.end()) {
        return found->second.get();
    }
    std::string error;
    auto program = FixedFunctionProgram::Build(key, &error);
    gl_.currentProgram = 0;  // building made the new program current
    if (program == nullptr) {
        std::fprintf(stderr, "OpenGL device: %s\n", error.c_str());
        return nullptr;
    }
    return gl_.programs.emplace(packed, std::move(program)).first->second.get();
}

// ---- Resources ----

HRESULT OpenGLDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD vertexFormat, D3DPOOL pool,
                                         IDirect3DVertexBuffer9** buffer, void* sharedHandle) {
    if (const HRESULT allowed = DeviceContract::CheckVertexBufferCreation(
            length, vertexFormat, pool, buffer, sharedHandle);
        allowed != D3D_OK) {
        return allowed;
    }
    *buffer = new OpenGLVertexBuffer(
        context_, {.Usage = usage, .Pool = pool, .Size = length, .FVF = vertexFormat});
    return D3D_OK;
}

HRESULT OpenGLDevice::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                        IDirect3DIndexBuffer9** buffer, void* sharedHandle) {
    if (const HRESULT allowed =
            DeviceContract::CheckIndexBufferCreation(length, format, pool, buffer, sharedHandle);
        allowed != D3D_OK) {
        return allowed;
    }
    *buffer = new OpenGLIndexBuffer(
        context_, {.Format = format, .Usage = usage, .Pool = pool, .Size = length});
    return D3D_OK;
}

HRESULT OpenGLDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                    D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture,
                                    void* sharedHandle) {
    const std::optional<TextureFormatInfo> info = FindTextureFormat(format);
    const auto maxSize = static_cast<UINT>(context_->Capabilities().maxTextureSize);
    if (const HRESULT allowed = DeviceContract::CheckTextureCreation(
            width, height, levels, usage, info.has_value(), maxSize, maxSize, texture,
            sharedHandle);
        allowed != D3D_OK) {
        return allowed;
    }
    const UINT fullChain = DeviceContract::FullChainLevels(width, height);
    *texture = new OpenGLTexture(context_, width, height, levels == 0 ? fullChain : levels, *info,
                                 usage, pool);
    return D3D_OK;
}

// ---- The back buffer for the shell and screenshots ----

PresentedImage OpenGLDevice::GetPresentedImage() {
    if (!presented_) {
        return {};
    }
    return {backBuffer_->ColorTexture(), backBuffer_->Width(), backBuffer_->Height(), true};
}

HRESULT OpenGLDevice::ReadBackBuffer(std::vector<std::uint8_t>& rgba, UINT& width, UINT& height) {
    context_->MakeCurrent();
    rgba = backBuffer_->ReadRgba();
    width = backBuffer_->Width();
    height = backBuffer_->Height();
    return D3D_OK;
}

#include "platform/gfx/device_contract.h"

#include "platform/gfx/stream_frequency.h"

#include <algorithm>
#include <cstdint>

#include "platform/gfx/stream_frequency.h"
#include "platform/gfx/vertex_layout.h"

namespace DeviceContract {

namespace {

HRESULT Allowed(bool valid) {
    return valid ? D3D_OK : D3DERR_INVALIDCALL;
}

bool BufferCreationValid(UINT length, D3DPOOL pool, const void* out, const void* sharedHandle) {
    return out != nullptr && sharedHandle == nullptr && length != 0 && pool != D3DPOOL_SCRATCH;
}

}  // namespace

HRESULT CheckVertexBufferCreation(UINT length, DWORD vertexFormat, D3DPOOL pool, const void* out,
                                  const void* sharedHandle) {
    const UINT vertexSize = vertexFormat != 0 ? LayoutOfVertexFormat(vertexFormat).size : 0;
    return Allowed(BufferCreationValid(length, pool, out, sharedHandle) && length >= vertexSize);
}

HRESULT CheckIndexBufferCreation(UINT length, D3DFORMAT format, D3DPOOL pool, const void* out,
                                 const void* sharedHandle) {
    const bool knownFormat = format == D3DFMT_INDEX16 || format == D3DFMT_INDEX32;
    return Allowed(BufferCreationValid(length, pool, out, sharedHandle) && knownFormat);
}

HRESULT CheckTextureCreation(UINT width, UINT height, UINT levels, DWORD usage, bool formatHeld,
                             UINT maxWidth, UINT maxHeight, const void* out,
                             const void* sharedHandle) {
    const bool sizeValid = width != 0 && height != 0 && width <= maxWidth && height <= maxHeight;
    // Render-target and depth textures are not offered.
    const bool usageValid = (usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL)) == 0;
    return Allowed(out != nullptr && sharedHandle == nullptr && formatHeld && sizeValid &&
                   usageValid && levels <= FullChainLevels(width, height));
}

UINT FullChainLevels(UINT width, UINT height) {
    UINT levels = 1;
    for (UINT size = std::max(width, height); size > 1; size /= 2) {
        ++levels;
    }
    return levels;
}

HRESULT CheckLockRange(UINT offset, UINT size, std::size_t bufferSize, void** data) {
    // Compared in 64 bits so that offset + size cannot wrap around.
    const std::uint64_t length = bufferSize;
    const std::uint64_t end = size == 0 ? length : std::uint64_t{offset} + size;
    if (data == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (offset > length || end > length) {
        *data = nullptr;
        return D3DERR_INVALIDCALL;
    }
    return D3D_OK;
}

HRESULT CheckTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    const bool known = state == D3DTS_WORLD || state == D3DTS_VIEW || state == D3DTS_PROJECTION ||
                       (state >= D3DTS_TEXTURE0 && state < D3DTS_TEXTURE0 + kTextureStages);
    return Allowed(matrix != nullptr && known);
}

HRESULT CheckRenderState(D3DRENDERSTATETYPE state) {
    return Allowed(state < kRenderStates);
}

HRESULT CheckSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type) {
    return Allowed(sampler < kTextureStages && type < kSamplerStates);
}

HRESULT CheckTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type) {
    return Allowed(stage < kTextureStages && type < kStageStates);
}

HRESULT CheckTextureStage(DWORD stage) {
    return Allowed(stage < kTextureStages);
}

HRESULT CheckStream(UINT stream) {
    return Allowed(stream < kStreams);
}

HRESULT CheckStreamSource(UINT stream, bool bufferGiven) {
    if (const HRESULT allowed = CheckStream(stream); allowed != D3D_OK) {
        return allowed;
    }
    return Allowed(!bufferGiven || stream == 0 || stream == kInstanceStream);
}

HRESULT CheckViewport(const D3DVIEWPORT9* viewport, UINT backBufferWidth, UINT backBufferHeight) {
    if (viewport == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const bool inside = std::uint64_t{viewport->X} + viewport->Width <= backBufferWidth &&
                        std::uint64_t{viewport->Y} + viewport->Height <= backBufferHeight;
    const bool depthValid =
        viewport->MinZ >= 0.0f && viewport->MinZ <= viewport->MaxZ && viewport->MaxZ <= 1.0f;
    return Allowed(inside && depthValid);
}

}  // namespace DeviceContract

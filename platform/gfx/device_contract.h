#pragma once

// The argument checks of the device interface, in one place that every
// implementation calls, so that the recording device refuses exactly what the
// drawing device refuses and a test written on one holds on the other. Each
// check returns D3D_OK when the call may go ahead and D3DERR_INVALIDCALL when
// the device must refuse it. What a device knows beyond the contract (the
// formats it holds, its largest texture, its back buffer) it passes in.

#include <cstddef>

#include "platform/gfx/d3d9_types.h"

namespace DeviceContract {

constexpr DWORD kTextureStages = 8;   // texture stages and samplers
constexpr DWORD kRenderStates = 256;  // every render-state number is below
constexpr DWORD kSamplerStates = 14;
constexpr DWORD kStageStates = 33;
constexpr UINT kStreams = 16;

// ---- Creation ----

// A vertex buffer goes somewhere, shares no handle, holds at least one
// vertex of its format (format 0: at least one byte) and lives in a pool the
// device keeps: D3DPOOL_SCRATCH buffers cannot be drawn from.
HRESULT CheckVertexBufferCreation(UINT length, DWORD vertexFormat, D3DPOOL pool, const void* out,
                                  const void* sharedHandle);
// An index buffer as a vertex buffer, of 16- or 32-bit indices.
HRESULT CheckIndexBufferCreation(UINT length, D3DFORMAT format, D3DPOOL pool, const void* out,
                                 const void* sharedHandle);
// A texture goes somewhere, shares no handle, has a format the device holds
// (formatHeld), a size from 1 × 1 to maxWidth × maxHeight, at most a full chain of levels (0:
// the full chain) and is neither a render target nor a depth buffer.
HRESULT CheckTextureCreation(UINT width, UINT height, UINT levels, DWORD usage, bool formatHeld,
                             UINT maxWidth, UINT maxHeight, const void* out,
                             const void* sharedHandle);
// The levels of a full mipmap chain down to 1 × 1.
UINT FullChainLevels(UINT width, UINT height);

// ---- Locking ----

// A lock of [offset, offset + size) of a buffer of bufferSize bytes (size 0:
// to its end) has somewhere to put the pointer and stays inside. A refused
// lock sets *data to null where data is given.
HRESULT CheckLockRange(UINT offset, UINT size, std::size_t bufferSize, void** data);

// ---- State ----

// World, view, projection and the eight texture transforms, from a matrix.
HRESULT CheckTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix);
HRESULT CheckRenderState(D3DRENDERSTATETYPE state);
HRESULT CheckSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type);
HRESULT CheckTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type);
HRESULT CheckTextureStage(DWORD stage);
HRESULT CheckStream(UINT stream);
// A vertex buffer for stream: vertex formats read stream 0 and instances
// stream kInstanceStream; every other stream can only be unbound.
HRESULT CheckStreamSource(UINT stream, bool bufferGiven);
// A viewport inside the back buffer with 0 ≤ MinZ ≤ MaxZ ≤ 1.
HRESULT CheckViewport(const D3DVIEWPORT9* viewport, UINT backBufferWidth, UINT backBufferHeight);

}  // namespace DeviceContract

#pragma once

// The memory-backed vertex and index buffers of the recording device. A lock
// hands out a pointer into the buffer's own bytes, so whatever the caller
// writes can be read back with RecordedBytes. Every Lock, Unlock and GetDesc
// is logged as "<kind>.<call>(...)", for example "VertexBuffer.Lock(0, 0, ptr, 0)".

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/recording/recording_device.h"

template <class Interface, class Description>
class RecordingBuffer final : public Interface {
public:
    // kind names the buffer in log lines ("VertexBuffer", "IndexBuffer");
    // description.Size is the length in bytes, all zero at first.
    RecordingBuffer(std::shared_ptr<CallLog> log, std::string kind, Description description);

    // Fails with D3DERR_INVALIDCALL when data is null or the range
    // [offset, offset + size) does not lie inside the buffer. Locks nest.
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
    // Fails with D3DERR_INVALIDCALL when the buffer is not locked.
    HRESULT Unlock() override;
    HRESULT GetDesc(Description* description) override;

    std::vector<std::uint8_t>& Bytes() { return bytes_; }
    int LockCount() const { return lockCount_; }

private:
    ~RecordingBuffer() override = default;

    std::shared_ptr<CallLog> log_;
    std::string kind_;
    Description description_;
    std::vector<std::uint8_t> bytes_;  // always description_.Size long
    int lockCount_ = 0;
};

using RecordingVertexBuffer = RecordingBuffer<IDirect3DVertexBuffer9, D3DVERTEXBUFFER_DESC>;
using RecordingIndexBuffer = RecordingBuffer<IDirect3DIndexBuffer9, D3DINDEXBUFFER_DESC>;

extern template class RecordingBuffer<IDirect3DVertexBuffer9, D3DVERTEXBUFFER_DESC>;
extern template class RecordingBuffer<IDirect3DIndexBuffer9, D3DINDEXBUFFER_DESC>;

#pragma once

// The storage behind a vertex or index buffer of the OpenGL backend: a CPU
// copy that locks hand out (the managed pool's system-memory copy, also used
// to validate draws) and an OpenGL buffer object that receives the changed
// bytes when the last lock is released.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/d3d9_types.h"
#include "platform/gfx/opengl/gl_context.h"

class GlBufferStorage {
public:
    // size in bytes, at least 1. The contents start as zeros.
    GlBufferStorage(std::shared_ptr<GlContext> context, UINT size);
    ~GlBufferStorage();
    GlBufferStorage(const GlBufferStorage&) = delete;
    GlBufferStorage& operator=(const GlBufferStorage&) = delete;

    // Maps [offset, offset + size) (size 0: to the end); locks may nest.
    // D3DERR_INVALIDCALL for a null data pointer or a range past the end.
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags);
    // Releases one lock; the last one uploads what writable locks covered.
    // D3DERR_INVALIDCALL when nothing is locked.
    HRESULT Unlock();

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    UINT Size() const { return static_cast<UINT>(bytes_.size()); }
    std::uint32_t Name() const { return name_; }
    // Changes whenever the bytes may change: at every lock for writing. While
    // such a lock is held (Writing) the bytes may change at any moment.
    std::uint64_t Version() const { return version_; }
    bool Writing() const { return writing_; }
    // A number no other storage of the process has had: unlike the OpenGL
    // name, which a new buffer may reuse, it tells storages apart over time.
    std::uint64_t Serial() const { return serial_; }

private:
    void Upload();

    std::shared_ptr<GlContext> context_;
    std::vector<std::uint8_t> bytes_;
    std::uint32_t name_ = 0;  // OpenGL buffer object
    std::uint64_t serial_;
    int lockCount_ = 0;
    bool writing_ = false;  // a lock for writing is held
    std::uint64_t version_ = 0;
    UINT dirtyBegin_ = 0;  // byte range written under the current locks
    UINT dirtyEnd_ = 0;
};

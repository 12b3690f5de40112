#include "platform/gfx/opengl/gl_buffer_storage.h"

#include <algorithm>
#include <atomic>
#include <utility>

#include <epoxy/gl.h>

#include "platform/gfx/device_contract.h"

namespace {

std::atomic<std::uint64_t> nextSerial{1};

}  // namespace

GlBufferStorage::GlBufferStorage(std::shared_ptr<GlContext> context, UINT size)
    : context_(std::move(context)), bytes_(size, 0), serial_(nextSerial++) {
    context_->MakeCurrent();
    GLuint name = 0;
    glGenBuffers(1, &name);
    name_ = name;
    // GL_COPY_WRITE_BUFFER touches no vertex-array state, so uploads never
    // disturb the element-array binding of a bound vertex array.
    glBindBuffer(GL_COPY_WRITE_BUFFER, name_);
    glBufferData(GL_COPY_WRITE_BUFFER, static_cast<GLsizeiptr>(bytes_.size()), bytes_.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
}

GlBufferStorage::~GlBufferStorage() {
    context_->MakeCurrent();
    GLuint name = name_;
    glDeleteBuffers(1, &name);
}

HRESULT GlBufferStorage::Lock(UINT offset, UINT size, void** data, DWORD flags) {
    if (const HRESULT allowed = DeviceContract::CheckLockRange(offset, size, bytes_.size(), data);
        allowed != D3D_OK) {
        return allowed;
    }
    const std::uint64_t end = size == 0 ? bytes_.size() : std::uint64_t{offset} + size;
    if ((flags & D3DLOCK_READONLY) == 0) {
        writing_ = true;
        ++version_;
        const UINT endOffset = static_cast<UINT>(end);
        if (dirtyBegin_ == dirtyEnd_) {
            dirtyBegin_ = offset;
            dirtyEnd_ = endOffset;
        } else {
            dirtyBegin_ = std::min(dirtyBegin_, offset);
            dirtyEnd_ = std::max(dirtyEnd_, endOffset);
        }
    }
    ++lockCount_;
    *data = bytes_.data() + offset;
    return D3D_OK;
}

HRESULT GlBufferStorage::Unlock() {
    if (lockCount_ == 0) {
        return D3DERR_INVALIDCALL;
    }
    if (--lockCount_ > 0) {
        return D3D_OK;
    }
    writing_ = false;
    if (dirtyEnd_ > dirtyBegin_) {
        Upload();
    }
    return D3D_OK;
}

void GlBufferStorage::Upload() {
    context_->MakeCurrent();
    glBindBuffer(GL_COPY_WRITE_BUFFER, name_);
    glBufferSubData(GL_COPY_WRITE_BUFFER, dirtyBegin_, dirtyEnd_ - dirtyBegin_,
                    bytes_.data() + dirtyBegin_);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
    dirtyBegin_ = dirtyEnd_ = 0;
}

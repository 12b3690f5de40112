#include "platform/gfx/opengl/opengl_index_buffer.h"

#include <utility>

OpenGLIndexBuffer::OpenGLIndexBuffer(std::shared_ptr<GlContext> context,
                                     const D3DINDEXBUFFER_DESC& description)
    : description_(description), storage_(std::move(context), description.Size) {}

HRESULT OpenGLIndexBuffer::Lock(UINT offset, UINT size, void** data, DWORD flags) {
    return storage_.Lock(offset, size, data, flags);
}

HRESULT OpenGLIndexBuffer::Unlock() {
    return storage_.Unlock();
}

HRESULT OpenGLIndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* description) {
    if (description == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *description = description_;
    return D3D_OK;
}

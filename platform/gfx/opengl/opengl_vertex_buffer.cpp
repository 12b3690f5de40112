#include "platform/gfx/opengl/opengl_vertex_buffer.h"

#include <utility>

OpenGLVertexBuffer::OpenGLVertexBuffer(std::shared_ptr<GlContext> context,
                                       const D3DVERTEXBUFFER_DESC& description)
    : description_(description), storage_(std::move(context), description.Size) {}

HRESULT OpenGLVertexBuffer::Lock(UINT offset, UINT size, void** data, DWORD flags) {
    return storage_.Lock(offset, size, data, flags);
}

HRESULT OpenGLVertexBuffer::Unlock() {
    return storage_.Unlock();
}

HRESULT OpenGLVertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* description) {
    if (description == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *description = description_;
    return D3D_OK;
}

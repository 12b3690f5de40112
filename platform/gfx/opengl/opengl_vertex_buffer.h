#pragma once

// A vertex buffer of the OpenGL backend. Every pool keeps a CPU copy (as the
// managed pool does); locks write into it and the final Unlock uploads.

#include <memory>

#include "platform/gfx/d3d9.h"
#include "platform/gfx/opengl/gl_buffer_storage.h"

class OpenGLVertexBuffer : public IDirect3DVertexBuffer9 {
public:
    OpenGLVertexBuffer(std::shared_ptr<GlContext> context, const D3DVERTEXBUFFER_DESC& description);

    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
    HRESULT Unlock() override;
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* description) override;

    const GlBufferStorage& Storage() const { return storage_; }

private:
    D3DVERTEXBUFFER_DESC description_;
    GlBufferStorage storage_;
};

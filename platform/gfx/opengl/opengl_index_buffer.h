#pragma once

// An index buffer of the OpenGL backend (16- or 32-bit indices). Every pool
// keeps a CPU copy (as the managed pool does); locks write into it and the
// final Unlock uploads. Draws read the copy to check every index.

#include <memory>

#include "platform/gfx/d3d9.h"
#include "platform/gfx/opengl/gl_buffer_storage.h"

class OpenGLIndexBuffer : public IDirect3DIndexBuffer9 {
public:
    OpenGLIndexBuffer(std::shared_ptr<GlContext> context, const D3DINDEXBUFFER_DESC& description);

    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
    HRESULT Unlock() override;
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* description) override;

    const GlBufferStorage& Storage() const { return storage_; }
    UINT IndexSize() const { return description_.Format == D3DFMT_INDEX32 ? 4 : 2; }  // bytes

private:
    D3DINDEXBUFFER_DESC description_;
    GlBufferStorage storage_;
};

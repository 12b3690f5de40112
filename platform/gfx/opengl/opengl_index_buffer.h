#pragma once

// An index buffer of the OpenGL backend (16- or 32-bit indices). Every pool
// keeps a CPU copy (as the managed pool does); locks write into it and the
// final Unlock uploads. Draws read the copy to check every index; the range
// of a run of indices is remembered until the next lock for writing, since
// the program draws the same runs of unchanged indices every frame.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gfx/d3d9.h"
#include "platform/gfx/opengl/draw_validation.h"
#include "platform/gfx/opengl/gl_buffer_storage.h"

class OpenGLIndexBuffer : public IDirect3DIndexBuffer9 {
public:
    OpenGLIndexBuffer(std::shared_ptr<GlContext> context, const D3DINDEXBUFFER_DESC& description);

    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
    HRESULT Unlock() override;
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* description) override;

    const GlBufferStorage& Storage() const { return storage_; }
    UINT IndexSize() const { return description_.Format == D3DFMT_INDEX32 ? 4 : 2; }  // bytes

    // IndexRangeOf the indices [startIndex, startIndex + count) of the CPU
    // copy, count ≥ 1.
    std::optional<IndexRange> RangeOf(UINT startIndex, std::uint64_t count);

private:
    struct RememberedRange {
        UINT startIndex = 0;
        std::uint64_t count = 0;
        std::optional<IndexRange> range;
    };
    static constexpr std::size_t kMaxRemembered = 64;

    D3DINDEXBUFFER_DESC description_;
    GlBufferStorage storage_;
    std::vector<RememberedRange> remembered_;  // for storage_.Version() rememberedVersion_
    std::uint64_t rememberedVersion_ = 0;
};

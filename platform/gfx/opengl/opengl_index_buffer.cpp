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

std::optional<IndexRange> OpenGLIndexBuffer::RangeOf(UINT startIndex, std::uint64_t count) {
    if (storage_.Writing()) {
        // The caller may still be changing the bytes: nothing is remembered.
        return IndexRangeOf(storage_.Bytes(), IndexSize(), startIndex, count);
    }
    if (rememberedVersion_ != storage_.Version()) {
        remembered_.clear();
        rememberedVersion_ = storage_.Version();
    }
    for (const RememberedRange& entry : remembered_) {
        if (entry.startIndex == startIndex && entry.count == count) {
            return entry.range;
        }
    }
    if (remembered_.size() == kMaxRemembered) {
        remembered_.clear();  // a program drawing this many runs starts over
    }
    RememberedRange entry{startIndex, count,
                          IndexRangeOf(storage_.Bytes(), IndexSize(), startIndex, count)};
    remembered_.push_back(entry);
    return entry.range;
}

HRESULT OpenGLIndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* description) {
    if (description == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *description = description_;
    return D3D_OK;
}

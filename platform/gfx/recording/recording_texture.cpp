#include "platform/gfx/recording/recording_texture.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/gfx/recording/call_line.h"

std::optional<RecordingTexture::Layout> RecordingTexture::LayoutOf(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_A8R8G8B8:
        case D3DFMT_X8R8G8B8:
        case D3DFMT_A2B10G10R10:
            return Layout{4, 1};
        case D3DFMT_R8G8B8:
            return Layout{3, 1};
        case D3DFMT_R5G6B5:
        case D3DFMT_X1R5G5B5:
        case D3DFMT_A1R5G5B5:
        case D3DFMT_A4R4G4B4:
        case D3DFMT_A8R3G3B2:
        case D3DFMT_X4R4G4B4:
            return Layout{2, 1};
        case D3DFMT_R3G3B2:
        case D3DFMT_A8:
            return Layout{1, 1};
        case D3DFMT_DXT1:
            return Layout{8, 4};
        case D3DFMT_DXT3:
            return Layout{16, 4};
        default:
            return std::nullopt;
    }
}

RecordingTexture::RecordingTexture(std::shared_ptr<CallLog> log, D3DSURFACE_DESC top, UINT levels)
    : log_(std::move(log)), layout_(LayoutOf(top.Format).value()) {
    const UINT block = layout_.blockSize;
    for (UINT index = 0; index < levels; ++index) {
        Level level;
        level.description = top;
        level.description.Width = std::max<UINT>(1, top.Width >> index);
        level.description.Height = std::max<UINT>(1, top.Height >> index);
        level.pitch = (level.description.Width + block - 1) / block * layout_.blockBytes;
        const std::size_t rows = (level.description.Height + block - 1) / block;
        level.bytes.assign(rows * level.pitch, 0);
        levels_.push_back(std::move(level));
    }
}

DWORD RecordingTexture::GetLevelCount() {
    log_->Add(FormatCall("Texture.GetLevelCount"));
    return static_cast<DWORD>(levels_.size());
}

bool RecordingTexture::RectInside(const Level& level, const RECT& rect) const {
    const auto width = static_cast<std::int64_t>(level.description.Width);
    const auto height = static_cast<std::int64_t>(level.description.Height);
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           rect.right <= width && rect.bottom <= height;
}

HRESULT RecordingTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect,
                                   DWORD flags) {
    log_->Add(FormatCall("Texture.LockRect", level, locked, rect, flags));
    if (level >= levels_.size() || locked == nullptr || levels_[level].locked) {
        return D3DERR_INVALIDCALL;
    }
    Level& target = levels_[level];
    std::size_t offset = 0;
    if (rect != nullptr) {
        if (!RectInside(target, *rect)) {
            return D3DERR_INVALIDCALL;
        }
        const UINT block = layout_.blockSize;
        offset = static_cast<std::size_t>(rect->top / block) * target.pitch +
                 static_cast<std::size_t>(rect->left / block) * layout_.blockBytes;
    }
    target.locked = true;
    locked->Pitch = static_cast<std::int32_t>(target.pitch);
    locked->pBits = target.bytes.data() + offset;
    return D3D_OK;
}

HRESULT RecordingTexture::UnlockRect(UINT level) {
    log_->Add(FormatCall("Texture.UnlockRect", level));
    if (level >= levels_.size() || !levels_[level].locked) {
        return D3DERR_INVALIDCALL;
    }
    levels_[level].locked = false;
    return D3D_OK;
}

HRESULT RecordingTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* description) {
    log_->Add(FormatCall("Texture.GetLevelDesc", level, description));
    if (level >= levels_.size() || description == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *description = levels_[level].description;
    return D3D_OK;
}

std::vector<std::uint8_t>& RecordedBytes(IDirect3DTexture9* texture) {
    auto* recording = dynamic_cast<RecordingTexture*>(texture);
    if (recording == nullptr) {
        throw std::invalid_argument("RecordedBytes: not a recording texture");
    }
    return recording->Bytes(0);
}

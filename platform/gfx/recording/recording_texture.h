#pragma once

// The memory-backed texture of the recording device: every mipmap level owns
// its bytes, rows top first, in the layout of the texture's format (A8R8G8B8
// is B, G, R, A per pixel; DXT formats are rows of 4×4 blocks). Every call is
// logged as "Texture.<call>(...)", for example "Texture.LockRect(0, ptr, null, 0)".

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gfx/recording/recording_device.h"

class RecordingTexture final : public IDirect3DTexture9 {
public:
    // How a format lays out its pixels: blockBytes per block of blockSize ×
    // blockSize pixels (blockSize 1 for uncompressed formats).
    struct Layout {
        UINT blockBytes = 0;
        UINT blockSize = 1;
    };
    // Nothing for formats a texture cannot have.
    static std::optional<Layout> LayoutOf(D3DFORMAT format);

    // top describes level 0; levels must be at least 1 and format must have a
    // layout (the device checks both before creating).
    RecordingTexture(std::shared_ptr<CallLog> log, D3DSURFACE_DESC top, UINT levels);

    DWORD GetLevelCount() override;
    // Fails with D3DERR_INVALIDCALL for a level that does not exist or is
    // already locked, a null locked, or a rect outside the level.
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* description) override;

    // The bytes of a level (pitch × block rows); the level must exist.
    std::vector<std::uint8_t>& Bytes(UINT level = 0) { return levels_.at(level).bytes; }
    UINT Pitch(UINT level = 0) const { return levels_.at(level).pitch; }
    bool Locked(UINT level = 0) const { return levels_.at(level).locked; }

private:
    struct Level {
        D3DSURFACE_DESC description;
        UINT pitch = 0;  // bytes per row of blocks
        std::vector<std::uint8_t> bytes;
        bool locked = false;
    };

    ~RecordingTexture() override = default;
    bool RectInside(const Level& level, const RECT& rect) const;

    std::shared_ptr<CallLog> log_;
    Layout layout_;
    std::vector<Level> levels_;
};

#pragma once

// A 2D texture of the OpenGL backend with its mip levels. Each level keeps a
// CPU copy with rows top first (as the managed pool does); LockRect hands out
// that copy and UnlockRect uploads the level unflipped, so texture coordinate
// v = 0 samples the image's top row.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/d3d9.h"
#include "platform/gfx/opengl/gl_context.h"
#include "platform/gfx/opengl/texture_format.h"

class OpenGLTexture : public IDirect3DTexture9 {
public:
    // width, height ≥ 1; levels ≥ 1 and at most the full chain (the caller
    // turns 0 into the full chain); format one of FindTextureFormat's.
    OpenGLTexture(std::shared_ptr<GlContext> context, UINT width, UINT height, UINT levels,
                  const TextureFormatInfo& format, DWORD usage, D3DPOOL pool);
    ~OpenGLTexture() override;

    DWORD GetLevelCount() override;
    // D3DERR_INVALIDCALL for a bad level, a rectangle outside the level, a
    // null record or a level that is already locked.
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* description) override;

    std::uint32_t Name() const { return name_; }
    UINT Levels() const { return static_cast<UINT>(levels_.size()); }

private:
    struct Level {
        UINT width = 0;
        UINT height = 0;
        std::vector<std::uint8_t> bytes;  // rows top first, tightly packed
        bool locked = false;
        bool lockedForWriting = false;
    };

    void Upload(UINT level);

    std::shared_ptr<GlContext> context_;
    TextureFormatInfo format_;
    DWORD usage_;
    D3DPOOL pool_;
    std::vector<Level> levels_;
    std::uint32_t name_ = 0;  // OpenGL texture object
};

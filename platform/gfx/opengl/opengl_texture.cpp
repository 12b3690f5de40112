#include "platform/gfx/opengl/opengl_texture.h"

#include <algorithm>
#include <utility>

#include <epoxy/gl.h>

namespace {

// The texture unit uploads bind to; draws rebind units 0 and 1 themselves.
constexpr GLenum kUploadUnit = GL_TEXTURE0;

bool RectInside(const RECT& rect, UINT width, UINT height) {
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           static_cast<UINT>(rect.right) <= width && static_cast<UINT>(rect.bottom) <= height;
}

}  // namespace

OpenGLTexture::OpenGLTexture(std::shared_ptr<GlContext> context, UINT width, UINT height,
                             UINT levels, const TextureFormatInfo& format, DWORD usage,
                             D3DPOOL pool)
    : context_(std::move(context)), format_(format), usage_(usage), pool_(pool) {
    levels_.resize(levels);
    for (UINT level = 0; level < levels; ++level) {
        Level& entry = levels_[level];
        entry.width = std::max(width >> level, 1u);
        entry.height = std::max(height >> level, 1u);
        entry.bytes.assign(std::size_t{entry.width} * entry.height * format_.bytesPerPixel, 0);
    }
    context_->MakeCurrent();
    GLuint name = 0;
    glGenTextures(1, &name);
    name_ = name;
    glActiveTexture(kUploadUnit);
    glBindTexture(GL_TEXTURE_2D, name_);
    // Only the levels that exist are sampled, so a short chain is complete.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels - 1));
    if (format_.opaque) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (UINT level = 0; level < levels; ++level) {
        const Level& entry = levels_[level];
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level),
                     static_cast<GLint>(format_.glInternalFormat),
                     static_cast<GLsizei>(entry.width), static_cast<GLsizei>(entry.height), 0,
                     format_.glFormat, format_.glType, entry.bytes.data());
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

OpenGLTexture::~OpenGLTexture() {
    context_->MakeCurrent();
    GLuint name = name_;
    glDeleteTextures(1, &name);
}

DWORD OpenGLTexture::GetLevelCount() {
    return static_cast<DWORD>(levels_.size());
}

HRESULT OpenGLTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
    if (locked == nullptr || level >= levels_.size() || levels_[level].locked) {
        return D3DERR_INVALIDCALL;
    }
    Level& entry = levels_[level];
    const RECT whole{0, 0, static_cast<std::int32_t>(entry.width),
                     static_cast<std::int32_t>(entry.height)};
    const RECT& area = rect != nullptr ? *rect : whole;
    if (!RectInside(area, entry.width, entry.height)) {
        return D3DERR_INVALIDCALL;
    }
    const std::size_t pitch = std::size_t{entry.width} * format_.bytesPerPixel;
    locked->Pitch = static_cast<std::int32_t>(pitch);
    locked->pBits = entry.bytes.data() + static_cast<std::size_t>(area.top) * pitch +
                    static_cast<std::size_t>(area.left) * format_.bytesPerPixel;
    entry.locked = true;
    entry.lockedForWriting = (flags & D3DLOCK_READONLY) == 0;
    return D3D_OK;
}

HRESULT OpenGLTexture::UnlockRect(UINT level) {
    if (level >= levels_.size() || !levels_[level].locked) {
        return D3DERR_INVALIDCALL;
    }
    Level& entry = levels_[level];
    entry.locked = false;
    if (entry.lockedForWriting) {
        Upload(level);
    }
    return D3D_OK;
}

HRESULT OpenGLTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* description) {
    if (description == nullptr || level >= levels_.size()) {
        return D3DERR_INVALIDCALL;
    }
    description->Format = format_.format;
    description->Type = D3DRTYPE_SURFACE;
    description->Usage = usage_;
    description->Pool = pool_;
    description->Width = levels_[level].width;
    description->Height = levels_[level].height;
    return D3D_OK;
}

void OpenGLTexture::Upload(UINT level) {
    const Level& entry = levels_[level];
    context_->MakeCurrent();
    glActiveTexture(kUploadUnit);
    glBindTexture(GL_TEXTURE_2D, name_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), 0, 0,
                    static_cast<GLsizei>(entry.width), static_cast<GLsizei>(entry.height),
                    format_.glFormat, format_.glType, entry.bytes.data());
    glBindTexture(GL_TEXTURE_2D, 0);
}

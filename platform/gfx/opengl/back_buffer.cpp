#include "platform/gfx/opengl/back_buffer.h"

#include <cstring>
#include <utility>

#include <epoxy/gl.h>

namespace {

GLenum DepthStorageFor(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_D24S8:
            return GL_DEPTH24_STENCIL8;
        case D3DFMT_D16:
            return GL_DEPTH_COMPONENT16;
        default:
            return GL_DEPTH_COMPONENT24;
    }
}

}  // namespace

BackBuffer::BackBuffer(std::shared_ptr<GlContext> context) : context_(std::move(context)) {
    context_->MakeCurrent();
    GLuint framebuffer = 0;
    GLuint texture = 0;
    glGenFramebuffers(1, &framebuffer);
    glGenTextures(1, &texture);
    framebuffer_ = framebuffer;
    colorTexture_ = texture;
}

BackBuffer::~BackBuffer() {
    context_->MakeCurrent();
    GLuint framebuffer = framebuffer_;
    GLuint texture = colorTexture_;
    GLuint depth = depthBuffer_;
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &texture);
    if (depth != 0) {
        glDeleteRenderbuffers(1, &depth);
    }
}

bool BackBuffer::Resize(UINT width, UINT height, D3DFORMAT depthFormat) {
    context_->MakeCurrent();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, colorTexture_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    // Shown pixel for pixel in its pane: nearest sampling is exact there and
    // the cheapest for a software rasteriser.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glBindTexture(GL_TEXTURE_2D, 0);

    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTexture_, 0);
    // A new renderbuffer each time: the depth format may change on reset.
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    if (depthBuffer_ != 0) {
        GLuint depth = depthBuffer_;
        glDeleteRenderbuffers(1, &depth);
        depthBuffer_ = 0;
    }
    if (depthFormat != D3DFMT_UNKNOWN) {
        GLuint depth = 0;
        glGenRenderbuffers(1, &depth);
        depthBuffer_ = depth;
        glBindRenderbuffer(GL_RENDERBUFFER, depth);
        glRenderbufferStorage(GL_RENDERBUFFER, DepthStorageFor(depthFormat),
                              static_cast<GLsizei>(width), static_cast<GLsizei>(height));
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        const GLenum attachment =
            depthFormat == D3DFMT_D24S8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, depth);
    }
    width_ = width;
    height_ = height;
    depthFormat_ = depthFormat;
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void BackBuffer::Bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

std::vector<std::uint8_t> BackBuffer::ReadRgba() const {
    const std::size_t rowBytes = std::size_t{width_} * 4;
    std::vector<std::uint8_t> bottomFirst(rowBytes * height_);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_), GL_RGBA,
                 GL_UNSIGNED_BYTE, bottomFirst.data());
    std::vector<std::uint8_t> topFirst(bottomFirst.size());
    for (UINT row = 0; row < height_; ++row) {
        std::memcpy(topFirst.data() + row * rowBytes,
                    bottomFirst.data() + (height_ - 1 - row) * rowBytes, rowBytes);
    }
    return topFirst;
}

void BackBuffer::BlitToWindow(int drawableWidth, int drawableHeight) const {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    const bool sameSize =
        static_cast<int>(width_) == drawableWidth && static_cast<int>(height_) == drawableHeight;
    glBlitFramebuffer(0, 0, static_cast<GLint>(width_), static_cast<GLint>(height_), 0, 0,
                      drawableWidth, drawableHeight, GL_COLOR_BUFFER_BIT,
                      sameSize ? GL_NEAREST : GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

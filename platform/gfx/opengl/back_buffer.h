#pragma once

// The device's back buffer: a framebuffer object with an RGBA8 colour
// texture and, when asked for, a depth(-stencil) renderbuffer. Rows are
// stored as OpenGL stores them, bottom row first; the image's top is at the
// top of clip space, so blitting it to a window needs no flip.
//
// The colour texture keeps its name across resizes, so whoever shows it (the
// shell's 3D pane) may hold on to the name for the device's whole life.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/d3d9_types.h"
#include "platform/gfx/opengl/gl_context.h"

class BackBuffer {
public:
    explicit BackBuffer(std::shared_ptr<GlContext> context);
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // (Re)creates the storage: width, height ≥ 1; depthFormat D24S8, D24X8,
    // D16 or D3DFMT_UNKNOWN for none. False when OpenGL refuses the result.
    bool Resize(UINT width, UINT height, D3DFORMAT depthFormat);

    // Binds the framebuffer object for drawing and reading.
    void Bind() const;
    // Tightly packed RGBA of the whole image, top row first.
    std::vector<std::uint8_t> ReadRgba() const;
    // Copies the image to the window's default framebuffer, scaled to
    // drawableWidth × drawableHeight pixels.
    void BlitToWindow(int drawableWidth, int drawableHeight) const;

    std::uint32_t ColorTexture() const { return colorTexture_; }
    UINT Width() const { return width_; }
    UINT Height() const { return height_; }
    bool HasDepth() const { return depthFormat_ != D3DFMT_UNKNOWN; }

private:
    std::shared_ptr<GlContext> context_;
    std::uint32_t framebuffer_ = 0;
    std::uint32_t colorTexture_ = 0;
    std::uint32_t depthBuffer_ = 0;  // 0 when there is none
    UINT width_ = 0;
    UINT height_ = 0;
    D3DFORMAT depthFormat_ = D3DFMT_UNKNOWN;
};

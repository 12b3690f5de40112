#include "platform/gfx/opengl/window_capture.h"

#include <algorithm>

#include <SDL.h>
#include <epoxy/gl.h>

bool ReadWindowPixels(SDL_Window* window, std::vector<std::uint8_t>& rgba, int& width,
                      int& height) {
    rgba.clear();
    width = height = 0;
    if (window == nullptr) {
        return false;
    }
    SDL_GL_GetDrawableSize(window, &width, &height);
    if (width <= 0 || height <= 0) {
        width = height = 0;
        return false;
    }
    GLint readFramebuffer = 0;
    GLint readBuffer = 0;
    GLint packAlignment = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
    glGetIntegerv(GL_READ_BUFFER, &readBuffer);
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    rgba.resize(rowBytes * static_cast<std::size_t>(height));
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
    glReadBuffer(static_cast<GLenum>(readBuffer));
    // OpenGL reads the bottom row first.
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(rgba.begin() + static_cast<std::ptrdiff_t>(top * rowBytes),
                         rgba.begin() + static_cast<std::ptrdiff_t>((top + 1) * rowBytes),
                         rgba.begin() + static_cast<std::ptrdiff_t>(bottom * rowBytes));
    }
    return true;
}

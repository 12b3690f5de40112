#pragma once

// One OpenGL 3.3 core context of the backend, on an SDL window, shared by a
// device and every resource it creates (they hold it by shared_ptr, so the
// context outlives the last of them). Every entry point of the backend calls
// MakeCurrent first, and leaves this context current afterwards: code that
// draws with another context (the shell's user interface) makes its own
// context current again before drawing.
//
// Sharing: a context created while another one is current shares objects
// (textures among them) with it, so the shell can show the device's
// presented image in its own context.

#include <memory>
#include <string>

struct SDL_Window;

// What the backend may use of the OpenGL implementation.
struct GlCapabilities {
    int version = 0;           // major × 10 + minor, e.g. 45
    bool clipControl = false;  // glClipControl is used for the 0..1 depth range
    bool anisotropy = false;   // anisotropic filtering exists
    float maxAnisotropy = 1.0f;
    int maxTextureSize = 0;  // pixels
};

// Choices of the backend, for tests that prove both code paths.
struct OpenGLOptions {
    bool allowClipControl = true;  // false: remap depth in the vertex shader instead
};

class GlContext {
public:
    // Creates a context on window (not null; it must outlive the context).
    // shareWithCurrent: share objects with the context current now, if any.
    // Null, with the reason in error, when no OpenGL 3.3 core context can be
    // made. Leaves the new context current.
    static std::shared_ptr<GlContext> Create(SDL_Window* window, bool shareWithCurrent,
                                             const OpenGLOptions& options, std::string* error);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    // Makes this context current on its window unless it already is.
    void MakeCurrent();
    SDL_Window* Window() const { return window_; }
    const GlCapabilities& Capabilities() const { return capabilities_; }

private:
    GlContext(SDL_Window* window, void* context);

    SDL_Window* window_;  // not owned
    void* context_;       // SDL_GLContext, owned
    GlCapabilities capabilities_;
};

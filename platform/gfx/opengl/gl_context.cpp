#include "platform/gfx/opengl/gl_context.h"

#include <SDL.h>
#include <epoxy/gl.h>

namespace {

constexpr int kRequiredVersion = 33;

bool HasAnisotropy(int version) {
    return version >= 46 || epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic") ||
           epoxy_has_gl_extension("GL_ARB_texture_filter_anisotropic");
}

GlCapabilities QueryCapabilities(const OpenGLOptions& options) {
    GlCapabilities capabilities;
    capabilities.version = epoxy_gl_version();
    capabilities.clipControl =
        options.allowClipControl &&
        (capabilities.version >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control"));
    capabilities.anisotropy = HasAnisotropy(capabilities.version);
    if (capabilities.anisotropy) {
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &capabilities.maxAnisotropy);
    }
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &capabilities.maxTextureSize);
    return capabilities;
}

}  // namespace

std::shared_ptr<GlContext> GlContext::Create(SDL_Window* window, bool shareWithCurrent,
                                             const OpenGLOptions& options, std::string* error) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    const bool share = shareWithCurrent && SDL_GL_GetCurrentContext() != nullptr;
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, share ? 1 : 0);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
    if (context == nullptr) {
        if (error != nullptr) {
            *error =
                std::string("an OpenGL 3.3 core context could not be created: ") + SDL_GetError();
        }
        return nullptr;
    }
    std::shared_ptr<GlContext> created(new GlContext(window, context));
    if (created->capabilities_.version = epoxy_gl_version();
        created->capabilities_.version < kRequiredVersion) {
        if (error != nullptr) {
            *error = "OpenGL 3.3 is required, but the context offers only version " +
                     std::to_string(created->capabilities_.version / 10) + "." +
                     std::to_string(created->capabilities_.version % 10);
        }
        return nullptr;
    }
    created->capabilities_ = QueryCapabilities(options);
    if (created->capabilities_.clipControl) {
        // Clip-space depth 0..1 as the program's projections produce it.
        glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
    }
    return created;
}

GlContext::GlContext(SDL_Window* window, void* context) : window_(window), context_(context) {}

GlContext::~GlContext() {
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
}

void GlContext::MakeCurrent() {
    if (SDL_GL_GetCurrentContext() != context_) {
        SDL_GL_MakeCurrent(window_, static_cast<SDL_GLContext>(context_));
    }
}

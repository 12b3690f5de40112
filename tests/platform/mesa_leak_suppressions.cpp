// Leak-checker suppressions for the OpenGL driver. Mesa's software renderer
// keeps some allocations (dispatch tables, compiled-shader state) until the
// process ends; LeakSanitizer would report them at exit and fail every
// rendering test of the sanitizer build. Only the driver's own libraries are
// named, so leaks in our code are still reported. The driver must still be
// loaded at exit for its frames to carry these names: the processes keep
// the OpenGL library loaded (SDL_GL_LoadLibrary without unloading).

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libglapi.so\n"
           "leak:swrast_dri.so\n"
           "leak:libgallium\n"
           "leak:libLLVM\n"
           "leak:libEGL_mesa.so\n"
           "leak:libGLX_mesa.so\n";
}

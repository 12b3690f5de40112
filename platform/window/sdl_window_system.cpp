#include "platform/window/sdl_window_system.h"

#include <cstdlib>

#include <SDL.h>

#include "platform/window/sdl_window.h"
#include "platform/window/system.h"

namespace {

bool installed = false;

bool IsDisplaylessDriver(const char* driver) {
    return driver != nullptr &&
           (SDL_strcasecmp(driver, "offscreen") == 0 || SDL_strcasecmp(driver, "dummy") == 0);
}

bool IsSet(const char* value) {
    return value != nullptr && value[0] != '\0';
}

Uint32 MessageBoxFlags(UINT type) {
    switch (type & 0xF0) {
        case MB_ICONERROR:
            return SDL_MESSAGEBOX_ERROR;
        case MB_ICONWARNING:
            return SDL_MESSAGEBOX_WARNING;
        default:
            return SDL_MESSAGEBOX_INFORMATION;
    }
}

void PresentMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    if (!RealDisplayAvailable()) {
        return;  // MessageBoxA has already written the text to standard error
    }
    SDL_Window* parent =
        owner != nullptr ? static_cast<SDL_Window*>(owner->GetNativeWindow()) : nullptr;
    SDL_ShowSimpleMessageBox(MessageBoxFlags(type), caption.c_str(), text.c_str(), parent);
}

void PostSdlQuit(int /*exitCode*/) {
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

HWND CreateSdlWindow(const WindowCreation& creation) {
    return SdlWindow::Create(creation).release();
}

}  // namespace

std::string SdlVideoFailureMessage(const std::string& sdlError) {
    std::string message = "SDL could not initialise video";
    if (!sdlError.empty()) {
        message += " (" + sdlError + ")";
    }
    message +=
        ": no usable display was found. To render without a display, set "
        "SDL_VIDEODRIVER=offscreen or run the program with --headless.";
    return message;
}

bool InitSdlVideo(std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
        return true;
    }
    if (error != nullptr) {
        *error = SdlVideoFailureMessage(SDL_GetError());
    }
    return false;
}

void ShutdownSdlVideo() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool RealDisplayAvailable(const char* videoDriver, const char* display,
                          const char* waylandDisplay) {
    if (IsDisplaylessDriver(videoDriver)) {
        return false;
    }
    return IsSet(display) || IsSet(waylandDisplay);
}

bool RealDisplayAvailable() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) {
        driver = std::getenv("SDL_VIDEODRIVER");
    }
    return RealDisplayAvailable(driver, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
}

bool InstallSdlWindowSystem(std::string* error) {
    if (installed) {
        return true;
    }
    if (!InitSdlVideo(error)) {
        return false;
    }
    SetWindowFactory(CreateSdlWindow);
    SetQuitPoster(PostSdlQuit);
    SetMessageBoxPresenter(PresentMessageBox);
    installed = true;
    return true;
}

void UninstallSdlWindowSystem() {
    if (!installed) {
        return;
    }
    SetWindowFactory(nullptr);
    SetQuitPoster(nullptr);
    SetMessageBoxPresenter(nullptr);
    ShutdownSdlVideo();
    installed = false;
}

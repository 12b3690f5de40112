#include "platform/window/sdl_window.h"

#include <cstdio>

#include <SDL.h>

namespace {

// Size of a window created with the default size: the classic 4:3 start.
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

int PositionOrUndefined(int value) {
    return value == CW_USEDEFAULT ? static_cast<int>(SDL_WINDOWPOS_UNDEFINED) : value;
}

int SizeOrDefault(int value, int fallback) {
    return value == CW_USEDEFAULT || value <= 0 ? fallback : value;
}

}  // namespace

void ConfigureSdlOpenGlAttributes() {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
}

std::unique_ptr<SdlWindow> SdlWindow::Create(const WindowCreation& creation) {
    ConfigureSdlOpenGlAttributes();
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE;
    const bool popup = creation.style == WindowStyle::Popup;
    const bool coverDesktop =
        popup && (creation.width == CW_USEDEFAULT || creation.height == CW_USEDEFAULT);
    if (popup) {
        flags |= SDL_WINDOW_BORDERLESS;
    }
    if (coverDesktop) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    const int x =
        popup ? (creation.x == CW_USEDEFAULT ? 0 : creation.x) : PositionOrUndefined(creation.x);
    const int y =
        popup ? (creation.y == CW_USEDEFAULT ? 0 : creation.y) : PositionOrUndefined(creation.y);
    SDL_Window* window =
        SDL_CreateWindow(creation.title.c_str(), x, y, SizeOrDefault(creation.width, kDefaultWidth),
                         SizeOrDefault(creation.height, kDefaultHeight), flags);
    if (window == nullptr) {
        std::fprintf(stderr, "SDL could not create the window \"%s\": %s\n", creation.title.c_str(),
                     SDL_GetError());
        return nullptr;
    }
    return std::unique_ptr<SdlWindow>(new SdlWindow(window, creation.style));
}

SdlWindow::SdlWindow(SDL_Window* window, WindowStyle style) : window_(window), style_(style) {}

SdlWindow::~SdlWindow() {
    SDL_DestroyWindow(window_);
}

RECT SdlWindow::GetClientRect() const {
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);
    return {0, 0, width, height};
}

RECT SdlWindow::GetWindowRect() const {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_GetWindowSize(window_, &width, &height);
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) {
        top = left = bottom = right = 0;  // not every driver knows its decorations
    }
    return {x - left, y - top, x + width + right, y + height + bottom};
}

void SdlWindow::SetText(const std::string& text) {
    SDL_SetWindowTitle(window_, text.c_str());
}

std::string SdlWindow::GetText() const {
    return SDL_GetWindowTitle(window_);
}

void SdlWindow::SetStyle(WindowStyle style) {
    style_ = style;
    if (style == WindowStyle::Overlapped) {
        SDL_SetWindowFullscreen(window_, 0);
    }
    SDL_SetWindowBordered(window_, style == WindowStyle::Overlapped ? SDL_TRUE : SDL_FALSE);
}

void SdlWindow::SetPlacement(int x, int y, int width, int height) {
    if (width > 0 && height > 0) {
        SDL_SetWindowSize(window_, width, height);
    }
    SDL_SetWindowPosition(window_, x, y);
}

void* SdlWindow::GetNativeWindow() const {
    return window_;
}

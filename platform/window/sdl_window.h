#pragma once

// A top-level SDL window with an OpenGL-capable surface. Its text is the
// window title; the popup style is a borderless window (covering the desktop
// when created without a size); the device shows its back buffer on it at
// Present. SDL video must be initialised (InstallSdlWindowSystem) before one
// is made and must stay initialised while it lives.

#include <memory>
#include <string>

#include "platform/window/window.h"

struct SDL_Window;

class SdlWindow : public Window {
public:
    // Creates the SDL window; null (and the reason on standard error) when
    // SDL cannot make one, for example with a video driver without OpenGL.
    static std::unique_ptr<SdlWindow> Create(const WindowCreation& creation);
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    RECT GetClientRect() const override;  // drawable size in pixels
    RECT GetWindowRect() const override;  // position and size with the borders SDL reports
    void SetText(const std::string& text) override;
    std::string GetText() const override;
    WindowStyle GetStyle() const override { return style_; }
    void SetStyle(WindowStyle style) override;
    void RemoveMenu() override {}  // top-level SDL windows have no menu
    void SetPlacement(int x, int y, int width, int height) override;
    void* GetNativeWindow() const override;  // the SDL_Window*
    bool ShowsPresentedImage() const override { return true; }

private:
    SdlWindow(SDL_Window* window, WindowStyle style);

    SDL_Window* window_;  // owned
    WindowStyle style_;
};

// Sets the SDL OpenGL attributes every window and context of the program
// shares: an RGBA8 double-buffered surface for an OpenGL 3.3 core context.
// Called before any window is created; contexts are created later against
// the same attributes, which some drivers require to match.
void ConfigureSdlOpenGlAttributes();

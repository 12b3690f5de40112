#pragma once

// What the program calls a window: the thing a device draws for, whose client
// size sets the back buffer and whose text shows the frame rate. A window may
// be a top-level SDL window, the shell's 3D pane inside the main window, or a
// test double.

#include <functional>
#include <string>

#include "base/scalar_types.h"

enum class WindowStyle {
    Overlapped,  // a normal framed window
    Popup,       // borderless, covering the display (full screen)
};

class Window {
public:
    virtual ~Window() = default;

    // Client area in pixels; left and top are 0.
    virtual RECT GetClientRect() const = 0;
    // Outer placement in screen pixels.
    virtual RECT GetWindowRect() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual std::string GetText() const = 0;
    virtual WindowStyle GetStyle() const = 0;
    virtual void SetStyle(WindowStyle style) = 0;
    virtual void RemoveMenu() = 0;
    // Moves and sizes the window; the client area follows.
    virtual void SetPlacement(int x, int y, int width, int height) = 0;
    // The native window whose OpenGL context draws for this window (the
    // SDL_Window of itself or of the main window holding a pane); null for
    // windows that have none.
    virtual void* GetNativeWindow() const = 0;
    // True when the device shows its back buffer on this window at Present;
    // false for a pane, whose owner draws the presented image itself.
    virtual bool ShowsPresentedImage() const = 0;
};

// The "default position or size" of window creation.
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

struct WindowCreation {
    std::string title;
    WindowStyle style = WindowStyle::Overlapped;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
};

// Creates a top-level window through the installed factory. The window system
// owns the window for the rest of the process (destroyed at shut-down, or by
// DestroyPlatformWindow); null when there is no factory or creation fails.
HWND CreatePlatformWindow(const WindowCreation& creation);
void DestroyPlatformWindow(HWND window);

using WindowFactory = std::function<HWND(const WindowCreation&)>;
void SetWindowFactory(WindowFactory factory);

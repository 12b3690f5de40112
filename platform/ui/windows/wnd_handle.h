#pragma once

// The handle of a toolkit window: what the rest of the program knows as a
// window (platform/window/window.h), so that code written against window
// handles (the render engine, message boxes, mouse capture) works with any
// toolkit window. Every live CWnd has one; it forwards to its CWnd:
// - GetClientRect: the window's client area in pixels;
// - GetWindowRect: its placement in the main window, in pixels;
// - SetText / GetText: the window's text (a pane shows it as its caption);
// - SetPlacement: moves and sizes the window in its parent's client area;
// - GetNativeWindow: the main SDL_Window* of the display (null without one);
// - ShowsPresentedImage: false, toolkit windows draw presented images themselves.

#include "platform/window/window.h"

class CWnd;

class CWndHandle : public Window {
public:
    explicit CWndHandle(CWnd& owner) : owner_(owner) {}

    RECT GetClientRect() const override;
    RECT GetWindowRect() const override;
    void SetText(const std::string& text) override;
    std::string GetText() const override;
    WindowStyle GetStyle() const override { return WindowStyle::Overlapped; }
    void SetStyle(WindowStyle) override {}
    void RemoveMenu() override {}
    void SetPlacement(int x, int y, int width, int height) override;
    void* GetNativeWindow() const override;
    bool ShowsPresentedImage() const override { return false; }

    CWnd& Owner() const { return owner_; }

private:
    CWnd& owner_;
};

// True while handle belongs to a live toolkit window (safe on stale handles).
BOOL IsWindow(HWND handle);

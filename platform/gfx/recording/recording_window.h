#pragma once

// A window for tests: it draws nothing and records what is done to it. Its
// client size is settable; SetText, SetStyle, RemoveMenu and SetPlacement
// are kept in order, both as typed histories and as log lines such as
// "SetPlacement(50, 50, 400, 400)", "SetText(Scene : 60 FPS)",
// "SetStyle(Popup)" and "RemoveMenu()". With a call log attached (the one a
// recording device shares), the same lines go there too, so a test can
// check the order of window and device calls.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/recording/recording_device.h"
#include "platform/window/window.h"

class RecordingWindow : public Window {
public:
    // A window at (0, 0) whose client area is width × height pixels.
    explicit RecordingWindow(int width = 640, int height = 480, std::string text = "");

    // Changes the client size (as a user resizing the window would) without
    // recording a call; the outer rectangle keeps its position.
    void SetClientSize(int width, int height);
    // Also appends this window's lines to log; null detaches.
    void AttachLog(std::shared_ptr<CallLog> log) { log_ = std::move(log); }

    std::vector<std::string> calls;   // every recorded call, in order
    std::vector<std::string> texts;   // every SetText argument, in order
    std::vector<WindowStyle> styles;  // every SetStyle argument, in order
    std::vector<RECT> placements;     // every SetPlacement as (x, y, x + width, y + height)
    int menuRemovals = 0;             // RemoveMenu calls
    bool hasMenu = true;              // false once RemoveMenu was called

    RECT GetClientRect() const override;
    RECT GetWindowRect() const override;
    void SetText(const std::string& text) override;
    std::string GetText() const override { return text_; }
    WindowStyle GetStyle() const override { return style_; }
    void SetStyle(WindowStyle style) override;
    void RemoveMenu() override;
    // The client area takes the full width × height (the double has no frame).
    void SetPlacement(int x, int y, int width, int height) override;
    void* GetNativeWindow() const override { return nullptr; }
    bool ShowsPresentedImage() const override { return false; }

private:
    void Record(std::string line);

    std::shared_ptr<CallLog> log_;
    RECT windowRect_;
    std::string text_;
    WindowStyle style_ = WindowStyle::Overlapped;
};

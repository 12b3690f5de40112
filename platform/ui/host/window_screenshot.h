#pragma once

// A screenshot of the whole main window, interface and scene together, for
// headless runs: after a number of drawn frames the display's window is read
// back and written as a PNG. Separate from the toolkit itself (target
// ui_screenshot) because reading pixels is the OpenGL backend's business.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class UiHost;

// After frames more frames are drawn (1: the next one), writes host's window
// to path as a PNG, calls done (may be null) with whether the file was
// written, and then, when quit is true, asks the application to quit
// (PostQuitMessage(0)). Takes the display's frame-rendered hook.
void ScreenshotAfterFrames(UiHost& host, int frames, std::string path,
                           std::function<void(bool written)> done = nullptr, bool quit = true);

// The whole window's pixels: RGBA, top row first, width × height.
struct WindowPixels {
    std::vector<std::uint8_t> rgba;
    int width = 0;
    int height = 0;
};

// Reads host's window once the next frame is drawn (the interface on top of
// the scene, before the swap) and hands the pixels to done, empty when the
// window could not be read. done runs in the middle of drawing: it may only
// store them. Leaves the frame-rendered hook alone.
void CaptureAfterNextFrame(UiHost& host, std::function<void(WindowPixels pixels)> done);

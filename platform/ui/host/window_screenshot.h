#pragma once

// A screenshot of the whole main window, interface and scene together, for
// headless runs: after a number of drawn frames the display's window is read
// back and written as a PNG. Separate from the toolkit itself (target
// ui_screenshot) because reading pixels is the OpenGL backend's business.

#include <functional>
#include <string>

class UiHost;

// After frames more frames are drawn (1: the next one), writes host's window
// to path as a PNG, calls done (may be null) with whether the file was
// written, and then, when quit is true, asks the application to quit
// (PostQuitMessage(0)). Takes the display's frame-rendered hook.
void ScreenshotAfterFrames(UiHost& host, int frames, std::string path,
                           std::function<void(bool written)> done = nullptr, bool quit = true);

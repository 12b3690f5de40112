#pragma once

// ProgramRun: watches one run of the application on its display. It times
// every engine frame from the end of the previous one (the whole turn:
// events, the frame, the interface and the swap), and in a headless run ends
// the run after the asked number of engine frames, first writing the whole
// window (the sheet beside the scene) as a PNG when asked to.

#include <chrono>
#include <cstdint>
#include <string>

#include "shell/frame_statistics.h"

class CQuorvaneApp;
class UiHost;
struct SDL_Window;

class ProgramRun {
public:
    // frames: engine frames after which the run ends; 0 runs until the user
    // closes the window. screenshot: PNG path written after the last frame;
    // empty writes none.
    ProgramRun(CQuorvaneApp& app, long long frames, std::string screenshot);

    // Starts watching host's frames (takes its frame-rendered hook). Call
    // once the application has started; host must outlive the watch.
    void Attach(UiHost& host);

    const FrameStatistics& Statistics() const { return statistics_; }
    // True when a screenshot was asked for and could not be written, or the
    // run ended before it was taken.
    bool ScreenshotFailed() const { return !screenshot_.empty() && !screenshotWritten_; }

private:
    // After each drawn interface frame, with the window's context current.
    void OnFrameDrawn(SDL_Window* window);
    void WriteScreenshot(SDL_Window* window);

    CQuorvaneApp& app_;
    long long frames_;
    std::string screenshot_;
    bool screenshotWritten_ = false;
    bool finished_ = false;
    std::uint64_t framesSeen_ = 0;
    std::chrono::steady_clock::time_point lastFrameEnd_;
    FrameStatistics statistics_;
};

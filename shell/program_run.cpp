#include "shell/program_run.h"

#include <cstdio>
#include <vector>

#include <SDL.h>

#include "platform/gfx/opengl/window_capture.h"
#include "platform/image/png_writer.h"
#include "platform/ui/host/ui_host.h"
#include "platform/window/system.h"
#include "shell/quorvane_app.h"

ProgramRun::ProgramRun(CQuorvaneApp& app, long long frames, std::string screenshot)
    : app_(app), frames_(frames), screenshot_(std::move(screenshot)) {}

void ProgramRun::Attach(UiHost& host) {
    framesSeen_ = app_.GetFramesRendered();
    lastFrameEnd_ = std::chrono::steady_clock::now();
    host.SetFrameRenderedHook([this](SDL_Window* window) { OnFrameDrawn(window); });
}

void ProgramRun::OnFrameDrawn(SDL_Window* window) {
    const std::uint64_t frames = app_.GetFramesRendered();
    if (finished_ || frames == framesSeen_) {
        return;  // a turn without an engine frame (a modal box, say)
    }
    const auto now = std::chrono::steady_clock::now();
    // One idle turn runs at most one frame; should several ever pass
    // unseen, they share the time evenly.
    const double seconds = std::chrono::duration<double>(now - lastFrameEnd_).count();
    const std::uint64_t newFrames = frames - framesSeen_;
    for (std::uint64_t i = 0; i < newFrames; ++i) {
        statistics_.Add(seconds / static_cast<double>(newFrames));
    }
    framesSeen_ = frames;
    lastFrameEnd_ = now;
    if (frames_ > 0 && statistics_.Frames() >= frames_) {
        finished_ = true;
        if (!screenshot_.empty()) {
            WriteScreenshot(window);
        }
        PostQuitMessage(0);
    }
}

void ProgramRun::WriteScreenshot(SDL_Window* window) {
    std::vector<std::uint8_t> rgba;
    int width = 0;
    int height = 0;
    if (!ReadWindowPixels(window, rgba, width, height)) {
        std::fprintf(stderr, "quorvane: the window could not be read back\n");
        return;
    }
    if (!WritePng(screenshot_, rgba, static_cast<std::uint32_t>(width),
                  static_cast<std::uint32_t>(height))) {
        std::fprintf(stderr, "quorvane: could not write the screenshot '%s'\n",
                     screenshot_.c_str());
        return;
    }
    screenshotWritten_ = true;
}

#include "shell/arena_runner.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/fixed_step_clock.h"
#include "platform/gfx/opengl/opengl_direct3d.h"
#include "platform/image/png_writer.h"
#include "platform/window/sdl_events.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/system.h"
#include "rendering/flocking_arena_render_engine.h"
#include "shell/frame_statistics.h"

namespace {

using RenderLib::CFlockingArenaRenderEngine;

// Window system, adapter factory and window, torn down in reverse on every
// way out.
class ArenaHost {
public:
    ~ArenaHost() {
        engine.reset();
        if (window != nullptr) DestroyPlatformWindow(window);
        SetDirect3DFactory({});
        if (windowSystem) UninstallSdlWindowSystem();
    }

    bool Open(const ProgramOptions& options) {
        std::string error;
        if (!InstallSdlWindowSystem(&error)) {
            std::fprintf(stderr, "quorvane: %s\n", error.c_str());
            return false;
        }
        windowSystem = true;
        InstallOpenGLDirect3D();
        window = CreatePlatformWindow(
            {"Quorvane", WindowStyle::Overlapped, CW_USEDEFAULT, CW_USEDEFAULT, options.width,
             options.height});
        if (window == nullptr) {
            std::fprintf(stderr, "quorvane: the window could not be created: %s\n",
                         SDL_GetError());
            return false;
        }
        return true;
    }

    bool windowSystem = false;
    HWND window = nullptr;
    std::unique_ptr<CFlockingArenaRenderEngine> engine;
};

// Passes the window's size changes and left-button presses to the engine.
void ForwardToEngine(const SDL_Event& event, HWND window, CFlockingArenaRenderEngine& engine) {
    auto* native = static_cast<SDL_Window*>(window->GetNativeWindow());
    const Uint32 id = native != nullptr ? SDL_GetWindowID(native) : 0;
    if (event.type == SDL_WINDOWEVENT && event.window.windowID == id) {
        const RECT client = window->GetClientRect();
        switch (event.window.event) {
            case SDL_WINDOWEVENT_MINIMIZED:
                engine.OnSize(CFlockingArenaRenderEngine::kSizeMinimized, 0, 0);
                break;
            case SDL_WINDOWEVENT_RESTORED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                engine.OnSize(0, client.right - client.left, client.bottom - client.top);
                break;
            default:
                break;
        }
    } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.windowID == id &&
               event.button.button == SDL_BUTTON_LEFT) {
        engine.OnLButtonDown(0, event.button.x, event.button.y);
    } else if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT &&
               GetCapture() == window) {
        engine.OnLButtonUp(0, event.button.x, event.button.y);
    }
}

bool WriteScreenshot(const CFlockingArenaRenderEngine& engine, const std::string& path) {
    std::vector<std::uint8_t> rgba;
    UINT width = 0, height = 0;
    if (!engine.CaptureFrame(rgba, width, height)) {
        std::fprintf(stderr, "quorvane: the last frame could not be read back\n");
        return false;
    }
    if (!WritePng(path, rgba, width, height)) {
        std::fprintf(stderr, "quorvane: could not write the screenshot '%s'\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int RunArena(const ProgramOptions& options) {
    if (options.headless) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
    } else if (!RealDisplayAvailable()) {
        std::fprintf(stderr,
                     "quorvane: no display was found to open the window on (neither DISPLAY "
                     "nor WAYLAND_DISPLAY is set, or SDL_VIDEODRIVER names a driver without "
                     "one). Run it from a desktop session, or render offscreen with "
                     "--headless --frames N --screenshot FILE.png\n");
        return 1;
    }
    ArenaHost host;
    if (!host.Open(options)) {
        return 1;
    }
    std::unique_ptr<RenderLib::Clock> fixedClock;
    if (options.fixedStep) {
        fixedClock = std::make_unique<RenderLib::FixedStepClock>(*options.fixedStep);
    }
    RenderLib::Clock& clock = fixedClock ? *fixedClock : RenderLib::Clock::Default();
    host.engine = std::make_unique<CFlockingArenaRenderEngine>(clock);
    if (!host.engine->Initialize(host.window)) {
        std::fprintf(stderr, "quorvane: the scene could not be started\n");
        return 1;
    }

    const auto forward = [&host](const SDL_Event& event) {
        ForwardToEngine(event, host.window, *host.engine);
    };
    FrameStatistics statistics;
    while (!QuitRequested() && (!options.headless || statistics.Frames() < options.frames)) {
        if (PumpSdlEvents(forward) > 0 && !options.headless) {
            continue;  // handle every waiting event before the next frame
        }
        const auto start = std::chrono::steady_clock::now();
        host.engine->RenderFrame();
        statistics.Add(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }

    if (options.stats) {
        statistics.Print(stdout);
    }
    if (!options.screenshot.empty() && !WriteScreenshot(*host.engine, options.screenshot)) {
        return 1;
    }
    return QuitExitCode();
}

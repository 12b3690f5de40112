#include "shell/quorvane_program.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <string>
#include <vector>

#include <SDL.h>

#include "framework/fixed_step_clock.h"
#include "platform/gfx/opengl/opengl_direct3d.h"
#include "platform/ui/docview/frame_wnd.h"
#include "platform/ui/host/ui_host.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/system.h"
#include "shell/3d_view.h"
#include "shell/main_frame.h"
#include "shell/preset_file.h"
#include "shell/program_run.h"
#include "shell/quorvane_app.h"
#include "shell/quorvane_doc.h"
#include "simulation/behavior.h"
#include "simulation/population.h"

namespace {

constexpr const char* kNoDisplayMessage =
    "quorvane: no display was found to open the window on (neither DISPLAY "
    "nor WAYLAND_DISPLAY is set, or SDL_VIDEODRIVER names a driver without "
    "one). Run it from a desktop session, or render offscreen with "
    "--headless --frames N --screenshot FILE.png\n";

// Whether the 3D view's engine initialised; false without one.
bool SceneStarted(const CQuorvaneApp& app) {
    const auto* frame = dynamic_cast<const CMainFrame*>(app.GetMainWnd());
    const C3DView* view = frame != nullptr ? frame->GetSceneView() : nullptr;
    return view != nullptr && view->EngineStarted();
}

UiHostOptions DisplayOptions(const ProgramOptions& options) {
    UiHostOptions display;
    if (options.headless || options.sizeGiven) {
        display.width = options.width;
        display.height = options.height;
    }
    return display;
}

// Whether the preset file at path is valid, checked before anything starts:
// a bad file named on the command line is a command-line error.
bool StartPresetIsValid(const std::string& path) {
    std::vector<cBehavior*> scratch = CreateStartupBehaviors();
    std::string error;
    const bool valid = ReadPreset(path, scratch, error);
    if (!valid) {
        std::fprintf(stderr, "quorvane: %s\n", error.c_str());
    }
    for (cBehavior* behavior : scratch) {
        delete behavior;
    }
    return valid;
}

// Opens the preset as the document: the live behaviours take its values,
// every page shows them and the title its name.
void OpenStartPreset(const CQuorvaneApp& app, const std::string& path) {
    if (CFrameWnd* frame = dynamic_cast<CFrameWnd*>(app.GetMainWnd())) {
        if (auto* document = dynamic_cast<CQuorvaneDoc*>(frame->GetActiveDocument())) {
            document->OpenPreset(path);
        }
    }
}

}  // namespace

int RunQuorvane(const ProgramOptions& options) {
    CQuorvaneApp* app = GetQuorvaneApp();
    if (app == nullptr) {
        std::fprintf(stderr, "quorvane: there is no application object\n");
        return 1;
    }
    if (!options.preset.empty() && !StartPresetIsValid(options.preset)) {
        return kBadPresetStatus;
    }
    if (options.headless) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
    } else if (!RealDisplayAvailable()) {
        std::fputs(kNoDisplayMessage, stderr);
        return 1;
    }
    // SDL video and the OpenGL library stay loaded until the process ends,
    // so that the leak checker of the sanitizer build can tell the driver's
    // own allocations by name.
    if (InitSdlVideo(nullptr)) {
        SDL_GL_LoadLibrary(nullptr);
    }
    InstallOpenGLDirect3D();
    UiHost::SetOptions(DisplayOptions(options));

    std::unique_ptr<RenderLib::FixedStepClock> fixedClock;
    if (options.fixedStep) {
        fixedClock = std::make_unique<RenderLib::FixedStepClock>(*options.fixedStep);
        app->SetEngineClock(fixedClock.get());
    }
    app->SetFlockSize(options.fish);
    app->SetScreenshotFolder(options.screenshotDir);
    app->SetStartView(options.view);
    app->SetSearchThreads(options.threads > 0
                              ? options.threads
                              : std::max(1, static_cast<int>(std::thread::hardware_concurrency())));
    ProgramRun run(*app, options.headless ? options.frames : 0, options.screenshot);
    bool sceneStarted = false;
    app->SetStartedHandler([&] {
        sceneStarted = SceneStarted(*app);
        if (sceneStarted && !options.preset.empty()) {
            OpenStartPreset(*app, options.preset);
        }
        if (!sceneStarted) {
            std::fprintf(stderr, "quorvane: the scene could not be started\n");
            if (options.headless) {
                PostQuitMessage(1);  // nothing to show: end at once
            }
        }
        run.Attach(*UiHost::Current());
    });

    // The toolkit's own command line gets the program name only: the
    // options above are the program's, and no document is ever named.
    char programName[] = "quorvane";
    char* arguments[] = {programName, nullptr};
    int status = AfxWinMain(1, arguments);

    app->SetStartedHandler(nullptr);
    app->SetEngineClock(nullptr);
    app->SetFlockSize(0);
    app->SetScreenshotFolder("");
    app->SetStartView({});
    app->SetSearchThreads(1);
    SetDirect3DFactory({});
    if (options.stats) {
        run.Statistics().Print(stdout);
    }
    if (status == 0 && (!sceneStarted || run.ScreenshotFailed())) {
        status = 1;
    }
    return status;
}

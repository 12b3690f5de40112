#include "tests/shell/offscreen_app_test.h"

#include <cstdlib>

#include <SDL.h>

#include "platform/gfx/opengl/opengl_direct3d.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/system.h"
#include "shell/main_frame.h"
#include "simulation/random_source.h"

namespace {

// SDL video and the OpenGL library stay loaded to the end of the process,
// so that the leak checker can tell the driver's own allocations by name.
bool KeepOffscreenVideoLoaded() {
    static const bool loaded = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        return InitSdlVideo(nullptr) && SDL_GL_LoadLibrary(nullptr) == 0;
    }();
    return loaded;
}

void ClearToolkitState() {
    AfxResources().Clear();
    while (DispatchPostedMessages() > 0) {
    }
    ClearQuitRequest();
    ReleaseCapture();
    ClearKeyboardState();
}

}  // namespace

void OffscreenAppTest::SetUp() {
    ASSERT_TRUE(KeepOffscreenVideoLoaded());
    ClearToolkitState();
    SharedRandom().Seed(1);
    InstallOpenGLDirect3D();
    SetDisplay(true);
    app.SetEngineClock(&clock);
    app.SetStartedHandler([this] {
        OnStarted();
        script.Attach(*UiHost::Current());
    });
}

void OffscreenAppTest::TearDown() {
    SetDirect3DFactory({});
    UiHost::Shutdown();
    ClearToolkitState();
}

void OffscreenAppTest::SetDisplay(bool unattended) const {
    UiHostOptions options;
    options.width = width_;
    options.height = height_;
    options.unattendedModals = unattended;
    options.swapInterval = 0;
    UiHost::SetOptions(options);
}

int OffscreenAppTest::RunApplication() {
    char name[] = "app_tests";
    char* argv[] = {name, nullptr};
    return AfxWinMain(1, argv);
}

CMainFrame* OffscreenAppTest::Frame() const { return dynamic_cast<CMainFrame*>(app.GetMainWnd()); }
CQuorvaneView* OffscreenAppTest::Form() const { return Frame()->GetFormView(); }
C3DView* OffscreenAppTest::Scene() const { return Frame()->GetSceneView(); }

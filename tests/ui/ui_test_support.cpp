#include "ui_test_support.h"

#include <cstdlib>

#include <SDL.h>

#include "platform/ui/core/message_queue.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/host/ui_host.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/system.h"

bool KeepOffscreenOpenGlLoaded() {
    static const bool loaded = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        return InitSdlVideo(nullptr) && SDL_GL_LoadLibrary(nullptr) == 0;
    }();
    return loaded;
}

void ToolkitTest::SetUp() {
    AfxResources().Clear();
    UiHost::SetOptions(UiHostOptions{});
    while (DispatchPostedMessages() > 0) {
    }
    ClearQuitRequest();
    ReleaseCapture();
    SetKeyboardRoutedToScene(true);
    SetMessageBoxPresenter(
        [this](HWND, const std::string& text, const std::string& caption, UINT type) {
            messageBoxes.push_back({text, caption, type});
        });
}

void ToolkitTest::TearDown() {
    SetMessageBoxPresenter(nullptr);
    UiHost::Shutdown();
    AfxResources().Clear();
    ClearQuitRequest();
}

DialogTemplate PageLikeTemplate(UINT id, const std::string& caption,
                                const std::vector<int>& edits) {
    DialogTemplate page(id, caption, 186, 90);
    page.controls.push_back({ControlKind::Static, IDC_STATIC, "Behavior Gain:", 7, 15, 48, 8});
    page.controls.push_back(
        {ControlKind::Trackbar, 1001, "", 63, 7, 122, 24, TBS_AUTOTICKS | TBS_TOP});
    int y = 33;
    for (int edit : edits) {
        page.controls.push_back({ControlKind::Edit, edit, "", 63, y, 67, 14});
        y += 16;
    }
    page.controls.push_back({ControlKind::PushButton, 1002, "Apply", 67, 69, 50, 14});
    return page;
}

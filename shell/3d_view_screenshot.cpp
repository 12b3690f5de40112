// The 3D view's File > Save Screenshot: the whole window, read after the
// next frame is drawn (the back buffer between frames holds nothing
// certain), saved between frames, where a message box may open.

#include <ctime>

#include "platform/ui/core/message_queue.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/docview/win_app.h"
#include "shell/3d_view.h"
#include "shell/quorvane_app.h"
#include "shell/screenshot_file.h"

namespace {

// Turns to wait for a drawn frame before giving up.
constexpr int kCaptureTurns = 10;

std::tm LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

void C3DView::OnSaveScreenshot() {
    UiHost* host = UiHost::Current();
    if (host == nullptr || host->IsDetached()) {
        ReportScreenshot(false, "", "there is no window to capture");
        return;
    }
    auto pixels = std::make_shared<std::optional<WindowPixels>>();
    CaptureAfterNextFrame(*host, [pixels](WindowPixels taken) { *pixels = std::move(taken); });
    // Posted messages run after the next frame is drawn; the view's own
    // messages die with it.
    PostToTarget(this, [this, pixels] { FinishScreenshot(pixels, kCaptureTurns); });
}

void C3DView::FinishScreenshot(const PendingPixels& pixels, int turnsLeft) {
    if (!pixels->has_value()) {
        if (turnsLeft > 0) {
            PostToTarget(this,
                         [this, pixels, turnsLeft] { FinishScreenshot(pixels, turnsLeft - 1); });
        } else {
            ReportScreenshot(false, "", "no frame was drawn to capture");
        }
        return;
    }
    const CQuorvaneApp* app = GetQuorvaneApp();
    const WindowPixels& window = **pixels;
    const ScreenshotOutcome outcome =
        SaveScreenshot(app != nullptr ? app->GetScreenshotFolder() : std::string(), LocalTimeNow(),
                       window.rgba, window.width, window.height);
    ReportScreenshot(outcome.saved, outcome.path.string(), outcome.reason);
}

void C3DView::ReportScreenshot(bool saved, const std::string& path, const std::string& reason) {
    if (saved) {
        ShowCaptionNotice("Screenshot saved: " + path, kScreenshotNoticeSeconds);
        return;
    }
    const std::string where = path.empty() ? "" : " as " + path;
    AfxMessageBox(("The screenshot could not be saved" + where + ": " + reason + ".").c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
}

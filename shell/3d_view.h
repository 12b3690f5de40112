#pragma once

// C3DView: the right pane. It makes and owns the render engine, which draws
// the scene into the pane's image area; the pane shows the engine's last
// presented image under a caption line holding the engine's window text
// ("Scene : 60 FPS"). Size changes and left-button presses in the pane go
// (and wheel turns) to the engine. Frames themselves are driven by the application's idle
// turns, not by the view.
//
// Life: made by the splitter from its class description; the first initial
// update makes the engine, initialises it on this pane's window and
// publishes it to the application (later initial updates, after New, reuse
// it); destroying the view deletes the engine, tells the other views that
// its behaviours are gone and clears the application's reference, so that
// neither an idle turn nor a page reaches a deleted engine.
//
// After every frame the view lays the panels the engine's view settings ask
// for (statistics, help) over the picture. File > Save Screenshot (handled
// here) writes the whole window after the next frame as a PNG in the
// application's screenshot folder and says where in the caption for a few
// seconds; a failure says why in a message box.

#include <memory>
#include <optional>

#include "platform/ui/docview/pane_view.h"
#include "platform/ui/host/window_screenshot.h"
#include "shell/scene_panels.h"

namespace RenderLib {
class CFlockingArenaRenderEngine;
}

class C3DView : public CPaneView {
public:
    // Class style of the pane's own window class: byte-aligned client area,
    // redrawn whole on a horizontal or vertical size change.
    static constexpr UINT kClassStyle = 0x1003;

    C3DView();
    // Deletes the engine if the window was never destroyed.
    ~C3DView() override;

    // Registers the pane's own window class (the className passed in is
    // ignored) and creates the window with it and the other arguments.
    // FALSE, after a message box, when the class cannot be registered.
    BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id, CCreateContext* context = nullptr) override;

    // Makes and initialises the engine when there is none (its result is
    // kept, not acted on), publishes it to the application and asks the
    // other views to refresh from it.
    void OnInitialUpdate() override;
    // Draws nothing: the engine draws on idle turns.
    void OnDraw(CDC* dc) override;
    // Passes type, width and height (client pixels) to the engine unchanged.
    void OnSize(UINT type, int cx, int cy) override;
    // Pass the key flags and the point (client pixels) to the engine.
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    // Zooms the engine's camera by the notches turned.
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;

    // Replaces the panels over the picture with those the engine's view
    // settings ask for, sampling the flock's statistics while they show.
    // Called after each engine frame.
    void RefreshPanels();
    const ScenePanels& Panels() const { return panels_; }

    // File > Save Screenshot: asks for the window after the next frame.
    void OnSaveScreenshot();

    // Seconds the caption says where the last screenshot went.
    static constexpr double kScreenshotNoticeSeconds = 5.0;

    // Whether the engine's Initialize succeeded; false before it ran.
    bool EngineStarted() const { return engineStarted_; }

    // The engine drawn into this view; owned; null before the first initial
    // update and after destruction.
    RenderLib::CFlockingArenaRenderEngine* renderEngine = nullptr;

protected:
    // Deletes the engine, tells the other views (kHintEngineDeleted) and
    // clears the application's reference.
    void OnDestroy() override;

private:
    using PendingPixels = std::shared_ptr<std::optional<WindowPixels>>;

    void DeleteEngine();
    // Saves the captured window, once a frame has captured it; waits at
    // most turnsLeft more turns for that.
    void FinishScreenshot(const PendingPixels& pixels, int turnsLeft);
    void ReportScreenshot(bool saved, const std::string& path, const std::string& reason);

    bool engineStarted_ = false;
    ScenePanels panels_;
};

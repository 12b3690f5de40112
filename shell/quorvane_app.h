#pragma once

// CQuorvaneApp: the application object. Its start-up (InitInstance) opens the
// main frame with its two panes through a single-document template; its idle
// turn (OnIdle) runs one frame of the live render engine, and always asks
// for another turn, so frames follow each other without pause. While a
// modal box runs no idle turn comes, so the scene stands still.
//
// One thread: messages, idle frames and page handlers run one after the
// other, so nothing the pages write is ever read by a frame half-way.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/ui/docview/win_app.h"
#include "rendering/scene_view_settings.h"

namespace RenderLib {
class CFlockingArenaRenderEngine;
class Clock;
}  // namespace RenderLib

class CQuorvaneDoc;

class CQuorvaneApp : public CWinApp {
public:
    // Maps About (ID_APP_ABOUT), New (ID_FILE_NEW, after asking to save
    // unsaved changes) and the View menu. The document handles Open, Save
    // and the presets.
    CQuorvaneApp();
    // Removes the pages' way to the live behaviours and their Apply hook.
    ~CQuorvaneApp() override;

    // Registers the shell's resources, then the classic start-up: common
    // controls, OLE, settings key, standard settings, the document template,
    // the command line (a new document: frame, views, engine) and showing
    // the main window. FALSE when OLE, the template or the frame fails.
    BOOL InitInstance() override;
    // The toolkit's housekeeping, then one engine frame when there is an
    // engine, after which the 3D view refreshes its panels. Always TRUE.
    BOOL OnIdle(LONG count) override;

    // The main frame's document; null before start-up and after shut-down.
    CQuorvaneDoc* GetDocument() const;

    // Shows the About box modally.
    void OnAppAbout();
    // Asks for a flock size and rebuilds the flock at that size, keeping the
    // behaviour values now applied.
    void OnFlockSize();

    // The clock that the 3D view's engine reads; it must outlive the engine.
    // Null (the default) means the steady clock.
    void SetEngineClock(RenderLib::Clock* clock) { engineClock_ = clock; }
    RenderLib::Clock& GetEngineClock() const;

    // Fish in the flock that the 3D view's engine builds: 0 (the default)
    // is the start-up flock, more a scaled flock of that many.
    void SetFlockSize(int fish) { flockSize_ = fish; }
    int GetFlockSize() const { return flockSize_; }
    // What the 3D view's engine shows at start (camera, overlays, panels,
    // pause, selection); the defaults unless the command line chose.
    void SetStartView(const RenderLib::SceneViewSettings& view) { startView_ = view; }
    const RenderLib::SceneViewSettings& GetStartView() const { return startView_; }
    // Threads of the engine's neighbour search (1, the default, starts none).
    void SetSearchThreads(int threads) { searchThreads_ = threads; }
    int GetSearchThreads() const { return searchThreads_; }

    // View, Apply as You Edit: when on, each behaviour page writes its values
    // into the behaviour as soon as a slider is released or Enter is pressed
    // in a box, with the checks of Apply. Off by default.
    void SetApplyAsYouEdit(bool on) { applyAsYouEdit_ = on; }
    bool GetApplyAsYouEdit() const { return applyAsYouEdit_; }

    // Folder that File > Save Screenshot writes to; empty (the default) is
    // the current folder.
    void SetScreenshotFolder(std::string folder) { screenshotFolder_ = std::move(folder); }
    const std::string& GetScreenshotFolder() const { return screenshotFolder_; }

    // Called at the end of a successful start-up, with the main window shown
    // (runs that watch the display hook in here). May be empty.
    void SetStartedHandler(std::function<void()> handler) { startedHandler_ = std::move(handler); }

    // Engine frames the idle turns have run.
    std::uint64_t GetFramesRendered() const { return framesRendered_; }

    // The live render engine: set by the 3D view once it has made and
    // initialised it, cleared when the view is destroyed. Not owned; null
    // before start-up and after shut-down.
    RenderLib::CFlockingArenaRenderEngine* renderEngine = nullptr;

private:
    // Maps the View menu's commands (view_commands.cpp).
    void MapViewCommands();

    RenderLib::Clock* engineClock_ = nullptr;  // not owned
    int flockSize_ = 0;
    RenderLib::SceneViewSettings startView_;
    int searchThreads_ = 1;
    bool applyAsYouEdit_ = false;
    std::string screenshotFolder_;
    std::function<void()> startedHandler_;
    std::uint64_t framesRendered_ = 0;
};

// The current application as a CQuorvaneApp; null when there is none or it
// is of another kind.
CQuorvaneApp* GetQuorvaneApp();

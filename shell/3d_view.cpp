#include "shell/3d_view.h"

#include "platform/ui/docview/document.h"
#include "platform/ui/docview/win_app.h"
#include "platform/window/system.h"
#include "rendering/flocking_arena_render_engine.h"
#include "shell/quorvane_app.h"
#include "shell/quorvane_doc.h"
#include "shell/resources/shell_resource_ids.h"

using RenderLib::CFlockingArenaRenderEngine;

C3DView::C3DView() {
    SetImageSource([this] {
        return renderEngine != nullptr ? renderEngine->GetPresentedImage() : PresentedImage{};
    });
    MapCommand(ID_FILE_SAVE_SCREENSHOT, [this] { OnSaveScreenshot(); });
}

C3DView::~C3DView() {
    if (renderEngine != nullptr) {
        DeleteEngine();
    }
}

BOOL C3DView::Create(const char* /*className*/, const char* windowName, DWORD style,
                     const RECT& rect, CWnd* parent, UINT id, CCreateContext* context) {
    const char* ownClass = AfxRegisterWndClass(kClassStyle);
    if (ownClass == nullptr || *ownClass == '\0') {
        AfxMessageBox("Couldn't register class! (Already registered?)", MB_OK);
        ownClass = "";  // the creation below fails on it
    }
    return CPaneView::Create(ownClass, windowName, style, rect, parent, id, context);
}

void C3DView::OnInitialUpdate() {
    CPaneView::OnInitialUpdate();
    CQuorvaneApp* app = GetQuorvaneApp();
    if (renderEngine == nullptr) {
        renderEngine = app != nullptr ? new CFlockingArenaRenderEngine(app->GetEngineClock())
                                      : new CFlockingArenaRenderEngine();
        renderEngine->flockScenario.totalFish = app != nullptr ? app->GetFlockSize() : 0;
        renderEngine->threadCount = app != nullptr ? app->GetSearchThreads() : 1;
        if (app != nullptr) {
            renderEngine->viewSettings = app->GetStartView();
        }
        engineStarted_ = renderEngine->Initialize(GetSafeHwnd());
    }
    if (app != nullptr) {
        app->renderEngine = renderEngine;
    }
    if (CDocument* document = GetDocument()) {
        document->UpdateAllViews(this, kHintRefresh, nullptr);
    }
}

void C3DView::OnDraw(CDC* /*dc*/) {}

void C3DView::RefreshPanels() {
    SetOverlays(renderEngine != nullptr ? panels_.Refresh(*renderEngine)
                                        : std::vector<PaneOverlay>{});
}

void C3DView::OnSize(UINT type, int cx, int cy) {
    CPaneView::OnSize(type, cx, cy);
    if (renderEngine != nullptr) {
        renderEngine->OnSize(type, cx, cy);
    }
}

void C3DView::OnLButtonDown(UINT flags, CPoint point) {
    if (renderEngine != nullptr) {
        renderEngine->OnLButtonDown(flags, point.x, point.y);
    }
    CPaneView::OnLButtonDown(flags, point);
}

void C3DView::OnLButtonUp(UINT flags, CPoint point) {
    if (renderEngine != nullptr) {
        renderEngine->OnLButtonUp(flags, point.x, point.y);
    }
    CPaneView::OnLButtonUp(flags, point);
}

BOOL C3DView::OnMouseWheel(UINT /*flags*/, short delta, CPoint /*point*/) {
    if (renderEngine == nullptr) {
        return FALSE;
    }
    renderEngine->Zoom(static_cast<float>(delta) / WHEEL_DELTA);
    return TRUE;
}

void C3DView::OnDestroy() {
    DeleteEngine();
    CPaneView::OnDestroy();
}

void C3DView::DeleteEngine() {
    const bool hadEngine = renderEngine != nullptr;
    if (hadEngine) {
        // The engine may hold the mouse for this window; it cannot let go
        // once it is gone.
        if (GetCapture() == GetSafeHwnd()) {
            ReleaseCapture();
        }
        delete renderEngine;
        renderEngine = nullptr;
    }
    if (CQuorvaneApp* app = GetQuorvaneApp()) {
        app->renderEngine = nullptr;
    }
    // The pages hold pointers into the engine's behaviours.
    CDocument* document = GetDocument();
    if (hadEngine && document != nullptr) {
        document->UpdateAllViews(this, kHintEngineDeleted, nullptr);
    }
}

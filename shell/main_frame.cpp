#include "shell/main_frame.h"

#include "platform/ui/core/command_ids.h"
#include "platform/ui/docview/create_context.h"
#include "shell/3d_view.h"
#include "shell/quorvane_doc.h"
#include "shell/quorvane_view.h"

BOOL CMainFrame::OnCreateClient(CREATESTRUCT* /*cs*/, CCreateContext* context) {
    if (context == nullptr ||
        !splitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST)) {
        return FALSE;
    }
    if (!splitter.CreateView(0, 0, context->newViewClass, CSize(kFormPaneWidth, 0), context) ||
        !splitter.CreateView(0, 1, RuntimeClassOf<C3DView>(), CSize(0, 0), context)) {
        return FALSE;
    }
    SetActiveView(dynamic_cast<CView*>(splitter.GetPane(0, 1)), TRUE);
    return TRUE;
}

CQuorvaneView* CMainFrame::GetFormView() const {
    return splitter.GetSafeHwnd() != nullptr ? dynamic_cast<CQuorvaneView*>(splitter.GetPane(0, 0))
                                             : nullptr;
}

C3DView* CMainFrame::GetSceneView() const {
    return splitter.GetSafeHwnd() != nullptr ? dynamic_cast<C3DView*>(splitter.GetPane(0, 1))
                                             : nullptr;
}

void CMainFrame::OnClose() {
    auto* document = dynamic_cast<CQuorvaneDoc*>(GetActiveDocument());
    if (document == nullptr || document->SaveModified()) {
        CFrameWnd::OnClose();
    }
}

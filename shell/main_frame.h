#pragma once

// CMainFrame: the main window. Its client area is a static splitter of one
// row and two columns: the form with the behaviour property sheet on the
// left, 335 pixels wide at start, and the 3D view taking the rest, with a
// bar between them that the user drags. The 3D view is the active view, so
// commands reach it first. No toolbar, no status bar; the menu, the
// accelerators and the icon come from resource IDR_MAINFRAME.

#include "platform/ui/docview/frame_wnd.h"
#include "platform/ui/docview/splitter_wnd.h"

class C3DView;
class CQuorvaneView;

class CMainFrame : public CFrameWnd {
public:
    // Width of the left pane at start, pixels.
    static constexpr int kFormPaneWidth = 335;

    // Builds the splitter and both panes (the left one of the context's view
    // class) and activates the 3D view. FALSE, failing the frame and with it
    // start-up, when any of them cannot be made or context is null.
    BOOL OnCreateClient(CREATESTRUCT* cs, CCreateContext* context) override;

    // Closes the window unless the document has unsaved changes and the
    // user cancels the question to save them.
    void OnClose() override;

    // The panes; null before they are made or once they are gone.
    CQuorvaneView* GetFormView() const;
    C3DView* GetSceneView() const;

    CSplitterWnd splitter;
};

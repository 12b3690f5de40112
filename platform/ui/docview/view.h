#pragma once

// CView: a window that shows a document, placed in a frame or a splitter
// pane. It is created by class description (the document template or a
// splitter make it) and joins the creation context's document. Commands
// reach a view first when it is its frame's active view, then its document.
//
// Life: Create (joins the document) → OnInitialUpdate (after the document
// is ready; again after New or Open) → OnUpdate whenever the document asks
// → DestroyWindow (leaves the document).

#include "platform/ui/windows/wnd.h"

class CDocument;

// A device context for OnDraw: draws into the view's client area, in
// client pixels. Only valid during OnDraw.
class CDC {
public:
    explicit CDC(DrawOrigin client) : client_(client) {}
    void FillSolidRect(const CRect& rect, COLORREF color);
    void TextOut(int x, int y, const std::string& text);

private:
    DrawOrigin client_;
};

class CView : public CWnd {
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return document_; }
    // Set by the document as the view joins or leaves it.
    void SetDocument(CDocument* document) { document_ = document; }

    // The first update after the document is ready. The base calls
    // OnUpdate(null, 0, null).
    virtual void OnInitialUpdate();
    // The document changed; sender is the view that asked (may be null).
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    // Draws the view's client area; the base draws nothing.
    virtual void OnDraw(CDC* dc) { (void)dc; }

    // Own handlers first, then the document's.
    bool OnCmdMsg(UINT id, CommandAction action) override;

    void Draw(DrawOrigin parentClient) override;

protected:
    // A null class name becomes the toolkit's.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Joins the creation context's document.
    int OnCreate(CREATESTRUCT* cs) override;
    // Leaves the document.
    void OnDestroy() override;

private:
    CDocument* document_ = nullptr;  // not owned
};

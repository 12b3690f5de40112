#pragma once

// CFormView: a view whose client area holds controls built from a dialog
// template, and scrolls when the pane is smaller than the form (the template
// size, or further if children reach beyond it).

#include "platform/ui/docview/view.h"

class CFormView : public CView {
public:
    explicit CFormView(UINT templateId);

    UINT GetTemplateId() const { return templateId_; }
    // Shows the fields in the controls (UpdateData(FALSE)), then the base
    // initial update (which calls OnUpdate).
    void OnInitialUpdate() override;
    // The scrolled extent: the template's size and every child's placement.
    CSize GetTotalSize() const;

    void Draw(DrawOrigin parentClient) override;

protected:
    // Joins the document and builds the template's controls; -1 when the
    // template is missing.
    int OnCreate(CREATESTRUCT* cs) override;
    CPoint ScrollPosition() const override { return scroll_; }

private:
    UINT templateId_;
    CPoint scroll_;  // last scroll position the display reported
};

#include "shell/quorvane_view.h"

#include "shell/quorvane_doc.h"
#include "shell/resources/shell_resource_ids.h"

CQuorvaneView::CQuorvaneView()
    : CFormView(IDD_QUORVANE_FORM), behaviorSheet("Behavior Property Sheets", this, 0) {}

void CQuorvaneView::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    if (behaviorSheet.GetSafeHwnd() == nullptr) {
        BuildSheet();
    }
}

void CQuorvaneView::BuildSheet() {
    behaviorSheet.header.iconId = IDR_MAINFRAME;
    behaviorSheet.header.flags =
        (behaviorSheet.header.flags & ~PSH_HASHELP) | PSH_USEHICON | PSH_NOAPPLYNOW;
    if (behaviorSheet.GetPageCount() == 0) {
        behaviorSheet.AddPage(&alignmentPage);
        behaviorSheet.AddPage(&avoidancePage);
        behaviorSheet.AddPage(&cohesionPage);
        behaviorSheet.AddPage(&cruisingPage);
        behaviorSheet.AddPage(&separationPage);
        behaviorSheet.AddPage(&stayInSpherePage);
    }
    if (!behaviorSheet.Create(this, WS_CHILD | WS_VISIBLE, 0)) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    RECT sheet;
    behaviorSheet.GetWindowRect(&sheet);
    behaviorSheet.MoveWindow(0, 0, sheet.right - sheet.left, client.Height(), TRUE);
}

void CQuorvaneView::OnUpdate(CView* /*sender*/, LPARAM hint, CObject* /*hintObject*/) {
    if (hint == kHintEngineDeleted) {
        ForgetBehaviors();
        return;
    }
    alignmentPage.RefreshFromBehavior();
    avoidancePage.RefreshFromBehavior();
    cohesionPage.RefreshFromBehavior();
    cruisingPage.RefreshFromBehavior();
    separationPage.RefreshFromBehavior();
    stayInSpherePage.RefreshFromBehavior();
}

void CQuorvaneView::ForgetBehaviors() {
    alignmentPage.behavior = nullptr;
    avoidancePage.behavior = nullptr;
    cohesionPage.behavior = nullptr;
    cruisingPage.behavior = nullptr;
    separationPage.behavior = nullptr;
    stayInSpherePage.behavior = nullptr;
}

#pragma once

// CQuorvaneView: the left pane, a form (template IDD_QUORVANE_FORM) that
// carries the "Behavior Property Sheets" sheet with one page per steering
// behaviour, in this tab order: alignment, avoidance, cohesion, cruising,
// separation, stay in sphere. The sheet has no Help and no Apply Now
// button (each page has its own Apply), shows the first tab at start, and
// is sized once to the pane's height; later the form scrolls instead.
//
// Every document update (start-up, after the engine is published, New)
// refreshes every page from the live behaviours, in tab order. When the
// engine is deleted the pages forget the behaviours they found, so that an
// Apply never writes into freed behaviours; a later engine is found anew.
//
// Members are built in declaration order and destroyed in reverse: the pages
// before the sheet.

#include "platform/ui/docview/form_view.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "shell/alignment_behavior_property_page.h"
#include "shell/avoidance_behavior_property_page.h"
#include "shell/cohesion_behavior_property_page.h"
#include "shell/cruising_behavior_property_page.h"
#include "shell/separation_behavior_property_page.h"
#include "shell/stay_in_sphere_behavior_property_page.h"

class CQuorvaneView : public CFormView {
public:
    CQuorvaneView();

    // The base update (which refreshes the pages), then, the first time
    // only, the sheet: header flags and icon, the six pages, the window as a
    // child of the form, and its height fitted to the form's client area. A
    // later initial update (after New) keeps the one sheet it made.
    void OnInitialUpdate() override;
    // kHintEngineDeleted: every page forgets its behaviour. Any other hint:
    // refreshes every page from its live behaviour, in tab order. sender and
    // hintObject are not used.
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;

    CPropertySheet behaviorSheet;
    CAlignmentBehaviorPropertyPage alignmentPage;
    CAvoidanceBehaviorPropertyPage avoidancePage;
    CCohesionBehaviorPropertyPage cohesionPage;
    CCruisingBehaviorPropertyPage cruisingPage;
    CSeparationBehaviorPropertyPage separationPage;
    CStayInSphereBehaviorPropertyPage stayInSpherePage;

private:
    void BuildSheet();
    void ForgetBehaviors();
};

#include "shell/resources/behavior_page_templates.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/ui/resources/resource_table.h"
#include "platform/ui/core/ui_types.h"
#include "shell/resources/behavior_page_ids.h"

// The templates as data: placements in dialog units (x, y, width, height),
// controls in tab order with each label before the control it names. Label
// widths reach up to the control they name.

namespace {

constexpr int kPageWidth = 186;
constexpr DWORD kTrackbarStyle = TBS_AUTOTICKS | TBS_TOP;
constexpr DWORD kEditStyle = WS_BORDER | ES_AUTOHSCROLL;

DialogControl Label(const char* text, int x, int y, int width) {
    return {ControlKind::Static, IDC_STATIC, text, x, y, width, 8};
}

DialogControl Trackbar(int id, int x, int y, int width) {
    return {ControlKind::Trackbar, id, "", x, y, width, 24, kTrackbarStyle};
}

DialogControl Edit(int id, int x, int y, int width = 67) {
    return {ControlKind::Edit, id, "", x, y, width, 14, kEditStyle};
}

// A page: the gain slider first, then body, then "Apply" at applyY.
DialogTemplate Page(UINT id, const char* caption, int height, std::vector<DialogControl> body,
                    int applyY) {
    DialogTemplate page(id, caption, kPageWidth, height);
    page.controls = {Label("Behavior Gain:", 7, 15, 48), Trackbar(IDC_GAIN_SLIDER, 63, 7, 122)};
    for (DialogControl& control : body) {
        page.controls.push_back(std::move(control));
    }
    page.controls.push_back({ControlKind::PushButton, IDC_APPLY, "Apply", 67, applyY, 50, 14});
    return page;
}

DialogTemplate SeparationPage() {
    // "Distaance" is the label's wording as the users know it.
    return Page(IDD_SEPARATION_PAGE, "Separation Behavior", 163,
                {Label("Separation Distaance:", 7, 36, 72), Edit(IDC_SEPARATION_DISTANCE, 81, 33),
                 Label("Min Separation Percentage:", 7, 62, 100),
                 Trackbar(IDC_MIN_SEPARATION_SLIDER, 7, 70, 172),
                 Label("Max Separation Percentage:", 7, 96, 100),
                 Trackbar(IDC_MAX_SEPARATION_SLIDER, 7, 108, 172)},
                142);
}

DialogTemplate AvoidancePage() {
    return Page(IDD_AVOIDANCE_PAGE, "Avoidance Behavior", 90,
                {Label("Avoidance Distance:", 7, 36, 66), Edit(IDC_AVOIDANCE_DISTANCE, 75, 33),
                 Label("Avoidance Speed:", 7, 52, 66), Edit(IDC_AVOIDANCE_SPEED, 75, 49)},
                69);
}

DialogTemplate TurnRatePage(UINT id, const char* caption) {
    return Page(id, caption, 90, {Label("Turn Rate:", 7, 36, 54), Edit(IDC_TURN_RATE, 63, 33)}, 69);
}

DialogTemplate CruisingPage() {
    return Page(IDD_CRUISING_PAGE, "Cruising Behavior", 190,
                {Label("Min Rate Change:", 7, 36, 61), Edit(IDC_MIN_RATE_CHANGE, 70, 33),
                 Label("Max Rate Change:", 7, 52, 60), Edit(IDC_MAX_RATE_CHANGE, 69, 49),
                 Label("Min Random Move:", 7, 68, 60), Edit(IDC_MIN_RANDOM_MOVE, 69, 65),
                 Label("Move X Chance:", 7, 89, 54), Trackbar(IDC_MOVE_X_SLIDER, 63, 83, 122),
                 Label("Move Y Chance:", 7, 113, 54), Trackbar(IDC_MOVE_Y_SLIDER, 63, 107, 122),
                 Label("Move Z Chance:", 7, 138, 54), Trackbar(IDC_MOVE_Z_SLIDER, 63, 131, 122)},
                169);
}

DialogTemplate StayInSpherePage() {
    return Page(IDD_STAY_IN_SPHERE_PAGE, "Stay In Sphere Behavior", 90,
                {Label("Radius:", 7, 36, 54), Edit(IDC_RADIUS, 63, 33), Label("Center:", 7, 51, 54),
                 Edit(IDC_CENTER_X, 63, 48, 32), Edit(IDC_CENTER_Y, 96, 48, 32),
                 Edit(IDC_CENTER_Z, 129, 48, 32)},
                69);
}

}  // namespace

void RegisterBehaviorPageTemplates(CResourceTable& resources) {
    resources.AddDialog(SeparationPage());
    resources.AddDialog(AvoidancePage());
    resources.AddDialog(TurnRatePage(IDD_ALIGNMENT_PAGE, "Alignment Behavior"));
    resources.AddDialog(TurnRatePage(IDD_COHESION_PAGE, "Cohesion Behavior"));
    resources.AddDialog(CruisingPage());
    resources.AddDialog(StayInSpherePage());
}

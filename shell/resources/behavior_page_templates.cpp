#include "shell/resources/behavior_page_templates.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/resources/resource_table.h"
#include "platform/ui/core/ui_types.h"
#include "shell/resources/behavior_page_ids.h"

// The templates as data: placements in dialog units (x, y, width, height),
// controls in tab order with each label before the control it names. Label
// widths reach up to the control they name. Every trackbar ends at
// kTrackbarRight, and the label of its value follows it on the right; the
// buttons close each page: "Apply" (the default button, pressed by Enter in
// a box) and "Defaults".

namespace {

constexpr int kPageWidth = 186;
constexpr int kTrackbarRight = 158;
constexpr int kValueLabelWidth = 24;  // "0.000" and a margin
constexpr DWORD kTrackbarStyle = TBS_AUTOTICKS | TBS_TOP;
constexpr DWORD kEditStyle = WS_BORDER | ES_AUTOHSCROLL;

DialogControl Label(const char* text, int x, int y, int width) {
    return {ControlKind::Static, IDC_STATIC, text, x, y, width, 8};
}

// A trackbar from x to kTrackbarRight, then the label of its value, level
// with its channel.
std::vector<DialogControl> Trackbar(int id, int x, int y) {
    return {{ControlKind::Trackbar, id, "", x, y, kTrackbarRight - x, 24, kTrackbarStyle},
            {ControlKind::Static, SliderValueLabelId(id), "", kTrackbarRight + 2, y + 13,
             kValueLabelWidth, 8}};
}

// The controls of pieces, one after the other.
std::vector<DialogControl> Controls(std::initializer_list<std::vector<DialogControl>> pieces) {
    std::vector<DialogControl> controls;
    for (const std::vector<DialogControl>& piece : pieces) {
        controls.insert(controls.end(), piece.begin(), piece.end());
    }
    return controls;
}

DialogControl Edit(int id, int x, int y, int width = 67) {
    return {ControlKind::Edit, id, "", x, y, width, 14, kEditStyle};
}

// A page: the gain slider first, then body, then "Apply" and "Defaults" at applyY.
DialogTemplate Page(UINT id, const char* caption, int height, std::vector<DialogControl> body,
                    int applyY) {
    DialogTemplate page(id, caption, kPageWidth, height);
    page.controls =
        Controls({{Label("Behavior Gain:", 7, 15, 48)},
                  Trackbar(IDC_GAIN_SLIDER, 63, 7),
                  std::move(body),
                  {{ControlKind::DefPushButton, IDC_APPLY, "Apply", 67, applyY, 50, 14},
                   {ControlKind::PushButton, IDC_DEFAULTS, "Defaults", 121, applyY, 50, 14}}});
    return page;
}

DialogTemplate SeparationPage() {
    // "Distaance" is the label's wording as the users know it.
    return Page(
        IDD_SEPARATION_PAGE, "Separation Behavior", 163,
        Controls({{Label("Separation Distaance:", 7, 36, 72), Edit(IDC_SEPARATION_DISTANCE, 81, 33),
                   Label("Min Separation Percentage:", 7, 62, 100)},
                  Trackbar(IDC_MIN_SEPARATION_SLIDER, 7, 70),
                  {Label("Max Separation Percentage:", 7, 96, 100)},
                  Trackbar(IDC_MAX_SEPARATION_SLIDER, 7, 108)}),
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
                Controls({{Label("Min Rate Change:", 7, 36, 61), Edit(IDC_MIN_RATE_CHANGE, 70, 33),
                           Label("Max Rate Change:", 7, 52, 60), Edit(IDC_MAX_RATE_CHANGE, 69, 49),
                           Label("Min Random Move:", 7, 68, 60), Edit(IDC_MIN_RANDOM_MOVE, 69, 65),
                           Label("Move X Chance:", 7, 89, 54)},
                          Trackbar(IDC_MOVE_X_SLIDER, 63, 83),
                          {Label("Move Y Chance:", 7, 113, 54)},
                          Trackbar(IDC_MOVE_Y_SLIDER, 63, 107),
                          {Label("Move Z Chance:", 7, 138, 54)},
                          Trackbar(IDC_MOVE_Z_SLIDER, 63, 131)}),
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

#include "shell/behavior_property_page.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <memory>

#include "platform/ui/core/message_queue.h"
#include "platform/ui/windows/wnd_handle.h"
#include "shell/behavior_fields.h"
#include "shell/live_behaviors.h"
#include "shell/resources/behavior_page_ids.h"
#include "simulation/group_behaviors.h"
#include "simulation/individual_behaviors.h"
#include "simulation/population.h"

namespace {

bool ApplyingAsYouEdit() { return CurrentPageSettings().applyAsYouEdit; }

// The flock size run now: its start-up values are the page's defaults.
FlockScenario ScenarioRunning() { return FlockScenario{CurrentPageSettings().flockSize}; }

}  // namespace

float SliderValueFromPosition(int position) {
    return static_cast<float>(position) * 0.001f;
}

int SliderPositionFromValue(float value) {
    const double scaled = static_cast<double>(value) * 1000.0;
    if (std::isnan(scaled)) {
        return 0;
    }
    // Converting a double outside the int range is undefined; hold it at the ends.
    if (scaled >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (scaled <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(scaled);  // truncates toward zero
}

std::string SliderValueText(int position) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f",
                  static_cast<double>(SliderValueFromPosition(position)));
    return text;
}

template <class Behavior>
CBehaviorPropertyPage<Behavior>::CBehaviorPropertyPage(UINT templateId)
    : CPropertyPage(templateId) {
    MapCommand(IDC_APPLY, [this] { OnApplyButton(); });
    MapCommand(IDC_DEFAULTS, [this] { OnDefaultsButton(); });
}

template <class Behavior>
bool CBehaviorPropertyPage<Behavior>::HasWindow() const {
    return IsWindow(GetSafeHwnd()) != FALSE;
}

template <class Behavior>
BOOL CBehaviorPropertyPage<Behavior>::OnInitDialog() {
    CPropertyPage::OnInitDialog();  // the first exchange binds the trackbars
    std::vector<CSliderCtrl*> trackbars{&gainSlider};
    for (CSliderCtrl* trackbar : PageTrackbars()) {
        trackbars.push_back(trackbar);
    }
    for (CSliderCtrl* trackbar : trackbars) {
        trackbar->SetMoveHandler(
            [this, trackbar](SliderMove how) { OnTrackbarMoved(*trackbar, how); });
        trackbar->SetRangeMin(kBehaviorSliderMinimum, FALSE);
        trackbar->SetRangeMax(kBehaviorSliderMaximum, FALSE);
        trackbar->SetTicFreq(kBehaviorSliderTickFrequency);
    }
    // Shown again now that the range holds positions up to 1000: the first
    // exchange clamped them to the trackbars' default range.
    UpdateData(FALSE);
    ShowAvailability();
    return TRUE;
}

template <class Behavior>
void CBehaviorPropertyPage<Behavior>::DoDataExchange(CDataExchange* exchange) {
    DDX_Slider(exchange, IDC_GAIN_SLIDER, gainPosition);
    DDX_Control(exchange, IDC_GAIN_SLIDER, gainSlider);
}

template <class Behavior>
void CBehaviorPropertyPage<Behavior>::ExchangeNumber(CDataExchange* exchange, int controlId,
                                                     float& value) {
    const BehaviorField& field = PageField(GetTemplateId(), controlId);
    DDX_Text(exchange, controlId, value, field.minimum, field.maximum);
}

template <class Behavior>
void CBehaviorPropertyPage<Behavior>::FindBehavior(const std::vector<cBehavior*>& live) {
    for (cBehavior* candidate : live) {
        behavior = dynamic_cast<Behavior*>(candidate);
        if (behavior != nullptr) {
            return;
        }
    }
}

template <class Behavior>
void CBehaviorPropertyPage<Behavior>::RefreshFromBehavior() {
    const std::vector<cBehavior*>* live = LiveBehaviors();
    if (live == nullptr) {
        return;
    }
    if (behavior == nullptr) {
        FindBehavior(*live);
    }
    behaviorMissing_ = behavior == nullptr;
    if (behavior != nullptr) {
        ShowValuesOf(*behavior);
    }
    ShowAvailability();
}

template <class Behavior>
void CBehaviorPropertyPage<Behavior>::ShowValuesOf(const Behavior& values) {
    gainPosition = SliderPositionFromValue(values.gain);
    ReadBehavior(values);
    if (HasWindow()) {
        UpdateData(FALSE);
    }
}

template <class Behavior>
void CBehaviorPropertyPage<Behavior>::OnDefaultsButton() {
    std::vector<std::unique_ptr<cBehavior>> startup;
    for (cBehavior* made : CreateStartupBehaviors(ScenarioRunning())) {
        startup.emplace_back(made);
    }
    for (const std::unique_ptr<cBehavior>& candidate : startup) {
        if (const auto* values = dynamic_cast<const Behavior*>(candidate.get())) {
            ShowValuesOf(*values);
            return;
        }
    }
}

template <class Behavior>
void CBehaviorPropertyPage<Behavior>::OnTrackbarMoved(const CSliderCtrl& trackbar, SliderMove how) {
    SetDlgItemText(SliderValueLabelId(trackbar.GetDlgCtrlID()), SliderValueText(trackbar.GetPos()));
    // The write runs after the frame: its check may open a message box.
    if ((how == SliderMove::Released || how == SliderMove::Key) && ApplyingAsYouEdit()) {
        PostToTarget(this, [this] { ApplyAllOrNothing(); });
    }
}

template <class Behavior>
void CBehaviorPropertyPage<Behavior>::OnApplyButton() {
    if (ApplyingAsYouEdit()) {
        ApplyAllOrNothing();
        return;
    }
    // A refused number has already been reported and stopped the reading;
    // what was read before it and the fields after it go on as they stand.
    UpdateData(TRUE);
    WriteIfChecked();
}

template <class Behavior>
void CBehaviorPropertyPage<Behavior>::ApplyAllOrNothing() {
    if (UpdateData(TRUE)) {  // a refused number has been reported
        WriteIfChecked();
    }
}

template <class Behavior>
void CBehaviorPropertyPage<Behavior>::WriteIfChecked() {
    if (!CheckBeforeWriting() || behavior == nullptr) {
        return;
    }
    behavior->gain = SliderValueFromPosition(gainPosition);
    WriteBehavior(*behavior);
    NotifyBehaviorsApplied();
}

template <class Behavior>
void CBehaviorPropertyPage<Behavior>::ShowAvailability() {
    if (!HasWindow()) {
        return;
    }
    for (CWnd* control : Children()) {
        control->EnableWindow(behaviorMissing_ ? FALSE : TRUE);
    }
}

template class CBehaviorPropertyPage<cSeparationBehavior>;
template class CBehaviorPropertyPage<cAlignmentBehavior>;
template class CBehaviorPropertyPage<cCohesionBehavior>;
template class CBehaviorPropertyPage<cAvoidanceBehavior>;
template class CBehaviorPropertyPage<cCruisingBehavior>;
template class CBehaviorPropertyPage<cStayWithinSphereBehavior>;

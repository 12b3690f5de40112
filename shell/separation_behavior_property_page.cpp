#include "shell/separation_behavior_property_page.h"

#include "shell/resources/behavior_page_ids.h"

CSeparationBehaviorPropertyPage::CSeparationBehaviorPropertyPage()
    : CBehaviorPropertyPage(IDD_SEPARATION_PAGE) {}

void CSeparationBehaviorPropertyPage::DoDataExchange(CDataExchange* exchange) {
    CBehaviorPropertyPage::DoDataExchange(exchange);
    ExchangeNumber(exchange, IDC_SEPARATION_DISTANCE, separationDistance);
    DDX_Slider(exchange, IDC_MIN_SEPARATION_SLIDER, minSeparationPosition);
    DDX_Slider(exchange, IDC_MAX_SEPARATION_SLIDER, maxSeparationPosition);
    DDX_Control(exchange, IDC_MIN_SEPARATION_SLIDER, minSeparationSlider);
    DDX_Control(exchange, IDC_MAX_SEPARATION_SLIDER, maxSeparationSlider);
}

std::vector<CSliderCtrl*> CSeparationBehaviorPropertyPage::PageTrackbars() {
    return {&minSeparationSlider, &maxSeparationSlider};
}

void CSeparationBehaviorPropertyPage::ReadBehavior(const cSeparationBehavior& live) {
    separationDistance = live.separationDistance;
    minSeparationPosition = SliderPositionFromValue(live.minSeparationPercentage);
    maxSeparationPosition = SliderPositionFromValue(live.maxSeparationPercentage);
}

void CSeparationBehaviorPropertyPage::WriteBehavior(cSeparationBehavior& live) {
    live.separationDistance = separationDistance;
    live.minSeparationPercentage = SliderValueFromPosition(minSeparationPosition);
    live.maxSeparationPercentage = SliderValueFromPosition(maxSeparationPosition);
}

bool CSeparationBehaviorPropertyPage::CheckBeforeWriting() {
    if (minSeparationPosition < maxSeparationPosition) {
        return true;
    }
    MessageBox("Min Separation Percentage must be less than Max Separation Percentage",
               "Invalid Input", MB_OK | MB_ICONEXCLAMATION);
    // Only the bounds go back to the behaviour's values; the gain slider and
    // the distance box keep what the user entered.
    if (behavior != nullptr) {
        minSeparationPosition = SliderPositionFromValue(behavior->minSeparationPercentage);
        maxSeparationPosition = SliderPositionFromValue(behavior->maxSeparationPercentage);
        UpdateData(FALSE);
    }
    return false;
}

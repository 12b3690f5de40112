#include "shell/cruising_behavior_property_page.h"

#include <cstdint>

#include "shell/resources/behavior_page_ids.h"

namespace {

// The chance sums in 64 bits: positions come from 0..1000 trackbars, but
// the fields are plain ints and their sum must not overflow.
float ThresholdFromPositions(std::int64_t positions) {
    return static_cast<float>(positions) * 0.001f;
}

}  // namespace

CCruisingBehaviorPropertyPage::CCruisingBehaviorPropertyPage()
    : CBehaviorPropertyPage(IDD_CRUISING_PAGE) {}

void CCruisingBehaviorPropertyPage::DoDataExchange(CDataExchange* exchange) {
    CBehaviorPropertyPage::DoDataExchange(exchange);
    DDX_Slider(exchange, IDC_MOVE_X_SLIDER, moveXPosition);
    DDX_Slider(exchange, IDC_MOVE_Y_SLIDER, moveYPosition);
    DDX_Slider(exchange, IDC_MOVE_Z_SLIDER, moveZPosition);
    DDX_Control(exchange, IDC_MOVE_X_SLIDER, moveXSlider);
    DDX_Control(exchange, IDC_MOVE_Y_SLIDER, moveYSlider);
    DDX_Control(exchange, IDC_MOVE_Z_SLIDER, moveZSlider);
    ExchangeNumber(exchange, IDC_MIN_RANDOM_MOVE, minRandomMove);
    ExchangeNumber(exchange, IDC_MAX_RATE_CHANGE, maxRateChange);
    ExchangeNumber(exchange, IDC_MIN_RATE_CHANGE, minRateChange);
}

std::vector<CSliderCtrl*> CCruisingBehaviorPropertyPage::PageTrackbars() {
    return {&moveXSlider, &moveYSlider, &moveZSlider};
}

void CCruisingBehaviorPropertyPage::ReadBehavior(const cCruisingBehavior& live) {
    minRateChange = live.minRateChange;
    maxRateChange = live.maxRateChange;
    minRandomMove = live.minRandomMove;
    moveXPosition = SliderPositionFromValue(live.moveXThreshold);
    moveYPosition = SliderPositionFromValue(live.moveYThreshold - live.moveXThreshold);
    moveZPosition = SliderPositionFromValue(live.moveZThreshold - live.moveYThreshold);
}

void CCruisingBehaviorPropertyPage::WriteBehavior(cCruisingBehavior& live) {
    const std::int64_t x = moveXPosition;
    const std::int64_t y = moveYPosition;
    const std::int64_t z = moveZPosition;
    live.minRateChange = minRateChange;
    live.maxRateChange = maxRateChange;
    live.minRandomMove = minRandomMove;
    live.moveXThreshold = ThresholdFromPositions(x);
    live.moveYThreshold = ThresholdFromPositions(x + y);
    live.moveZThreshold = ThresholdFromPositions(x + y + z);
}

bool CCruisingBehaviorPropertyPage::CheckBeforeWriting() {
    const std::int64_t sum = std::int64_t{moveXPosition} + moveYPosition + moveZPosition;
    if (sum > kBehaviorSliderMaximum) {
        MessageBox("Random Move Chances must sum to 1.0 or less.", "Invalid Input",
                   MB_OK | MB_ICONEXCLAMATION);
    }
    return true;
}

#pragma once

// The cruising page (template 135, "Cruising Behavior"): gain, the push
// length and the random-move parameters of the live cCruisingBehavior, and
// one chance slider per axis.
//
// The sliders show each axis's own chance; the behaviour keeps cumulative
// thresholds (x, x + y, x + y + z). Refresh takes the differences of the
// stored floats, then scales; Apply sums the integer positions, then scales.
// Chances summing to more than 1.0 are reported and written all the same,
// so thresholds may exceed 1.0 (up to 3.0).

#include "shell/behavior_property_page.h"
#include "simulation/individual_behaviors.h"

class CCruisingBehaviorPropertyPage : public CBehaviorPropertyPage<cCruisingBehavior> {
public:
    CCruisingBehaviorPropertyPage();

    void DoDataExchange(CDataExchange* exchange) override;

    int moveXPosition = 0;  // 0..1000: the x chance × 1000
    int moveYPosition = 0;  // 0..1000: the y chance × 1000
    int moveZPosition = 0;  // 0..1000: the z chance × 1000
    CSliderCtrl moveXSlider;
    CSliderCtrl moveYSlider;
    CSliderCtrl moveZSlider;
    float minRandomMove = 0.0f;  // only its sign and whether it is zero matter
    float maxRateChange = 0.0f;  // kept by the behaviour, unused in its steering
    float minRateChange = 0.0f;  // length of the push before gain

protected:
    std::vector<CSliderCtrl*> PageTrackbars() override;
    void ReadBehavior(const cCruisingBehavior& live) override;
    void WriteBehavior(cCruisingBehavior& live) override;
    // Warns when the chances sum to more than 1000 positions; always writes.
    bool CheckBeforeWriting() override;
};

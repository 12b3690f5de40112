#pragma once

// The separation page (template 131, "Separation Behavior"): gain, the
// preferred distance and the two clamping bounds of the live
// cSeparationBehavior. The bounds are fractions on 0..1000 trackbars. Apply
// writes only when the minimum lies strictly below the maximum; otherwise it
// tells the user, puts the bound sliders back to the behaviour's values and
// writes nothing at all.

#include "shell/behavior_property_page.h"
#include "simulation/group_behaviors.h"

class CSeparationBehaviorPropertyPage : public CBehaviorPropertyPage<cSeparationBehavior> {
public:
    CSeparationBehaviorPropertyPage();

    void DoDataExchange(CDataExchange* exchange) override;

    float separationDistance = 170.0f;  // world units
    int minSeparationPosition = 5;      // 0..1000: minSeparationPercentage × 1000
    int maxSeparationPosition = 10;     // 0..1000: maxSeparationPercentage × 1000
    CSliderCtrl minSeparationSlider;
    CSliderCtrl maxSeparationSlider;

protected:
    std::vector<CSliderCtrl*> PageTrackbars() override;
    void ReadBehavior(const cSeparationBehavior& live) override;
    void WriteBehavior(cSeparationBehavior& live) override;
    bool CheckBeforeWriting() override;
};

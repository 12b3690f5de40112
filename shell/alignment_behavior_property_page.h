#pragma once

// The alignment page (template 133, "Alignment Behavior"): gain and the turn
// rate toward the nearest flock-mate's heading, of the live cAlignmentBehavior.

#include "shell/turn_rate_behavior_property_page.h"
#include "simulation/group_behaviors.h"

class CAlignmentBehaviorPropertyPage : public CTurnRateBehaviorPropertyPage<cAlignmentBehavior> {
public:
    CAlignmentBehaviorPropertyPage();
};

#pragma once

// The cohesion page (template 134, "Cohesion Behavior"): gain and the turn
// rate toward the centre of the visible flock-mates, of the live cCohesionBehavior.

#include "shell/turn_rate_behavior_property_page.h"
#include "simulation/group_behaviors.h"

class CCohesionBehaviorPropertyPage : public CTurnRateBehaviorPropertyPage<cCohesionBehavior> {
public:
    CCohesionBehaviorPropertyPage();
};

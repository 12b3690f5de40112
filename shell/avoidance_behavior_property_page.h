#pragma once

// The avoidance page (template 132, "Avoidance Behavior"): gain, the
// distance under which the nearest foreign entity is fled and the flee
// speed, of the live cAvoidanceBehavior. Its Apply writes all three, like
// the other pages, without a check.

#include "shell/behavior_property_page.h"
#include "simulation/individual_behaviors.h"

class CAvoidanceBehaviorPropertyPage : public CBehaviorPropertyPage<cAvoidanceBehavior> {
public:
    CAvoidanceBehaviorPropertyPage();

    void DoDataExchange(CDataExchange* exchange) override;

    float avoidanceDistance = 0.0f;  // world units
    float avoidanceSpeed = 0.0f;     // length of the flee push before gain

protected:
    void ReadBehavior(const cAvoidanceBehavior& live) override;
    void WriteBehavior(cAvoidanceBehavior& live) override;
};

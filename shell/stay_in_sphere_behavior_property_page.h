#pragma once

// The stay-in-sphere page (template 136, "Stay In Sphere Behavior"): gain,
// radius and centre of the live cStayWithinSphereBehavior, written without a
// further check once each box is within its range (a zero radius is written
// as typed).

#include "shell/behavior_property_page.h"
#include "simulation/individual_behaviors.h"
#include "simulation/vector_math.h"

class CStayInSphereBehaviorPropertyPage : public CBehaviorPropertyPage<cStayWithinSphereBehavior> {
public:
    CStayInSphereBehaviorPropertyPage();

    void DoDataExchange(CDataExchange* exchange) override;

    float radius = 10.0f;  // world units
    Vector3 center;        // world coordinates; (0, 0, 0) at construction

protected:
    void ReadBehavior(const cStayWithinSphereBehavior& live) override;
    void WriteBehavior(cStayWithinSphereBehavior& live) override;
};

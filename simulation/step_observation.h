#pragma once

// What one entity's last step did with its steering, recorded for a single
// entity that the world observes (the fish a user has selected), so that a
// view can show each behaviour's share. Nothing is recorded for any other
// entity, and recording changes no result: the observed entity's step does
// exactly the arithmetic an unobserved one does.

#include <vector>

#include "base/vector_math.h"

class cBehavior;

// The change one behaviour made to the steering during the step.
struct BehaviorContribution {
    const cBehavior* behavior = nullptr;  // not owned
    Vector3 steering;
};

struct StepObservation {
    bool recorded = false;    // a step of the observed entity has run since observing began
    Vector3 carriedSteering;  // the steering the step began with (steering is never reset)
    std::vector<BehaviorContribution> contributions;  // in the order the behaviours ran
    Vector3 summedSteering;   // carried plus every contribution, before the clamp
    Vector3 appliedSteering;  // after the clamp to maxAcceleration: what velocity received
};

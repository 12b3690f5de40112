#pragma once

#include "behavior.h"
#include "base/vector_math.h"

// Flees the nearest foreign neighbour while it is closer than
// avoidanceDistance. Only listed foreign neighbours count, so the reach is
// also bounded by the entity's perceptionRadius.
class cAvoidanceBehavior : public cBehavior {
public:
    cAvoidanceBehavior(float avoidanceDistance, float avoidanceSpeed);
    void Apply(float elapsed, cEntity& entity) override;
    std::string GetName() const override;

    float avoidanceDistance;  // world units
    float avoidanceSpeed;     // length of the flee push before gain
};

// Small random pushes along one coordinate axis. Draws exactly one number
// from the shared random source per call, whatever the thresholds. A draw f in
// [0, 1) picks x below moveXThreshold, else y below moveYThreshold, else z
// below moveZThreshold, else no axis; the push is gain × minRateChange along
// the chosen axis, in the direction of the sign of minRandomMove.
class cCruisingBehavior : public cBehavior {
public:
    cCruisingBehavior(float moveXThreshold, float moveYThreshold, float moveZThreshold,
                      float minRandomMove, float maxRateChange, float minRateChange);
    void Apply(float elapsed, cEntity& entity) override;
    std::string GetName() const override;

    float moveXThreshold;  // cumulative chance of an x move
    float moveYThreshold;  // cumulative chance of an x or y move
    float moveZThreshold;  // cumulative chance of any move
    float minRandomMove;   // only its sign and whether it is zero matter
    float maxRateChange;   // kept for the pages; not used in the computation
    float minRateChange;   // length of the push before gain
};

// Pulls an entity that is farther than radius from center back toward it,
// with the entity's own maxSpeed as strength. The surface counts as inside.
class cStayWithinSphereBehavior : public cBehavior {
public:
    cStayWithinSphereBehavior(const Vector3& center, float radius);
    void Apply(float elapsed, cEntity& entity) override;
    std::string GetName() const override;

    Vector3 center;  // world coordinates
    float radius;    // world units
};

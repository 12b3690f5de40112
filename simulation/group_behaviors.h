#pragma once

#include "behavior.h"

// Keeps a fish at separationDistance from its nearest flock-mate: closer
// pushes away, farther pulls in, with the strength distance /
// separationDistance clamped to [minSeparationPercentage,
// maxSeparationPercentage] (lower bound applied first).
class cSeparationBehavior : public cGroupBehavior {
public:
    cSeparationBehavior(float separationDistance, float minSeparationPercentage,
                        float maxSeparationPercentage);
    void Apply(float elapsed, cEntity& entity) override;
    std::string GetName() const override;

    float separationDistance;       // world units
    float minSeparationPercentage;  // fraction, 0.05 is 5 per cent
    float maxSeparationPercentage;  // fraction
};

// Turns a fish toward the velocity of its nearest flock-mate.
class cAlignmentBehavior : public cGroupBehavior {
public:
    explicit cAlignmentBehavior(float turnRate);
    void Apply(float elapsed, cEntity& entity) override;
    std::string GetName() const override;

    float turnRate;  // length of the push before gain, world units per second per step
};

// Draws a fish toward the mean position of all its flock-mates.
class cCohesionBehavior : public cGroupBehavior {
public:
    explicit cCohesionBehavior(float turnRate);
    void Apply(float elapsed, cEntity& entity) override;
    std::string GetName() const override;

    float turnRate;  // length of the push before gain, world units per second per step
};

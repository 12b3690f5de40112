#pragma once

#include <string>

#include "identity.h"

class cEntity;

// One rule of motion. A behaviour keeps no per-entity state: one object drives
// every fish that holds it, and a parameter changed on it acts on all of them
// from their next step.
//
// The contract of Apply: read the entity's own state and the position and
// velocity of its listed neighbours; add gain × magnitude × direction to the
// entity's steering, where direction is a Normalize result (unit or zero);
// write nothing else. elapsed is passed on but contributions are per step.
class cBehavior {
public:
    cBehavior() = default;
    virtual ~cBehavior() = default;

    virtual void Apply(float elapsed, cEntity& entity) = 0;
    // Display name, "Base Behavior" unless overridden.
    virtual std::string GetName() const;

    Identity GetIdentity() const { return identity_; }

    float gain = 1.0f;  // scale of the contribution; the pages keep it in 0..1

private:
    const Identity identity_ = NextIdentity();
};

// Marks the behaviours that work on the entity's flock neighbours.
class cGroupBehavior : public cBehavior {};

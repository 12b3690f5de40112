#include "individual_behaviors.h"

#include "entity.h"
#include "random_source.h"

cAvoidanceBehavior::cAvoidanceBehavior(float avoidanceDistance, float avoidanceSpeed)
    : avoidanceDistance(avoidanceDistance), avoidanceSpeed(avoidanceSpeed) {}

void cAvoidanceBehavior::Apply(float /*elapsed*/, cEntity& entity) {
    if (entity.foreignNeighbors.empty()) {
        return;
    }
    const NeighborEntry& nearest = entity.foreignNeighbors.front();
    if (!(nearest.distance < avoidanceDistance)) {
        return;
    }
    const Vector3 away = Normalize(entity.position - nearest.Entity().position);
    entity.steering += gain * avoidanceSpeed * away;
}

std::string cAvoidanceBehavior::GetName() const { return "Avoidance Behavior"; }

cCruisingBehavior::cCruisingBehavior(float moveXThreshold, float moveYThreshold,
                                     float moveZThreshold, float minRandomMove,
                                     float maxRateChange, float minRateChange)
    : moveXThreshold(moveXThreshold),
      moveYThreshold(moveYThreshold),
      moveZThreshold(moveZThreshold),
      minRandomMove(minRandomMove),
      maxRateChange(maxRateChange),
      minRateChange(minRateChange) {}

void cCruisingBehavior::Apply(float /*elapsed*/, cEntity& entity) {
    constexpr float kInverseRandMax = 3.0518509e-05f;  // 1 / 32767 in single precision

    const float speed = Length(entity.velocity);
    // s enters before and after the normalisation, so it cancels; it is kept
    // so that the push has exactly the rounding of the defined arithmetic.
    const float sign = speed - entity.cruiseSpeed > 0.0f ? -1.0f : 1.0f;
    Vector3 move;
    const double draw = Rand() * static_cast<double>(kInverseRandMax);  // 0 <= draw < 1
    if (draw < moveXThreshold) {
        move.x += sign * minRandomMove;
    } else if (draw < moveYThreshold) {
        move.y += sign * minRandomMove;
    } else if (draw < moveZThreshold) {
        move.z += sign * minRandomMove;
    }
    entity.steering += gain * (sign * minRateChange) * Normalize(move);
}

std::string cCruisingBehavior::GetName() const { return "Cruising Behavior"; }

cStayWithinSphereBehavior::cStayWithinSphereBehavior(const Vector3& center, float radius)
    : center(center), radius(radius) {}

void cStayWithinSphereBehavior::Apply(float /*elapsed*/, cEntity& entity) {
    Vector3 toCentre = center - entity.position;
    const float distance = Length(toCentre);
    if (!(distance > radius)) {
        return;
    }
    toCentre = Normalize(toCentre * (1.0f / distance));
    entity.steering += gain * entity.maxSpeed * toCentre;
}

std::string cStayWithinSphereBehavior::GetName() const { return "Stay Within Sphere Behavior"; }

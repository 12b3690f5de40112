#include "group_behaviors.h"

#include "entity.h"

cSeparationBehavior::cSeparationBehavior(float separationDistance, float minSeparationPercentage,
                                         float maxSeparationPercentage)
    : separationDistance(separationDistance),
      minSeparationPercentage(minSeparationPercentage),
      maxSeparationPercentage(maxSeparationPercentage) {}

void cSeparationBehavior::Apply(float /*elapsed*/, cEntity& entity) {
    if (entity.flockNeighbors.empty()) {
        return;
    }
    const NeighborEntry& nearest = entity.flockNeighbors.front();
    float ratio = nearest.distance / separationDistance;
    if (ratio < minSeparationPercentage) {
        ratio = minSeparationPercentage;
    }
    if (ratio > maxSeparationPercentage) {
        ratio = maxSeparationPercentage;
    }
    const Vector3 toward = Normalize(nearest.Entity().position - entity.position);
    if (nearest.distance < separationDistance) {
        entity.steering += gain * -ratio * toward;
    } else if (nearest.distance > separationDistance) {
        entity.steering += gain * ratio * toward;
    }
}

std::string cSeparationBehavior::GetName() const { return "Separation Behavior"; }

cAlignmentBehavior::cAlignmentBehavior(float turnRate) : turnRate(turnRate) {}

void cAlignmentBehavior::Apply(float /*elapsed*/, cEntity& entity) {
    if (entity.flockNeighbors.empty()) {
        return;
    }
    // Read now: a flock-mate stepped earlier this frame shows its new velocity.
    const cEntity& nearest = entity.flockNeighbors.front().Entity();
    entity.steering += gain * turnRate * Normalize(nearest.velocity);
}

std::string cAlignmentBehavior::GetName() const { return "Alignment Behavior"; }

cCohesionBehavior::cCohesionBehavior(float turnRate) : turnRate(turnRate) {}

void cCohesionBehavior::Apply(float /*elapsed*/, cEntity& entity) {
    if (entity.flockNeighbors.empty()) {
        return;
    }
    // The indexed search sums the positions ahead, on its threads, exactly as
    // the loop below would: behaviours move no entity, so the positions the
    // search predicted are the ones standing now.
    Vector3 sum = entity.flockSum;
    if (!entity.flockSumKnown) {
        sum = {};
        for (const NeighborEntry& neighbor : entity.flockNeighbors) {
            sum += neighbor.Entity().position;
        }
    }
    const float count = static_cast<float>(entity.flockNeighbors.size());
    const Vector3 centre = sum * (1.0f / count);
    entity.steering += gain * turnRate * Normalize(centre - entity.position);
}

std::string cCohesionBehavior::GetName() const { return "Cohesion Behavior"; }

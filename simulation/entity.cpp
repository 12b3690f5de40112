#include "entity.h"

#include <algorithm>
#include <cmath>

#include "behavior.h"
#include "group.h"
#include "world.h"

bool operator<(const NeighborEntry& a, const NeighborEntry& b) {
    if (a.distance != b.distance) {
        return a.distance < b.distance;
    }
    return a.Entity().GetIdentity() < b.Entity().GetIdentity();
}

namespace {

// Insertion at the upper bound keeps the list sorted; an equal entry cannot
// occur since an entity is listed at most once.
void InsertNeighbor(std::vector<NeighborEntry>& list, NeighborEntry entry) {
    list.insert(std::upper_bound(list.begin(), list.end(), entry), entry);
}

void ClearAndRelease(std::vector<NeighborEntry>& list) { std::vector<NeighborEntry>().swap(list); }

}  // namespace

cEntity::cEntity(cWorld& world, std::uint32_t typeId, float perceptionRadius,
                 float maxAcceleration, float maxSpeed, float cruiseSpeed, float dampingX,
                 float dampingY, float dampingZ)
    : world(&world),
      typeId(typeId),
      avoidMask(~typeId),
      typeMask(typeId),
      perceptionRadius(perceptionRadius),
      maxAcceleration(maxAcceleration),
      maxSpeed(maxSpeed),
      cruiseSpeed(cruiseSpeed),
      velocityDamping{dampingX, dampingY, dampingZ} {}

cEntity::~cEntity() { EntityHandles::Release(handle_); }

void cEntity::AddBehavior(cBehavior* behavior) { InsertByIdentity(behaviors, behavior); }

bool cEntity::IsWithinPerception(const cEntity& other, float& distance) const {
    distance = Length(other.position - position);
    return distance < perceptionRadius;
}

void cEntity::FindFlockNeighbors() {
    if (group == nullptr) {
        return;
    }
    for (cEntity* member : group->members) {
        float distance;
        if (member != this && IsWithinPerception(*member, distance)) {
            InsertNeighbor(flockNeighbors, {distance, member->GetHandle()});
        }
    }
}

// A group is abandoned at its first member that fails the mask test: groups
// hold one type each, so the rest of such a group would fail too. This entity
// never passes its own test (typeId & ~typeId is zero), so its own group is
// skipped without a separate check.
void cEntity::FindForeignNeighbors() {
    for (cGroup* other : world->groups) {
        for (cEntity* member : other->members) {
            if ((member->typeMask & avoidMask) == 0) {
                break;
            }
            float distance;
            if (IsWithinPerception(*member, distance)) {
                InsertNeighbor(foreignNeighbors, {distance, member->GetHandle()});
            }
        }
    }
}

void cEntity::Update(float elapsed) {
    position = NextPosition(elapsed);

    if (!world->TakeIndexedNeighbors(*this)) {
        ClearAndRelease(flockNeighbors);
        ClearAndRelease(foreignNeighbors);
        FindFlockNeighbors();
        FindForeignNeighbors();
    }

    StepObservation* observation = world->ObservationFor(*this);
    if (observation != nullptr) {
        ApplyBehaviorsObserved(elapsed, *observation);
    } else {
        for (cBehavior* behavior : behaviors) {
            behavior->Apply(elapsed, *this);
        }
    }

    flockSumKnown = false;

    // Any steering the behaviours sum to, however large, ends up finite and
    // no longer than maxAcceleration, in its own direction.
    steering = ClampLength(steering, maxAcceleration);
    if (observation != nullptr) {
        observation->appliedSteering = steering;
    }
    velocity += steering;  // per step, not scaled by elapsed
    velocity.x *= velocityDamping.x;
    velocity.y *= velocityDamping.y;
    velocity.z *= velocityDamping.z;
    velocity = ClampLength(velocity, maxSpeed);

    const Vector3 direction = Normalize(velocity);
    const float yaw = std::atan2(direction.x, direction.z);
    const float pitch =
        std::atan2(-direction.y, std::sqrt(direction.x * direction.x + direction.z * direction.z));
    orientation = QuaternionFromYawPitchRoll(yaw, pitch, 0.0f);
}

// Each behaviour's share is the change it made to the steering; the
// behaviours run on the entity exactly as in an unobserved step.
void cEntity::ApplyBehaviorsObserved(float elapsed, StepObservation& observation) {
    observation.recorded = true;
    observation.carriedSteering = steering;
    observation.contributions.clear();
    for (cBehavior* behavior : behaviors) {
        const Vector3 before = steering;
        behavior->Apply(elapsed, *this);
        observation.contributions.push_back({behavior, steering - before});
    }
    observation.summedSteering = steering;
}

cPlayerEntity::cPlayerEntity(cWorld& world, std::uint32_t typeId)
    : cEntity(world, typeId, 100000.0f, 100000.0f, 1000.0f, 500.0f, 1.0f, 1.0f, 1.0f) {}

void cPlayerEntity::Update(float /*elapsed*/) {}


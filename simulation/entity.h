#pragma once

#include <cstdint>
#include <vector>

#include "entity_handle.h"
#include "identity.h"
#include "base/vector_math.h"

class cBehavior;
class cEntity;
class cGroup;
class cWorld;
class IDirect3DDevice9;
struct StepObservation;
namespace RenderLib {
struct CModelInstance;
}

// One entry of an entity's neighbour lists. Entries are ordered by distance
// and, at equal distance, by the neighbour's identity.
struct NeighborEntry {
    // Leaves the entry unset, so that a list grows without first clearing
    // the room that the search then writes over.
    NeighborEntry() {}
    NeighborEntry(float distance, EntityHandle entity) : distance(distance), entity(entity) {}

    // The neighbour. A list names the entities of the step that made it, so
    // it is read only while they all live.
    cEntity& Entity() const { return EntityHandles::Entity(entity); }

    float distance;
    EntityHandle entity;  // the neighbour's handle
};
bool operator<(const NeighborEntry& a, const NeighborEntry& b);

// One body of the simulation: a fish, or the passive entity standing for the
// player. Behaviours add to steering; Update turns steering into velocity,
// position and heading.
class cEntity {
public:
    // world must outlive the entity. The seven floats are perceptionRadius,
    // maxAcceleration, maxSpeed, cruiseSpeed and the per-axis velocity damping.
    cEntity(cWorld& world, std::uint32_t typeId, float perceptionRadius, float maxAcceleration,
            float maxSpeed, float cruiseSpeed, float dampingX, float dampingY, float dampingZ);
    virtual ~cEntity();

    // One simulation step of elapsed seconds (the eleven steps of the update).
    virtual void Update(float elapsed);
    // Poses the model instance at the entity (rotation by orientation, then
    // translation to position), sets it as the device's world transform and
    // lets the model draw itself. Does nothing when model is none.
    virtual void Render(IDirect3DDevice9* device);

    // Adds a shared behaviour (not owned). Kept in identity order; a behaviour
    // added twice is applied twice.
    void AddBehavior(cBehavior* behavior);
    // True for an entity whose Update neither moves it nor searches for
    // neighbours (the player entity). The indexed search relies on it to
    // predict where each entity will stand during a world step.
    virtual bool IsPassive() const { return false; }
    // Where the first line of Update puts the entity: position +
    // elapsed × velocity, with exactly that rounding.
    Vector3 NextPosition(float elapsed) const { return position + elapsed * velocity; }

    // Called by cGroup::AddEntity.
    void SetGroup(cGroup* newGroup) { group = newGroup; }

    // Always stores the distance to other; true when it is strictly below
    // perceptionRadius.
    bool IsWithinPerception(const cEntity& other, float& distance) const;
    void FindFlockNeighbors();
    void FindForeignNeighbors();

    Identity GetIdentity() const { return identity_; }
    EntityHandle GetHandle() const { return handle_; }

    cEntity(const cEntity&) = delete;
    cEntity& operator=(const cEntity&) = delete;

    cGroup* group = nullptr;              // not owned; set by the group that holds the entity
    std::vector<cBehavior*> behaviors;    // not owned; ascending identity
    cWorld* world;                        // not owned; never null
    std::uint32_t typeId;                 // this entity's type bits
    std::uint32_t avoidMask;              // types treated as foreign: ~typeId
    std::uint32_t typeMask;               // tested against other entities' avoidMask: typeId
    RenderLib::CModelInstance* model = nullptr;  // not owned; null means not drawn
    Vector3 position;                     // world units
    Vector3 velocity;                     // world units per second
    Quaternion orientation;               // heading derived from velocity each step
    Vector3 steering;                     // accumulated by behaviours, never reset
    float perceptionRadius;               // neighbours are strictly closer than this
    float maxAcceleration;                // bound on the length of steering
    float maxSpeed;                       // bound on the length of velocity
    float cruiseSpeed;                    // speed the cruising behaviour compares against
    Vector3 velocityDamping;              // per-axis factors applied every step
    // The neighbour lists. During a world step the search threads write an
    // entity's lists until its own step reaches the search, so only the
    // entity's own step may read them (and anything after the step).
    std::vector<NeighborEntry> flockNeighbors;    // own group, nearest first
    std::vector<NeighborEntry> foreignNeighbors;  // foreign types of all groups, nearest first
    // While the behaviours of a step run: when flockSumKnown, flockSum is the
    // sum of the flock neighbours' positions, added in list order, which the
    // indexed search computed with the lists (on whichever thread made them).
    Vector3 flockSum;
    bool flockSumKnown = false;

private:
    // The behaviours' part of Update for the entity the world observes.
    void ApplyBehaviorsObserved(float elapsed, StepObservation& observation);

    const Identity identity_ = NextIdentity();
    const EntityHandle handle_ = EntityHandles::Acquire(*this);
};

// The entity standing for the player: passive, moved only by the player link
// (CopyPlayerPosition), never drawn.
class cPlayerEntity : public cEntity {
public:
    cPlayerEntity(cWorld& world, std::uint32_t typeId);
    void Update(float elapsed) override;
    void Render(IDirect3DDevice9* device) override;
    bool IsPassive() const override { return true; }
};

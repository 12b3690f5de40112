#pragma once

#include <cstdint>
#include <vector>

class cEntity;

// A 32-bit name for a living entity. Neighbour lists hold one per neighbour
// instead of a pointer: at a hundred thousand fish the lists are gigabytes,
// rewritten every step, and half-size entries halve them.
using EntityHandle = std::uint32_t;

// The living entities of the process, by handle. An entity takes a handle
// when it is made and gives it back when it is deleted; a handle given back
// is handed out again. Like identities, handles are given out on the one
// thread that makes and deletes entities; Entity may be called from any
// thread while none is made or deleted.
class EntityHandles {
public:
    static EntityHandle Acquire(cEntity& entity);
    static void Release(EntityHandle handle);
    // The entity holding handle, which must be living.
    static cEntity& Entity(EntityHandle handle) { return *table_[handle]; }

private:
    // Constant-initialised, so they outlive every entity, even static ones.
    static inline std::vector<cEntity*> table_;  // null where the handle is free
    static inline std::vector<EntityHandle> free_;
};

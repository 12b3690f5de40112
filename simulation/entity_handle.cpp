#include "entity_handle.h"

#include <cstdint>
#include <stdexcept>

EntityHandle EntityHandles::Acquire(cEntity& entity) {
    if (!free_.empty()) {
        const EntityHandle handle = free_.back();
        free_.pop_back();
        table_[handle] = &entity;
        return handle;
    }
    if (table_.size() >= UINT32_MAX) {
        throw std::length_error("more living entities than 32-bit handles can name");
    }
    table_.push_back(&entity);
    // Release must not fail, since it runs in destructors: room for every
    // handle to come back is made now, and an entity that cannot have it is
    // not made.
    try {
        free_.reserve(table_.capacity());
    } catch (...) {
        table_.pop_back();
        throw;
    }
    return static_cast<EntityHandle>(table_.size() - 1);
}

void EntityHandles::Release(EntityHandle handle) {
    table_[handle] = nullptr;
    free_.push_back(handle);
}

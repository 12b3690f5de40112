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
    // Release must not fail: it runs in destructors.
    free_.reserve(table_.capacity());
    return static_cast<EntityHandle>(table_.size() - 1);
}

void EntityHandles::Release(EntityHandle handle) {
    table_[handle] = nullptr;
    free_.push_back(handle);
}

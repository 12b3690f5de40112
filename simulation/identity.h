#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// Object identity for the orders the simulation keeps (an entity's behaviours,
// a group's members, the world's groups, ties between equally distant
// neighbours). Identity is the creation order of the object, a fixed total
// order like the objects' addresses but one that does not depend on where the
// allocator puts them, so the same flock steps the same way in every build.
using Identity = std::uint64_t;

// A new identity, greater than every one handed out before.
Identity NextIdentity();

// Inserts item after every element whose identity is lower or equal (the upper
// bound), so the sequence stays in ascending identity order and an item added
// twice is held twice.
template <class T>
void InsertByIdentity(std::vector<T*>& sequence, T* item) {
    const auto position =
        std::upper_bound(sequence.begin(), sequence.end(), item,
                         [](const T* a, const T* b) { return a->GetIdentity() < b->GetIdentity(); });
    sequence.insert(position, item);
}

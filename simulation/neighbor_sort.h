#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Neighbour keys: a 64-bit key per listed neighbour, the bit pattern of its
// distance in the upper 32 bits and its identity rank (its place in identity
// order) in the lower 32. Listed distances are finite and not negative, and
// the bit patterns of such floats order as the floats do, so ascending keys
// are exactly the neighbour-list order: distance first, then identity.
inline std::uint64_t NeighborKey(std::uint32_t distanceBits, std::uint32_t rank) {
    return static_cast<std::uint64_t>(distanceBits) << 32 | rank;
}

// The buffer of SortNeighborKeys, kept by each sorting thread so that a sort
// allocates nothing once it has grown.
struct NeighborSortScratch {
    std::vector<std::uint64_t> keys;
};

// Sorts keys ascending and returns them. Short lists are sorted by
// insertion. Longer ones get a least-significant-digit radix sort, two passes
// of 8 bits, on the 16 leading bits of each distance's offset from the
// smallest one (offsets of bit patterns: they order as the distances do);
// that leaves only keys with equal leading bits out of order, and each such
// run is then sorted on the whole key. No input is quadratic.
std::span<const std::uint64_t> SortNeighborKeys(std::span<std::uint64_t> keys,
                                                NeighborSortScratch& scratch);

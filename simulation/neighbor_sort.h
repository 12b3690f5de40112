#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Neighbour keys: a 64-bit key per candidate neighbour, the bit pattern of
// its squared distance in the upper 32 bits and a number naming it in the
// lower 32. Listed squares are finite and not negative, and the bit patterns
// of such floats order as the floats do, so ascending keys put the
// neighbours in distance order; the search then settles the order of those
// at equal distances.
inline std::uint64_t NeighborKey(std::uint32_t squareBits, std::uint32_t candidate) {
    return static_cast<std::uint64_t>(squareBits) << 32 | candidate;
}

// The buffer of SortNeighborKeys, kept by each sorting thread so that a sort
// allocates nothing once it has grown.
struct NeighborSortScratch {
    std::vector<std::uint64_t> keys;
};

// Sorts keys ascending and returns them. Short lists are sorted by
// insertion. Longer ones get a least-significant-digit radix sort, two passes
// of 8 bits, on the 16 leading bits of each square's offset from the
// smallest one (offsets of bit patterns: they order as the squares do);
// that leaves only keys with equal leading bits out of order, and one
// insertion pass over the whole keys then sorts them, or a comparison sort
// when it would move more than a few keys per key. No input is quadratic.
std::span<std::uint64_t> SortNeighborKeys(std::span<std::uint64_t> keys,
                                          NeighborSortScratch& scratch);

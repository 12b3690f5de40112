#pragma once

#include <cstdint>
#include <vector>

// Neighbour keys: a 64-bit key per listed neighbour, the bit pattern of its
// distance in the upper 32 bits and its identity rank (its place in identity
// order) in the lower 32. Listed distances are finite and not negative, and
// the bit patterns of such floats order as the floats do, so ascending keys
// are exactly the neighbour-list order: distance first, then identity.
inline std::uint64_t NeighborKey(std::uint32_t distanceBits, std::uint32_t rank) {
    return static_cast<std::uint64_t>(distanceBits) << 32 | rank;
}

// Sorts keys ascending, using scratch as a buffer of the same size. Short
// lists are sorted by insertion. Longer ones get a least-significant-digit
// radix sort, two passes of 8 bits, on the 16 leading bits of each distance's
// offset from the smallest one (offsets of bit patterns: they order as the
// distances do); that leaves only keys with equal leading bits out of order,
// and each such run is then sorted on the whole key. No allocation once the
// scratch has grown; no input is quadratic.
void SortNeighborKeys(std::vector<std::uint64_t>& keys, std::vector<std::uint64_t>& scratch);

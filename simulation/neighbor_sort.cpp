#include "neighbor_sort.h"

#include <algorithm>
#include <bit>

namespace {

// Lists this short are sorted by insertion alone.
constexpr std::size_t kInsertionLimit = 24;
// The final insertion pass may move this many keys per key; inputs with many
// equal leading bits (many equal squares) are finished by a comparison sort.
constexpr std::size_t kMovesPerKey = 4;
constexpr int kSortedBits = 16;  // two radix passes of 8 bits

void InsertionSort(std::uint64_t* first, std::uint64_t* last) {
    for (std::uint64_t* i = first + 1; i < last; ++i) {
        const std::uint64_t key = *i;
        std::uint64_t* j = i;
        for (; j > first && key < j[-1]; --j) {
            *j = j[-1];
        }
        *j = key;
    }
}

std::uint32_t SquareBits(std::uint64_t key) {
    return static_cast<std::uint32_t>(key >> 32);
}

}  // namespace

std::span<std::uint64_t> SortNeighborKeys(std::span<std::uint64_t> keys,
                                          NeighborSortScratch& scratch) {
    const std::size_t count = keys.size();
    if (count <= kInsertionLimit) {
        InsertionSort(keys.data(), keys.data() + count);
        return keys;
    }
    std::uint32_t lowest = UINT32_MAX;
    std::uint32_t highest = 0;
    for (const std::uint64_t key : keys) {
        lowest = std::min(lowest, SquareBits(key));
        highest = std::max(highest, SquareBits(key));
    }
    const int spanBits = 32 - std::countl_zero(highest - lowest);
    const int shift = std::max(spanBits - kSortedBits, 0);
    auto leading = [lowest, shift](std::uint64_t key) {
        return (SquareBits(key) - lowest) >> shift;
    };

    std::uint32_t low[257] = {};
    std::uint32_t high[257] = {};
    for (const std::uint64_t key : keys) {
        const std::uint32_t digits = leading(key);
        ++low[(digits & 255) + 1];
        ++high[(digits >> 8) + 1];
    }
    for (int digit = 0; digit < 256; ++digit) {
        low[digit + 1] += low[digit];
        high[digit + 1] += high[digit];
    }
    if (scratch.keys.size() < count) {
        scratch.keys.resize(count);
    }
    std::uint64_t* buffer = scratch.keys.data();
    for (const std::uint64_t key : keys) {
        buffer[low[leading(key) & 255]++] = key;
    }
    for (std::size_t k = 0; k < count; ++k) {
        keys[high[leading(buffer[k]) >> 8]++] = buffer[k];
    }

    // Keys with equal leading bits are still in input order. One insertion
    // pass sorts them, with a bound on its work: past it a comparison sort
    // finishes instead.
    std::size_t moved = 0;
    for (std::size_t i = 1; i < count; ++i) {
        const std::uint64_t key = keys[i];
        if (key >= keys[i - 1]) {
            continue;
        }
        std::size_t j = i;
        do {
            keys[j] = keys[j - 1];
            --j;
            ++moved;
        } while (j > 0 && key < keys[j - 1]);
        keys[j] = key;
        if (moved > kMovesPerKey * count) {
            std::sort(keys.begin(), keys.end());
            break;
        }
    }
    return keys;
}

#include "neighbor_sort.h"

#include <algorithm>
#include <bit>

namespace {

// Lists this short, and runs of equal leading bits this short, are sorted by
// insertion; longer runs (many equal distances) by a comparison sort.
constexpr std::size_t kInsertionLimit = 24;
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

void SortRun(std::uint64_t* first, std::uint64_t* last) {
    if (static_cast<std::size_t>(last - first) <= kInsertionLimit) {
        InsertionSort(first, last);
    } else {
        std::sort(first, last);
    }
}

std::uint32_t DistanceBits(std::uint64_t key) {
    return static_cast<std::uint32_t>(key >> 32);
}

}  // namespace

std::span<const std::uint64_t> SortNeighborKeys(std::span<std::uint64_t> keys,
                                                NeighborSortScratch& scratch) {
    const std::size_t count = keys.size();
    if (count <= kInsertionLimit) {
        InsertionSort(keys.data(), keys.data() + count);
        return keys;
    }
    std::uint32_t lowest = UINT32_MAX;
    std::uint32_t highest = 0;
    for (const std::uint64_t key : keys) {
        lowest = std::min(lowest, DistanceBits(key));
        highest = std::max(highest, DistanceBits(key));
    }
    const int spanBits = 32 - std::countl_zero(highest - lowest);
    const int shift = std::max(spanBits - kSortedBits, 0);
    auto leading = [lowest, shift](std::uint64_t key) {
        return (DistanceBits(key) - lowest) >> shift;
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

    std::size_t runStart = 0;
    for (std::size_t i = 1; i <= count; ++i) {
        if (i == count || leading(keys[i]) != leading(keys[runStart])) {
            if (i - runStart > 1) {
                SortRun(keys.data() + runStart, keys.data() + i);
            }
            runStart = i;
        }
    }
    return keys;
}

#include "platform/gfx/opengl/draw_validation.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

std::uint32_t IndexAt(const std::uint8_t* bytes, UINT indexSize, std::uint64_t position) {
    if (indexSize == 2) {
        std::uint16_t index;
        std::memcpy(&index, bytes + position * 2, sizeof index);
        return index;
    }
    std::uint32_t index;
    std::memcpy(&index, bytes + position * 4, sizeof index);
    return index;
}

}  // namespace

bool VerticesFit(const VertexStream& stream, std::int64_t first, std::uint64_t count) {
    if (count == 0) {
        return true;
    }
    if (first < 0 || stream.stride == 0 || stream.vertexSize > stream.stride) {
        return false;
    }
    const std::uint64_t last = static_cast<std::uint64_t>(first) + count - 1;
    if (last > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    const std::uint64_t end =
        std::uint64_t{stream.offset} + last * stream.stride + stream.vertexSize;
    return end <= stream.bufferSize;
}

std::optional<IndexRange> IndexRangeOf(const std::vector<std::uint8_t>& indexBytes, UINT indexSize,
                                       UINT startIndex, std::uint64_t count) {
    if ((indexSize != 2 && indexSize != 4) || count == 0) {
        return std::nullopt;
    }
    const std::uint64_t endIndex = std::uint64_t{startIndex} + count;
    if (endIndex * indexSize > indexBytes.size()) {
        return std::nullopt;
    }
    IndexRange range{std::numeric_limits<std::uint32_t>::max(), 0};
    for (std::uint64_t position = startIndex; position < endIndex; ++position) {
        const std::uint32_t index = IndexAt(indexBytes.data(), indexSize, position);
        range.lowest = std::min(range.lowest, index);
        range.highest = std::max(range.highest, index);
    }
    return range;
}

bool IndexRangeFits(const IndexRange& range, std::int32_t baseVertex, const VertexStream& stream) {
    const std::int64_t first = std::int64_t{baseVertex} + range.lowest;
    return VerticesFit(stream, first, std::uint64_t{range.highest} - range.lowest + 1);
}

bool IndicesFit(const std::vector<std::uint8_t>& indexBytes, UINT indexSize, UINT startIndex,
                std::uint64_t count, std::int32_t baseVertex, const VertexStream& stream) {
    if (count == 0) {
        return true;
    }
    const std::optional<IndexRange> range = IndexRangeOf(indexBytes, indexSize, startIndex, count);
    return range.has_value() && IndexRangeFits(*range, baseVertex, stream);
}

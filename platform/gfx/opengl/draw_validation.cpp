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

bool IndicesFit(const std::vector<std::uint8_t>& indexBytes, UINT indexSize, UINT startIndex,
                std::uint64_t count, std::int32_t baseVertex, const VertexStream& stream) {
    if (count == 0) {
        return true;
    }
    if (indexSize != 2 && indexSize != 4) {
        return false;
    }
    const std::uint64_t endIndex = std::uint64_t{startIndex} + count;
    if (endIndex * indexSize > indexBytes.size()) {
        return false;
    }
    std::uint32_t lowest = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t highest = 0;
    for (std::uint64_t position = startIndex; position < endIndex; ++position) {
        const std::uint32_t index = IndexAt(indexBytes.data(), indexSize, position);
        lowest = std::min(lowest, index);
        highest = std::max(highest, index);
    }
    const std::int64_t first = std::int64_t{baseVertex} + lowest;
    return VerticesFit(stream, first, std::uint64_t{highest} - lowest + 1);
}

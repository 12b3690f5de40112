#pragma once

// Bounds checks that keep every draw inside its buffers: OpenGL does not
// promise what an out-of-range vertex fetch does, so the device refuses such
// a draw with D3DERR_INVALIDCALL instead of issuing it. All arithmetic is in
// 64 bits, so no count or offset can wrap.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gfx/d3d9_types.h"

struct VertexStream {
    UINT bufferSize = 0;  // bytes
    UINT offset = 0;      // bytes to vertex 0
    UINT stride = 0;      // bytes between vertices
    UINT vertexSize = 0;  // bytes the vertex format reads from each vertex
};

// True when vertices [first, first + count) lie wholly inside the buffer.
bool VerticesFit(const VertexStream& stream, std::int64_t first, std::uint64_t count);

// The smallest and the largest index of a run of indices.
struct IndexRange {
    std::uint32_t lowest = 0;
    std::uint32_t highest = 0;
};

// The range of indices [startIndex, startIndex + count), count ≥ 1 (bytes
// of indexSize 2 or 4); nullopt when they run past the index bytes or the
// size is neither.
std::optional<IndexRange> IndexRangeOf(const std::vector<std::uint8_t>& indexBytes, UINT indexSize,
                                       UINT startIndex, std::uint64_t count);

// True when every vertex from range.lowest to range.highest, after adding
// baseVertex, lies wholly inside the stream.
bool IndexRangeFits(const IndexRange& range, std::int32_t baseVertex, const VertexStream& stream);

// True when indices [startIndex, startIndex + count) lie inside the index
// bytes (indexSize 2 or 4) and every vertex they name, after adding
// baseVertex, lies wholly inside the stream.
bool IndicesFit(const std::vector<std::uint8_t>& indexBytes, UINT indexSize, UINT startIndex,
                std::uint64_t count, std::int32_t baseVertex, const VertexStream& stream);

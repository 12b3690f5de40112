#pragma once

// Where each field of a flexible-vertex-format vertex lies: the fields come in
// the fixed order position, normal, point size, diffuse, specular, texture
// coordinate sets, packed without padding.

#include <array>

#include "platform/gfx/d3d9_types.h"

struct VertexLayout {
    static constexpr int kMaxTexCoordSets = 8;
    static constexpr int kAbsent = -1;

    bool valid = false;           // false: a position type this backend does not draw (only XYZ)
    UINT size = 0;                // bytes of one vertex
    int normalOffset = kAbsent;   // bytes from the vertex start, or kAbsent
    int diffuseOffset = kAbsent;  // a D3DCOLOR, bytes B, G, R, A
    int texCoordSets = 0;
    std::array<int, kMaxTexCoordSets> texCoordOffsets{};
    std::array<int, kMaxTexCoordSets> texCoordComponents{};  // floats per set, 1 to 4
};

// The layout of vertexFormat. The position (three floats at offset 0) is the
// only position type accepted; others give valid = false with the size still
// computed.
VertexLayout LayoutOfVertexFormat(DWORD vertexFormat);

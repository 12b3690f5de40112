#include "platform/gfx/vertex_layout.h"

namespace {

constexpr DWORD kPointSize = 0x020;  // D3DFVF_PSIZE

// Bytes of the position field for each position type (bits 1 to 3 and 14).
UINT PositionSize(DWORD positionType) {
    switch (positionType) {
        case 0x002:  // XYZ
            return 12;
        case 0x004:   // XYZRHW
        case 0x4002:  // XYZW
            return 16;
        case 0x006:  // XYZB1 to XYZB5
            return 16;
        case 0x008:
            return 20;
        case 0x00A:
            return 24;
        case 0x00C:
            return 28;
        case 0x00E:
            return 32;
        default:
            return 0;
    }
}

// Floats in texture coordinate set n: two bits per set from bit 16;
// 0 means two floats, 1 three, 2 four, 3 one.
int TexCoordComponents(DWORD vertexFormat, int set) {
    static constexpr int kComponents[4] = {2, 3, 4, 1};
    return kComponents[(vertexFormat >> (16 + 2 * set)) & 0x3];
}

}  // namespace

VertexLayout LayoutOfVertexFormat(DWORD vertexFormat) {
    VertexLayout layout;
    const DWORD positionType = vertexFormat & D3DFVF_POSITION_MASK;
    UINT offset = PositionSize(positionType);
    layout.valid = positionType == D3DFVF_XYZ;
    if ((vertexFormat & D3DFVF_NORMAL) != 0) {
        layout.normalOffset = static_cast<int>(offset);
        offset += 12;
    }
    if ((vertexFormat & kPointSize) != 0) {
        offset += 4;
    }
    if ((vertexFormat & D3DFVF_DIFFUSE) != 0) {
        layout.diffuseOffset = static_cast<int>(offset);
        offset += 4;
    }
    if ((vertexFormat & D3DFVF_SPECULAR) != 0) {
        offset += 4;
    }
    const DWORD sets = (vertexFormat & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (sets > VertexLayout::kMaxTexCoordSets) {
        layout.valid = false;
        return layout;
    }
    layout.texCoordSets = static_cast<int>(sets);
    for (int set = 0; set < layout.texCoordSets; ++set) {
        layout.texCoordOffsets[set] = static_cast<int>(offset);
        layout.texCoordComponents[set] = TexCoordComponents(vertexFormat, set);
        offset += 4 * static_cast<UINT>(layout.texCoordComponents[set]);
    }
    layout.size = offset;
    return layout;
}

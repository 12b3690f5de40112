#include "platform/d3dx/fvf_layout.h"

namespace {
// Every bit a format may carry here: position, normal, point size, colours,
// texture count and the texture size selectors.
constexpr DWORD kKnownBits = D3DFVF_POSITION_MASK | D3DFVF_NORMAL | D3DFVF_DIFFUSE |
                             D3DFVF_SPECULAR | D3DFVF_TEXCOUNT_MASK | 0xFFFF0000u;

int TextureBytes(DWORD vertexFormat, int set) {
    switch ((vertexFormat >> (set * 2 + 16)) & 3u) {
        case D3DFVF_TEXTUREFORMAT1:
            return 4;
        case D3DFVF_TEXTUREFORMAT3:
            return 12;
        case D3DFVF_TEXTUREFORMAT4:
            return 16;
        default:
            return 8;
    }
}
}  // namespace

FvfLayout FvfLayout::Of(DWORD vertexFormat) {
    FvfLayout layout;
    const DWORD positionType = vertexFormat & D3DFVF_POSITION_MASK;
    if ((vertexFormat & ~kKnownBits) != 0 ||
        (positionType != D3DFVF_XYZ && positionType != D3DFVF_XYZRHW)) {
        return layout;
    }
    int offset = 0;
    layout.position = 0;
    layout.positionBytes = positionType == D3DFVF_XYZ ? 12 : 16;
    offset += layout.positionBytes;
    if ((vertexFormat & D3DFVF_NORMAL) != 0) {
        layout.normal = offset;
        offset += 12;
    }
    if ((vertexFormat & D3DFVF_DIFFUSE) != 0) {
        layout.diffuse = offset;
        offset += 4;
    }
    if ((vertexFormat & D3DFVF_SPECULAR) != 0) {
        layout.specular = offset;
        offset += 4;
    }
    layout.textureSets =
        static_cast<int>((vertexFormat & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
    if (layout.textureSets > kMaxTextureSets) {
        return FvfLayout{};
    }
    for (int set = 0; set < layout.textureSets; ++set) {
        layout.texture[set] = offset;
        layout.textureBytes[set] = TextureBytes(vertexFormat, set);
        offset += layout.textureBytes[set];
    }
    layout.stride = static_cast<UINT>(offset);
    layout.valid = true;
    return layout;
}

UINT D3DXGetFVFVertexSize(DWORD vertexFormat) {
    return FvfLayout::Of(vertexFormat).stride;
}

#pragma once

// Where each field of a flexible-vertex-format vertex lies. Fields follow one
// another in the order position, normal, diffuse, specular, texture sets.

#include <cstdint>

#include "platform/gfx/d3d9_types.h"

// Size selectors of texture-coordinate set i (two bits from bit 16 + 2i).
constexpr DWORD D3DFVF_TEXTUREFORMAT1 = 3;
constexpr DWORD D3DFVF_TEXTUREFORMAT2 = 0;
constexpr DWORD D3DFVF_TEXTUREFORMAT3 = 1;
constexpr DWORD D3DFVF_TEXTUREFORMAT4 = 2;
constexpr DWORD D3DFVF_TEXCOORDSIZE1(int set) {
    return D3DFVF_TEXTUREFORMAT1 << (set * 2 + 16);
}
constexpr DWORD D3DFVF_TEXCOORDSIZE3(int set) {
    return D3DFVF_TEXTUREFORMAT3 << (set * 2 + 16);
}
constexpr DWORD D3DFVF_TEXCOORDSIZE4(int set) {
    return D3DFVF_TEXTUREFORMAT4 << (set * 2 + 16);
}

constexpr int kMaxTextureSets = 8;

struct FvfLayout {
    static constexpr int kAbsent = -1;

    bool valid = false;  // the format has a position this layer understands (XYZ or XYZRHW)
    UINT stride = 0;     // bytes per vertex
    int position = kAbsent;
    int positionBytes = 0;  // 12 for XYZ, 16 for XYZRHW
    int normal = kAbsent;
    int diffuse = kAbsent;
    int specular = kAbsent;
    int textureSets = 0;
    int texture[kMaxTextureSets] = {kAbsent, kAbsent, kAbsent, kAbsent,
                                    kAbsent, kAbsent, kAbsent, kAbsent};
    int textureBytes[kMaxTextureSets] = {};  // 4 to 16

    // The layout of vertexFormat; valid is false for formats with blend
    // weights, other position types or bits this layer does not know.
    static FvfLayout Of(DWORD vertexFormat);
};

// Bytes per vertex of vertexFormat, 0 when the format is not understood.
UINT D3DXGetFVFVertexSize(DWORD vertexFormat);

#pragma once

// How a mesh's vertices hang on a skeleton: per bone a name, an offset
// matrix (mesh space to the bone's space at bind time) and the vertices it
// moves with their weights. UpdateSkinnedMesh blends on the CPU.
//
// Invariant: every influence names a vertex below the vertex count given at
// creation; SetBoneInfluence refuses anything else.

#include <string>
#include <vector>

#include "platform/d3dx/d3dx_math.h"
#include "platform/d3dx/fvf_layout.h"
#include "platform/gfx/d3d9.h"

class ID3DXSkinInfo : public IUnknown {
public:
    DWORD GetNumBones() const { return static_cast<DWORD>(bones_.size()); }
    DWORD GetNumVertices() const { return vertexCount_; }
    DWORD GetFVF() const { return vertexFormat_; }
    // The format of the vertices UpdateSkinnedMesh reads and writes;
    // D3DERR_INVALIDCALL for a format without a position this layer knows.
    HRESULT SetFVF(DWORD vertexFormat);

    // Null for a bone that does not exist or has no name.
    const char* GetBoneName(DWORD bone) const;
    HRESULT SetBoneName(DWORD bone, const char* name);
    // Null for a bone that does not exist.
    const D3DXMATRIX* GetBoneOffsetMatrix(DWORD bone) const;
    HRESULT SetBoneOffsetMatrix(DWORD bone, const D3DXMATRIX* offset);

    // Replaces the influences of bone: count vertices with their weights.
    // D3DERR_INVALIDCALL when a vertex is out of range or an array is null.
    HRESULT SetBoneInfluence(DWORD bone, DWORD count, const DWORD* vertices, const float* weights);
    DWORD GetNumBoneInfluences(DWORD bone) const;
    // Copies the influences of bone into arrays of GetNumBoneInfluences entries.
    HRESULT GetBoneInfluence(DWORD bone, DWORD* vertices, float* weights) const;

    // Writes every vertex of destination from source (both in the skin's
    // format, GetNumVertices() vertices each): position = sum over bones of
    // weight × (position × boneTransforms[bone]), normal likewise with the
    // bone's 3×3 part (or boneInvTransposeTransforms[bone] when given), not
    // renormalised. A vertex no bone moves keeps its source position and
    // normal; the other fields are copied. boneTransforms holds
    // GetNumBones() matrices.
    HRESULT UpdateSkinnedMesh(const D3DXMATRIX* boneTransforms,
                              const D3DXMATRIX* boneInvTransposeTransforms, const void* source,
                              void* destination) const;

private:
    friend HRESULT D3DXCreateSkinInfoFVF(DWORD, DWORD, DWORD, ID3DXSkinInfo**);

    struct Bone {
        std::string name;
        bool named = false;
        D3DXMATRIX offset;
        std::vector<DWORD> vertices;
        std::vector<float> weights;
    };

    ID3DXSkinInfo() = default;
    ~ID3DXSkinInfo() override = default;

    DWORD vertexCount_ = 0;
    DWORD vertexFormat_ = 0;
    FvfLayout layout_;
    std::vector<Bone> bones_;
};

// A skin of boneCount unnamed bones with identity offsets and no influences
// over vertexCount vertices in vertexFormat.
HRESULT D3DXCreateSkinInfoFVF(DWORD vertexCount, DWORD vertexFormat, DWORD boneCount,
                              ID3DXSkinInfo** skinInfo);

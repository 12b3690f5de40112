#include "platform/d3dx/d3dx_skin_info.h"

#include <cstring>

namespace {
Vector3 ReadVector(const std::uint8_t* vertex, int offset) {
    Vector3 v;
    std::memcpy(&v, vertex + offset, sizeof v);
    return v;
}

void WriteVector(std::uint8_t* vertex, int offset, const Vector3& v) {
    std::memcpy(vertex + offset, &v, sizeof v);
}
}  // namespace

HRESULT D3DXCreateSkinInfoFVF(DWORD vertexCount, DWORD vertexFormat, DWORD boneCount,
                              ID3DXSkinInfo** skinInfo) {
    if (skinInfo == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *skinInfo = nullptr;
    auto* created = new ID3DXSkinInfo();
    created->vertexCount_ = vertexCount;
    created->bones_.resize(boneCount);
    if (FAILED(created->SetFVF(vertexFormat))) {
        created->Release();
        return D3DERR_INVALIDCALL;
    }
    *skinInfo = created;
    return D3D_OK;
}

HRESULT ID3DXSkinInfo::SetFVF(DWORD vertexFormat) {
    const FvfLayout layout = FvfLayout::Of(vertexFormat);
    if (!layout.valid) {
        return D3DERR_INVALIDCALL;
    }
    vertexFormat_ = vertexFormat;
    layout_ = layout;
    return D3D_OK;
}

const char* ID3DXSkinInfo::GetBoneName(DWORD bone) const {
    if (bone >= bones_.size() || !bones_[bone].named) {
        return nullptr;
    }
    return bones_[bone].name.c_str();
}

HRESULT ID3DXSkinInfo::SetBoneName(DWORD bone, const char* name) {
    if (bone >= bones_.size() || name == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    bones_[bone].name = name;
    bones_[bone].named = true;
    return D3D_OK;
}

const D3DXMATRIX* ID3DXSkinInfo::GetBoneOffsetMatrix(DWORD bone) const {
    return bone < bones_.size() ? &bones_[bone].offset : nullptr;
}

HRESULT ID3DXSkinInfo::SetBoneOffsetMatrix(DWORD bone, const D3DXMATRIX* offset) {
    if (bone >= bones_.size() || offset == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    bones_[bone].offset = *offset;
    return D3D_OK;
}

HRESULT ID3DXSkinInfo::SetBoneInfluence(DWORD bone, DWORD count, const DWORD* vertices,
                                        const float* weights) {
    if (bone >= bones_.size() || (count != 0 && (vertices == nullptr || weights == nullptr))) {
        return D3DERR_INVALIDCALL;
    }
    for (DWORD i = 0; i < count; ++i) {
        if (vertices[i] >= vertexCount_) {
            return D3DERR_INVALIDCALL;
        }
    }
    bones_[bone].vertices.assign(vertices, vertices + count);
    bones_[bone].weights.assign(weights, weights + count);
    return D3D_OK;
}

DWORD ID3DXSkinInfo::GetNumBoneInfluences(DWORD bone) const {
    return bone < bones_.size() ? static_cast<DWORD>(bones_[bone].vertices.size()) : 0;
}

HRESULT ID3DXSkinInfo::GetBoneInfluence(DWORD bone, DWORD* vertices, float* weights) const {
    if (bone >= bones_.size() || vertices == nullptr || weights == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const Bone& b = bones_[bone];
    std::memcpy(vertices, b.vertices.data(), b.vertices.size() * sizeof(DWORD));
    std::memcpy(weights, b.weights.data(), b.weights.size() * sizeof(float));
    return D3D_OK;
}

HRESULT ID3DXSkinInfo::UpdateSkinnedMesh(const D3DXMATRIX* boneTransforms,
                                         const D3DXMATRIX* boneInvTransposeTransforms,
                                         const void* source, void* destination) const {
    if (boneTransforms == nullptr || source == nullptr || destination == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const auto* from = static_cast<const std::uint8_t*>(source);
    auto* to = static_cast<std::uint8_t*>(destination);
    const std::size_t stride = layout_.stride;
    std::memcpy(to, from, std::size_t{vertexCount_} * stride);

    // First pass: clear what the bones will sum into, for moved vertices only.
    std::vector<bool> moved(vertexCount_, false);
    for (const Bone& bone : bones_) {
        for (DWORD v : bone.vertices) {
            if (!moved[v]) {
                moved[v] = true;
                WriteVector(to + v * stride, layout_.position, Vector3{});
                if (layout_.normal != FvfLayout::kAbsent) {
                    WriteVector(to + v * stride, layout_.normal, Vector3{});
                }
            }
        }
    }
    for (std::size_t b = 0; b < bones_.size(); ++b) {
        const Bone& bone = bones_[b];
        const D3DXMATRIX& matrix = boneTransforms[b];
        const D3DXMATRIX& normalMatrix =
            boneInvTransposeTransforms != nullptr ? boneInvTransposeTransforms[b] : matrix;
        for (std::size_t i = 0; i < bone.vertices.size(); ++i) {
            const std::size_t at = bone.vertices[i] * stride;
            const float weight = bone.weights[i];
            Vector3 p = ReadVector(from + at, layout_.position);
            p = {
                p.x * matrix.m[0][0] + p.y * matrix.m[1][0] + p.z * matrix.m[2][0] + matrix.m[3][0],
                p.x * matrix.m[0][1] + p.y * matrix.m[1][1] + p.z * matrix.m[2][1] + matrix.m[3][1],
                p.x * matrix.m[0][2] + p.y * matrix.m[1][2] + p.z * matrix.m[2][2] +
                    matrix.m[3][2]};
            WriteVector(to + at, layout_.position,
                        ReadVector(to + at, layout_.position) + p * weight);
            if (layout_.normal != FvfLayout::kAbsent) {
                Vector3 n = ReadVector(from + at, layout_.normal);
                D3DXVec3TransformNormal(&n, &n, &normalMatrix);
                WriteVector(to + at, layout_.normal,
                            ReadVector(to + at, layout_.normal) + n * weight);
            }
        }
    }
    return D3D_OK;
}

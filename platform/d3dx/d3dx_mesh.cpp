#include "platform/d3dx/d3dx_mesh.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "platform/d3dx/d3dx_math.h"

namespace {
D3DPOOL PoolOf(DWORD options, DWORD systemBit, DWORD managedBit) {
    if ((options & systemBit) != 0) {
        return D3DPOOL_SYSTEMMEM;
    }
    return (options & managedBit) != 0 ? D3DPOOL_MANAGED : D3DPOOL_DEFAULT;
}

bool Is32Bit(DWORD options) {
    return (options & D3DXMESH_32BIT) != 0;
}

std::uint32_t ReadIndex(const void* indices, bool wide, std::size_t i) {
    if (wide) {
        std::uint32_t value;
        std::memcpy(&value, static_cast<const std::uint8_t*>(indices) + i * 4, 4);
        return value;
    }
    std::uint16_t value;
    std::memcpy(&value, static_cast<const std::uint8_t*>(indices) + i * 2, 2);
    return value;
}

void WriteIndex(void* indices, bool wide, std::size_t i, std::uint32_t value) {
    if (wide) {
        std::memcpy(static_cast<std::uint8_t*>(indices) + i * 4, &value, 4);
    } else {
        const auto narrow = static_cast<std::uint16_t>(value);
        std::memcpy(static_cast<std::uint8_t*>(indices) + i * 2, &narrow, 2);
    }
}

// Copies one field between layouts, or zeroes it when the source lacks it.
void CopyField(std::uint8_t* to, int toOffset, int toBytes, const std::uint8_t* from,
               int fromOffset, int fromBytes) {
    if (toOffset == FvfLayout::kAbsent) {
        return;
    }
    std::memset(to + toOffset, 0, static_cast<std::size_t>(toBytes));
    if (fromOffset != FvfLayout::kAbsent) {
        std::memcpy(to + toOffset, from + fromOffset,
                    static_cast<std::size_t>(std::min(toBytes, fromBytes)));
    }
}

void ConvertVertex(std::uint8_t* to, const FvfLayout& toLayout, const std::uint8_t* from,
                   const FvfLayout& fromLayout) {
    CopyField(to, toLayout.position, toLayout.positionBytes, from, fromLayout.position,
              fromLayout.positionBytes);
    CopyField(to, toLayout.normal, 12, from, fromLayout.normal, 12);
    CopyField(to, toLayout.diffuse, 4, from, fromLayout.diffuse, 4);
    CopyField(to, toLayout.specular, 4, from, fromLayout.specular, 4);
    for (int set = 0; set < toLayout.textureSets; ++set) {
        const bool present = set < fromLayout.textureSets;
        CopyField(to, toLayout.texture[set], toLayout.textureBytes[set], from,
                  present ? fromLayout.texture[set] : FvfLayout::kAbsent,
                  present ? fromLayout.textureBytes[set] : 0);
    }
}

Vector3 ReadVector(const std::uint8_t* vertex, int offset) {
    Vector3 v;
    std::memcpy(&v, vertex + offset, sizeof v);
    return v;
}

// For a face wound clockwise seen from its front, Cross(b - a, c - a) points
// toward the viewer in the left-handed frame.
Vector3 FaceNormal(const Vector3& a, const Vector3& b, const Vector3& c) {
    const Vector3 u = b - a;
    const Vector3 v = c - a;
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}
}  // namespace

ID3DXMesh::~ID3DXMesh() {
    SafeRelease(vertexBuffer_);
    SafeRelease(indexBuffer_);
    SafeRelease(device_);
}

HRESULT ID3DXMesh::GetDevice(IDirect3DDevice9** device) {
    if (device == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    device_->AddRef();
    *device = device_;
    return D3D_OK;
}

HRESULT ID3DXMesh::LockVertexBuffer(DWORD flags, void** data) {
    return vertexBuffer_->Lock(0, 0, data, flags);
}

HRESULT ID3DXMesh::UnlockVertexBuffer() {
    return vertexBuffer_->Unlock();
}

HRESULT ID3DXMesh::LockIndexBuffer(DWORD flags, void** data) {
    return indexBuffer_->Lock(0, 0, data, flags);
}

HRESULT ID3DXMesh::UnlockIndexBuffer() {
    return indexBuffer_->Unlock();
}

HRESULT ID3DXMesh::LockAttributeBuffer(DWORD, DWORD** data) {
    if (data == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *data = attributes_.data();
    return D3D_OK;
}

HRESULT ID3DXMesh::UnlockAttributeBuffer() {
    return D3D_OK;
}

HRESULT ID3DXMesh::GetAttributeTable(D3DXATTRIBUTERANGE* table, DWORD* size) const {
    if (size == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (table == nullptr) {
        *size = static_cast<DWORD>(attributeTable_.size());
        return D3D_OK;
    }
    const std::size_t count = std::min<std::size_t>(*size, attributeTable_.size());
    std::copy_n(attributeTable_.begin(), count, table);
    *size = static_cast<DWORD>(count);
    return D3D_OK;
}

HRESULT ID3DXMesh::SetAttributeTable(const D3DXATTRIBUTERANGE* table, DWORD size) {
    if (table == nullptr && size != 0) {
        return D3DERR_INVALIDCALL;
    }
    for (DWORD i = 0; i < size; ++i) {
        const D3DXATTRIBUTERANGE& range = table[i];
        const bool facesInside = std::uint64_t{range.FaceStart} + range.FaceCount <= faceCount_;
        const bool verticesInside =
            std::uint64_t{range.VertexStart} + range.VertexCount <= vertexCount_;
        if (!facesInside || !verticesInside) {
            return D3DERR_INVALIDCALL;
        }
    }
    attributeTable_.assign(table, table + size);
    return D3D_OK;
}

HRESULT ID3DXMesh::DrawSubset(DWORD attribId) {
    for (const D3DXATTRIBUTERANGE& range : attributeTable_) {
        if (range.AttribId != attribId || range.FaceCount == 0) {
            continue;
        }
        HRESULT result = device_->SetFVF(vertexFormat_);
        if (SUCCEEDED(result)) {
            result = device_->SetStreamSource(0, vertexBuffer_, 0, layout_.stride);
        }
        if (SUCCEEDED(result)) {
            result = device_->SetIndices(indexBuffer_);
        }
        if (SUCCEEDED(result)) {
            result = device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, range.VertexStart,
                                                   range.VertexCount, range.FaceStart * 3,
                                                   range.FaceCount);
        }
        return result;
    }
    return D3D_OK;
}

HRESULT ID3DXMesh::CreateBuffers(IDirect3DDevice9* device) {
    const UINT indexBytes = Is32Bit(options_) ? 4 : 2;
    HRESULT result = device->CreateVertexBuffer(
        vertexCount_ * layout_.stride, 0, vertexFormat_,
        PoolOf(options_, D3DXMESH_VB_SYSTEMMEM, D3DXMESH_VB_MANAGED), &vertexBuffer_, nullptr);
    if (FAILED(result)) {
        return result;
    }
    result = device->CreateIndexBuffer(
        faceCount_ * 3 * indexBytes, 0, Is32Bit(options_) ? D3DFMT_INDEX32 : D3DFMT_INDEX16,
        PoolOf(options_, D3DXMESH_IB_SYSTEMMEM, D3DXMESH_IB_MANAGED), &indexBuffer_, nullptr);
    if (FAILED(result)) {
        return result;
    }
    // The device interface does not promise zeroed storage; meshes start as
    // zeros on every device.
    void* data = nullptr;
    if (SUCCEEDED(LockVertexBuffer(0, &data))) {
        std::memset(data, 0, std::size_t{vertexCount_} * layout_.stride);
        UnlockVertexBuffer();
    }
    if (SUCCEEDED(LockIndexBuffer(0, &data))) {
        std::memset(data, 0, std::size_t{faceCount_} * 3 * indexBytes);
        UnlockIndexBuffer();
    }
    return D3D_OK;
}

HRESULT D3DXCreateMeshFVF(DWORD faceCount, DWORD vertexCount, DWORD options, DWORD vertexFormat,
                          IDirect3DDevice9* device, ID3DXMesh** mesh) {
    if (mesh == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *mesh = nullptr;
    const FvfLayout layout = FvfLayout::Of(vertexFormat);
    const bool fits16 = Is32Bit(options) || vertexCount <= 0xFFFFu;
    // Byte sizes must fit the device's 32-bit lengths.
    const bool sizesFit = std::uint64_t{vertexCount} * layout.stride <= 0xFFFFFFFFu &&
                          std::uint64_t{faceCount} * 12 <= 0xFFFFFFFFu;
    if (device == nullptr || faceCount == 0 || vertexCount == 0 || !layout.valid || !fits16 ||
        !sizesFit) {
        return D3DERR_INVALIDCALL;
    }
    auto* created = new ID3DXMesh();
    created->device_ = device;
    device->AddRef();
    created->faceCount_ = faceCount;
    created->vertexCount_ = vertexCount;
    created->options_ = options;
    created->vertexFormat_ = vertexFormat;
    created->layout_ = layout;
    created->attributes_.assign(faceCount, 0);
    const HRESULT result = created->CreateBuffers(device);
    if (FAILED(result)) {
        created->Release();
        return result;
    }
    *mesh = created;
    return D3D_OK;
}

HRESULT ID3DXMesh::CopyIndicesTo(ID3DXMesh& clone) {
    void* from = nullptr;
    HRESULT result = LockIndexBuffer(D3DLOCK_READONLY, &from);
    if (FAILED(result)) {
        return result;
    }
    void* to = nullptr;
    result = clone.LockIndexBuffer(0, &to);
    if (SUCCEEDED(result)) {
        const bool fromWide = Is32Bit(options_);
        const bool toWide = Is32Bit(clone.options_);
        for (std::size_t i = 0; i < std::size_t{faceCount_} * 3; ++i) {
            WriteIndex(to, toWide, i, ReadIndex(from, fromWide, i));
        }
        clone.UnlockIndexBuffer();
    }
    UnlockIndexBuffer();
    return result;
}

HRESULT ID3DXMesh::CloneMeshFVF(DWORD options, DWORD vertexFormat, IDirect3DDevice9* device,
                                ID3DXMesh** clone) {
    HRESULT result = D3DXCreateMeshFVF(faceCount_, vertexCount_, options, vertexFormat,
                                       device != nullptr ? device : device_, clone);
    if (FAILED(result)) {
        return result;
    }
    ID3DXMesh& copy = **clone;
    void* from = nullptr;
    void* to = nullptr;
    result = LockVertexBuffer(D3DLOCK_READONLY, &from);
    if (SUCCEEDED(result)) {
        result = copy.LockVertexBuffer(0, &to);
        if (SUCCEEDED(result)) {
            for (DWORD v = 0; v < vertexCount_; ++v) {
                ConvertVertex(
                    static_cast<std::uint8_t*>(to) + std::size_t{v} * copy.layout_.stride,
                    copy.layout_,
                    static_cast<const std::uint8_t*>(from) + std::size_t{v} * layout_.stride,
                    layout_);
            }
            copy.UnlockVertexBuffer();
        }
        UnlockVertexBuffer();
    }
    if (SUCCEEDED(result)) {
        result = CopyIndicesTo(copy);
    }
    if (FAILED(result)) {
        SafeRelease(*clone);
        return result;
    }
    copy.attributes_ = attributes_;
    copy.attributeTable_ = attributeTable_;
    return D3D_OK;
}

bool ID3DXMesh::ReadFaces(std::vector<std::uint32_t>& corners) {
    void* indices = nullptr;
    if (FAILED(LockIndexBuffer(D3DLOCK_READONLY, &indices))) {
        return false;
    }
    corners.resize(std::size_t{faceCount_} * 3);
    for (std::size_t i = 0; i < corners.size(); ++i) {
        corners[i] = ReadIndex(indices, Is32Bit(options_), i);
    }
    UnlockIndexBuffer();
    return true;
}

HRESULT ID3DXMesh::GenerateAdjacency(float, DWORD* adjacency) {
    std::vector<std::uint32_t> corners;
    if (adjacency == nullptr || !ReadFaces(corners)) {
        return D3DERR_INVALIDCALL;
    }
    // Each directed edge (a, b) is looked up as (b, a) in its neighbour.
    std::map<std::pair<std::uint32_t, std::uint32_t>, DWORD> edges;
    for (DWORD face = 0; face < faceCount_; ++face) {
        for (int corner = 0; corner < 3; ++corner) {
            const std::uint32_t a = corners[face * 3 + corner];
            const std::uint32_t b = corners[face * 3 + (corner + 1) % 3];
            edges.emplace(std::make_pair(a, b), face);
        }
    }
    for (DWORD face = 0; face < faceCount_; ++face) {
        for (int corner = 0; corner < 3; ++corner) {
            const std::uint32_t a = corners[face * 3 + corner];
            const std::uint32_t b = corners[face * 3 + (corner + 1) % 3];
            const auto found = edges.find(std::make_pair(b, a));
            const bool shared = found != edges.end() && found->second != face;
            adjacency[face * 3 + corner] = shared ? found->second : 0xFFFFFFFFu;
        }
    }
    return D3D_OK;
}

HRESULT D3DXComputeNormals(ID3DXMesh* mesh, const DWORD*) {
    if (mesh == nullptr || (mesh->GetFVF() & D3DFVF_NORMAL) == 0) {
        return D3DERR_INVALIDCALL;
    }
    const FvfLayout layout = FvfLayout::Of(mesh->GetFVF());
    std::vector<std::uint32_t> corners;
    if (!mesh->ReadFaces(corners)) {
        return D3DERR_INVALIDCALL;
    }
    void* data = nullptr;
    const HRESULT result = mesh->LockVertexBuffer(0, &data);
    if (FAILED(result)) {
        return result;
    }
    auto* vertices = static_cast<std::uint8_t*>(data);
    const DWORD vertexCount = mesh->GetNumVertices();
    std::vector<Vector3> sums(vertexCount);
    for (std::size_t face = 0; face * 3 < corners.size(); ++face) {
        const std::uint32_t* c = &corners[face * 3];
        if (c[0] >= vertexCount || c[1] >= vertexCount || c[2] >= vertexCount) {
            continue;
        }
        // The cross product's length is twice the face area: the weight.
        const Vector3 normal =
            FaceNormal(ReadVector(vertices + std::size_t{c[0]} * layout.stride, layout.position),
                       ReadVector(vertices + std::size_t{c[1]} * layout.stride, layout.position),
                       ReadVector(vertices + std::size_t{c[2]} * layout.stride, layout.position));
        for (int k = 0; k < 3; ++k) {
            sums[c[k]] += normal;
        }
    }
    for (DWORD v = 0; v < vertexCount; ++v) {
        const Vector3 normal = Normalize(sums[v]);
        std::memcpy(vertices + std::size_t{v} * layout.stride + layout.normal, &normal,
                    sizeof normal);
    }
    return mesh->UnlockVertexBuffer();
}

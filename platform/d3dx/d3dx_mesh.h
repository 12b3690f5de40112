#pragma once

// A triangle-list mesh held in device buffers: a vertex buffer in one
// flexible vertex format, an index buffer of 16-bit (or, with D3DXMESH_32BIT,
// 32-bit) indices, three per face, an attribute id per face and an attribute
// table that groups faces into subsets drawn one call each.
//
// Invariants: the attribute table's ranges lie inside the face and vertex
// counts. Whoever writes indices keeps them below the vertex count; the
// routines here that read indices skip faces that break it.

#include <cstdint>
#include <vector>

#include "platform/d3dx/fvf_layout.h"
#include "platform/gfx/d3d9.h"

// Mesh options: index size and the pools of the buffers.
constexpr DWORD D3DXMESH_32BIT = 0x001;
constexpr DWORD D3DXMESH_VB_SYSTEMMEM = 0x010;
constexpr DWORD D3DXMESH_VB_MANAGED = 0x020;
constexpr DWORD D3DXMESH_IB_SYSTEMMEM = 0x100;
constexpr DWORD D3DXMESH_IB_MANAGED = 0x200;
constexpr DWORD D3DXMESH_SYSTEMMEM = D3DXMESH_VB_SYSTEMMEM | D3DXMESH_IB_SYSTEMMEM;
constexpr DWORD D3DXMESH_MANAGED = D3DXMESH_VB_MANAGED | D3DXMESH_IB_MANAGED;

// Result of the utility layer for data it cannot use.
constexpr HRESULT D3DXERR_INVALIDDATA = MakeResult(0x88760B59u);

// Faces [FaceStart, FaceStart + FaceCount) use attribute AttribId and
// reference only vertices [VertexStart, VertexStart + VertexCount).
struct D3DXATTRIBUTERANGE {
    DWORD AttribId = 0;
    DWORD FaceStart = 0;
    DWORD FaceCount = 0;
    DWORD VertexStart = 0;
    DWORD VertexCount = 0;
};

class ID3DXMesh : public IUnknown {
public:
    DWORD GetNumFaces() const { return faceCount_; }
    DWORD GetNumVertices() const { return vertexCount_; }
    DWORD GetFVF() const { return vertexFormat_; }
    DWORD GetNumBytesPerVertex() const { return layout_.stride; }
    DWORD GetOptions() const { return options_; }
    // Adds a reference to the device for the caller.
    HRESULT GetDevice(IDirect3DDevice9** device);

    // Whole-buffer locks of the device buffers; flags as for the device.
    HRESULT LockVertexBuffer(DWORD flags, void** data);
    HRESULT UnlockVertexBuffer();
    HRESULT LockIndexBuffer(DWORD flags, void** data);
    HRESULT UnlockIndexBuffer();
    // The attribute ids, one per face, kept in system memory.
    HRESULT LockAttributeBuffer(DWORD flags, DWORD** data);
    HRESULT UnlockAttributeBuffer();

    // With table null, *size receives the entry count; otherwise *size
    // entries are copied (at most the count).
    HRESULT GetAttributeTable(D3DXATTRIBUTERANGE* table, DWORD* size) const;
    // Replaces the table; fails with D3DERR_INVALIDCALL when a range leaves
    // the mesh.
    HRESULT SetAttributeTable(const D3DXATTRIBUTERANGE* table, DWORD size);

    // Draws the faces of attribute attribId as an indexed triangle list
    // (stream 0, the mesh's format and buffers). Nothing is drawn for an id
    // without an entry.
    HRESULT DrawSubset(DWORD attribId);

    // A new mesh on device with options and vertexFormat: fields both formats
    // have are copied, new ones are zero; indices, attributes and the
    // attribute table are copied.
    HRESULT CloneMeshFVF(DWORD options, DWORD vertexFormat, IDirect3DDevice9* device,
                         ID3DXMesh** clone);

    // Three entries per face: for each edge (corners 0-1, 1-2, 2-0) the face
    // sharing it by vertex index, or 0xFFFFFFFF. epsilon is not used: only
    // shared indices count.
    HRESULT GenerateAdjacency(float epsilon, DWORD* adjacency);

    // Reads the three vertex indices of face into corners; false when the
    // index buffer cannot be locked.
    bool ReadFaces(std::vector<std::uint32_t>& corners);

private:
    friend HRESULT D3DXCreateMeshFVF(DWORD, DWORD, DWORD, DWORD, IDirect3DDevice9*, ID3DXMesh**);

    ID3DXMesh() = default;
    ~ID3DXMesh() override;
    HRESULT CreateBuffers(IDirect3DDevice9* device);
    HRESULT CopyIndicesTo(ID3DXMesh& clone);

    IDirect3DDevice9* device_ = nullptr;  // referenced
    IDirect3DVertexBuffer9* vertexBuffer_ = nullptr;
    IDirect3DIndexBuffer9* indexBuffer_ = nullptr;
    DWORD faceCount_ = 0;
    DWORD vertexCount_ = 0;
    DWORD options_ = 0;
    DWORD vertexFormat_ = 0;
    FvfLayout layout_;
    std::vector<DWORD> attributes_;  // one per face
    std::vector<D3DXATTRIBUTERANGE> attributeTable_;
};

// Creates a mesh of faceCount triangles and vertexCount vertices in
// vertexFormat, all bytes zero, attribute ids 0 and no attribute table.
// D3DERR_INVALIDCALL for zero counts, a format this layer does not
// understand, or 16-bit indices with more than 65535 vertices.
HRESULT D3DXCreateMeshFVF(DWORD faceCount, DWORD vertexCount, DWORD options, DWORD vertexFormat,
                          IDirect3DDevice9* device, ID3DXMesh** mesh);

// Writes vertex normals: the normalised sum of the normals of the faces
// using each vertex, weighted by face area (a vertex no face uses gets
// (0, 0, 0)). Faces wind clockwise seen from their front. The mesh format
// must have normals; adjacency is not needed and may be null.
HRESULT D3DXComputeNormals(ID3DXMesh* mesh, const DWORD* adjacency);

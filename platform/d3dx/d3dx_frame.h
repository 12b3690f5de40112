#pragma once

// Frame hierarchies: the frame and mesh-container records that the hierarchy
// loader fills through an allocator the caller implements, and the routines
// that walk them. Records are plain structs; whoever allocates them (the
// allocator) frees them, so a caller may allocate larger records that begin
// with these.

#include "platform/d3dx/d3dx_math.h"
#include "platform/d3dx/d3dx_mesh.h"
#include "platform/d3dx/d3dx_skin_info.h"

enum D3DXMESHDATATYPE : DWORD {
    D3DXMESHTYPE_MESH = 1,
    D3DXMESHTYPE_PMESH = 2,
    D3DXMESHTYPE_PATCHMESH = 3,
};

struct D3DXMESHDATA {
    D3DXMESHDATATYPE Type = D3DXMESHTYPE_MESH;
    ID3DXMesh* pMesh = nullptr;
};

struct D3DXMATERIAL {
    D3DMATERIAL9 MatD3D;
    char* pTextureFilename = nullptr;  // zero-terminated, or null for no texture
};

// Effects are not supported by this layer; the record exists so that the
// allocator's signature keeps its shape. Always null.
struct D3DXEFFECTINSTANCE {
    char* pEffectFilename = nullptr;
};

struct D3DXMESHCONTAINER {
    char* Name = nullptr;
    D3DXMESHDATA MeshData;
    D3DXMATERIAL* pMaterials = nullptr;
    D3DXEFFECTINSTANCE* pEffects = nullptr;
    DWORD NumMaterials = 0;
    DWORD* pAdjacency = nullptr;  // three entries per face
    ID3DXSkinInfo* pSkinInfo = nullptr;
    D3DXMESHCONTAINER* pNextMeshContainer = nullptr;
};

struct D3DXFRAME {
    char* Name = nullptr;
    D3DXMATRIX TransformationMatrix;  // relative to the parent frame
    D3DXMESHCONTAINER* pMeshContainer = nullptr;
    D3DXFRAME* pFrameSibling = nullptr;
    D3DXFRAME* pFrameFirstChild = nullptr;
};

// Creates and destroys the records of a hierarchy on behalf of the loader.
// Create calls hand out a new record or a failure status (and then nothing);
// the loader links what it receives and adds nothing else to the records.
class ID3DXAllocateHierarchy {
public:
    virtual HRESULT CreateFrame(const char* name, D3DXFRAME** newFrame) = 0;
    // The container keeps its own references to meshData's mesh and to
    // skinInfo (AddRef) and its own copies of the arrays; materials may be
    // null when materialCount is 0; adjacency holds three entries per face.
    virtual HRESULT CreateMeshContainer(const char* name, const D3DXMESHDATA* meshData,
                                        const D3DXMATERIAL* materials,
                                        const D3DXEFFECTINSTANCE* effectInstances,
                                        DWORD materialCount, const DWORD* adjacency,
                                        ID3DXSkinInfo* skinInfo,
                                        D3DXMESHCONTAINER** newMeshContainer) = 0;
    virtual HRESULT DestroyFrame(D3DXFRAME* frame) = 0;
    virtual HRESULT DestroyMeshContainer(D3DXMESHCONTAINER* meshContainer) = 0;

protected:
    ~ID3DXAllocateHierarchy() = default;
};

// The first frame named name, searching frame, its children (depth first)
// and then its siblings; null when there is none or frame is null.
D3DXFRAME* D3DXFrameFind(const D3DXFRAME* frame, const char* name);

// Destroys frame, its siblings and its descendants with allocator: every
// mesh container of a frame, then the frame itself.
HRESULT D3DXFrameDestroy(D3DXFRAME* frame, ID3DXAllocateHierarchy* allocator);

// A sphere holding every vertex of every mesh container under frame (and its
// siblings), each placed by the product of the transformation matrices from
// frame down to its own frame. center and radius are (0, 0, 0) and 0 for a
// hierarchy without vertices; D3DERR_INVALIDCALL for a null argument, or a
// failure status when a vertex buffer cannot be read.
HRESULT D3DXFrameCalculateBoundingSphere(const D3DXFRAME* frame, D3DXVECTOR3* center,
                                         float* radius);

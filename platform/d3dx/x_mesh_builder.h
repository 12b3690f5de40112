#pragma once

// Puts one .x mesh back together from the meshes Assimp made of it (one per
// used material, a vertex per face corner): a device mesh with the file's
// vertices in the file's order, its faces (polygons as fans), an attribute
// per face, materials and skin information. Internal to the hierarchy loader.
//
// Vertices: vertex i of the result is vertex i of the file. A file vertex
// whose corners carry different normals gets one more vertex per further
// normal, after the file's vertices. Attribute ids number the used
// materials in order (the importer's parts); each part has its material.

#include <assimp/matrix4x4.h>

#include <string>
#include <vector>

#include "platform/d3dx/d3dx_frame.h"
#include "platform/d3dx/x_file_scanner.h"

struct aiMesh;
struct aiScene;

struct XMeshContainerData {
    XMeshContainerData() = default;
    XMeshContainerData(const XMeshContainerData&) = delete;
    XMeshContainerData& operator=(const XMeshContainerData&) = delete;
    ~XMeshContainerData();

    ID3DXMesh* mesh = nullptr;              // one reference, released with this record
    ID3DXSkinInfo* skinInfo = nullptr;      // one reference, or null without skin weights
    std::vector<D3DXMATERIAL> materials;    // one per attribute; empty without a material list
    std::vector<std::string> textureNames;  // behind materials[i].pTextureFilename
    std::vector<DWORD> adjacency;           // three per face
};

// Builds out from parts (the importer's meshes of layout, in layout.parts
// order). D3DXERR_INVALIDDATA with a reason in error when the importer's
// meshes do not match the layout; the device's status when it refuses the
// buffers.
HRESULT BuildXMesh(const XFileLayout::Mesh& layout, const std::vector<const aiMesh*>& parts,
                   const aiScene& scene, DWORD options, IDirect3DDevice9* device,
                   XMeshContainerData& out, std::string& error);

// An Assimp matrix (column vectors) as a matrix of this layer (row vectors):
// its transpose.
D3DXMATRIX MatrixFromAssimp(const aiMatrix4x4& matrix);

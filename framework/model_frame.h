#pragma once

// The frame and mesh-container records of a CHierarchyModel: the utility
// layer's records with the model's own fields after them. Created and
// destroyed only by CHierarchyAllocator; the base records' pointers point
// into the storage members below, which own the data.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3dx/d3dx_frame.h"

namespace RenderLib {

struct ModelFrame : D3DXFRAME {
    // This frame's matrix times those of all its ancestors (identity until
    // the model computes it).
    D3DXMATRIX CombinedTransformationMatrix;

    std::string nameStorage;  // behind Name
};

struct ModelMeshContainer : D3DXMESHCONTAINER {
    // One texture per material, referenced; null for an untextured material.
    std::vector<IDirect3DTexture9*> textures;
    // The mesh as loaded (normals added when it had none), referenced: the
    // input of skinning. MeshData.pMesh is the working mesh skinning writes.
    ID3DXMesh* sourceMesh = nullptr;
    std::vector<D3DXATTRIBUTERANGE> attributeTable;  // of the working mesh
    // Per bone, the combined matrix of the frame named like the bone (not
    // owned; set once the whole hierarchy is loaded).
    std::vector<const D3DXMATRIX*> boneLinks;
    std::vector<D3DXMATRIX> boneOffsets;  // per bone, copied from the skin
    // The model's pose the working mesh was last skinned to; 0: never. Fish
    // of a kind share one model and one pose, so a frame skins each model
    // once however many fish draw it.
    std::uint64_t skinnedPose = 0;

    std::string nameStorage;                    // behind Name
    std::vector<D3DXMATERIAL> materialStorage;  // behind pMaterials, NumMaterials long
    std::vector<DWORD> adjacencyStorage;        // behind pAdjacency
};

}  // namespace RenderLib

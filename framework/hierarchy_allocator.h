#pragma once

// The allocator a CHierarchyModel hands to the hierarchy loader: it makes the
// model's frame and mesh-container records (model_frame.h), prepares each
// container for drawing (normals, default material, textures, skinning
// inputs) and destroys them again.

#include "framework/model_frame.h"

namespace RenderLib {

class CHierarchyModel;

class CHierarchyAllocator final : public ID3DXAllocateHierarchy {
public:
    // model receives the bone-matrix workspace growth; it must outlive the
    // allocator.
    explicit CHierarchyAllocator(CHierarchyModel& model) : model_(model) {}

    // A ModelFrame named name (no name when null), both matrices identity,
    // no links. E_OUTOFMEMORY when it cannot be allocated.
    HRESULT CreateFrame(const char* name, D3DXFRAME** newFrame) override;

    // A ModelMeshContainer for a plain mesh (E_FAIL for any other type or a
    // vertex format of 0): the working mesh gains computed normals when the
    // mesh has none; at least one material (grey diffuse 0.5 without any);
    // each material's texture is searched with FindMediaFile and loaded
    // (a texture that fails to load stays null and is noted in the model's
    // LoadFailures); with skin information the
    // source mesh, bone offsets, a fresh working mesh and its attribute table
    // are prepared and the model's workspace grown to the bone count.
    // A skin whose vertex count differs from the mesh's is refused (E_FAIL).
    // Any failure destroys what was built and returns the status.
    HRESULT CreateMeshContainer(const char* name, const D3DXMESHDATA* meshData,
                                const D3DXMATERIAL* materials,
                                const D3DXEFFECTINSTANCE* effectInstances, DWORD materialCount,
                                const DWORD* adjacency, ID3DXSkinInfo* skinInfo,
                                D3DXMESHCONTAINER** newMeshContainer) override;

    HRESULT DestroyFrame(D3DXFRAME* frame) override;
    HRESULT DestroyMeshContainer(D3DXMESHCONTAINER* meshContainer) override;

private:
    HRESULT BuildContainer(ModelMeshContainer& container, const char* name,
                           const D3DXMESHDATA& meshData, const D3DXMATERIAL* materials,
                           DWORD materialCount, const DWORD* adjacency, ID3DXSkinInfo* skinInfo);
    HRESULT PrepareWorkingMesh(ModelMeshContainer& container, ID3DXMesh& mesh);
    void CopyMaterials(ModelMeshContainer& container, IDirect3DDevice9* device,
                       const D3DXMATERIAL* materials, DWORD materialCount);
    HRESULT PrepareSkin(ModelMeshContainer& container, ID3DXSkinInfo& skinInfo);

    CHierarchyModel& model_;
};

}  // namespace RenderLib

#include "framework/hierarchy_allocator.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "framework/hierarchy_model.h"
#include "framework/media_search.h"
#include "platform/d3dx/d3dx_load_failure.h"
#include "platform/d3dx/d3dx_texture.h"

namespace RenderLib {

namespace {
constexpr D3DCOLORVALUE kDefaultGrey{0.5f, 0.5f, 0.5f, 0.0f};
}  // namespace

HRESULT CHierarchyAllocator::CreateFrame(const char* name, D3DXFRAME** newFrame) {
    if (newFrame == nullptr) {
        return E_INVALIDARG;
    }
    *newFrame = nullptr;
    auto* frame = new (std::nothrow) ModelFrame();
    if (frame == nullptr) {
        return E_OUTOFMEMORY;
    }
    try {
        if (name != nullptr) {
            frame->nameStorage = name;
            frame->Name = frame->nameStorage.data();
        }
    } catch (const std::bad_alloc&) {
        delete frame;
        return E_OUTOFMEMORY;
    }
    *newFrame = frame;
    return S_OK;
}

HRESULT CHierarchyAllocator::DestroyFrame(D3DXFRAME* frame) {
    delete static_cast<ModelFrame*>(frame);
    return S_OK;
}

HRESULT CHierarchyAllocator::CreateMeshContainer(const char* name, const D3DXMESHDATA* meshData,
                                                 const D3DXMATERIAL* materials,
                                                 const D3DXEFFECTINSTANCE*, DWORD materialCount,
                                                 const DWORD* adjacency, ID3DXSkinInfo* skinInfo,
                                                 D3DXMESHCONTAINER** newMeshContainer) {
    if (newMeshContainer == nullptr) {
        return E_INVALIDARG;
    }
    *newMeshContainer = nullptr;
    if (meshData == nullptr || meshData->Type != D3DXMESHTYPE_MESH || meshData->pMesh == nullptr ||
        meshData->pMesh->GetFVF() == 0) {
        return E_FAIL;
    }
    auto* container = new (std::nothrow) ModelMeshContainer();
    if (container == nullptr) {
        return E_OUTOFMEMORY;
    }
    HRESULT result;
    try {
        result = BuildContainer(*container, name, *meshData, materials, materialCount, adjacency,
                                skinInfo);
    } catch (const std::bad_alloc&) {
        result = E_OUTOFMEMORY;
    }
    if (FAILED(result)) {
        DestroyMeshContainer(container);
        return result;
    }
    *newMeshContainer = container;
    return S_OK;
}

HRESULT CHierarchyAllocator::BuildContainer(ModelMeshContainer& container, const char* name,
                                            const D3DXMESHDATA& meshData,
                                            const D3DXMATERIAL* materials, DWORD materialCount,
                                            const DWORD* adjacency, ID3DXSkinInfo* skinInfo) {
    if (name != nullptr) {
        container.nameStorage = name;
        container.Name = container.nameStorage.data();
    }
    container.MeshData.Type = D3DXMESHTYPE_MESH;
    ID3DXMesh& mesh = *meshData.pMesh;
    IDirect3DDevice9* device = nullptr;
    HRESULT result = mesh.GetDevice(&device);
    if (FAILED(result)) {
        return result;
    }
    result = PrepareWorkingMesh(container, mesh);
    if (SUCCEEDED(result)) {
        if (adjacency != nullptr) {
            container.adjacencyStorage.assign(adjacency, adjacency + mesh.GetNumFaces() * 3);
            container.pAdjacency = container.adjacencyStorage.data();
        }
        CopyMaterials(container, device, materials, materialCount);
        if (skinInfo != nullptr) {
            result = PrepareSkin(container, *skinInfo);
        }
    }
    device->Release();
    return result;
}

// Without normals the working mesh is a clone with them, computed here;
// otherwise it is the given mesh itself.
HRESULT CHierarchyAllocator::PrepareWorkingMesh(ModelMeshContainer& container, ID3DXMesh& mesh) {
    if ((mesh.GetFVF() & D3DFVF_NORMAL) != 0) {
        mesh.AddRef();
        container.MeshData.pMesh = &mesh;
        return S_OK;
    }
    HRESULT result = mesh.CloneMeshFVF(mesh.GetOptions(), mesh.GetFVF() | D3DFVF_NORMAL, nullptr,
                                       &container.MeshData.pMesh);
    if (SUCCEEDED(result)) {
        result = D3DXComputeNormals(container.MeshData.pMesh, nullptr);
    }
    return result;
}

void CHierarchyAllocator::CopyMaterials(ModelMeshContainer& container, IDirect3DDevice9* device,
                                        const D3DXMATERIAL* materials, DWORD materialCount) {
    const DWORD count = std::max<DWORD>(materials != nullptr ? materialCount : 0, 1);
    container.materialStorage.assign(count, D3DXMATERIAL{});
    container.textures.assign(count, nullptr);
    container.pMaterials = container.materialStorage.data();
    container.NumMaterials = count;
    if (materials == nullptr || materialCount == 0) {
        D3DMATERIAL9& grey = container.materialStorage[0].MatD3D;
        grey.Diffuse = kDefaultGrey;
        grey.Specular = kDefaultGrey;
        return;
    }
    for (DWORD i = 0; i < count; ++i) {
        container.materialStorage[i].MatD3D = materials[i].MatD3D;
        const char* textureName = materials[i].pTextureFilename;
        if (textureName == nullptr) {
            continue;
        }
        // The search's status is not consulted: on failure the path is
        // either empty or the bare name. An empty one is tried as the name,
        // so that the texture loader's message names the file.
        char path[kMaxMediaPath] = {};
        FindMediaFile(path, kMaxMediaPath, textureName);
        if (path[0] == '\0') {
            std::strncpy(path, textureName, kMaxMediaPath - 1);
        }
        if (FAILED(D3DXCreateTextureFromFileA(device, path, &container.textures[i]))) {
            model_.NoteLoadFailure(path, D3DXGetLastLoadFailure());
        }
    }
}

// The source mesh is the mesh as prepared (with its normals); the working
// mesh becomes a fresh managed clone of it that skinning overwrites.
HRESULT CHierarchyAllocator::PrepareSkin(ModelMeshContainer& container, ID3DXSkinInfo& skinInfo) {
    ID3DXMesh* source = container.MeshData.pMesh;
    if (skinInfo.GetNumVertices() != source->GetNumVertices() ||
        FAILED(skinInfo.SetFVF(source->GetFVF()))) {
        return E_FAIL;
    }
    skinInfo.AddRef();
    container.pSkinInfo = &skinInfo;
    container.sourceMesh = source;  // takes over the working mesh's reference
    container.MeshData.pMesh = nullptr;
    const DWORD boneCount = skinInfo.GetNumBones();
    container.boneOffsets.resize(boneCount);
    for (DWORD bone = 0; bone < boneCount; ++bone) {
        container.boneOffsets[bone] = *skinInfo.GetBoneOffsetMatrix(bone);
    }
    HRESULT result = source->CloneMeshFVF(D3DXMESH_MANAGED, source->GetFVF(), nullptr,
                                          &container.MeshData.pMesh);
    if (FAILED(result)) {
        return result;
    }
    DWORD entries = 0;
    container.MeshData.pMesh->GetAttributeTable(nullptr, &entries);
    container.attributeTable.resize(entries);
    container.MeshData.pMesh->GetAttributeTable(container.attributeTable.data(), &entries);
    return model_.ReserveBoneMatrices(boneCount);
}

HRESULT CHierarchyAllocator::DestroyMeshContainer(D3DXMESHCONTAINER* meshContainer) {
    auto* container = static_cast<ModelMeshContainer*>(meshContainer);
    if (container == nullptr) {
        return S_OK;
    }
    for (IDirect3DTexture9*& texture : container->textures) {
        SafeRelease(texture);
    }
    SafeRelease(container->MeshData.pMesh);
    SafeRelease(container->sourceMesh);
    SafeRelease(container->pSkinInfo);
    delete container;
    return S_OK;
}

}  // namespace RenderLib

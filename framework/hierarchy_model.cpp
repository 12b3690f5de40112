#include "framework/hierarchy_model.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/hierarchy_allocator.h"
#include "framework/media_search.h"
#include "platform/d3dx/d3dx_hierarchy_loader.h"
#include "platform/d3dx/d3dx_load_failure.h"

namespace RenderLib {

namespace {
constexpr float kHugeExtent = 3.4028235e38f;
constexpr float kSphereToBox = 1.4142135f;

void Report(const char* fileName, const std::string& reason) {
    std::fprintf(stderr, "CHierarchyModel::Load: %s: %s\n", fileName, reason.c_str());
}

// Every frame of the hierarchy under root (siblings included), each once.
std::vector<D3DXFRAME*> AllFrames(D3DXFRAME* root) {
    std::vector<D3DXFRAME*> frames;
    std::vector<D3DXFRAME*> pending{root};
    while (!pending.empty()) {
        D3DXFRAME* frame = pending.back();
        pending.pop_back();
        for (; frame != nullptr; frame = frame->pFrameSibling) {
            frames.push_back(frame);
            if (frame->pFrameFirstChild != nullptr) {
                pending.push_back(frame->pFrameFirstChild);
            }
        }
    }
    return frames;
}

// Every named frame under frame (siblings included) by name, the first in
// D3DXFrameFind's order (a frame, its children, then its siblings) winning.
void IndexFrames(D3DXFRAME* frame, std::unordered_map<std::string, ModelFrame*>& index) {
    for (; frame != nullptr; frame = frame->pFrameSibling) {
        if (frame->Name != nullptr) {
            index.emplace(frame->Name, static_cast<ModelFrame*>(frame));
        }
        IndexFrames(frame->pFrameFirstChild, index);
    }
}
}  // namespace

void CHierarchyModel::AlignedFree::operator()(D3DXMATRIX* matrices) const {
    ::operator delete[](matrices, std::align_val_t{16});
}

CHierarchyModel::~CHierarchyModel() {
    Release();
}

HRESULT CHierarchyModel::ReserveBoneMatrices(UINT count) {
    if (count <= boneMatrixCapacity) {
        return S_OK;
    }
    void* memory = ::operator new[](sizeof(D3DXMATRIX) * count, std::align_val_t{16}, std::nothrow);
    if (memory == nullptr) {
        return E_OUTOFMEMORY;
    }
    boneMatrices.reset(new (memory) D3DXMATRIX[count]);
    boneMatrixCapacity = count;
    return S_OK;
}

HRESULT CHierarchyModel::Load(IDirect3DDevice9* device, const char* fileName) {
    Release();
    loadFailures.clear();
    if (device == nullptr || fileName == nullptr) {
        Report(fileName != nullptr ? fileName : "(null)", "invalid argument");
        return E_INVALIDARG;
    }
    char path[kMaxMediaPath] = {};
    HRESULT result = FindMediaFile(path, kMaxMediaPath, fileName);
    if (FAILED(result)) {
        Report(fileName, "no such file");
        ListModelFileFailure(fileName, "no such file");
        return result;
    }
    CHierarchyAllocator allocator(*this);
    result = D3DXLoadMeshHierarchyFromXA(path, D3DXMESH_MANAGED, device, &allocator, nullptr,
                                         &rootFrame, &animationController);
    if (FAILED(result)) {
        // The loader has said why on standard error.
        const std::string& reason = D3DXGetLastLoadFailure();
        ListModelFileFailure(path, reason.empty() ? "cannot be loaded" : reason);
        return result;
    }
    result = LinkBones(path);
    if (FAILED(result)) {
        Release();
        return result;
    }
    // Combined matrices of the pose as loaded, so that a Render before the
    // first Animate draws the model in place.
    UpdateFrameMatrices(rootFrame, D3DXMATRIX{});
    return S_OK;
}

HRESULT CHierarchyModel::LinkBones(const char* fileName) {
    // What D3DXFrameFind from the root would find, looked up once per name.
    std::unordered_map<std::string, ModelFrame*> frames;
    IndexFrames(rootFrame, frames);
    for (D3DXFRAME* frame : AllFrames(rootFrame)) {
        for (D3DXMESHCONTAINER* c = frame->pMeshContainer; c != nullptr;
             c = c->pNextMeshContainer) {
            auto& container = static_cast<ModelMeshContainer&>(*c);
            if (container.pSkinInfo == nullptr) {
                continue;
            }
            const DWORD boneCount = container.pSkinInfo->GetNumBones();
            try {
                container.boneLinks.assign(boneCount, nullptr);
            } catch (const std::bad_alloc&) {
                Report(fileName, "out of memory");
                ListModelFileFailure(fileName, "out of memory");
                return E_OUTOFMEMORY;
            }
            for (DWORD bone = 0; bone < boneCount; ++bone) {
                const char* name = container.pSkinInfo->GetBoneName(bone);
                const auto found = name != nullptr ? frames.find(name) : frames.end();
                if (found == frames.end()) {
                    const std::string reason = std::string("damaged (bone \"") +
                                               (name != nullptr ? name : "") + "\" of mesh \"" +
                                               (container.Name != nullptr ? container.Name : "") +
                                               "\" names no frame)";
                    Report(fileName, reason);
                    ListModelFileFailure(fileName, reason);
                    return E_FAIL;
                }
                container.boneLinks[bone] = &found->second->CombinedTransformationMatrix;
            }
        }
    }
    return S_OK;
}

void CHierarchyModel::NoteLoadFailure(const char* file, const std::string& reason) {
    std::string shown = ShownPath(file);
    const bool listed = std::any_of(loadFailures.begin(), loadFailures.end(),
                                    [&](const DataFileFailure& f) { return f.file == shown; });
    if (!listed) {
        loadFailures.push_back({std::move(shown), reason});
    }
}

// The model's own file is then the one failure: textures met before it do
// not matter once the model is dropped.
void CHierarchyModel::ListModelFileFailure(const char* file, const std::string& reason) {
    loadFailures.assign(1, {ShownPath(file), reason});
}

HRESULT CHierarchyModel::Release() {
    if (rootFrame != nullptr) {
        CHierarchyAllocator allocator(*this);
        D3DXFrameDestroy(rootFrame, &allocator);
        rootFrame = nullptr;
    }
    SafeRelease(animationController);
    return S_OK;
}

void CHierarchyModel::Animate(IDirect3DDevice9*, float elapsed) {
    if (animationController != nullptr) {
        animationController->AdvanceTime(static_cast<double>(elapsed), nullptr);
    }
    UpdateFrameMatrices(rootFrame, D3DXMATRIX{});
    ++pose;
}

// Siblings share parent; children take the frame's combined matrix. Loops
// over sibling chains so that only the hierarchy's depth uses the stack.
void CHierarchyModel::UpdateFrameMatrices(D3DXFRAME* frame, const D3DXMATRIX& parent) {
    for (; frame != nullptr; frame = frame->pFrameSibling) {
        auto* model = static_cast<ModelFrame*>(frame);
        D3DXMatrixMultiply(&model->CombinedTransformationMatrix, &model->TransformationMatrix,
                           &parent);
        UpdateFrameMatrices(frame->pFrameFirstChild, model->CombinedTransformationMatrix);
    }
}

HRESULT CHierarchyModel::GetBounds(float box[6]) {
    for (int axis = 0; axis < 3; ++axis) {
        box[axis] = -kHugeExtent;
        box[axis + 3] = kHugeExtent;
    }
    D3DXVECTOR3 center;
    float radius = 0.0f;
    const HRESULT result = D3DXFrameCalculateBoundingSphere(rootFrame, &center, &radius);
    if (FAILED(result)) {
        return result;
    }
    const float extent = radius * kSphereToBox;
    const float middle[3] = {center.x, center.y, center.z};
    for (int axis = 0; axis < 3; ++axis) {
        box[axis] = middle[axis] - extent;
        box[axis + 3] = middle[axis] + extent;
    }
    return S_OK;
}

HRESULT CHierarchyModel::Render(IDirect3DDevice9* device, DWORD, DWORD) {
    if (device != nullptr && rootFrame != nullptr) {
        DrawFrame(device, rootFrame);
    }
    return S_OK;
}

// The order of a recursion that draws a frame's containers, then its
// sibling, then its child: every container of the chain first, then the
// children's subtrees from the last sibling back to the first.
void CHierarchyModel::DrawFrame(IDirect3DDevice9* device, D3DXFRAME* frame) {
    std::vector<D3DXFRAME*> chain;
    for (; frame != nullptr; frame = frame->pFrameSibling) {
        chain.push_back(frame);
        for (D3DXMESHCONTAINER* c = frame->pMeshContainer; c != nullptr;
             c = c->pNextMeshContainer) {
            DrawMeshContainer(device, static_cast<ModelMeshContainer&>(*c));
        }
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if ((*it)->pFrameFirstChild != nullptr) {
            DrawFrame(device, (*it)->pFrameFirstChild);
        }
    }
}

// Blends the source vertices into the working mesh with the bones' current
// matrices; false when the container cannot be skinned.
bool CHierarchyModel::SkinMeshContainer(ModelMeshContainer& container) {
    const DWORD boneCount = container.pSkinInfo->GetNumBones();
    if (boneCount > boneMatrixCapacity || container.boneLinks.size() != boneCount) {
        return false;
    }
    for (DWORD bone = 0; bone < boneCount; ++bone) {
        D3DXMatrixMultiply(&boneMatrices[bone], &container.boneOffsets[bone],
                           container.boneLinks[bone]);
    }
    void* source = nullptr;
    void* destination = nullptr;
    if (FAILED(container.sourceMesh->LockVertexBuffer(D3DLOCK_READONLY, &source))) {
        return false;
    }
    const bool locked = SUCCEEDED(container.MeshData.pMesh->LockVertexBuffer(0, &destination));
    if (locked) {
        container.pSkinInfo->UpdateSkinnedMesh(boneMatrices.get(), nullptr, source, destination);
        container.MeshData.pMesh->UnlockVertexBuffer();
    }
    container.sourceMesh->UnlockVertexBuffer();
    return locked;
}

void CHierarchyModel::DrawMeshContainer(IDirect3DDevice9* device, ModelMeshContainer& container) {
    if (container.pSkinInfo == nullptr) {
        return;
    }
    if (container.skinnedPose != pose) {
        if (!SkinMeshContainer(container)) {
            return;
        }
        container.skinnedPose = pose;
    }
    for (const D3DXATTRIBUTERANGE& range : container.attributeTable) {
        if (range.AttribId >= container.NumMaterials) {
            continue;
        }
        device->SetMaterial(&container.pMaterials[range.AttribId].MatD3D);
        device->SetTexture(0, container.textures[range.AttribId]);
        container.MeshData.pMesh->DrawSubset(range.AttribId);
    }
}

}  // namespace RenderLib

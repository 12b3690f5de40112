#include "platform/d3dx/d3dx_frame.h"

#include <cmath>
#include <cstring>
#include <vector>

// Sibling chains are walked in loops and only children recurse, so the stack
// depth is the hierarchy's depth, which the loader bounds.

D3DXFRAME* D3DXFrameFind(const D3DXFRAME* frame, const char* name) {
    for (; frame != nullptr && name != nullptr; frame = frame->pFrameSibling) {
        if (frame->Name != nullptr && std::strcmp(frame->Name, name) == 0) {
            return const_cast<D3DXFRAME*>(frame);
        }
        if (D3DXFRAME* found = D3DXFrameFind(frame->pFrameFirstChild, name)) {
            return found;
        }
    }
    return nullptr;
}

HRESULT D3DXFrameDestroy(D3DXFRAME* frame, ID3DXAllocateHierarchy* allocator) {
    if (frame == nullptr || allocator == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    while (frame != nullptr) {
        D3DXFRAME* next = frame->pFrameSibling;
        if (frame->pFrameFirstChild != nullptr) {
            D3DXFrameDestroy(frame->pFrameFirstChild, allocator);
        }
        D3DXMESHCONTAINER* container = frame->pMeshContainer;
        while (container != nullptr) {
            D3DXMESHCONTAINER* nextContainer = container->pNextMeshContainer;
            allocator->DestroyMeshContainer(container);
            container = nextContainer;
        }
        allocator->DestroyFrame(frame);
        frame = next;
    }
    return D3D_OK;
}

namespace {
// Appends the positions of every vertex under frame (and its siblings),
// placed by parent and the frames' own matrices.
HRESULT CollectPositions(const D3DXFRAME* frame, const D3DXMATRIX& parent,
                         std::vector<Vector3>& positions) {
    for (; frame != nullptr; frame = frame->pFrameSibling) {
        D3DXMATRIX placed;
        D3DXMatrixMultiply(&placed, &frame->TransformationMatrix, &parent);
        for (const D3DXMESHCONTAINER* c = frame->pMeshContainer; c != nullptr;
             c = c->pNextMeshContainer) {
            ID3DXMesh* mesh = c->MeshData.pMesh;
            if (mesh == nullptr) {
                continue;
            }
            const FvfLayout layout = FvfLayout::Of(mesh->GetFVF());
            void* data = nullptr;
            const HRESULT result = mesh->LockVertexBuffer(D3DLOCK_READONLY, &data);
            const auto* vertices = static_cast<const std::uint8_t*>(data);
            if (FAILED(result)) {
                return result;
            }
            for (DWORD v = 0; v < mesh->GetNumVertices(); ++v) {
                Vector3 p;
                std::memcpy(&p, vertices + std::size_t{v} * layout.stride + layout.position,
                            sizeof p);
                positions.push_back(*D3DXVec3TransformCoord(&p, &p, &placed));
            }
            mesh->UnlockVertexBuffer();
        }
        const HRESULT result = CollectPositions(frame->pFrameFirstChild, placed, positions);
        if (FAILED(result)) {
            return result;
        }
    }
    return D3D_OK;
}
}  // namespace

HRESULT D3DXFrameCalculateBoundingSphere(const D3DXFRAME* frame, D3DXVECTOR3* center,
                                         float* radius) {
    if (frame == nullptr || center == nullptr || radius == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    std::vector<Vector3> positions;
    const HRESULT result = CollectPositions(frame, D3DXMATRIX{}, positions);
    if (FAILED(result)) {
        return result;
    }
    // The centroid, accumulated in double so that large meshes stay exact enough.
    double sum[3] = {0.0, 0.0, 0.0};
    for (const Vector3& p : positions) {
        sum[0] += p.x;
        sum[1] += p.y;
        sum[2] += p.z;
    }
    const double count = positions.empty() ? 1.0 : static_cast<double>(positions.size());
    const Vector3 middle{static_cast<float>(sum[0] / count), static_cast<float>(sum[1] / count),
                         static_cast<float>(sum[2] / count)};
    float farthest = 0.0f;
    for (const Vector3& p : positions) {
        farthest = std::fmax(farthest, Length(p - middle));
    }
    *center = middle;
    *radius = farthest;
    return D3D_OK;
}

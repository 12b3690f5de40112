#include "framework/indexed_geometry.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace RenderLib {

namespace {
constexpr float kBoundsStart = 999999.0f;

// A copy of old (oldCount elements) grown by count zeroed elements, or null
// when the new size overflows or cannot be allocated.
template <class T>
std::unique_ptr<T[]> Grown(const T* old, std::uint64_t oldElements, std::uint64_t addedElements) {
    const std::uint64_t total = oldElements + addedElements;
    // Device buffers take 32-bit byte lengths.
    if (total * sizeof(T) > std::numeric_limits<std::uint32_t>::max()) {
        return nullptr;
    }
    std::unique_ptr<T[]> grown(new (std::nothrow) T[static_cast<std::size_t>(total)]());
    if (grown != nullptr && oldElements > 0) {
        std::memcpy(grown.get(), old, static_cast<std::size_t>(oldElements) * sizeof(T));
    }
    return grown;
}
}  // namespace

CIndexedGeometry::~CIndexedGeometry() {
    Release();
}

void CIndexedGeometry::SetFormat(DWORD format, std::uint8_t bytesPerVertex) {
    vertexFormat = format;
    stride = bytesPerVertex;
}

std::int32_t CIndexedGeometry::AddVertices(std::uint32_t count) {
    // A stride changed after vertices were added would misread the array.
    const bool consistent = vertexBytes == std::uint64_t{vertexCount} * stride;
    const bool countFits =
        std::uint64_t{vertexCount} + count <= std::numeric_limits<std::int32_t>::max();
    if (!consistent || !countFits) {
        return -1;
    }
    std::unique_ptr<std::uint8_t[]> grown =
        Grown(vertexData.get(), vertexBytes, std::uint64_t{count} * stride);
    if (grown == nullptr) {
        return -1;
    }
    const auto first = static_cast<std::int32_t>(vertexCount);
    vertexData = std::move(grown);
    vertexCount += count;
    vertexBytes = std::uint64_t{vertexCount} * stride;
    return first;
}

std::int32_t CIndexedGeometry::AddIndices(std::uint32_t count) {
    std::unique_ptr<std::uint16_t[]> grown = Grown(indexData.get(), indexCount, count);
    if (grown == nullptr) {
        return -1;
    }
    const auto first = static_cast<std::int32_t>(indexCount);
    indexData = std::move(grown);
    indexCount += count;
    return first;
}

HRESULT CIndexedGeometry::Upload(IDirect3DDevice9* device, bool writeOnly, bool discardCpuCopy) {
    const bool arraysHeld =
        (vertexCount == 0 || vertexData != nullptr) && (indexCount == 0 || indexData != nullptr);
    if (device == nullptr || !arraysHeld || vertexBytes != std::uint64_t{vertexCount} * stride) {
        return D3DERR_INVALIDCALL;
    }
    const DWORD usage =
        writeOnly ? D3DUSAGE_WRITEONLY : D3DUSAGE_WRITEONLY | D3DUSAGE_SOFTWAREPROCESSING;
    SafeRelease(vertexBuffer);
    SafeRelease(indexBuffer);
    HRESULT result = UploadVertices(device, usage);
    if (FAILED(result) || FAILED(result = UploadIndices(device, usage))) {
        return result;
    }
    const DWORD position = vertexFormat & D3DFVF_POSITION_MASK;
    if (position == D3DFVF_XYZ || position == D3DFVF_XYZRHW) {
        ComputeBounds();
    }
    if (discardCpuCopy) {
        vertexData.reset();
        indexData.reset();
    }
    return S_OK;
}

HRESULT CIndexedGeometry::UploadVertices(IDirect3DDevice9* device, DWORD usage) {
    const UINT bytes = vertexCount * stride;
    HRESULT result = device->CreateVertexBuffer(bytes, usage, vertexFormat, D3DPOOL_MANAGED,
                                                &vertexBuffer, nullptr);
    if (FAILED(result)) {
        return result;
    }
    void* data = nullptr;
    if (FAILED(result = vertexBuffer->Lock(0, 0, &data, 0))) {
        return result;
    }
    std::memcpy(data, vertexData.get(), bytes);
    return vertexBuffer->Unlock();
}

HRESULT CIndexedGeometry::UploadIndices(IDirect3DDevice9* device, DWORD usage) {
    const UINT bytes = indexCount * 2;
    HRESULT result = device->CreateIndexBuffer(bytes, usage, D3DFMT_INDEX16, D3DPOOL_MANAGED,
                                               &indexBuffer, nullptr);
    if (FAILED(result)) {
        return result;
    }
    void* data = nullptr;
    if (FAILED(result = indexBuffer->Lock(0, 0, &data, 0))) {
        return result;
    }
    std::memcpy(data, indexData.get(), bytes);
    return indexBuffer->Unlock();
}

// Over the first three floats of every vertex; a stride too small to hold
// them leaves the bounds as they were rather than read past the array.
void CIndexedGeometry::ComputeBounds() {
    if (stride < 3 * sizeof(float)) {
        return;
    }
    float box[6] = {kBoundsStart,  kBoundsStart,  kBoundsStart,
                    -kBoundsStart, -kBoundsStart, -kBoundsStart};
    for (std::uint32_t v = 0; v < vertexCount; ++v) {
        float position[3];
        std::memcpy(position, vertexData.get() + std::size_t{v} * stride, sizeof position);
        for (int axis = 0; axis < 3; ++axis) {
            box[axis] = std::min(box[axis], position[axis]);
            box[axis + 3] = std::max(box[axis + 3], position[axis]);
        }
    }
    std::copy(box, box + 6, bounds);
}

HRESULT CIndexedGeometry::Release() {
    vertexData.reset();
    indexData.reset();
    SafeRelease(vertexBuffer);
    SafeRelease(indexBuffer);
    vertexCount = 0;
    vertexBytes = 0;
    indexCount = 0;
    drawVertexCount = 0;
    primitiveCount = 0;
    return S_OK;
}

HRESULT CIndexedGeometry::Render(IDirect3DDevice9* device, DWORD, DWORD) {
    if (device == nullptr || vertexBuffer == nullptr || indexBuffer == nullptr) {
        return S_OK;
    }
    device->SetFVF(vertexFormat);
    device->SetStreamSource(0, vertexBuffer, 0, stride);
    device->SetIndices(indexBuffer);
    device->SetTexture(0, nullptr);
    device->SetTexture(1, nullptr);
    device->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, drawVertexCount, 0, primitiveCount);
    return S_OK;
}

HRESULT CIndexedGeometry::GetBounds(float box[6]) {
    std::copy(bounds, bounds + 6, box);
    return S_OK;
}

}  // namespace RenderLib

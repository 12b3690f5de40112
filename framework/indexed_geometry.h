#pragma once

// Geometry its owner builds by hand: vertices in one flexible vertex format
// and 16-bit indices, grown in system memory, then uploaded into managed
// device buffers and drawn as one indexed triangle strip.
//
// Use: SetFormat; AddVertices and AddIndices, then write into VertexData()
// and IndexData() at the returned positions; Upload; set drawVertexCount
// and primitiveCount; Render. Not copyable.

#include <cstdint>
#include <memory>

#include "framework/render_object.h"

namespace RenderLib {

class CIndexedGeometry : public CRenderObject {
public:
    CIndexedGeometry() = default;
    CIndexedGeometry(const CIndexedGeometry&) = delete;
    CIndexedGeometry& operator=(const CIndexedGeometry&) = delete;
    ~CIndexedGeometry() override;  // Release

    // The device's vertex-format bits and the bytes per vertex. Set it before
    // adding vertices: a different stride afterwards makes AddVertices and
    // Upload fail.
    void SetFormat(DWORD vertexFormat, std::uint8_t stride);

    // Grows the vertex array by count vertices (the old ones are kept, the
    // new bytes are zero) and returns the index of the first new vertex; -1
    // (and nothing changes) when the array cannot grow.
    std::int32_t AddVertices(std::uint32_t count);
    // The same for count 16-bit indices.
    std::int32_t AddIndices(std::uint32_t count);

    // Creates the vertex and index buffers in the managed pool (write-only;
    // for software vertex processing too unless writeOnly) from the arrays,
    // replacing earlier buffers. For positions of type XYZ or XYZRHW the
    // bounds become the box around every vertex's first three floats
    // (starting from ±999999). With discardCpuCopy the arrays are freed
    // afterwards; the counts stay. The device's status on failure, at once;
    // D3DERR_INVALIDCALL when the arrays were already discarded or the
    // stride changed after vertices were added.
    HRESULT Upload(IDirect3DDevice9* device, bool writeOnly, bool discardCpuCopy);

    // Frees both arrays, releases both buffers, zeroes vertexCount,
    // indexCount, drawVertexCount and primitiveCount. Returns 0.
    HRESULT Release() override;
    // Vertex format, stream 0 (stride), indices, no texture on stages 0 and
    // 1, then an indexed triangle strip of drawVertexCount vertices and
    // primitiveCount triangles from index 0. Nothing is drawn before Upload.
    // Returns 0.
    HRESULT Render(IDirect3DDevice9* device, DWORD reserved1, DWORD reserved2) override;
    // Copies the bounds (min x, y, z, max x, y, z). Returns 0.
    HRESULT GetBounds(float box[6]) override;

    std::uint8_t* VertexData() { return vertexData.get(); }  // vertexCount × stride bytes
    std::uint16_t* IndexData() { return indexData.get(); }   // indexCount entries
    std::uint32_t GetVertexCount() const { return vertexCount; }
    std::uint32_t GetIndexCount() const { return indexCount; }
    DWORD GetVertexFormat() const { return vertexFormat; }
    std::uint8_t GetStride() const { return stride; }
    IDirect3DVertexBuffer9* GetVertexBuffer() const { return vertexBuffer; }  // not referenced
    IDirect3DIndexBuffer9* GetIndexBuffer() const { return indexBuffer; }     // not referenced

    // Written by the owner before Render.
    std::uint32_t drawVertexCount = 0;
    std::uint32_t primitiveCount = 0;

private:
    HRESULT UploadVertices(IDirect3DDevice9* device, DWORD usage);
    HRESULT UploadIndices(IDirect3DDevice9* device, DWORD usage);
    void ComputeBounds();

    std::uint32_t vertexCount = 0;
    std::unique_ptr<std::uint8_t[]> vertexData;
    std::uint32_t indexCount = 0;
    std::unique_ptr<std::uint16_t[]> indexData;
    IDirect3DVertexBuffer9* vertexBuffer = nullptr;
    IDirect3DIndexBuffer9* indexBuffer = nullptr;
    std::uint8_t stride = 0;
    DWORD vertexFormat = 0;
    float bounds[6] = {};  // min x, y, z, max x, y, z
    // Bytes of vertexData: vertexCount × stride unless the stride was changed
    // after vertices were added, which AddVertices and Upload then refuse.
    std::uint64_t vertexBytes = 0;
};

}  // namespace RenderLib

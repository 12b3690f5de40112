#include <gtest/gtest.h>

#include <cstring>

#include "d3dx_test_support.h"
#include "platform/d3dx/d3dx_mesh.h"

namespace {

struct PositionUv {
    float x, y, z, u, v;
};

class MeshTest : public ::testing::Test {
protected:
    ~MeshTest() override { SafeRelease(mesh); }

    // Two triangles over four vertices in the plane z = 0, wound clockwise
    // seen from -z; face 1 has attribute 1.
    void MakeSquare(DWORD format = D3DFVF_XYZ | D3DFVF_TEX1, DWORD options = D3DXMESH_MANAGED) {
        ASSERT_EQ(D3DXCreateMeshFVF(2, 4, options, format, holder.device, &mesh), D3D_OK);
        const PositionUv vertices[4] = {
            {0, 0, 0, 0, 1}, {0, 1, 0, 0, 0}, {1, 1, 0, 1, 0}, {1, 0, 0, 1, 1}};
        void* data = nullptr;
        ASSERT_EQ(mesh->LockVertexBuffer(0, &data), D3D_OK);
        for (int v = 0; v < 4; ++v) {
            auto* at = static_cast<std::uint8_t*>(data) + v * mesh->GetNumBytesPerVertex();
            std::memcpy(at, &vertices[v], 12);
            if ((format & D3DFVF_TEX1) != 0) {
                std::memcpy(at + mesh->GetNumBytesPerVertex() - 8, &vertices[v].u, 8);
            }
        }
        mesh->UnlockVertexBuffer();
        const std::uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
        ASSERT_EQ(mesh->LockIndexBuffer(0, &data), D3D_OK);
        std::memcpy(data, indices, sizeof indices);
        mesh->UnlockIndexBuffer();
        DWORD* attributes = nullptr;
        mesh->LockAttributeBuffer(0, &attributes);
        attributes[1] = 1;
        const D3DXATTRIBUTERANGE table[2] = {{0, 0, 1, 0, 3}, {1, 1, 1, 0, 4}};
        ASSERT_EQ(mesh->SetAttributeTable(table, 2), D3D_OK);
    }

    d3dx_test::DeviceHolder holder;
    ID3DXMesh* mesh = nullptr;
};

TEST_F(MeshTest, CloneKeepsSharedFieldsAndZeroesNewOnes) {
    MakeSquare();
    ID3DXMesh* clone = nullptr;
    ASSERT_EQ(mesh->CloneMeshFVF(D3DXMESH_MANAGED | D3DXMESH_32BIT,
                                 D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1, nullptr, &clone),
              D3D_OK);
    ASSERT_EQ(clone->GetNumBytesPerVertex(), 32u);
    void* data = nullptr;
    ASSERT_EQ(clone->LockVertexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
    float vertex2[8];
    std::memcpy(vertex2, static_cast<std::uint8_t*>(data) + 2 * 32, sizeof vertex2);
    clone->UnlockVertexBuffer();
    EXPECT_EQ((std::vector<float>(vertex2, vertex2 + 8)),
              (std::vector<float>{1, 1, 0, 0, 0, 0, 1, 0}));  // position, zero normal, uv
    std::vector<std::uint32_t> corners;
    ASSERT_TRUE(clone->ReadFaces(corners));  // now 32-bit indices
    EXPECT_EQ(corners, (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3}));
    DWORD entries = 0;
    clone->GetAttributeTable(nullptr, &entries);
    EXPECT_EQ(entries, 2u);
    clone->Release();
}

TEST_F(MeshTest, ComputedNormalsFaceTheViewerOfClockwiseFaces) {
    MakeSquare(D3DFVF_XYZ | D3DFVF_NORMAL);
    ASSERT_EQ(D3DXComputeNormals(mesh, nullptr), D3D_OK);
    void* data = nullptr;
    ASSERT_EQ(mesh->LockVertexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
    for (int v = 0; v < 4; ++v) {
        Vector3 normal;
        std::memcpy(&normal, static_cast<std::uint8_t*>(data) + v * 24 + 12, sizeof normal);
        EXPECT_EQ(normal, (Vector3{0, 0, -1})) << v;
    }
    mesh->UnlockVertexBuffer();
    ID3DXMesh* withoutNormals = nullptr;
    mesh->CloneMeshFVF(D3DXMESH_MANAGED, D3DFVF_XYZ, nullptr, &withoutNormals);
    EXPECT_EQ(D3DXComputeNormals(withoutNormals, nullptr), D3DERR_INVALIDCALL);
    withoutNormals->Release();
}

TEST_F(MeshTest, DrawSubsetDrawsItsRangeAsATriangleList) {
    MakeSquare();
    holder.log->Clear();
    ASSERT_EQ(mesh->DrawSubset(1), D3D_OK);
    EXPECT_EQ(
        holder.log->Lines(),
        (std::vector<std::string>{"SetFVF(258)", "SetStreamSource(0, ptr, 0, 20)",
                                  "SetIndices(ptr)", "DrawIndexedPrimitive(4, 0, 0, 4, 3, 1)"}));
    holder.log->Clear();
    EXPECT_EQ(mesh->DrawSubset(7), D3D_OK);  // no such subset
    EXPECT_TRUE(holder.log->Lines().empty());
}

TEST_F(MeshTest, RefusesWhatItCannotHold) {
    ID3DXMesh* refused = nullptr;
    EXPECT_EQ(D3DXCreateMeshFVF(1, 70000, D3DXMESH_MANAGED, D3DFVF_XYZ, holder.device, &refused),
              D3DERR_INVALIDCALL);  // 16-bit indices cannot reach every vertex
    EXPECT_EQ(D3DXCreateMeshFVF(1, 3, D3DXMESH_MANAGED, 0x006, holder.device, &refused),
              D3DERR_INVALIDCALL);  // blend weights are not supported
    EXPECT_EQ(refused, nullptr);
    ID3DXMesh* wide = nullptr;
    ASSERT_EQ(D3DXCreateMeshFVF(1, 70000, D3DXMESH_MANAGED | D3DXMESH_32BIT, D3DFVF_XYZ,
                                holder.device, &wide),
              D3D_OK);
    wide->Release();

    MakeSquare();
    const D3DXATTRIBUTERANGE outside = {0, 1, 2, 0, 4};  // faces 1 and 2 of two
    EXPECT_EQ(mesh->SetAttributeTable(&outside, 1), D3DERR_INVALIDCALL);
    DWORD entries = 0;
    mesh->GetAttributeTable(nullptr, &entries);
    EXPECT_EQ(entries, 2u);  // the old table stays
}

TEST_F(MeshTest, AdjacencyNamesTheFaceAcrossEachSharedEdge) {
    MakeSquare();
    DWORD adjacency[6];
    ASSERT_EQ(mesh->GenerateAdjacency(0.0f, adjacency), D3D_OK);
    const DWORD none = 0xFFFFFFFFu;
    // Face 0 (0, 1, 2) meets face 1 (0, 2, 3) across the edge 2-0.
    EXPECT_EQ((std::vector<DWORD>(adjacency, adjacency + 6)),
              (std::vector<DWORD>{none, none, 1, 0, none, none}));
}

}  // namespace

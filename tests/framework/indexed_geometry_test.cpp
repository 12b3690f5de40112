#include <gtest/gtest.h>

#include <cstring>

#include "framework/indexed_geometry.h"
#include "model_test_support.h"

namespace {

using RenderLib::CIndexedGeometry;

constexpr DWORD kSkyFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;  // 0x142

struct SkyVertex {
    float x, y, z;
    D3DCOLOR color;
    float u, v;
};

class IndexedGeometryTest : public ::testing::Test {
protected:
    // Four vertices and a strip of two triangles over them.
    void FillQuad() {
        geometry.SetFormat(kSkyFormat, sizeof(SkyVertex));
        ASSERT_EQ(geometry.AddVertices(4), 0);
        const SkyVertex vertices[4] = {{-10, 10, 10, 0xFFFFFFFFu, 0, 0},
                                       {10, 10, 10, 0xFFFFFFFFu, 1, 0},
                                       {10, -10, 3, 0xFFFFFFFFu, 1, 1},
                                       {-10, -10, 10, 0xFFFFFFFFu, 0, 1}};
        std::memcpy(geometry.VertexData(), vertices, sizeof vertices);
        ASSERT_EQ(geometry.AddIndices(4), 0);
        const std::uint16_t indices[4] = {0, 1, 3, 2};
        std::memcpy(geometry.IndexData(), indices, sizeof indices);
    }

    model_test::DeviceHolder holder;
    CIndexedGeometry geometry;
};

TEST_F(IndexedGeometryTest, AddingGrowsTheArraysAndReturnsTheFirstNewEntry) {
    geometry.SetFormat(kSkyFormat, sizeof(SkyVertex));
    EXPECT_EQ(geometry.AddVertices(4), 0);
    geometry.VertexData()[0] = 0xAB;
    EXPECT_EQ(geometry.AddVertices(4), 4);
    EXPECT_EQ(geometry.GetVertexCount(), 8u);
    EXPECT_EQ(geometry.VertexData()[0], 0xAB);  // the old vertices are kept
    EXPECT_EQ(geometry.VertexData()[4 * sizeof(SkyVertex)], 0);
    EXPECT_EQ(geometry.AddIndices(6), 0);
    EXPECT_EQ(geometry.AddIndices(2), 6);
    EXPECT_EQ(geometry.GetIndexCount(), 8u);
}

TEST_F(IndexedGeometryTest, GrowthThatCannotBeHeldFailsAndChangesNothing) {
    geometry.SetFormat(kSkyFormat, sizeof(SkyVertex));
    ASSERT_EQ(geometry.AddVertices(2), 0);
    EXPECT_EQ(geometry.AddVertices(0xFFFFFFF0u), -1);  // bytes beyond 32 bits
    EXPECT_EQ(geometry.GetVertexCount(), 2u);
    EXPECT_EQ(geometry.AddIndices(0xFFFFFFFFu), -1);
    EXPECT_EQ(geometry.GetIndexCount(), 0u);
    // A stride changed after adding would misread the array.
    geometry.SetFormat(kSkyFormat, 32);
    EXPECT_EQ(geometry.AddVertices(1), -1);
    EXPECT_EQ(geometry.Upload(holder.device, true, false), D3DERR_INVALIDCALL);
}

TEST_F(IndexedGeometryTest, UploadFillsManagedBuffersAndComputesTheBounds) {
    FillQuad();
    ASSERT_EQ(geometry.Upload(holder.device, true, true), S_OK);
    EXPECT_EQ(holder.log->Matching("Create"),
              (std::vector<std::string>{"CreateVertexBuffer(96, 8, 322, 1, ptr, null)",
                                        "CreateIndexBuffer(8, 8, 101, 1, ptr, null)"}));
    const std::vector<std::uint8_t>& vertices = RecordedBytes(geometry.GetVertexBuffer());
    EXPECT_EQ(model_test::PositionAt(vertices, sizeof(SkyVertex), 2), (Vector3{10, -10, 3}));
    const std::vector<std::uint8_t>& indices = RecordedBytes(geometry.GetIndexBuffer());
    EXPECT_EQ(indices, (std::vector<std::uint8_t>{0, 0, 1, 0, 3, 0, 2, 0}));
    float box[6];
    ASSERT_EQ(geometry.GetBounds(box), S_OK);
    EXPECT_EQ((std::vector<float>(box, box + 6)), (std::vector<float>{-10, -10, 3, 10, 10, 10}));
    // The system copies are gone; the counts stay.
    EXPECT_EQ(geometry.VertexData(), nullptr);
    EXPECT_EQ(geometry.IndexData(), nullptr);
    EXPECT_EQ(geometry.GetVertexCount(), 4u);
    EXPECT_EQ(geometry.Upload(holder.device, true, true), D3DERR_INVALIDCALL);
}

TEST_F(IndexedGeometryTest, WithoutHardwareProcessingTheBuffersAreForSoftwareToo) {
    FillQuad();
    ASSERT_EQ(geometry.Upload(holder.device, false, false), S_OK);
    EXPECT_EQ(holder.log->Matching("Create"),
              (std::vector<std::string>{"CreateVertexBuffer(96, 24, 322, 1, ptr, null)",
                                        "CreateIndexBuffer(8, 24, 101, 1, ptr, null)"}));
    EXPECT_NE(geometry.VertexData(), nullptr);
    // Uploading again replaces the buffers.
    IDirect3DVertexBuffer9* first = geometry.GetVertexBuffer();
    first->AddRef();
    ASSERT_EQ(geometry.Upload(holder.device, false, false), S_OK);
    EXPECT_NE(geometry.GetVertexBuffer(), first);
    EXPECT_EQ(first->Release(), 0u);  // the geometry let go of it
}

TEST_F(IndexedGeometryTest, BoundsOfAFormatWithoutPositionStayAsTheyWere) {
    FillQuad();
    ASSERT_EQ(geometry.Upload(holder.device, true, true), S_OK);
    geometry.Release();
    geometry.SetFormat(D3DFVF_DIFFUSE, 4);
    ASSERT_EQ(geometry.AddVertices(2), 0);
    ASSERT_EQ(geometry.AddIndices(2), 0);
    ASSERT_EQ(geometry.Upload(holder.device, true, false), S_OK);
    float box[6];
    geometry.GetBounds(box);
    EXPECT_EQ((std::vector<float>(box, box + 6)), (std::vector<float>{-10, -10, 3, 10, 10, 10}));
}

TEST_F(IndexedGeometryTest, RenderDrawsOneIndexedStripWithoutTextures) {
    FillQuad();
    holder.log->Clear();
    geometry.Render(holder.device, 0, 0);
    EXPECT_TRUE(holder.log->Lines().empty());  // nothing before the upload

    ASSERT_EQ(geometry.Upload(holder.device, true, true), S_OK);
    geometry.drawVertexCount = 4;
    geometry.primitiveCount = 2;
    holder.log->Clear();
    EXPECT_EQ(geometry.Render(holder.device, 7, 9), S_OK);
    EXPECT_EQ(
        holder.log->Lines(),
        (std::vector<std::string>{"SetFVF(322)", "SetStreamSource(0, ptr, 0, 24)",
                                  "SetIndices(ptr)", "SetTexture(0, null)", "SetTexture(1, null)",
                                  "DrawIndexedPrimitive(5, 0, 0, 4, 0, 2)"}));
    EXPECT_EQ(holder.device->streamSource, geometry.GetVertexBuffer());
}

TEST_F(IndexedGeometryTest, DeviceFailuresAreReturnedAndReleaseEmptiesEverything) {
    FillQuad();
    holder.device->createResourceResult = D3DERR_OUTOFVIDEOMEMORY;
    EXPECT_EQ(geometry.Upload(holder.device, true, true), D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_NE(geometry.VertexData(), nullptr);  // nothing was discarded

    holder.device->createResourceResult = D3D_OK;
    ASSERT_EQ(geometry.Upload(holder.device, true, false), S_OK);
    geometry.drawVertexCount = 4;
    geometry.primitiveCount = 2;
    EXPECT_EQ(geometry.Release(), S_OK);
    EXPECT_EQ(geometry.GetVertexCount(), 0u);
    EXPECT_EQ(geometry.GetIndexCount(), 0u);
    EXPECT_EQ(geometry.drawVertexCount, 0u);
    EXPECT_EQ(geometry.primitiveCount, 0u);
    EXPECT_EQ(geometry.GetVertexBuffer(), nullptr);
    EXPECT_EQ(geometry.VertexData(), nullptr);
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>

#include "d3dx_test_support.h"
#include "platform/d3dx/d3dx_hierarchy_loader.h"

namespace {

using d3dx_test::ContainerOf;
using d3dx_test::DataPath;
using d3dx_test::PositionOf;

class HierarchyLoaderTest : public ::testing::Test {
protected:
    ~HierarchyLoaderTest() override {
        if (root != nullptr) {
            D3DXFrameDestroy(root, &allocator);
        }
        SafeRelease(controller);
        EXPECT_EQ(allocator.liveFrames, 0);
        EXPECT_EQ(allocator.liveContainers, 0);
    }

    HRESULT LoadFile(const std::string& name) {
        return D3DXLoadMeshHierarchyFromXA(DataPath(name).c_str(), D3DXMESH_MANAGED, holder.device,
                                           &allocator, nullptr, &root, &controller);
    }

    HRESULT LoadBytes(const std::vector<std::uint8_t>& bytes) {
        return D3DXLoadMeshHierarchyFromXInMemory(bytes.data(), bytes.size(), D3DXMESH_MANAGED,
                                                  holder.device, &allocator, nullptr, &root,
                                                  &controller);
    }

    HRESULT LoadText(const std::string& text) {
        return LoadBytes(std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    d3dx_test::DeviceHolder holder;
    d3dx_test::PlainAllocator allocator;
    D3DXFRAME* root = nullptr;
    ID3DXAnimationController* controller = nullptr;
};

void ExpectRow(const D3DXMATRIX& m, int row, float a, float b, float c, float d) {
    EXPECT_EQ(m.m[row][0], a);
    EXPECT_EQ(m.m[row][1], b);
    EXPECT_EQ(m.m[row][2], c);
    EXPECT_EQ(m.m[row][3], d);
}

// What tests/data/handedness.x holds, value for value.
void ExpectHandednessModel(D3DXFRAME* root) {
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->Name, "Root");
    ExpectRow(root->TransformationMatrix, 3, 10, 20, 30, 1);
    D3DXFRAME* tip = root->pFrameFirstChild;
    ASSERT_NE(tip, nullptr);
    EXPECT_STREQ(tip->Name, "Tip");
    ExpectRow(tip->TransformationMatrix, 0, 0, 1, 0, 0);
    ExpectRow(tip->TransformationMatrix, 1, -1, 0, 0, 0);
    ExpectRow(tip->TransformationMatrix, 3, 1, 2, 3, 1);

    D3DXMESHCONTAINER* panel = root->pMeshContainer;
    ASSERT_NE(panel, nullptr);
    EXPECT_STREQ(panel->Name, "Panel");
    ID3DXMesh* mesh = panel->MeshData.pMesh;
    ASSERT_EQ(mesh->GetFVF(), D3DFVF_XYZ | D3DFVF_TEX1);  // no normals in the file
    ASSERT_EQ(mesh->GetNumVertices(), 5u);
    const float positions[5][3] = {{0, 0, 1}, {1, 0, 2}, {1, 1, 3}, {0, 1, 4}, {0.5f, 2, -5}};
    const float uvs[5][2] = {{0, 0.25f}, {1, 0.75f}, {0.5f, 0.125f}, {0.25f, 1}, {0.75f, 0.5f}};
    void* data = nullptr;
    ASSERT_EQ(mesh->LockVertexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
    for (int v = 0; v < 5; ++v) {
        float vertex[5];
        std::memcpy(vertex, static_cast<std::uint8_t*>(data) + v * 20, sizeof vertex);
        EXPECT_EQ(vertex[0], positions[v][0]) << v;
        EXPECT_EQ(vertex[1], positions[v][1]) << v;
        EXPECT_EQ(vertex[2], positions[v][2]) << v;
        EXPECT_EQ(vertex[3], uvs[v][0]) << v;
        EXPECT_EQ(vertex[4], uvs[v][1]) << v;
    }
    mesh->UnlockVertexBuffer();

    // Winding as written; the quad (3, 2, 4, 0) as the fan (3, 2, 4), (3, 4, 0).
    std::vector<std::uint32_t> corners;
    ASSERT_TRUE(mesh->ReadFaces(corners));
    EXPECT_EQ(corners, (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3, 3, 2, 4, 3, 4, 0}));

    ID3DXSkinInfo* skin = panel->pSkinInfo;
    ASSERT_NE(skin, nullptr);
    ASSERT_EQ(skin->GetNumBones(), 1u);
    EXPECT_STREQ(skin->GetBoneName(0), "Tip");
    ExpectRow(*skin->GetBoneOffsetMatrix(0), 3, -1, -2, -3, 1);
    ASSERT_EQ(skin->GetNumBoneInfluences(0), 2u);
    DWORD vertices[2];
    float weights[2];
    skin->GetBoneInfluence(0, vertices, weights);
    EXPECT_EQ(vertices[0], 1u);
    EXPECT_EQ(weights[0], 0.5f);
    EXPECT_EQ(vertices[1], 2u);
    EXPECT_EQ(weights[1], 1.0f);
}

TEST_F(HierarchyLoaderTest, TextFileArrivesExactlyAsStored) {
    ASSERT_EQ(LoadFile("handedness.x"), D3D_OK);
    ExpectHandednessModel(root);
    EXPECT_EQ(controller, nullptr);  // no animation in the file
}

std::vector<std::uint8_t> BinaryHandedness(bool doubles) {
    const std::vector<double> identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
    auto matrix = [&](double x, double y, double z) {
        std::vector<double> m = identity;
        m.insert(m.end(), {x, y, z, 1});
        return m;
    };
    std::vector<double> offset = matrix(-1, -2, -3);
    offset.insert(offset.begin(), {0.5, 1.0});
    d3dx_test::XBinaryWriter x(doubles);
    x.Name("Frame").Name("Root").Open();
    x.Name("FrameTransformMatrix").Open().Floats(matrix(10, 20, 30)).Close();
    x.Name("Frame").Name("Tip").Open();
    x.Name("FrameTransformMatrix").Open();
    x.Floats({0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1}).Close().Close();
    x.Name("Mesh").Name("Panel").Open();
    x.Ints({5}).Floats({0, 0, 1, 1, 0, 2, 1, 1, 3, 0, 1, 4, 0.5, 2, -5});
    x.Ints({3, 3, 0, 1, 2, 3, 0, 2, 3, 4, 3, 2, 4, 0});
    x.Name("MeshTextureCoords").Open().Ints({5});
    x.Floats({0, 0.25, 1, 0.75, 0.5, 0.125, 0.25, 1, 0.75, 0.5}).Close();
    x.Name("SkinWeights").Open().String("Tip").Ints({2, 1, 2}).Floats(offset).Close();
    x.Close().Close();
    return x.Bytes();
}

TEST_F(HierarchyLoaderTest, BinaryFilesLoadLikeTheTextFile) {
    ASSERT_EQ(LoadBytes(BinaryHandedness(false)), D3D_OK);
    ExpectHandednessModel(root);
    D3DXFrameDestroy(root, &allocator);
    root = nullptr;
    ASSERT_EQ(LoadBytes(BinaryHandedness(true)), D3D_OK);  // 64-bit floats
    ExpectHandednessModel(root);
}

TEST_F(HierarchyLoaderTest, SeveralTopLevelFramesBecomeTheRootAndItsSiblings) {
    ASSERT_EQ(LoadText("xof 0303txt 0032\n"
                       "Frame A { Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; } }\n"
                       "Frame B { Frame C { } }\n"),
              D3D_OK);
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->Name, "A");
    ASSERT_NE(root->pFrameSibling, nullptr);
    EXPECT_STREQ(root->pFrameSibling->Name, "B");
    EXPECT_STREQ(root->pFrameSibling->pFrameFirstChild->Name, "C");
    EXPECT_EQ(root->pFrameSibling->pFrameSibling, nullptr);
    EXPECT_EQ(root->pMeshContainer->Name, nullptr);  // an unnamed mesh
}

TEST_F(HierarchyLoaderTest, CornersWithDifferentNormalsGetVerticesAfterTheFilesOwn) {
    // Two triangles share vertices 0 and 2 but not their normals.
    ASSERT_EQ(LoadText("xof 0303txt 0032\nFrame F { Mesh M {\n"
                       " 4; 0;0;0;, 0;1;0;, 1;1;0;, 1;0;-1;;\n"
                       " 2; 3;0,1,2;, 3;0,2,3;;\n"
                       " MeshNormals { 2; 0;0;-1;, 0;1;0;; 2; 3;0,0,0;, 3;1,1,1;; }\n"
                       "} }\n"),
              D3D_OK);
    ID3DXMesh* mesh = ContainerOf(root, "F")->MeshData.pMesh;
    ASSERT_EQ(mesh->GetNumVertices(), 6u);
    EXPECT_EQ(mesh->GetFVF(), D3DFVF_XYZ | D3DFVF_NORMAL);
    for (DWORD v = 0; v < 4; ++v) {
        const float file[4][3] = {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, -1}};
        EXPECT_EQ(PositionOf(mesh, v), (Vector3{file[v][0], file[v][1], file[v][2]})) << v;
    }
    std::vector<std::uint32_t> corners;
    ASSERT_TRUE(mesh->ReadFaces(corners));
    EXPECT_EQ(corners, (std::vector<std::uint32_t>{0, 1, 2, 4, 5, 3}));
    EXPECT_EQ(PositionOf(mesh, 4), PositionOf(mesh, 0));
    EXPECT_EQ(PositionOf(mesh, 5), PositionOf(mesh, 2));
}

TEST_F(HierarchyLoaderTest, MaterialsBecomeSubsetsInMaterialOrder) {
    ASSERT_EQ(LoadFile("missing_texture.x"), D3D_OK);
    D3DXMESHCONTAINER* pair = ContainerOf(root, "Root");
    ASSERT_EQ(pair->NumMaterials, 2u);
    EXPECT_STREQ(pair->pMaterials[0].pTextureFilename, "stripes.png");
    EXPECT_STREQ(pair->pMaterials[1].pTextureFilename, "no_such_texture.png");
    EXPECT_FLOAT_EQ(pair->pMaterials[1].MatD3D.Diffuse.b, 0.6f);
    D3DXATTRIBUTERANGE table[2];
    DWORD entries = 2;
    ASSERT_EQ(pair->MeshData.pMesh->GetAttributeTable(table, &entries), D3D_OK);
    ASSERT_EQ(entries, 2u);
    EXPECT_EQ(table[0].AttribId, 0u);
    EXPECT_EQ(table[0].FaceStart, 0u);
    EXPECT_EQ(table[1].AttribId, 1u);
    EXPECT_EQ(table[1].FaceStart, 1u);
    EXPECT_EQ(table[1].FaceCount, 1u);
}

D3DXMATRIX AdvanceTo(ID3DXAnimationController* controller, D3DXFRAME* root, double seconds,
                     const char* frame) {
    controller->ResetTime();
    controller->AdvanceTime(seconds, nullptr);
    return D3DXFrameFind(root, frame)->TransformationMatrix;
}

TEST_F(HierarchyLoaderTest, AnimationKeysAreReadWithTheFilesRotationConvention) {
    ASSERT_EQ(LoadFile("animated_bone.x"), D3D_OK);
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(controller->GetAnimationSet().GetSourceTicksPerSecond(), 100.0);
    EXPECT_EQ(controller->GetAnimationSet().GetPeriod(), 100.0);

    // Half way: an eighth turn that takes +x toward +y, scale 2, at (5, 0, 0).
    const D3DXMATRIX half = AdvanceTo(controller, root, 0.5, "Arm");
    const float c = 2.0f * std::cos(0.78539816f);
    EXPECT_NEAR(half.m[0][0], c, 1e-5f);
    EXPECT_NEAR(half.m[0][1], c, 1e-5f);
    EXPECT_NEAR(half.m[1][0], -c, 1e-5f);
    EXPECT_NEAR(half.m[2][2], 2.0f, 1e-5f);
    EXPECT_NEAR(half.m[3][0], 5.0f, 1e-5f);

    // Fin has rotation keys only: it keeps the translation of its own matrix.
    const D3DXMATRIX fin = AdvanceTo(controller, root, 0.5, "Fin");
    EXPECT_NEAR(fin.m[3][1], 5.0f, 1e-5f);
}

TEST_F(HierarchyLoaderTest, AnimationLoopsOverItsPeriod) {
    ASSERT_EQ(LoadFile("animated_bone.x"), D3D_OK);
    const D3DXMATRIX quarter = AdvanceTo(controller, root, 0.25, "Arm");
    const D3DXMATRIX wrapped = AdvanceTo(controller, root, 2.25, "Arm");
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_NEAR(wrapped.m[row][column], quarter.m[row][column], 1e-5f);
        }
    }
    // A quarter of the way the turn is 22.5 degrees: spherical, not a
    // normalised linear blend (which gives about 21.6).
    const float angle = std::atan2(quarter.m[0][1], quarter.m[0][0]);
    EXPECT_NEAR(angle, 0.39269908f, 1e-5f);
    EXPECT_NEAR(quarter.m[3][0], 2.5f, 1e-5f);
}

TEST_F(HierarchyLoaderTest, WithoutTicksPerSecondASecondHas4800Ticks) {
    ASSERT_EQ(LoadText("xof 0303txt 0032\nFrame F { }\n"
                       "AnimationSet { Animation { { F }\n"
                       " AnimationKey { 2; 2; 0;3;0.0,0.0,0.0;;, 9600;3;8.0,0.0,0.0;;; } } }\n"),
              D3D_OK);
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(controller->GetAnimationSet().GetSourceTicksPerSecond(), 4800.0);
    EXPECT_NEAR(AdvanceTo(controller, root, 0.5, "F").m[3][0], 2.0f, 1e-5f);
}

TEST_F(HierarchyLoaderTest, AMissingFileFailsWithOneLineNamingIt) {
    d3dx_test::StderrCapture errors;
    EXPECT_EQ(LoadFile("no_such_model.x"), D3DERR_NOTFOUND);
    EXPECT_EQ(root, nullptr);
    const std::vector<std::string> lines = errors.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("no_such_model.x"), std::string::npos);
}

TEST_F(HierarchyLoaderTest, ARefusingAllocatorLeavesNothingBehind) {
    class Refusing final : public ID3DXAllocateHierarchy {
    public:
        explicit Refusing(d3dx_test::PlainAllocator& inner) : inner_(inner) {}
        HRESULT CreateFrame(const char* name, D3DXFRAME** frame) override {
            return inner_.CreateFrame(name, frame);
        }
        HRESULT CreateMeshContainer(const char*, const D3DXMESHDATA*, const D3DXMATERIAL*,
                                    const D3DXEFFECTINSTANCE*, DWORD, const DWORD*, ID3DXSkinInfo*,
                                    D3DXMESHCONTAINER**) override {
            return E_OUTOFMEMORY;
        }
        HRESULT DestroyFrame(D3DXFRAME* frame) override { return inner_.DestroyFrame(frame); }
        HRESULT DestroyMeshContainer(D3DXMESHCONTAINER* c) override {
            return inner_.DestroyMeshContainer(c);
        }

    private:
        d3dx_test::PlainAllocator& inner_;
    } refusing(allocator);
    d3dx_test::StderrCapture errors;
    EXPECT_EQ(D3DXLoadMeshHierarchyFromXA(DataPath("two_bone_bend.x").c_str(), D3DXMESH_MANAGED,
                                          holder.device, &refusing, nullptr, &root, &controller),
              E_OUTOFMEMORY);
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(errors.Lines().size(), 1u);
}

}  // namespace

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cmath>
#include <filesystem>

#include "framework/hierarchy_model.h"
#include "model_test_support.h"

namespace {

using model_test::DataPath;
using model_test::PositionAt;
using model_test::PositionOf;
using RenderLib::CHierarchyModel;
using RenderLib::ModelFrame;
using RenderLib::ModelMeshContainer;

constexpr float kTolerance = 1e-5f;

MATCHER_P(Near, expected, "") {
    return std::fabs(arg.x - expected.x) < kTolerance &&
           std::fabs(arg.y - expected.y) < kTolerance && std::fabs(arg.z - expected.z) < kTolerance;
}

class HierarchyModelTest : public ::testing::Test {
protected:
    HRESULT Load(const std::string& name) {
        return model.Load(holder.device, DataPath(name).c_str());
    }

    ModelFrame& Frame(const char* name) {
        return *static_cast<ModelFrame*>(D3DXFrameFind(model.GetRootFrame(), name));
    }

    ModelMeshContainer& Container(const char* frame, int index = 0) {
        D3DXMESHCONTAINER* container = Frame(frame).pMeshContainer;
        for (int i = 0; i < index; ++i) {
            container = container->pNextMeshContainer;
        }
        return *static_cast<ModelMeshContainer*>(container);
    }

    // The vertex bytes the last draw read.
    std::vector<std::uint8_t>& DrawnBytes() { return RecordedBytes(holder.device->streamSource); }

    model_test::DeviceHolder holder;
    CHierarchyModel model;
};

TEST_F(HierarchyModelTest, SkinningBendsTheStripAtItsUpperBone) {
    ASSERT_EQ(Load("two_bone_bend.x"), S_OK);
    // Before any animation the strip is drawn as loaded.
    model.Render(holder.device, 0, 0);
    EXPECT_THAT(PositionAt(DrawnBytes(), 24, 3), Near(Vector3{1, 0, 20}));

    // A quarter turn about y at the upper joint (z toward +x).
    D3DXMATRIX& upper = Frame("Upper").TransformationMatrix;
    upper = D3DXMATRIX{};
    upper.m[0][0] = 0;
    upper.m[0][2] = -1;
    upper.m[2][0] = 1;
    upper.m[2][2] = 0;
    upper.m[3][2] = 10;
    model.Animate(holder.device, 0.0f);
    holder.log->Clear();
    EXPECT_EQ(model.Render(holder.device, 0, 0), S_OK);

    std::vector<std::uint8_t>& bytes = DrawnBytes();
    ASSERT_EQ(bytes.size(), 4u * 24u);                               // position and computed normal
    EXPECT_THAT(PositionAt(bytes, 24, 0), Near(Vector3{0, 0, 0}));   // lower bone only
    EXPECT_THAT(PositionAt(bytes, 24, 1), Near(Vector3{-2, 0, 7}));  // half of each
    EXPECT_THAT(PositionAt(bytes, 24, 2), Near(Vector3{5, 0, 10}));  // upper bone only
    EXPECT_THAT(PositionAt(bytes, 24, 3), Near(Vector3{10, 0, 9}));
    EXPECT_EQ(holder.log->Matching("DrawIndexedPrimitive("),
              (std::vector<std::string>{"DrawIndexedPrimitive(4, 0, 0, 4, 0, 2)"}));

    // The source stays as loaded: drawing again gives the same bytes.
    const std::vector<std::uint8_t> first = bytes;
    model.Render(holder.device, 0, 0);
    EXPECT_EQ(DrawnBytes(), first);
}

TEST_F(HierarchyModelTest, AMeshWithoutNormalsIsDrawnWithComputedNormals) {
    ASSERT_EQ(Load("mesh_without_normals.x"), S_OK);
    model.Render(holder.device, 0, 0);
    EXPECT_EQ(holder.device->vertexFormat, D3DFVF_XYZ | D3DFVF_NORMAL);
    const std::vector<std::uint8_t>& bytes = DrawnBytes();
    ASSERT_EQ(bytes.size(), 4u * 24u);
    for (UINT v = 0; v < 4; ++v) {
        Vector3 normal;
        std::memcpy(&normal, bytes.data() + v * 24 + 12, sizeof normal);
        EXPECT_THAT(normal, Near(Vector3{0, 0, -1})) << v;
    }
    EXPECT_FLOAT_EQ(holder.device->material.Diffuse.r, 0.9f);  // its own material
}

TEST_F(HierarchyModelTest, AMeshWithoutMaterialsIsDrawnGreyWithoutTexture) {
    ASSERT_EQ(Load("mesh_without_materials.x"), S_OK);
    ModelMeshContainer& plain = Container("Root");
    ASSERT_EQ(plain.NumMaterials, 1u);
    EXPECT_EQ(plain.pMaterials[0].pTextureFilename, nullptr);
    holder.log->Clear();
    model.Render(holder.device, 0, 0);
    const D3DMATERIAL9& material = holder.device->material;
    EXPECT_EQ(material.Diffuse.r, 0.5f);
    EXPECT_EQ(material.Diffuse.g, 0.5f);
    EXPECT_EQ(material.Diffuse.b, 0.5f);
    EXPECT_EQ(material.Diffuse.a, 0.0f);
    EXPECT_EQ(material.Specular.r, 0.5f);
    EXPECT_EQ(material.Ambient.r, 0.0f);
    EXPECT_EQ(holder.log->Matching("SetTexture("),
              (std::vector<std::string>{"SetTexture(0, null)"}));
}

TEST_F(HierarchyModelTest, AMissingTextureLeavesOnlyItsSubsetUntextured) {
    model_test::ScratchFolder folder("model_texture");
    const std::uint8_t pixels[16] = {255, 255, 255, 255, 0,   0,   0,   255,
                                     0,   0,   0,   255, 255, 255, 255, 255};
    ASSERT_NE(stbi_write_png("stripes.png", 2, 2, 4, pixels, 8), 0);
    model_test::StderrCapture errors;
    ASSERT_EQ(Load("missing_texture.x"), S_OK);
    const std::vector<std::string> lines = errors.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("no_such_texture.png"), std::string::npos) << lines[0];

    ModelMeshContainer& pair = Container("Root");
    ASSERT_EQ(pair.textures.size(), 2u);
    EXPECT_NE(pair.textures[0], nullptr);
    EXPECT_EQ(pair.textures[1], nullptr);
    EXPECT_EQ(pair.pMaterials[0].pTextureFilename, nullptr);  // names are cleared
    holder.log->Clear();
    model.Render(holder.device, 0, 0);
    std::vector<std::string> drawing;
    for (const std::string& line : holder.log->Lines()) {
        if (line.rfind("SetTexture(", 0) == 0 || line.rfind("DrawIndexedPrimitive(", 0) == 0) {
            drawing.push_back(line);
        }
    }
    EXPECT_EQ(drawing, (std::vector<std::string>{
                           "SetTexture(0, ptr)", "DrawIndexedPrimitive(4, 0, 0, 3, 0, 1)",
                           "SetTexture(0, null)", "DrawIndexedPrimitive(4, 0, 0, 4, 3, 1)"}));
}

TEST_F(HierarchyModelTest, TwoSkinnedContainersOfOneFrameUseTheirOwnBones) {
    ASSERT_EQ(Load("two_skinned_containers.x"), S_OK);
    ModelMeshContainer& left = Container("Body", 0);
    ModelMeshContainer& right = Container("Body", 1);
    EXPECT_STREQ(left.Name, "Left");
    EXPECT_STREQ(right.Name, "Right");
    EXPECT_EQ(left.boneLinks,
              (std::vector<const D3DXMATRIX*>{&Frame("LeftFin").CombinedTransformationMatrix}));
    EXPECT_EQ(right.boneLinks,
              (std::vector<const D3DXMATRIX*>{&Frame("RightFin").CombinedTransformationMatrix,
                                              &Frame("Body").CombinedTransformationMatrix}));
    EXPECT_EQ(model.GetBoneMatrixCapacity(), 2u);  // the larger skin

    // Lift the left fin: only the left mesh follows.
    Frame("LeftFin").TransformationMatrix.m[3][1] = 5.0f;
    model.Animate(holder.device, 0.0f);
    holder.log->Clear();
    model.Render(holder.device, 0, 0);
    EXPECT_EQ(holder.log->Matching("DrawIndexedPrimitive(").size(), 2u);
    EXPECT_THAT(PositionOf(left.MeshData.pMesh, 0), Near(Vector3{-3, 5, 0}));
    EXPECT_THAT(PositionOf(right.MeshData.pMesh, 0), Near(Vector3{2, 0, 0}));
    EXPECT_THAT(PositionOf(right.MeshData.pMesh, 2), Near(Vector3{3, 0, 0}));
}

TEST_F(HierarchyModelTest, ABoneNamingNoFrameFailsTheLoad) {
    model_test::StderrCapture errors;
    EXPECT_EQ(Load("bone_without_frame.x"), E_FAIL);
    EXPECT_EQ(model.GetRootFrame(), nullptr);
    const std::vector<std::string> lines = errors.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("Nowhere"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("bone_without_frame.x"), std::string::npos) << lines[0];
}

TEST_F(HierarchyModelTest, AFileTheSearchCannotFindFailsWithOneLine) {
    model_test::StderrCapture errors;
    EXPECT_TRUE(FAILED(model.Load(holder.device, "Data\\Models\\no_such_fish.x")));
    EXPECT_EQ(model.GetRootFrame(), nullptr);
    const std::vector<std::string> lines = errors.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("no_such_fish.x"), std::string::npos) << lines[0];
}

TEST_F(HierarchyModelTest, BoundsAreTheBoundingSphereWidenedByRootTwo) {
    float box[6];
    EXPECT_TRUE(FAILED(model.GetBounds(box)));  // nothing loaded
    EXPECT_EQ(box[0], -3.4028235e38f);
    EXPECT_EQ(box[5], 3.4028235e38f);

    ASSERT_EQ(Load("two_bone_bend.x"), S_OK);
    ASSERT_EQ(model.GetBounds(box), S_OK);
    // Centre (0.5, 0, 10); the farthest vertices lie sqrt(100.25) away.
    const float extent = std::sqrt(100.25f) * 1.4142135f;
    EXPECT_NEAR(box[0], 0.5f - extent, 1e-4f);
    EXPECT_NEAR(box[1], -extent, 1e-4f);
    EXPECT_NEAR(box[2], 10.0f - extent, 1e-4f);
    EXPECT_NEAR(box[3], 0.5f + extent, 1e-4f);
    EXPECT_NEAR(box[5], 10.0f + extent, 1e-4f);
}

TEST_F(HierarchyModelTest, AnimateAdvancesTheAnimationAndCombinesTheFrames) {
    ASSERT_EQ(Load("animated_bone.x"), S_OK);
    ASSERT_NE(model.GetAnimationController(), nullptr);
    model.Animate(holder.device, 0.25f);
    model.Animate(holder.device, 0.25f);
    // Half way: scale 2, an eighth turn from +x toward +y, moved to (5, 0, 0).
    EXPECT_NEAR(Frame("Arm").CombinedTransformationMatrix.m[3][0], 5.0f, kTolerance);
    model.Render(holder.device, 0, 0);
    const float diagonal = std::sqrt(2.0f);
    EXPECT_THAT(PositionAt(DrawnBytes(), 24, 1), Near(Vector3{5 + diagonal, diagonal, 0}));
}

TEST_F(HierarchyModelTest, EachPoseIsSkinnedOnceHoweverOftenItIsDrawn) {
    ASSERT_EQ(Load("animated_bone.x"), S_OK);
    model.Animate(holder.device, 0.25f);
    holder.log->Clear();
    for (int fish = 0; fish < 3; ++fish) {
        model.Render(holder.device, 0, 0);
    }
    EXPECT_EQ(holder.log->Matching("VertexBuffer.Unlock(").size(), 2u);  // source and working mesh
    EXPECT_EQ(holder.log->Matching("DrawIndexedPrimitive(").size(), 3u);

    const std::vector<std::uint8_t> before = DrawnBytes();
    model.Animate(holder.device, 0.25f);
    holder.log->Clear();
    model.Render(holder.device, 0, 0);
    EXPECT_EQ(holder.log->Matching("VertexBuffer.Unlock(").size(), 2u);
    EXPECT_NE(DrawnBytes(), before);  // the new pose was skinned
}

TEST_F(HierarchyModelTest, ReleaseDropsTheModelAndReloadingReplacesIt) {
    ASSERT_EQ(Load("animated_bone.x"), S_OK);
    ASSERT_EQ(Load("two_bone_bend.x"), S_OK);  // the first model goes
    EXPECT_EQ(model.GetAnimationController(), nullptr);
    EXPECT_EQ(model.Release(), S_OK);
    EXPECT_EQ(model.GetRootFrame(), nullptr);
    holder.log->Clear();
    EXPECT_EQ(model.Render(holder.device, 0, 0), S_OK);
    model.Animate(holder.device, 1.0f);
    EXPECT_TRUE(holder.log->Lines().empty());
    EXPECT_EQ(model.GetBoneMatrixCapacity(), 2u);  // the workspace stays
}

TEST_F(HierarchyModelTest, GeneratedFishLoadWithTheirTexturesAndSwim) {
    for (const char* name : {"northernpike.x", "bluegill.x", "blackbass.x"}) {
        const std::string path = std::string(QUORVANE_GENERATED_MODELS_DIR) + "/" + name;
        if (!std::filesystem::exists(path)) {
            GTEST_SKIP() << "the fish models have not been generated";
        }
        SCOPED_TRACE(name);
        model_test::StderrCapture errors;
        ASSERT_EQ(model.Load(holder.device, path.c_str()), S_OK);
        EXPECT_TRUE(errors.Lines().empty());  // the skin texture was found
        ASSERT_NE(model.GetAnimationController(), nullptr);
        float box[6];
        ASSERT_EQ(model.GetBounds(box), S_OK);
        EXPECT_GT(box[5] - box[2], 30.0f);
        EXPECT_LT(box[5] - box[2], 200.0f);

        model.Animate(holder.device, 0.1f);
        holder.log->Clear();
        model.Render(holder.device, 0, 0);
        EXPECT_FALSE(holder.log->Matching("DrawIndexedPrimitive(").empty());
        EXPECT_EQ(holder.log->Matching("SetTexture(0, null)").size(), 0u);
        const std::vector<std::uint8_t> before = DrawnBytes();
        model.Animate(holder.device, 0.3f);
        model.Render(holder.device, 0, 0);
        EXPECT_NE(DrawnBytes(), before);  // the body bends as it swims
    }
}

}  // namespace

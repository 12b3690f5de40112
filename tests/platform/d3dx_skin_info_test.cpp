#include <gtest/gtest.h>

#include <cstring>

#include "platform/d3dx/d3dx_skin_info.h"

namespace {

struct PositionNormal {
    Vector3 position;
    Vector3 normal;
};

class SkinInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(D3DXCreateSkinInfoFVF(3, D3DFVF_XYZ | D3DFVF_NORMAL, 2, &skin), D3D_OK);
    }
    ~SkinInfoTest() override { SafeRelease(skin); }

    ID3DXSkinInfo* skin = nullptr;
};

TEST_F(SkinInfoTest, BlendsPositionsAndNormalsByWeightedBoneMatrices) {
    const DWORD firstVertices[2] = {0, 1};
    const float firstWeights[2] = {1.0f, 0.5f};
    const DWORD secondVertices[1] = {1};
    const float secondWeights[1] = {0.5f};
    ASSERT_EQ(skin->SetBoneInfluence(0, 2, firstVertices, firstWeights), D3D_OK);
    ASSERT_EQ(skin->SetBoneInfluence(1, 1, secondVertices, secondWeights), D3D_OK);

    // Bone 0 moves by (10, 0, 0); bone 1 turns a quarter about z (+x to +y).
    D3DXMATRIX bones[2];
    bones[0].m[3][0] = 10.0f;
    bones[1].m[0][0] = 0.0f;
    bones[1].m[0][1] = 1.0f;
    bones[1].m[1][0] = -1.0f;
    bones[1].m[1][1] = 0.0f;
    const PositionNormal source[3] = {
        {{1, 2, 3}, {1, 0, 0}}, {{2, 0, 0}, {1, 0, 0}}, {{7, 8, 9}, {0, 0, 1}}};
    PositionNormal skinned[3];
    ASSERT_EQ(skin->UpdateSkinnedMesh(bones, nullptr, source, skinned), D3D_OK);

    EXPECT_EQ(skinned[0].position, (Vector3{11, 2, 3}));
    EXPECT_EQ(skinned[0].normal, (Vector3{1, 0, 0}));  // normals ignore translation
    // Half of (12, 0, 0) and half of (0, 2, 0).
    EXPECT_EQ(skinned[1].position, (Vector3{6, 1, 0}));
    EXPECT_EQ(skinned[1].normal, (Vector3{0.5f, 0.5f, 0}));
    // No bone moves vertex 2: it stays where it was.
    EXPECT_EQ(skinned[2].position, (Vector3{7, 8, 9}));
    EXPECT_EQ(skinned[2].normal, (Vector3{0, 0, 1}));
}

TEST_F(SkinInfoTest, RefusesInfluencesOnVerticesItDoesNotHave) {
    const DWORD vertices[2] = {0, 3};
    const float weights[2] = {1.0f, 1.0f};
    EXPECT_EQ(skin->SetBoneInfluence(0, 2, vertices, weights), D3DERR_INVALIDCALL);
    EXPECT_EQ(skin->GetNumBoneInfluences(0), 0u);
    EXPECT_EQ(skin->SetBoneInfluence(2, 1, vertices, weights), D3DERR_INVALIDCALL);  // no bone 2
    EXPECT_EQ(skin->GetBoneName(0), nullptr);
    EXPECT_EQ(skin->GetBoneOffsetMatrix(2), nullptr);
    EXPECT_EQ(skin->SetFVF(0x006), D3DERR_INVALIDCALL);  // blend weights
    EXPECT_EQ(skin->GetFVF(), D3DFVF_XYZ | D3DFVF_NORMAL);
}

}  // namespace

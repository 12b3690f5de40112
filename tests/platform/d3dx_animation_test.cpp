#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "platform/d3dx/d3dx_animation_controller.h"

namespace {

constexpr float kTolerance = 1e-5f;

// A quaternion turning by angle radians about z.
D3DXQUATERNION AboutZ(float angle) {
    return {0, 0, std::sin(angle / 2), std::cos(angle / 2)};
}

float TurnAboutZ(const D3DXMATRIX& m) {
    return std::atan2(m.m[0][1], m.m[0][0]);
}

D3DXAnimationTrack Track() {
    D3DXAnimationTrack track;
    track.frameName = "Arm";
    track.translationKeys = {{10, {0, 0, 0}}, {30, {4, 0, -2}}};
    track.rotationKeys = {{10, AboutZ(0)}, {30, AboutZ(1.2f)}};
    return track;
}

TEST(AnimationTrackTest, HoldsTheEndKeysAndInterpolatesBetweenThem) {
    const D3DXAnimationTrack track = Track();
    EXPECT_EQ(track.Sample(0).m[3][0], 0.0f);  // before the first key
    EXPECT_NEAR(track.Sample(99).m[3][0], 4.0f, kTolerance);
    EXPECT_NEAR(TurnAboutZ(track.Sample(99)), 1.2f, kTolerance);

    const D3DXMATRIX quarter = track.Sample(15);
    EXPECT_NEAR(quarter.m[3][0], 1.0f, kTolerance);
    EXPECT_NEAR(quarter.m[3][2], -0.5f, kTolerance);
    EXPECT_NEAR(TurnAboutZ(quarter), 0.3f, kTolerance);  // even angular steps
    EXPECT_NEAR(quarter.m[0][0] * quarter.m[0][0] + quarter.m[0][1] * quarter.m[0][1], 1.0f,
                kTolerance);  // no scale creeps in without scale keys
}

TEST(AnimationTrackTest, RotationsTakeTheShorterArc) {
    D3DXAnimationTrack track;
    const D3DXQUATERNION ten = AboutZ(0.2f);
    // The same turn, written as the opposite quaternion.
    track.rotationKeys = {{0, AboutZ(0)}, {10, {-ten.x, -ten.y, -ten.z, -ten.w}}};
    EXPECT_NEAR(TurnAboutZ(track.Sample(5)), 0.1f, kTolerance);
}

class AnimationControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto set = std::make_unique<D3DXKeyframedAnimationSet>("Swim", 10.0, 40.0);
        set->AddTrack(Track());
        ASSERT_EQ(D3DXCreateAnimationController(std::move(set), &controller), D3D_OK);
        ASSERT_EQ(controller->RegisterAnimationOutput("Arm", &arm), D3D_OK);
    }
    ~AnimationControllerTest() override { SafeRelease(controller); }

    ID3DXAnimationController* controller = nullptr;
    D3DXMATRIX arm;
};

TEST_F(AnimationControllerTest, TimeAccumulatesAndWrapsAroundThePeriod) {
    controller->AdvanceTime(1.0, nullptr);  // 10 ticks
    controller->AdvanceTime(0.5, nullptr);  // 15 ticks
    EXPECT_DOUBLE_EQ(controller->GetTime(), 1.5);
    EXPECT_NEAR(arm.m[3][0], 1.0f, kTolerance);
    controller->AdvanceTime(4.0, nullptr);  // 55 ticks: 15 in the second pass
    EXPECT_NEAR(arm.m[3][0], 1.0f, kTolerance);
    controller->ResetTime();
    controller->AdvanceTime(-0.5, nullptr);  // -5 ticks: 35 of the pass
    EXPECT_NEAR(arm.m[3][0], 4.0f, kTolerance);
}

TEST_F(AnimationControllerTest, WritesOnlyRegisteredOutputsAndTakesNoCallbacks) {
    EXPECT_EQ(controller->RegisterAnimationOutput("Leg", &arm), D3DERR_NOTFOUND);
    int handler = 0;
    EXPECT_EQ(controller->AdvanceTime(1.0, &handler), D3DERR_INVALIDCALL);
    controller->RegisterAnimationOutput("Arm", nullptr);
    arm.m[3][0] = 42.0f;
    controller->AdvanceTime(2.0, nullptr);
    EXPECT_EQ(arm.m[3][0], 42.0f);
}

}  // namespace

#include "framework/camera.h"

#include <cmath>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/first_person_camera.h"
#include "framework/free_flight_camera.h"
#include "framework/matrix_helpers.h"
#include "framework/player.h"
#include "framework/third_person_camera.h"
#include "platform/gfx/recording/recording_device.h"
#include "tests/framework/vector_expectations.h"

namespace {

using namespace RenderLib;

// A free-flight camera whose axes a test can set without marking the view
// dirty, to see whether the view is rebuilt only when it should be.
class ProbeCamera : public CFreeFlightCamera {
public:
    using CFreeFlightCamera::CFreeFlightCamera;
    void SetAxesQuietly(const Vector3& r, const Vector3& u, const Vector3& l) {
        right = r;
        up = u;
        look = l;
    }
};

// cot(30°) for the default 60° field of view.
const float kCot30 = 1.0f / std::tan(30.0f * kDegreesToRadians);

void ExpectDefaultPerspective(const Matrix4& p) {
    const float expected[4][4] = {{kCot30 * 480.0f / 640.0f, 0, 0, 0},
                                  {0, kCot30, 0, 0},
                                  {0, 0, 100.0f / 99.0f, 1},
                                  {0, 0, -100.0f / 99.0f, 0}};
    ExpectMatrixNear(p, expected);
}

template <class Camera>
void ExpectFreshDefaults() {
    Camera camera;
    EXPECT_EQ(camera.GetTarget(), nullptr);
    EXPECT_EQ(camera.fov, 60.0f);
    EXPECT_EQ(camera.GetNearPlane(), 1.0f);
    EXPECT_EQ(camera.GetFarPlane(), 100.0f);
    const D3DVIEWPORT9& viewport = camera.GetViewport();
    EXPECT_EQ(viewport.X, 0u);
    EXPECT_EQ(viewport.Y, 0u);
    EXPECT_EQ(viewport.Width, 640u);
    EXPECT_EQ(viewport.Height, 480u);
    EXPECT_EQ(viewport.MinZ, 0.0f);
    EXPECT_EQ(viewport.MaxZ, 1.0f);
    EXPECT_EQ(camera.GetPosition(), (Vector3{0, 0, 0}));
    EXPECT_EQ(camera.GetRight(), (Vector3{1, 0, 0}));
    EXPECT_EQ(camera.GetUp(), (Vector3{0, 1, 0}));
    EXPECT_EQ(camera.GetLook(), (Vector3{0, 0, 1}));
    EXPECT_TRUE(camera.IsViewDirty());
    EXPECT_TRUE(camera.IsProjectionDirty());
    const float identity[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    ExpectMatrixNear(camera.GetViewMatrix(), identity);
    ExpectDefaultPerspective(camera.GetProjectionMatrix());
    EXPECT_FALSE(camera.IsViewDirty());
    EXPECT_FALSE(camera.IsProjectionDirty());
}

TEST(CameraDefaults, EveryKindStartsAtTheOriginWithIdentityViewAndSixtyDegreePerspective) {
    ExpectFreshDefaults<CFirstPersonCamera>();
    ExpectFreshDefaults<CThirdPersonCamera>();
    ExpectFreshDefaults<CFreeFlightCamera>();
    EXPECT_EQ(CFirstPersonCamera().GetMode(), FirstPerson);
    EXPECT_EQ(CThirdPersonCamera().GetMode(), ThirdPerson);
    EXPECT_EQ(CFreeFlightCamera().GetMode(), FreeFlight);
}

TEST(CameraLaziness, ViewIsRebuiltOnlyAfterSomethingMarksItDirty) {
    ProbeCamera camera;
    camera.GetViewMatrix();
    camera.SetAxesQuietly({0, 0, -1}, {0, 1, 0}, {1, 0, 0});
    EXPECT_EQ(camera.GetViewMatrix().m[0][0], 1.0f) << "a clean view must not be rebuilt";

    camera.SetPosition({1, 2, 3});
    const float expected[4][4] = {{0, 0, 1, 0}, {0, 1, 0, 0}, {-1, 0, 0, 0}, {3, -2, -1, 1}};
    ExpectMatrixNear(camera.GetViewMatrix(), expected);
}

TEST(CameraLaziness, ProjectionFollowsFovOnlyOnceMarkedAndViewportKeepsFov) {
    CFreeFlightCamera camera;
    camera.GetProjectionMatrix();
    camera.fov = 90.0f;
    ExpectDefaultPerspective(camera.GetProjectionMatrix());

    camera.MarkProjectionDirty();
    EXPECT_NEAR(camera.GetProjectionMatrix().m[1][1], 1.0f, kTolerance);

    camera.SetViewport(0, 0, 800, 400, 2.0f, 202.0f, nullptr);
    EXPECT_TRUE(camera.IsProjectionDirty());
    EXPECT_EQ(camera.fov, 90.0f);
    const float expected[4][4] = {
        {0.5f, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1.01f, 1}, {0, 0, -2.02f, 0}};
    ExpectMatrixNear(camera.GetProjectionMatrix(), expected);
}

TEST(CameraViewport, RecordHasTheDeviceLayoutAndReachesTheDevice) {
    static_assert(sizeof(D3DVIEWPORT9) == 24);
    static_assert(offsetof(D3DVIEWPORT9, Width) == 8);
    static_assert(offsetof(D3DVIEWPORT9, MinZ) == 16);
    static_assert(offsetof(D3DVIEWPORT9, MaxZ) == 20);

    auto log = std::make_shared<CallLog>();
    D3DPRESENT_PARAMETERS parameters;  // a back buffer that holds the viewport
    parameters.BackBufferWidth = 1024;
    parameters.BackBufferHeight = 768;
    RecordingDevice* device = new RecordingDevice(log, CapableCaps(), parameters);
    device->viewport = {1, 1, 1, 1, 0.5f, 0.5f};
    CThirdPersonCamera camera;
    camera.SetViewport(10, 20, 800, 600, 1.01f, 50000.0f, nullptr);
    EXPECT_TRUE(log->Matching("SetViewport(").empty());

    camera.SetViewport(10, 20, 800, 600, 1.01f, 50000.0f, device);
    EXPECT_EQ(log->Matching("SetViewport("), std::vector<std::string>{"SetViewport(ptr)"});
    EXPECT_EQ(device->viewport.X, 10u);
    EXPECT_EQ(device->viewport.Y, 20u);
    EXPECT_EQ(device->viewport.Width, 800u);
    EXPECT_EQ(device->viewport.Height, 600u);
    EXPECT_EQ(device->viewport.MinZ, 0.0f);
    EXPECT_EQ(device->viewport.MaxZ, 1.0f);
    EXPECT_EQ(camera.GetNearPlane(), 1.01f);
    EXPECT_EQ(camera.GetFarPlane(), 50000.0f);
    device->Release();
}

TEST(CameraViewport, ZeroSizedViewportStillGivesAFiniteProjection) {
    CFirstPersonCamera camera;
    camera.SetViewport(0, 0, 0, 0, 1.0f, 100.0f, nullptr);
    const Matrix4& p = camera.GetProjectionMatrix();
    EXPECT_TRUE(std::isfinite(p.m[0][0]));
    EXPECT_NEAR(p.m[0][0], kCot30, kTolerance);
    camera.SetViewport(0, 0, 640, 0, 1.0f, 100.0f, nullptr);
    EXPECT_TRUE(std::isfinite(camera.GetProjectionMatrix().m[0][0]));
}

TEST(CameraApply, ViewAndProjectionGoToTheDeviceTransforms) {
    auto log = std::make_shared<CallLog>();
    RecordingDevice* device = new RecordingDevice(log, CapableCaps(), D3DPRESENT_PARAMETERS{});
    CFreeFlightCamera camera;
    camera.SetPosition({0, 0, -5});
    EXPECT_EQ(camera.ApplyView(device), D3D_OK);
    camera.ApplyProjection(device);
    EXPECT_EQ(log->Lines(),
              (std::vector<std::string>{"SetTransform(2, ptr)", "SetTransform(3, ptr)"}));
    EXPECT_EQ(device->transforms[D3DTS_VIEW].m[3][2], 5.0f);
    ExpectDefaultPerspective(device->transforms[D3DTS_PROJECTION]);

    EXPECT_EQ(camera.ApplyView(nullptr), S_OK);
    camera.ApplyProjection(nullptr);
    EXPECT_EQ(log->Lines().size(), 2u);
    device->Release();
}

// A player standing at the origin with the world's axes, as a camera's target.
class TargetedCameraTest : public ::testing::Test {
protected:
    CPlayer player;
};

TEST_F(TargetedCameraTest, ZeroRotationOnlyMarksTheViewAndNeedsATarget) {
    CFirstPersonCamera firstPerson;
    CFreeFlightCamera freeFlight;
    for (CCamera* camera : std::vector<CCamera*>{&firstPerson, &freeFlight}) {
        camera->GetViewMatrix();
        camera->Rotate(0, 0, 0);
        EXPECT_FALSE(camera->IsViewDirty()) << "no target, no turn";
        camera->Rotate(10, 20, 30);
        EXPECT_EQ(camera->GetLook(), (Vector3{0, 0, 1}));

        camera->SetTarget(&player);
        camera->Rotate(0, 0, 0);
        EXPECT_TRUE(camera->IsViewDirty());
        EXPECT_EQ(camera->GetLook(), (Vector3{0, 0, 1}));
        EXPECT_EQ(camera->GetUp(), (Vector3{0, 1, 0}));
        EXPECT_EQ(camera->GetRight(), (Vector3{1, 0, 0}));
    }
}

TEST_F(TargetedCameraTest, FirstPersonYawsBeforeItRollsAndRollSwingsTheEye) {
    CFirstPersonCamera camera;
    camera.SetTarget(&player);
    camera.SetPosition({0, 1, 0});
    camera.Rotate(0, 90, 90);
    // Yaw about +y takes look to +x, then roll about +z takes it to +y.
    EXPECT_VECTOR_NEAR(camera.GetLook(), 0, 1, 0);
    EXPECT_VECTOR_NEAR(camera.GetUp(), -1, 0, 0);
    EXPECT_VECTOR_NEAR(camera.GetRight(), 0, 0, -1);
    EXPECT_VECTOR_NEAR(camera.GetPosition(), -1, 0, 0);
}

TEST_F(TargetedCameraTest, FreeFlightPitchesBeforeItYawsAboutTheTargetsAxes) {
    CFreeFlightCamera camera;
    camera.SetTarget(&player);
    camera.SetPosition({0, 20, -90});
    camera.Rotate(90, 90, 0);
    // Pitch about +x turns look down and up forward; the yaw about +y then
    // leaves the downward look and turns only right.
    EXPECT_VECTOR_NEAR(camera.GetLook(), 0, -1, 0);
    EXPECT_VECTOR_NEAR(camera.GetUp(), 0, 0, 1);
    EXPECT_VECTOR_NEAR(camera.GetRight(), 0, 0, -1);
    // The eye swings with both turns: (0, 20, -90) → (0, 90, 20) → (20, 90, 0).
    EXPECT_VECTOR_NEAR(camera.GetPosition(), 20, 90, 0);
}

TEST_F(TargetedCameraTest, ViewAfterArbitraryTurnsIsOrthonormal) {
    CFreeFlightCamera camera;
    camera.SetTarget(&player);
    for (int i = 0; i < 50; ++i) {
        camera.Rotate(7.0f * i, 13.0f, -3.0f * i);
    }
    const Matrix4& view = camera.GetViewMatrix();
    const Vector3 right{view.m[0][0], view.m[1][0], view.m[2][0]};
    const Vector3 up{view.m[0][1], view.m[1][1], view.m[2][1]};
    const Vector3 look{view.m[0][2], view.m[1][2], view.m[2][2]};
    ExpectOrthonormal(right, up, look);
    ExpectOrthonormal(camera.GetRight(), camera.GetUp(), camera.GetLook());
    EXPECT_EQ(view.m[0][3], 0.0f);
    EXPECT_EQ(view.m[3][3], 1.0f);
}

// A third-person camera behind a player at the origin: its desired point is
// the player's cameraOffset, (0, 0, -10).
class FollowTest : public ::testing::Test {
protected:
    FollowTest() {
        player.SetCameraOffset({0, 0, -10});
        camera.SetTarget(&player);
        camera.SetPosition({0, 0, -110});
        camera.GetViewMatrix();
    }
    CPlayer player;
    CThirdPersonCamera camera;
};

TEST_F(FollowTest, CoversElapsedOverLagOfTheDistanceAndLooksAtTheTarget) {
    camera.Update(0.25f, 1.0f);
    EXPECT_VECTOR_NEAR(camera.GetPosition(), 0, 0, -85);
    EXPECT_VECTOR_NEAR(camera.GetLook(), 0, 0, 1);
    EXPECT_TRUE(camera.IsViewDirty());
    camera.Update(0.5f, 1.0f);
    EXPECT_VECTOR_NEAR(camera.GetPosition(), 0, 0, -47.5f);
}

TEST_F(FollowTest, ZeroLagJumpsAndALongStepNeverOvershoots) {
    camera.Update(0.1f, 0.0f);
    EXPECT_EQ(camera.GetPosition(), (Vector3{0, 0, -10}));

    camera.SetPosition({0, 0, -110});
    camera.Update(5.0f, 1.0f);
    EXPECT_EQ(camera.GetPosition(), (Vector3{0, 0, -10}));
}

TEST_F(FollowTest, LandsExactlyOnceCloserThanOneHundredth) {
    camera.SetPosition({0, 0.02f, -10});
    camera.Update(0.1f, 1.0f);
    EXPECT_NEAR(camera.GetPosition().y, 0.018f, 1e-6f);
    camera.SetPosition({0.003f, 0.004f, -10});  // 0.005 away
    camera.Update(0.1f, 1.0f);
    EXPECT_EQ(camera.GetPosition(), (Vector3{0, 0, -10}));
}

TEST_F(FollowTest, OnItsPointItNeitherMovesNorReAims) {
    player.SetCameraOffset({10, 0, 0});  // the look-at would turn it to -x
    camera.SetPosition({10, 0, 0});
    camera.GetViewMatrix();
    camera.Update(0.1f, 0.0f);
    EXPECT_FALSE(camera.IsViewDirty());
    EXPECT_EQ(camera.GetLook(), (Vector3{0, 0, 1}));
}

TEST_F(FollowTest, DesiredPointIsTheOffsetInThePlayersFrame) {
    ASSERT_TRUE(player.SetCameraMode(ThirdPerson));
    player.Rotate(0, 90, 0);  // look +x, right -z
    player.Move({5, 0, 5}, false);
    player.SetCameraOffset({0, 5, -10});
    camera.Update(0.1f, 0.0f);
    EXPECT_VECTOR_NEAR(camera.GetPosition(), -5, 5, 5);
    EXPECT_VECTOR_NEAR(camera.GetLook(), 10 / std::sqrt(125.0f), -5 / std::sqrt(125.0f), 0);
    ExpectOrthonormal(camera.GetRight(), camera.GetUp(), camera.GetLook());
}

TEST_F(FollowTest, MovesAndTurnsAreIgnoredAndNoTargetMeansNoFollow) {
    camera.Move({1, 2, 3});
    camera.Rotate(10, 20, 30);
    EXPECT_EQ(camera.GetPosition(), (Vector3{0, 0, -110}));
    EXPECT_EQ(camera.GetLook(), (Vector3{0, 0, 1}));
    camera.ClearTarget();
    camera.Update(1.0f, 0.0f);
    EXPECT_EQ(camera.GetPosition(), (Vector3{0, 0, -110}));
}

TEST_F(FollowTest, SittingOnTheTargetKeepsAWholeFrame) {
    player.SetCameraOffset({0, 0, 0});
    camera.Update(0.1f, 0.0f);
    EXPECT_EQ(camera.GetPosition(), (Vector3{0, 0, 0}));
    ExpectOrthonormal(camera.GetRight(), camera.GetUp(), camera.GetLook());
    const Matrix4& view = camera.GetViewMatrix();
    EXPECT_EQ(view.m[2][2], 1.0f);
}

// A free-flight camera turned off the horizontal, with its own settings.
class CopyTest : public ::testing::Test {
protected:
    CopyTest() {
        source.SetTarget(&player);
        source.SetPosition({1, 2, 3});
        source.Rotate(30, 40, 50);
        source.fov = 45.0f;
        source.SetViewport(5, 6, 700, 500, 2.0f, 3000.0f, nullptr);
        const float box[6] = {-1, -2, -3, 4, 5, 6};
        source.SetBounds(box);
    }
    CPlayer player;
    CFreeFlightCamera source;
};

void ExpectLevel(const CCamera& camera) {
    EXPECT_EQ(camera.GetUp(), (Vector3{0, 1, 0}));
    EXPECT_EQ(camera.GetLook().y, 0.0f);
    EXPECT_EQ(camera.GetRight().y, 0.0f);
    EXPECT_NEAR(Length(camera.GetLook()), 1.0f, kTolerance);
    EXPECT_NEAR(Length(camera.GetRight()), 1.0f, kTolerance);
}

TEST_F(CopyTest, UprightKindsLevelACopiedFreeFlightCamera) {
    CFirstPersonCamera firstPerson(&source);
    CThirdPersonCamera thirdPerson(&source);
    ExpectLevel(firstPerson);
    ExpectLevel(thirdPerson);
    const Vector3 look = source.GetLook();
    const Vector3 flat = Normalize(Vector3{look.x, 0, look.z});
    EXPECT_VECTOR_NEAR(firstPerson.GetLook(), flat.x, 0, flat.z);
}

TEST_F(CopyTest, FreeFlightCopyKeepsAxesAndEveryKindCopiesSettingsButNotTheTarget) {
    CFreeFlightCamera copy(&source);
    EXPECT_EQ(copy.GetLook(), source.GetLook());
    EXPECT_EQ(copy.GetUp(), source.GetUp());
    EXPECT_EQ(copy.GetRight(), source.GetRight());

    CFirstPersonCamera upright(&source);
    for (const CCamera* camera : std::vector<const CCamera*>{&copy, &upright}) {
        EXPECT_EQ(camera->GetTarget(), nullptr);
        EXPECT_EQ(camera->GetPosition(), source.GetPosition());
        EXPECT_EQ(camera->fov, 45.0f);
        EXPECT_EQ(camera->GetNearPlane(), 2.0f);
        EXPECT_EQ(camera->GetFarPlane(), 3000.0f);
        EXPECT_EQ(camera->GetViewport().X, 5u);
        EXPECT_EQ(camera->GetViewport().Height, 500u);
        EXPECT_EQ(camera->GetBounds()[0], -1.0f);
        EXPECT_EQ(camera->GetBounds()[5], 6.0f);
        EXPECT_TRUE(camera->IsViewDirty());
        EXPECT_TRUE(camera->IsProjectionDirty());
    }
}

TEST_F(CopyTest, LevellingALookStraightDownKeepsAWholeFrame) {
    ProbeCamera down;
    down.SetAxesQuietly({1, 0, 0}, {0, 0, 1}, {0, -1, 0});
    CFirstPersonCamera levelled(&down);
    EXPECT_VECTOR_NEAR(levelled.GetLook(), 0, 0, 1);
    ExpectOrthonormal(levelled.GetRight(), levelled.GetUp(), levelled.GetLook());
}

}  // namespace

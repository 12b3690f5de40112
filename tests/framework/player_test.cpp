#include "framework/player.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/camera.h"
#include "framework/matrix_helpers.h"
#include "platform/gfx/recording/recording_device.h"
#include "tests/framework/vector_expectations.h"

namespace {

using namespace RenderLib;

TEST(PlayerCameraMode, SameModeKeepsTheCameraAndUnknownModesChangeNothing) {
    CPlayer player;
    EXPECT_FALSE(player.SetCameraMode(0));
    EXPECT_EQ(player.GetCamera(), nullptr);
    EXPECT_EQ(player.GetCameraMode(), 0);

    ASSERT_TRUE(player.SetCameraMode(ThirdPerson));
    CCamera* camera = player.GetCamera();
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->GetMode(), ThirdPerson);
    EXPECT_EQ(camera->GetTarget(), &player);
    EXPECT_TRUE(player.SetCameraMode(ThirdPerson));
    EXPECT_EQ(player.GetCamera(), camera);
    EXPECT_FALSE(player.SetCameraMode(0));
    EXPECT_FALSE(player.SetCameraMode(4));
    EXPECT_EQ(player.GetCamera(), camera);
    EXPECT_EQ(player.GetCameraMode(), ThirdPerson);
}

TEST(PlayerCameraMode, NewCameraTakesOverTheOldOnesState) {
    CPlayer player;
    ASSERT_TRUE(player.SetCameraMode(FreeFlight));
    player.SetCameraOffset({0, 20, -90});
    player.GetCamera()->fov = 55.0f;
    ASSERT_TRUE(player.SetCameraMode(FirstPerson));
    EXPECT_EQ(player.GetCamera()->GetMode(), FirstPerson);
    EXPECT_EQ(player.GetCamera()->GetPosition(), (Vector3{0, 20, -90}));
    EXPECT_EQ(player.GetCamera()->fov, 55.0f);
    EXPECT_EQ(player.GetCamera()->GetTarget(), &player);
}

TEST(PlayerCameraMode, LeavingFreeFlightLevelsThePlayerAndDerivesItsYaw) {
    CPlayer player;
    ASSERT_TRUE(player.SetCameraMode(FreeFlight));
    player.Rotate(25, -120, 40);
    const Vector3 look = player.GetLook();
    ASSERT_TRUE(player.SetCameraMode(FirstPerson));
    EXPECT_EQ(player.GetUp(), (Vector3{0, 1, 0}));
    EXPECT_EQ(player.GetLook().y, 0.0f);
    EXPECT_EQ(player.GetRight().y, 0.0f);
    EXPECT_EQ(player.GetPitch(), 0.0f);
    EXPECT_EQ(player.GetRoll(), 0.0f);
    EXPECT_NEAR(player.GetYaw(), std::atan2(look.x, look.z) * kRadiansToDegrees, 1e-3f);
    EXPECT_EQ(player.GetCamera()->GetUp(), (Vector3{0, 1, 0}));
}

TEST(PlayerCameraMode, EnteringFreeFlightAdoptsTheCamerasAxes) {
    CPlayer player;
    ASSERT_TRUE(player.SetCameraMode(FirstPerson));
    player.Rotate(30, 0, 0);
    EXPECT_EQ(player.GetLook(), (Vector3{0, 0, 1}));  // only the camera tilts
    const Vector3 cameraLook = player.GetCamera()->GetLook();
    ASSERT_TRUE(player.SetCameraMode(FreeFlight));
    EXPECT_EQ(player.GetLook(), cameraLook);
    EXPECT_NEAR(player.GetLook().y, -0.5f, kTolerance);
}

TEST(PlayerRotate, UprightModesClampPitchAtEightyNineAndPassOnlyWhatFits) {
    CPlayer player;
    ASSERT_TRUE(player.SetCameraMode(FirstPerson));
    for (int i = 0; i < 200; ++i) {
        player.Rotate(1, 0, 0);
    }
    EXPECT_EQ(player.GetPitch(), 89.0f);
    const float cameraPitch = std::asin(-player.GetCamera()->GetLook().y) * kRadiansToDegrees;
    EXPECT_NEAR(cameraPitch, 89.0f, 1e-2f);
    player.Rotate(-200, 0, 0);
    EXPECT_EQ(player.GetPitch(), -89.0f);
    EXPECT_NEAR(std::asin(-player.GetCamera()->GetLook().y) * kRadiansToDegrees, -89.0f, 1e-2f);
}

TEST(PlayerRotate, UprightModesClampRollAtTwentyAndWrapYaw) {
    CPlayer player;
    ASSERT_TRUE(player.SetCameraMode(FirstPerson));
    player.Rotate(0, 0, 15);
    player.Rotate(0, 0, 15);
    EXPECT_EQ(player.GetRoll(), 20.0f);
    player.Rotate(0, 0, -45);
    EXPECT_EQ(player.GetRoll(), -20.0f);

    player.Rotate(0, 350, 0);
    player.Rotate(0, 20, 0);
    EXPECT_NEAR(player.GetYaw(), 10.0f, 1e-4f);
    player.Rotate(0, -20, 0);
    EXPECT_NEAR(player.GetYaw(), 350.0f, 1e-4f);
    // The body turned by the net 350° about its up axis and stayed upright.
    EXPECT_VECTOR_NEAR(player.GetLook(), std::sin(350 * kDegreesToRadians), 0,
                       std::cos(350 * kDegreesToRadians));
    EXPECT_VECTOR_NEAR(player.GetUp(), 0, 1, 0);
}

TEST(PlayerRotate, FreeFlightTurnsTheCameraAboutTheAxesBeforeTheTurn) {
    CPlayer player;
    ASSERT_TRUE(player.SetCameraMode(FreeFlight));
    player.SetCameraOffset({0, 20, -90});
    player.Rotate(0, 90, 0);
    EXPECT_VECTOR_NEAR(player.GetLook(), 1, 0, 0);
    EXPECT_VECTOR_NEAR(player.GetCamera()->GetLook(), 1, 0, 0);
    EXPECT_VECTOR_NEAR(player.GetCamera()->GetPosition(), -90, 20, 0);
    // Pitch then turns about the new right (-z): the nose goes down.
    player.Rotate(90, 0, 0);
    EXPECT_VECTOR_NEAR(player.GetLook(), 0, -1, 0);
    EXPECT_VECTOR_NEAR(player.GetUp(), 1, 0, 0);
    EXPECT_VECTOR_NEAR(player.GetCamera()->GetLook(), 0, -1, 0);
    // Free flight keeps no accumulated angles.
    EXPECT_EQ(player.GetPitch(), 0.0f);
}

TEST(PlayerRotate, FreeFlightCombinedTurnSwingsTheCameraAboutTheOldAxes) {
    CPlayer player;
    ASSERT_TRUE(player.SetCameraMode(FreeFlight));
    player.SetCameraOffset({0, 20, -90});
    player.Rotate(90, 90, 0);
    // The camera's yaw is about the body's up from before the pitch, +y.
    EXPECT_VECTOR_NEAR(player.GetCamera()->GetLook(), 0, -1, 0);
    EXPECT_VECTOR_NEAR(player.GetCamera()->GetPosition(), 20, 90, 0);
    // The body's own yaw is about its pitched up axis, +z.
    EXPECT_VECTOR_NEAR(player.GetLook(), 1, 0, 0);
    ExpectOrthonormal(player.GetRight(), player.GetUp(), player.GetLook());
}

TEST(PlayerRotate, WithoutACameraNothingTurns) {
    CPlayer player;
    player.Rotate(10, 20, 30);
    EXPECT_EQ(player.GetLook(), (Vector3{0, 0, 1}));
    EXPECT_EQ(player.GetPitch(), 0.0f);
    EXPECT_EQ(player.GetYaw(), 0.0f);
}

class PlayerMotionTest : public ::testing::Test {
protected:
    PlayerMotionTest() { player.SetCameraMode(FreeFlight); }
    CPlayer player;
};

TEST_F(PlayerMotionTest, MoveByDirectionsSumsTheChosenAxes) {
    player.MoveByDirections(kMoveForward | kMoveBackward, 5.0f, false);
    EXPECT_EQ(player.GetPosition(), (Vector3{0, 0, 0}));
    player.MoveByDirections(kMoveLeft, 5.0f, false);
    EXPECT_EQ(player.GetPosition(), (Vector3{-5, 0, 0}));
    EXPECT_EQ(player.GetCamera()->GetPosition(), (Vector3{-5, 0, 0}));
    player.MoveByDirections(kMoveForward | kMoveUp | kMoveRight, 2.0f, true);
    EXPECT_EQ(player.GetVelocity(), (Vector3{2, 2, 2}));
    player.MoveByDirections(kMoveDown, 2.0f, true);
    EXPECT_EQ(player.GetVelocity(), (Vector3{2, 0, 2}));
    EXPECT_EQ(player.GetPosition(), (Vector3{-5, 0, 0}));
}

TEST_F(PlayerMotionTest, CameraOffsetIsTakenInWorldAxes) {
    player.Rotate(0, 90, 0);
    player.Move({1, 2, 3}, false);
    player.SetCameraOffset({0, 0, -10});
    EXPECT_EQ(player.GetCamera()->GetPosition(), (Vector3{1, 2, -7}));
    EXPECT_EQ(player.GetCameraOffset(), (Vector3{0, 0, -10}));
}

TEST_F(PlayerMotionTest, HorizontalSpeedIsScaledToTheLimitBeforeMoving) {
    player.friction = 0.0f;
    player.Move({300, 0, 400}, true);
    player.Update(0.01f);
    EXPECT_VECTOR_NEAR(player.GetVelocity(), 75, 0, 100);
    EXPECT_VECTOR_NEAR(player.GetPosition(), 0.75f, 0, 1);
    EXPECT_VECTOR_NEAR(player.GetCamera()->GetPosition(), 0.75f, 0, 1);
}

TEST_F(PlayerMotionTest, VerticalSpeedHasItsOwnLimitAndGravityAccelerates) {
    player.friction = 0.0f;
    player.maxVelocityY = 400.0f;
    player.gravity = {0, -100, 0};
    player.Update(0.5f);
    EXPECT_VECTOR_NEAR(player.GetVelocity(), 0, -50, 0);
    EXPECT_VECTOR_NEAR(player.GetPosition(), 0, -25, 0);
    player.Move({0, -1000, 0}, true);
    player.Update(0.5f);
    EXPECT_VECTOR_NEAR(player.GetVelocity(), 0, -400, 0);
}

TEST_F(PlayerMotionTest, FrictionActsAfterTheMoveAndStopsAtRestNeverReversing) {
    player.Move({100, 0, 0}, true);
    player.Update(0.1f);
    EXPECT_VECTOR_NEAR(player.GetPosition(), 10, 0, 0);
    EXPECT_VECTOR_NEAR(player.GetVelocity(), 75, 0, 0);

    for (const Vector3 velocity : {Vector3{10, 0, 0}, Vector3{3, 0, 4}, Vector3{0.3f, -0.7f, 0.1f},
                                   Vector3{-7.1f, 2.3f, 5.9f}}) {
        CPlayer stopping;
        stopping.SetCameraMode(FirstPerson);
        stopping.Move(velocity, true);
        stopping.Update(0.1f);
        EXPECT_EQ(stopping.GetVelocity(), (Vector3{0, 0, 0}));
    }
}

TEST(PlayerUpdate, WithoutACameraOnlyTheBodyMoves) {
    CPlayer player;
    player.Move({10, 0, 0}, true);
    player.friction = 0.0f;
    player.Update(1.0f);
    EXPECT_EQ(player.GetPosition(), (Vector3{10, 0, 0}));
}

// Records every callback as "<list><context>" with the position the player
// has at the call.
struct CallbackTrace {
    std::vector<std::string> calls;
    float playerXAtFirstCall = -1.0f;
};

struct Hook {
    CallbackTrace* trace;
    int index;
};

void RecordPlayer(void* context, CPlayer* player, float elapsed) {
    auto* hook = static_cast<Hook*>(context);
    if (hook->trace->calls.empty()) {
        hook->trace->playerXAtFirstCall = player->GetPosition().x;
    }
    hook->trace->calls.push_back("p" + std::to_string(hook->index));
    EXPECT_EQ(elapsed, 0.5f);
}

void RecordCamera(void* context, CCamera* camera, float) {
    auto* hook = static_cast<Hook*>(context);
    EXPECT_NE(camera, nullptr);
    hook->trace->calls.push_back("c" + std::to_string(hook->index));
}

TEST(PlayerCallbacks, CalledInOrderAfterTheMoveAndAtMost255PerList) {
    CPlayer player;
    ASSERT_TRUE(player.SetCameraMode(ThirdPerson));
    player.friction = 0.0f;
    player.Move({2, 0, 0}, true);
    CallbackTrace trace;
    std::vector<Hook> hooks;
    hooks.reserve(CPlayer::kMaxCallbacks + 1);
    for (int i = 0; i <= CPlayer::kMaxCallbacks; ++i) {
        hooks.push_back({&trace, i});
    }
    for (int i = 0; i < CPlayer::kMaxCallbacks; ++i) {
        ASSERT_TRUE(player.AddPlayerCallback(RecordPlayer, &hooks[i]));
    }
    EXPECT_FALSE(player.AddPlayerCallback(RecordPlayer, &hooks.back()));
    EXPECT_EQ(player.GetPlayerCallbackCount(), 255);
    EXPECT_TRUE(player.AddCameraCallback(RecordCamera, &hooks[0]));
    EXPECT_TRUE(player.AddCameraCallback(RecordCamera, &hooks[1]));
    EXPECT_FALSE(player.AddCameraCallback(nullptr, &hooks[2]));

    player.Update(0.5f);
    ASSERT_EQ(trace.calls.size(), 257u);
    for (int i = 0; i < CPlayer::kMaxCallbacks; ++i) {
        EXPECT_EQ(trace.calls[i], "p" + std::to_string(i));
    }
    EXPECT_EQ(trace.calls[255], "c0");
    EXPECT_EQ(trace.calls[256], "c1");
    EXPECT_EQ(trace.playerXAtFirstCall, 1.0f);
}

// A drawable that remembers how it was asked to draw.
class CountingRenderObject : public CRenderObject {
public:
    HRESULT Release() override { return S_OK; }
    HRESULT Render(IDirect3DDevice9* device, DWORD a, DWORD b) override {
        ++renders;
        lastDevice = device;
        lastArguments = {a, b};
        return S_OK;
    }
    HRESULT GetBounds(float[6]) override { return S_OK; }

    int renders = 0;
    IDirect3DDevice9* lastDevice = nullptr;
    std::vector<DWORD> lastArguments;
};

class PlayerRenderTest : public ::testing::Test {
protected:
    PlayerRenderTest() {
        device = new RecordingDevice(log, CapableCaps(), D3DPRESENT_PARAMETERS{});
        instance.object = &fish;
        instance.world.m[0][3] = 7.0f;  // the fourth column is not the player's
        player.model = &instance;
        player.Move({3, 40, -5}, false);
    }
    ~PlayerRenderTest() override { device->Release(); }

    std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
    RecordingDevice* device = nullptr;
    CountingRenderObject fish;
    CModelInstance instance;
    CPlayer player;
};

TEST_F(PlayerRenderTest, FirstPersonWithoutDrawAtEyeDrawsNothing) {
    ASSERT_TRUE(player.SetCameraMode(FirstPerson));
    player.Render(device);
    EXPECT_TRUE(log->Lines().empty());
    EXPECT_EQ(fish.renders, 0);
}

TEST_F(PlayerRenderTest, ThirdPersonDrawsTheModelTenUnitsBelowWithThePlayersAxes) {
    ASSERT_TRUE(player.SetCameraMode(ThirdPerson));
    player.Rotate(0, 90, 0);
    player.Render(device);
    EXPECT_EQ(log->Lines(), std::vector<std::string>{"SetTransform(256, ptr)"});
    const D3DMATRIX& world = device->transforms[D3DTS_WORLD];
    EXPECT_EQ(world.m[3][0], 3.0f);
    EXPECT_EQ(world.m[3][1], 30.0f);
    EXPECT_EQ(world.m[3][2], -5.0f);
    EXPECT_EQ(world.m[3][3], 1.0f);
    EXPECT_EQ(world.m[0][3], 7.0f);
    EXPECT_VECTOR_NEAR((Vector3{world.m[2][0], world.m[2][1], world.m[2][2]}), 1, 0, 0);
    EXPECT_VECTOR_NEAR((Vector3{world.m[0][0], world.m[0][1], world.m[0][2]}), 0, 0, -1);
    EXPECT_EQ(fish.renders, 1);
    EXPECT_EQ(fish.lastDevice, device);
    EXPECT_EQ(fish.lastArguments, (std::vector<DWORD>{1, 1}));
}

TEST_F(PlayerRenderTest, DrawAtEyePlacesTheModelAtTheEyeOnlyInThirdPerson) {
    player.drawModelAtEye = true;
    ASSERT_TRUE(player.SetCameraMode(ThirdPerson));
    player.Render(device);
    EXPECT_EQ(device->transforms[D3DTS_WORLD].m[3][1], 40.0f);
    ASSERT_TRUE(player.SetCameraMode(FreeFlight));
    player.Render(device);
    EXPECT_EQ(device->transforms[D3DTS_WORLD].m[3][1], 30.0f);
    EXPECT_EQ(fish.renders, 2);
}

TEST_F(PlayerRenderTest, NoDeviceOrNoDrawableDrawsNothing) {
    ASSERT_TRUE(player.SetCameraMode(ThirdPerson));
    player.Render(nullptr);
    instance.object = nullptr;
    player.Render(device);
    player.model = nullptr;
    player.Render(device);
    EXPECT_TRUE(log->Lines().empty());
    EXPECT_EQ(fish.renders, 0);
}

}  // namespace

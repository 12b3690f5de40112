#include "framework/player.h"

#include <algorithm>
#include <cmath>

#include "framework/first_person_camera.h"
#include "framework/free_flight_camera.h"
#include "framework/matrix_helpers.h"
#include "framework/third_person_camera.h"

namespace RenderLib {

namespace {
constexpr float kPitchLimit = 89.0f;  // degrees, modes 1 and 2
constexpr float kRollLimit = 20.0f;   // degrees, modes 1 and 2
constexpr float kModelDrop = 10.0f;   // the model hangs this far below the eye

// Adds delta to total and, when total leaves [-limit, limit], pulls both back
// so that only the part of delta that fits is passed on.
void ClampAccumulated(float& total, float& delta, float limit) {
    total += delta;
    if (total > limit) {
        delta -= total - limit;
        total = limit;
    } else if (total < -limit) {
        delta -= total + limit;
        total = -limit;
    }
}

Vector3 Rotated(const Vector3& v, const Vector3& axis, float degrees) {
    return TransformNormal(v, MatrixRotationAxis(axis, degrees * kDegreesToRadians));
}
}  // namespace

CPlayer::~CPlayer() {
    delete camera;
    camera = nullptr;
    model = nullptr;
}

CCamera* CPlayer::CreateCamera(std::int32_t mode, const CCamera* source) {
    switch (mode) {
        case FirstPerson:
            return new CFirstPersonCamera(source);
        case ThirdPerson:
            return new CThirdPersonCamera(source);
        case FreeFlight:
            return new CFreeFlightCamera(source);
        default:
            return nullptr;
    }
}

bool CPlayer::SetCameraMode(std::int32_t newMode) {
    if (camera != nullptr && newMode == mode) {
        return true;
    }
    CCamera* created = CreateCamera(newMode, camera);
    if (created == nullptr) {
        return false;
    }
    if (mode == FreeFlight) {
        Level();
    } else if (camera != nullptr && newMode == FreeFlight) {
        right = camera->GetRight();
        look = camera->GetLook();
        up = camera->GetUp();
    }
    mode = newMode;
    created->SetTarget(this);
    delete camera;
    camera = created;
    return true;
}

void CPlayer::Level() {
    LevelAxes(right, up, look);
    pitch = 0.0f;
    roll = 0.0f;
    // Rounding can carry look.z a hair past 1, where acos has no value.
    yaw = std::acos(std::clamp(look.z, -1.0f, 1.0f)) * kRadiansToDegrees;
    if (look.x < 0.0f) {
        yaw = -yaw;
    }
}

void CPlayer::Rotate(float pitchDelta, float yawDelta, float rollDelta) {
    if (camera == nullptr) {
        return;
    }
    if (mode == FirstPerson || mode == ThirdPerson) {
        RotateUpright(pitchDelta, yawDelta, rollDelta);
    } else if (mode == FreeFlight) {
        RotateFree(pitchDelta, yawDelta, rollDelta);
    }
    Orthonormalize();
}

void CPlayer::RotateUpright(float pitchDelta, float yawDelta, float rollDelta) {
    if (pitchDelta != 0.0f) {
        ClampAccumulated(pitch, pitchDelta, kPitchLimit);
    }
    if (yawDelta != 0.0f) {
        yaw += yawDelta;
        if (yaw > 360.0f) {
            yaw -= 360.0f;
        }
        if (yaw < 0.0f) {
            yaw += 360.0f;
        }
    }
    if (rollDelta != 0.0f) {
        ClampAccumulated(roll, rollDelta, kRollLimit);
    }
    camera->Rotate(pitchDelta, yawDelta, rollDelta);
    if (yawDelta != 0.0f) {
        look = Rotated(look, up, yawDelta);
        right = Rotated(right, up, yawDelta);
    }
}

void CPlayer::RotateFree(float pitchDelta, float yawDelta, float rollDelta) {
    // The camera turns about the body's axes as they are before this turn.
    camera->Rotate(pitchDelta, yawDelta, rollDelta);
    if (pitchDelta != 0.0f) {
        look = Rotated(look, right, pitchDelta);
        up = Rotated(up, right, pitchDelta);
    }
    if (yawDelta != 0.0f) {
        look = Rotated(look, up, yawDelta);
        right = Rotated(right, up, yawDelta);
    }
    if (rollDelta != 0.0f) {
        up = Rotated(up, look, rollDelta);
        right = Rotated(right, look, rollDelta);
    }
}

void CPlayer::Orthonormalize() {
    Normalize(look, look);
    right = Normalize(Cross(up, look));
    up = Normalize(Cross(look, right));
}

void CPlayer::Move(const Vector3& delta, bool toVelocity) {
    if (toVelocity) {
        velocity += delta;
        return;
    }
    position += delta;
    if (camera != nullptr) {
        camera->Move(delta);
    }
}

void CPlayer::MoveByDirections(DWORD directions, float distance, bool toVelocity) {
    const struct {
        DWORD flag;
        Vector3 axis;
        float sign;
    } steps[] = {{kMoveForward, look, 1.0f}, {kMoveBackward, look, -1.0f},
                 {kMoveLeft, right, -1.0f},  {kMoveRight, right, 1.0f},
                 {kMoveUp, up, 1.0f},        {kMoveDown, up, -1.0f}};
    Vector3 shift;
    for (const auto& step : steps) {
        if ((directions & step.flag) != 0) {
            shift += step.axis * (step.sign * distance);
        }
    }
    if (directions != 0) {
        Move(shift, toVelocity);
    }
}

void CPlayer::SetCameraOffset(const Vector3& offset) {
    cameraOffset = offset;
    if (camera != nullptr) {
        camera->SetPosition(position + offset);
    }
}

void CPlayer::Update(float elapsed) {
    velocity += gravity * elapsed;
    ClampVelocity();
    const Vector3 shift = velocity * elapsed;
    position += shift;
    if (camera != nullptr) {
        camera->Move(shift);
    }
    for (int i = 0; i < playerCallbackCount; ++i) {
        playerCallbacks[i].function(playerCallbacks[i].context, this, elapsed);
    }
    if (camera != nullptr) {
        camera->Update(elapsed, cameraLag);
        for (int i = 0; i < cameraCallbackCount; ++i) {
            cameraCallbacks[i].function(cameraCallbacks[i].context, camera, elapsed);
        }
    }
    ApplyFriction(elapsed);
}

void CPlayer::ClampVelocity() {
    const float horizontal = std::sqrt(velocity.x * velocity.x + velocity.z * velocity.z);
    if (horizontal > maxVelocityXZ) {
        const float scale = maxVelocityXZ / horizontal;
        velocity.x *= scale;
        velocity.z *= scale;
    }
    const float vertical = std::fabs(velocity.y);
    if (vertical > maxVelocityY) {
        velocity.y *= maxVelocityY / vertical;
    }
}

void CPlayer::ApplyFriction(float elapsed) {
    const Vector3 against = Normalize(velocity * -1.0f);
    const float speed = Length(velocity);
    const float amount = elapsed * friction;
    if (amount >= speed) {
        // Exactly at rest: velocity - unit × speed can leave a rounding
        // residue pointing backwards.
        velocity = {0.0f, 0.0f, 0.0f};
        return;
    }
    velocity += against * amount;
}

void CPlayer::Render(IDirect3DDevice9* device) {
    if (device == nullptr) {
        return;
    }
    if (camera != nullptr && mode != ThirdPerson && !drawModelAtEye) {
        return;
    }
    if (model == nullptr || model->object == nullptr) {
        return;
    }
    D3DMATRIX& world = model->world;
    const Vector3 axes[3] = {right, up, look};
    for (int row = 0; row < 3; ++row) {
        world.m[row][0] = axes[row].x;
        world.m[row][1] = axes[row].y;
        world.m[row][2] = axes[row].z;
    }
    const bool atEye = mode == ThirdPerson && drawModelAtEye;
    world.m[3][0] = position.x;
    world.m[3][1] = atEye ? position.y : position.y - kModelDrop;
    world.m[3][2] = position.z;
    device->SetTransform(D3DTS_WORLD, &world);
    model->object->Render(device, 1, 1);
}

bool CPlayer::AddPlayerCallback(PlayerCallback function, void* context) {
    if (function == nullptr || playerCallbackCount >= kMaxCallbacks) {
        return false;
    }
    playerCallbacks[playerCallbackCount++] = {function, context};
    return true;
}

bool CPlayer::AddCameraCallback(CameraCallback function, void* context) {
    if (function == nullptr || cameraCallbackCount >= kMaxCallbacks) {
        return false;
    }
    cameraCallbacks[cameraCallbackCount++] = {function, context};
    return true;
}

void CPlayer::ResetPose() {
    position = velocity = Vector3{0.0f, 0.0f, 0.0f};
    right = {1.0f, 0.0f, 0.0f};
    up = {0.0f, 1.0f, 0.0f};
    look = {0.0f, 0.0f, 1.0f};
    pitch = yaw = roll = 0.0f;
    if (camera != nullptr) {
        camera->SetPose(cameraOffset, right, up, look);
    }
}

void CPlayer::SetBounds(const float box[6]) {
    for (int i = 0; i < 6; ++i) {
        bounds[i] = box[i];
    }
}

}  // namespace RenderLib

#include "framework/first_person_camera.h"

#include "framework/matrix_helpers.h"
#include "framework/player.h"

namespace RenderLib {

CFirstPersonCamera::CFirstPersonCamera(const CCamera* source) {
    CFirstPersonCamera::CopyFrom(source);
}

void CFirstPersonCamera::Rotate(float pitch, float yaw, float roll) {
    if (target == nullptr) {
        return;
    }
    if (pitch != 0.0f) {
        RotateAxes(MatrixRotationAxis(right, pitch * kDegreesToRadians));
    }
    if (yaw != 0.0f) {
        RotateAxes(MatrixRotationAxis(target->GetUp(), yaw * kDegreesToRadians));
    }
    if (roll != 0.0f) {
        const Matrix4 rotation = MatrixRotationAxis(target->GetLook(), roll * kDegreesToRadians);
        RotatePositionAboutTarget(rotation);
        RotateAxes(rotation);
    }
    viewDirty = true;
}

void CFirstPersonCamera::CopyFrom(const CCamera* source) {
    if (source == nullptr) {
        return;
    }
    CopyStateFrom(*source);
    if (source->GetMode() == FreeFlight) {
        Level();
    }
}

void CFirstPersonCamera::RotateAxes(const Matrix4& rotation) {
    look = TransformNormal(look, rotation);
    up = TransformNormal(up, rotation);
    right = TransformNormal(right, rotation);
}

}  // namespace RenderLib

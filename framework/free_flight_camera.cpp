#include "framework/free_flight_camera.h"

#include "framework/matrix_helpers.h"
#include "framework/player.h"

namespace RenderLib {

CFreeFlightCamera::CFreeFlightCamera(const CCamera* source) {
    CFreeFlightCamera::CopyFrom(source);
}

void CFreeFlightCamera::Rotate(float pitch, float yaw, float roll) {
    if (target == nullptr) {
        return;
    }
    // Each turn moves only the two axes it does not turn about.
    if (pitch != 0.0f) {
        const Matrix4 r = MatrixRotationAxis(target->GetRight(), pitch * kDegreesToRadians);
        look = TransformNormal(look, r);
        up = TransformNormal(up, r);
        RotatePositionAboutTarget(r);
    }
    if (yaw != 0.0f) {
        const Matrix4 r = MatrixRotationAxis(target->GetUp(), yaw * kDegreesToRadians);
        look = TransformNormal(look, r);
        right = TransformNormal(right, r);
        RotatePositionAboutTarget(r);
    }
    if (roll != 0.0f) {
        const Matrix4 r = MatrixRotationAxis(target->GetLook(), roll * kDegreesToRadians);
        up = TransformNormal(up, r);
        right = TransformNormal(right, r);
        RotatePositionAboutTarget(r);
    }
    viewDirty = true;
}

void CFreeFlightCamera::CopyFrom(const CCamera* source) {
    if (source != nullptr) {
        CopyStateFrom(*source);
    }
}

}  // namespace RenderLib

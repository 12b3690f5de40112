#include "framework/third_person_camera.h"

#include "framework/matrix_helpers.h"
#include "framework/player.h"

namespace RenderLib {

CThirdPersonCamera::CThirdPersonCamera(const CCamera* source) {
    CThirdPersonCamera::CopyFrom(source);
}

void CThirdPersonCamera::Move(const Vector3&) {}

void CThirdPersonCamera::Rotate(float, float, float) {}

void CThirdPersonCamera::Update(float elapsed, float lag) {
    if (target == nullptr) {
        return;
    }
    const float ratio = lag != 0.0f ? (1.0f / lag) * elapsed : 1.0f;
    const Vector3 desired = DesiredPosition();
    Vector3 delta = desired - position;
    const float distance = Length(delta);
    Normalize(delta, delta);
    float step = distance * ratio;
    if (step > distance || distance < kSnapDistance) {
        step = distance;
    }
    if (!(step > 0.0f)) {
        return;
    }
    // Covering the whole distance lands on the point itself rather than on
    // position + unit × distance, which can miss it by rounding (or by all
    // of it when the distance is too small to normalise).
    if (step == distance) {
        position = desired;
    } else {
        position += delta * step;
    }
    LookAt(target->GetPosition());
    viewDirty = true;
}

void CThirdPersonCamera::CopyFrom(const CCamera* source) {
    if (source == nullptr) {
        return;
    }
    CopyStateFrom(*source);
    if (source->GetMode() == FreeFlight) {
        Level();
    }
}

Vector3 CThirdPersonCamera::DesiredPosition() const {
    Matrix4 frame;
    const Vector3 axes[3] = {target->GetRight(), target->GetUp(), target->GetLook()};
    for (int row = 0; row < 3; ++row) {
        frame.m[row][0] = axes[row].x;
        frame.m[row][1] = axes[row].y;
        frame.m[row][2] = axes[row].z;
    }
    return TransformCoord(target->GetCameraOffset(), frame) + target->GetPosition();
}

}  // namespace RenderLib

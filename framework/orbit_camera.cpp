#include "framework/orbit_camera.h"

#include <algorithm>
#include <cmath>

#include "framework/matrix_helpers.h"

namespace RenderLib {

COrbitCamera::COrbitCamera() {
    Place();
}

void COrbitCamera::SetCentre(const Vector3& point) {
    centre = point;
    Place();
}

void COrbitCamera::SetDistance(float newDistance) {
    distance = std::clamp(newDistance, kMinDistance, kMaxDistance);
    Place();
}

void COrbitCamera::SetAngles(float yawDegrees, float pitchDegrees) {
    yaw = std::fmod(yawDegrees, 360.0f);
    pitch = std::clamp(pitchDegrees, -kPitchLimit, kPitchLimit);
    Place();
}

void COrbitCamera::Rotate(float pitchDelta, float yawDelta, float /*roll*/) {
    SetAngles(yaw + yawDelta, pitch + pitchDelta);
}

void COrbitCamera::Zoom(float factor) {
    if (factor > 0.0f) {
        SetDistance(distance * factor);
    }
}

void COrbitCamera::Place() {
    const float yawRadians = yaw * kDegreesToRadians;
    const float pitchRadians = pitch * kDegreesToRadians;
    const Vector3 forward{std::sin(yawRadians) * std::cos(pitchRadians), -std::sin(pitchRadians),
                          std::cos(yawRadians) * std::cos(pitchRadians)};
    const Vector3 side = Normalize(Cross(Vector3{0.0f, 1.0f, 0.0f}, forward));
    SetPose(centre - forward * distance, side, Cross(forward, side), forward);
}

}  // namespace RenderLib

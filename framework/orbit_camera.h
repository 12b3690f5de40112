#pragma once

// A camera that circles a centre point at a distance, always looking at it,
// with +y as up. Yaw turns it about the vertical through the centre, pitch
// raises it (positive: looking down), kept within ±kPitchLimit so that it
// never looks straight along the vertical; zooming scales the distance
// within [kMinDistance, kMaxDistance]. It has no target: its owner moves the
// centre (a fixed point, or a school that swims).

#include "framework/camera.h"

namespace RenderLib {

class COrbitCamera : public CCamera {
public:
    static constexpr float kPitchLimit = 85.0f;   // degrees
    static constexpr float kMinDistance = 20.0f;  // world units
    static constexpr float kMaxDistance = 40000.0f;

    COrbitCamera();

    // Each places the eye anew.
    void SetCentre(const Vector3& point);
    void SetDistance(float distance);
    void SetAngles(float yawDegrees, float pitchDegrees);
    // Turns by the given degrees (a drag); roll is ignored.
    void Rotate(float pitch, float yaw, float roll) override;
    // Multiplies the distance by factor (below 1 comes closer).
    void Zoom(float factor);

    const Vector3& GetCentre() const { return centre; }
    float GetDistance() const { return distance; }
    float GetYaw() const { return yaw; }
    float GetPitch() const { return pitch; }
    CameraMode GetMode() const override { return Orbit; }

private:
    void Place();

    Vector3 centre{0.0f, 0.0f, 0.0f};
    float distance = 1000.0f;
    float yaw = 0.0f;     // degrees; 0 looks along +z
    float pitch = 30.0f;  // degrees; positive looks down
};

}  // namespace RenderLib

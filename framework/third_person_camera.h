#pragma once

// A camera that trails its target: each update it closes a share of the
// distance to the target's eye point (the target's cameraOffset taken into
// the target's frame) and then looks at the target. It ignores moves and
// turns; only the follow step places it.

#include "framework/camera.h"

namespace RenderLib {

class CThirdPersonCamera : public CCamera {
public:
    // Base defaults, then the state of source (may be null), levelled when
    // source is a free-flight camera.
    explicit CThirdPersonCamera(const CCamera* source = nullptr);

    void Move(const Vector3& delta) override;
    void Rotate(float pitch, float yaw, float roll) override;
    // Covers elapsed / lag of the remaining distance (all of it when lag is
    // 0), never overshooting, and lands exactly once closer than 0.01. A
    // camera already on its point neither moves nor re-aims. No target: nothing.
    void Update(float elapsed, float lag) override;
    void CopyFrom(const CCamera* source) override;
    CameraMode GetMode() const override { return ThirdPerson; }

    // Distance under which the follow step lands on the desired point.
    static constexpr float kSnapDistance = 0.01f;

private:
    Vector3 DesiredPosition() const;
};

}  // namespace RenderLib

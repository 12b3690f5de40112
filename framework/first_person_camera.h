#pragma once

// A camera that looks out from the target's eye: it moves like the base
// camera and turns about its own right axis (pitch) and the target's up and
// look axes (yaw, roll).

#include "framework/camera.h"

namespace RenderLib {

class CFirstPersonCamera : public CCamera {
public:
    // Base defaults, then the state of source (may be null), levelled when
    // source is a free-flight camera.
    explicit CFirstPersonCamera(const CCamera* source = nullptr);

    // Degrees. With no target nothing happens; otherwise each non-zero angle
    // in the order pitch, yaw, roll, and the view is marked dirty even when
    // all three are zero.
    void Rotate(float pitch, float yaw, float roll) override;
    void CopyFrom(const CCamera* source) override;
    CameraMode GetMode() const override { return FirstPerson; }

private:
    void RotateAxes(const Matrix4& rotation);
};

}  // namespace RenderLib

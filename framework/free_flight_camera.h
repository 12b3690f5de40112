#pragma once

// A camera rigidly attached to a freely flying target: every turn swings its
// axes and its eye about the target's own axes, so the camera keeps its place
// and attitude relative to the target. No levelling, no limits.

#include "framework/camera.h"

namespace RenderLib {

class CFreeFlightCamera : public CCamera {
public:
    // Base defaults, then a plain copy of source (may be null).
    explicit CFreeFlightCamera(const CCamera* source = nullptr);

    // Degrees, about the target's right (pitch), up (yaw) and look (roll)
    // axes as they are at the call; the player turns its own frame only
    // afterwards. With no target nothing happens; otherwise the view is
    // marked dirty even when all three are zero.
    void Rotate(float pitch, float yaw, float roll) override;
    void CopyFrom(const CCamera* source) override;
    CameraMode GetMode() const override { return FreeFlight; }
};

}  // namespace RenderLib

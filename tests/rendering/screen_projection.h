#pragma once

// Where a world point lands on screen under a device's view, projection and
// viewport, computed apart from the engine so that tests can check its
// drawing and picking against it.

#include <optional>

#include "base/vector_math.h"
#include "platform/gfx/d3d9.h"

namespace rendering_test {

struct ScreenPoint {
    float x = 0.0f;  // pixels from the back buffer's left
    float y = 0.0f;  // pixels from its top
};

// Nothing for a point behind the eye or outside the viewport (a margin of
// pixels in from its edges).
inline std::optional<ScreenPoint> ProjectToScreen(IDirect3DDevice9& device, const Vector3& p,
                                                  float margin = 2.0f) {
    D3DMATRIX view, projection;
    D3DVIEWPORT9 port;
    device.GetTransform(D3DTS_VIEW, &view);
    device.GetTransform(D3DTS_PROJECTION, &projection);
    device.GetViewport(&port);
    const Vector3 inView = TransformCoord(p, view);
    if (inView.z <= 1.0f) {
        return std::nullopt;
    }
    const Vector3 ndc = TransformCoord(inView, projection);
    const ScreenPoint screen{port.X + (ndc.x + 1.0f) * 0.5f * port.Width,
                             port.Y + (1.0f - ndc.y) * 0.5f * port.Height};
    const bool inside = screen.x >= port.X + margin && screen.y >= port.Y + margin &&
                        screen.x < port.X + port.Width - margin &&
                        screen.y < port.Y + port.Height - margin;
    return inside ? std::optional(screen) : std::nullopt;
}

}  // namespace rendering_test

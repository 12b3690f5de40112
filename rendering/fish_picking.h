#pragma once

// The geometry of picking a fish with the mouse: the ray from the eye
// through a pixel of the view, and where it first meets a bounding sphere.

#include <optional>

#include "base/vector_math.h"
#include "platform/gfx/d3d9_types.h"

namespace RenderLib {

struct PickRay {
    Vector3 origin;     // the eye, world coordinates
    Vector3 direction;  // unit length
};

// The ray through the centre of pixel (x, y) of viewport (pixels of the back
// buffer, top-left origin) for a view matrix made of a rotation and a
// translation and a left-handed perspective projection.
PickRay RayThroughPixel(const D3DMATRIX& view, const D3DMATRIX& projection,
                        const D3DVIEWPORT9& viewport, float x, float y);

// The distance along ray to where it enters the sphere, 0 when the origin is
// inside; nullopt when the sphere lies wholly behind or beside the ray.
std::optional<float> DistanceToSphere(const PickRay& ray, const Vector3& centre, float radius);

}  // namespace RenderLib

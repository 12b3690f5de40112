#include "rendering/fish_picking.h"

#include <cmath>

#include "framework/matrix_helpers.h"

namespace RenderLib {

// Row vectors: a view-space point q is p × R + t, so p = (q − t) × Rᵀ, and
// the eye (q = 0) is −t × Rᵀ.
PickRay RayThroughPixel(const D3DMATRIX& view, const D3DMATRIX& projection,
                        const D3DVIEWPORT9& viewport, float x, float y) {
    const float ndcX =
        2.0f * (x + 0.5f - static_cast<float>(viewport.X)) / static_cast<float>(viewport.Width) -
        1.0f;
    const float ndcY = 1.0f - 2.0f * (y + 0.5f - static_cast<float>(viewport.Y)) /
                                  static_cast<float>(viewport.Height);
    const float inView[3] = {ndcX / projection.m[0][0], ndcY / projection.m[1][1], 1.0f};
    const float translation[3] = {view.m[3][0], view.m[3][1], view.m[3][2]};
    float direction[3] = {};
    float eye[3] = {};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            direction[i] += inView[j] * view.m[i][j];
            eye[i] -= translation[j] * view.m[i][j];
        }
    }
    return {{eye[0], eye[1], eye[2]}, Normalize(Vector3{direction[0], direction[1], direction[2]})};
}

std::optional<float> DistanceToSphere(const PickRay& ray, const Vector3& centre, float radius) {
    const Vector3 fromCentre = ray.origin - centre;
    const float along = Dot(fromCentre, ray.direction);
    const float outside = Dot(fromCentre, fromCentre) - radius * radius;
    if (outside <= 0.0f) {
        return 0.0f;
    }
    const float discriminant = along * along - outside;
    if (discriminant < 0.0f || along > 0.0f) {
        return std::nullopt;
    }
    return -along - std::sqrt(discriminant);
}

}  // namespace RenderLib

#pragma once

// Paints a fish's texture (TextureLayout::kWidth × kHeight, RGB) to match the
// texture coordinates of BodyLofter and FinLofter. Each body texel is painted
// from the point of the body surface it lands on, so spots stay round on the
// fish however the image is stretched, and the left flank (v > 0.5) mirrors
// the right. The colouring is countershaded (dark back, pale belly) because
// the scene draws fish unlit.

#include "tools/asset_generator/body_shape.h"
#include "tools/asset_generator/image.h"

namespace assets {

class FishTexturePainter {
public:
    explicit FishTexturePainter(const BodyShape& shape);  // keeps a reference

    Image Paint() const;

    // The colour of the body at t (0 snout .. 1 tail root) and theta (as in
    // BodyShape::SurfacePoint).
    Color BodyColor(double t, double theta) const;

    // The colour of a fin of kind `band` (FinKind as int) at s along its
    // base and r from base (0) to edge (1).
    Color FinColor(int band, double s, double r) const;

private:
    Color Countershade(double up) const;
    Color Markings(const Color& base, double t, double up, const Vec3& p) const;
    Color HeadFeatures(const Color& base, double t, double theta, const Vec3& p) const;

    const BodyShape& shape_;
};

}  // namespace assets

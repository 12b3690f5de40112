#pragma once

// The smooth outer surface of a fish's body (fins excluded), evaluated from
// its species outline. The snout sits at z = +totalLength / 2 and the body
// runs toward -z; the tail fin follows behind t = 1, so the whole fish spans
// z = -totalLength / 2 .. +totalLength / 2.

#include "tools/asset_generator/fish_species.h"
#include "tools/asset_generator/vec3.h"

namespace assets {

class BodyShape {
public:
    explicit BodyShape(const FishSpecies& species);  // keeps a reference

    const FishSpecies& Species() const { return species_; }
    double BodyLength() const;  // snout to t = 1
    double ZAt(double t) const;

    // The outline at t (clamped to 0..1), interpolated without overshoot so
    // that half-width and half-height never turn negative.
    ProfileKey At(double t) const;

    // The point of the spine (the cross-section's centre) at t.
    Vec3 SpinePoint(double t) const;

    // The surface point at t and angle theta around the body, measured from
    // the top (theta 0) through the fish's right side (+x, theta pi/2) to the
    // belly (pi) and up its left side. Keel and mouth cleft are applied.
    Vec3 SurfacePoint(double t, double theta) const;

private:
    double MouthIndent(double t, double cosTheta) const;

    const FishSpecies& species_;
};

}  // namespace assets

#include "tools/asset_generator/body_shape.h"

#include <algorithm>
#include <cmath>

namespace assets {

namespace {

// Slopes of the Fritsch-Carlson monotone cubic at key i of one channel: the
// curve then stays between neighbouring key values, which a plain
// Catmull-Rom spline would not (it would dent the snout below zero width).
double MonotoneSlope(const std::vector<ProfileKey>& keys, std::size_t i,
                     double ProfileKey::*channel) {
    const std::size_t last = keys.size() - 1;
    auto secant = [&](std::size_t a) {
        return (keys[a + 1].*channel - keys[a].*channel) / (keys[a + 1].t - keys[a].t);
    };
    if (i == 0) {
        return secant(0);
    }
    if (i == last) {
        return secant(last - 1);
    }
    const double before = secant(i - 1);
    const double after = secant(i);
    if (before * after <= 0.0) {
        return 0.0;
    }
    return 2.0 / (1.0 / before + 1.0 / after);  // harmonic mean keeps monotonicity
}

double Interpolate(const std::vector<ProfileKey>& keys, double t, double ProfileKey::*channel) {
    if (t <= keys.front().t) {
        return keys.front().*channel;
    }
    if (t >= keys.back().t) {
        return keys.back().*channel;
    }
    std::size_t i = 0;
    while (keys[i + 1].t < t) {
        ++i;
    }
    const double h = keys[i + 1].t - keys[i].t;
    const double s = (t - keys[i].t) / h;
    const double s2 = s * s;
    const double s3 = s2 * s;
    return (2 * s3 - 3 * s2 + 1) * (keys[i].*channel) +
           (s3 - 2 * s2 + s) * h * MonotoneSlope(keys, i, channel) +
           (-2 * s3 + 3 * s2) * (keys[i + 1].*channel) +
           (s3 - s2) * h * MonotoneSlope(keys, i + 1, channel);
}

}  // namespace

BodyShape::BodyShape(const FishSpecies& species) : species_(species) {}

double BodyShape::BodyLength() const {
    return species_.totalLength * species_.bodyFraction;
}

double BodyShape::ZAt(double t) const {
    return species_.totalLength * 0.5 - t * BodyLength();
}

ProfileKey BodyShape::At(double t) const {
    const double c = Clamp01(t);
    const auto& keys = species_.profile;
    return {c, std::max(0.0, Interpolate(keys, c, &ProfileKey::halfWidth)),
            std::max(0.0, Interpolate(keys, c, &ProfileKey::halfHeight)),
            Interpolate(keys, c, &ProfileKey::centreY)};
}

Vec3 BodyShape::SpinePoint(double t) const {
    return {0.0, At(t).centreY, ZAt(t)};
}

Vec3 BodyShape::SurfacePoint(double t, double theta) const {
    const ProfileKey p = At(t);
    const double sinTheta = std::sin(theta);
    const double cosTheta = std::cos(theta);
    // A power above 1 on |sin| pinches the section toward the top and bottom.
    const double side = std::copysign(std::pow(std::abs(sinTheta), 1.0 + species_.keel), sinTheta);
    const double scale = 1.0 - MouthIndent(t, cosTheta);
    return {p.halfWidth * side * scale, p.centreY + p.halfHeight * cosTheta * scale, ZAt(t)};
}

double BodyShape::MouthIndent(double t, double cosTheta) const {
    if (species_.mouthEnd <= 0.0 || t >= species_.mouthEnd) {
        return 0.0;
    }
    const double across = (cosTheta - species_.mouthHeight) / 0.12;
    return species_.mouthDepth * std::exp(-across * across) * (1.0 - t / species_.mouthEnd);
}

}  // namespace assets

#include "tools/asset_generator/fish_texture_painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/asset_generator/texture_layout.h"
#include "tools/asset_generator/value_noise.h"

namespace assets {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// 1 inside |x| < inner, 0 beyond outer, eased between.
double Pulse(double x, double inner, double outer) {
    return 1.0 - SmoothStep(inner, outer, std::abs(x));
}

// Pale bean-shaped spots in staggered rows, on a grid of the flank's z and y.
double BeanSpots(const Vec3& p, std::uint32_t seed) {
    constexpr double kCellZ = 2.6;
    constexpr double kCellY = 1.25;
    double strongest = 0.0;
    const int row = static_cast<int>(std::floor(p.y / kCellY));
    for (int dj = -1; dj <= 1; ++dj) {
        const int j = row + dj;
        const double stagger = (j & 1) ? 0.5 * kCellZ : 0.0;
        const int column = static_cast<int>(std::floor((p.z - stagger) / kCellZ));
        for (int di = -1; di <= 1; ++di) {
            const int i = column + di;
            const double cz = (i + 0.25 + 0.5 * LatticeValue(i, j, 1, seed)) * kCellZ + stagger;
            const double cy = (j + 0.3 + 0.4 * LatticeValue(i, j, 2, seed)) * kCellY;
            const double size = 0.75 + 0.35 * LatticeValue(i, j, 3, seed);
            const double dz = (p.z - cz) / (0.95 * size);
            const double dy = (p.y - cy + 0.22 * dz * dz) / (0.42 * size);  // the bean's bend
            strongest = std::max(strongest, 1.0 - SmoothStep(0.75, 1.0, dz * dz + dy * dy));
        }
    }
    return strongest;
}

}  // namespace

FishTexturePainter::FishTexturePainter(const BodyShape& shape) : shape_(shape) {}

Image FishTexturePainter::Paint() const {
    Image image(TextureLayout::kWidth, TextureLayout::kHeight, 3);
    for (int y = 0; y < image.Height(); ++y) {
        const double v = (y + 0.5) / image.Height();
        for (int x = 0; x < image.Width(); ++x) {
            const double u = (x + 0.5) / image.Width();
            // The gap between body and fins takes the colour of the body's
            // end, so filtering at the tail root shows no seam.
            if (u < TextureLayout::kFinUStart - 0.01) {
                const double t = std::min(1.0, u / TextureLayout::kBodyUEnd);
                image.Set(x, y, BodyColor(t, kTwoPi * v));
            } else {
                const FinKind kind = TextureLayout::BandAt(v);
                const double v0 = TextureLayout::BandStart(kind);
                const double v1 = TextureLayout::BandEnd(kind);
                const double s = Clamp01((v - v0) / (v1 - v0));
                const double r =
                    Clamp01((u - TextureLayout::kFinUStart) / (1.0 - TextureLayout::kFinUStart));
                image.Set(x, y, FinColor(static_cast<int>(kind), s, r));
            }
        }
    }
    return image;
}

Color FishTexturePainter::BodyColor(double t, double theta) const {
    const Vec3 p = shape_.SurfacePoint(t, theta);
    const double up = std::cos(theta);
    Color c = Countershade(up);
    const std::uint32_t side = std::sin(theta) >= 0.0 ? 11u : 23u;
    const double mottle = FractalNoise(p * 0.55 + Vec3{0.0, 0.0, side * 7.0}, 4, 5u);
    c = Scale(c, 0.86 + 0.28 * mottle);
    c = Markings(c, t, up, p);
    // A faint pale lateral line along the flank.
    const double line = Pulse(up - 0.12, 0.015, 0.04) * SmoothStep(0.2, 0.3, t);
    c = Mix(c, Scale(shape_.Species().belly, 0.9), 0.25 * line);
    return HeadFeatures(c, t, theta, p);
}

Color FishTexturePainter::Countershade(double up) const {
    const FishSpecies& f = shape_.Species();
    const Color upper = Mix(f.flank, f.back, SmoothStep(0.3, 0.9, up));
    return Mix(upper, f.belly, SmoothStep(-0.25, -0.7, up));
}

Color FishTexturePainter::Markings(const Color& base, double t, double up, const Vec3& p) const {
    const FishSpecies& f = shape_.Species();
    const std::uint32_t seed = p.x >= 0.0 ? 101u : 202u;
    switch (f.pattern) {
        case SkinPattern::kBeanSpots: {
            const double where =
                SmoothStep(f.gillT - 0.05, f.gillT + 0.02, t) * Pulse(up - 0.15, 0.55, 0.75);
            return Mix(base, f.marking, 0.85 * where * BeanSpots(p, seed));
        }
        case SkinPattern::kVerticalBars: {
            const double wobble = 0.05 * (FractalNoise(p * 0.8, 3, seed) - 0.5);
            const double phase = (t + wobble - f.gillT) / 0.11;
            const double bar = Pulse(phase - std::round(phase), 0.18, 0.3);
            const double where = SmoothStep(f.gillT - 0.02, f.gillT + 0.04, t) *
                                 SmoothStep(-0.6, -0.2, up) * SmoothStep(1.02, 0.95, t);
            const Color breast =
                Mix(base, f.accent, SmoothStep(-0.2, -0.6, up) * Pulse(t - 0.3, 0.15, 0.35));
            return Mix(breast, f.marking, 0.7 * bar * where);
        }
        case SkinPattern::kLateralBand: {
            const double edge = 0.24 + 0.14 * FractalNoise(p * 0.45, 3, seed);
            const double blotch =
                0.35 + 0.65 * SmoothStep(0.35, 0.65, FractalNoise(p * 0.35, 2, seed + 7u));
            const double where = SmoothStep(f.eyeT, f.gillT, t);
            const double band = Pulse(up - 0.05, edge - 0.06, edge + 0.04);
            return Mix(base, f.marking, 0.85 * band * blotch * where);
        }
    }
    return base;
}

Color FishTexturePainter::HeadFeatures(const Color& base, double t, double theta,
                                       const Vec3& p) const {
    const FishSpecies& f = shape_.Species();
    const double up = std::cos(theta);
    const double sideSign = std::sin(theta) >= 0.0 ? 1.0 : -1.0;
    Color c = base;
    // Gill cover: a dark arc bowed backward at mid-height.
    const double gill = f.gillT - 0.025 * up * up;
    c = Mix(c, Scale(c, 0.45), Pulse(t - gill, 0.004, 0.012) * Pulse(up, 0.6, 0.8));
    if (f.pattern == SkinPattern::kVerticalBars) {
        // The bluegill's black ear flap at the gill cover's upper corner.
        const Vec3 flap = shape_.SurfacePoint(f.gillT - 0.02, std::acos(f.eyeHeight - 0.15));
        const Vec3 flapSide{sideSign * std::abs(flap.x), flap.y, flap.z};
        const double d = Length(p - flapSide) / (1.3 * f.eyeRadius);
        c = Mix(c, FromBytes(12, 14, 20), 1.0 - SmoothStep(0.8, 1.0, d));
    }
    // Mouth cleft: a dark line from the snout back to mouthEnd.
    const double mouth = Pulse(up - f.mouthHeight, 0.03, 0.07) *
                         (1.0 - SmoothStep(f.mouthEnd * 0.9, f.mouthEnd * 1.05, t));
    c = Mix(c, FromBytes(20, 16, 14), 0.85 * mouth);
    // Eye: dark pupil, coloured iris, dark rim and a small highlight.
    const Vec3 eye = shape_.SurfacePoint(f.eyeT, std::acos(f.eyeHeight));
    const Vec3 eyeSide{sideSign * std::abs(eye.x), eye.y, eye.z};
    const double d = Length(p - eyeSide) / f.eyeRadius;
    c = Mix(c, FromBytes(24, 22, 18), 1.0 - SmoothStep(1.0, 1.15, d));
    c = Mix(c, f.iris, 1.0 - SmoothStep(0.85, 0.95, d));
    c = Mix(c, FromBytes(6, 6, 8), 1.0 - SmoothStep(0.45, 0.52, d));
    const Vec3 glint = eyeSide + Vec3{0.0, 0.22, 0.18} * f.eyeRadius;
    c = Mix(c, FromBytes(235, 240, 240),
            1.0 - SmoothStep(0.1, 0.16, Length(p - glint) / f.eyeRadius));
    return c;
}

Color FishTexturePainter::FinColor(int band, double s, double r) const {
    const FishSpecies& f = shape_.Species();
    const FinKind kind = static_cast<FinKind>(band);
    // Rays run from base to edge; between them the membrane is paler.
    const double rays = 0.82 + 0.18 * std::cos(kTwoPi * s * 16.0);
    Color c = Scale(f.fin, rays);
    c = Mix(Mix(f.flank, f.back, 0.4), c, SmoothStep(0.0, 0.35, r));  // body colour at the root
    const Vec3 q{s * 9.0, r * 4.0, band * 5.0};
    switch (f.pattern) {
        case SkinPattern::kBeanSpots:  // reddish fins with dark blotches
            c = Mix(c, Scale(f.back, 0.7), 0.6 * SmoothStep(0.62, 0.75, FractalNoise(q, 3, 31u)));
            break;
        case SkinPattern::kVerticalBars:  // a dark spot at the back of the soft dorsal
            if (kind == FinKind::kDorsal) {
                c = Mix(c, FromBytes(20, 22, 24),
                        Pulse(s - 0.85, 0.06, 0.12) * Pulse(r - 0.45, 0.2, 0.3));
            }
            break;
        case SkinPattern::kLateralBand:  // dusky edges
            c = Mix(c, Scale(f.marking, 1.3), 0.35 * SmoothStep(0.7, 1.0, r));
            break;
    }
    return Mix(c, Scale(c, 1.25), 0.3 * SmoothStep(0.85, 1.0, r));  // pale fringe
}

}  // namespace assets

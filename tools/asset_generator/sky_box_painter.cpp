#include "tools/asset_generator/sky_box_painter.h"

#include <algorithm>
#include <cmath>

#include "tools/asset_generator/value_noise.h"

namespace assets {

namespace {

struct FaceCorners {
    const char* name;
    Vec3 origin;  // corner 1: u 0, v 0
    Vec3 right;   // corner 2: u 1, v 0
    Vec3 down;    // corner 4: u 0, v 1
};

// The renderer's cube, face by face in SkyFace order.
constexpr FaceCorners kFaces[SkyBoxPainter::kFaceCount] = {
    {"Front", {-10, 10, 10}, {10, 10, 10}, {-10, -10, 10}},
    {"Back", {10, 10, -10}, {-10, 10, -10}, {10, -10, -10}},
    {"Left", {-10, 10, -10}, {-10, 10, 10}, {-10, -10, -10}},
    {"Right", {10, 10, 10}, {10, 10, -10}, {10, -10, 10}},
    {"Top", {-10, 10, -10}, {10, 10, -10}, {-10, 10, 10}},
    {"Bottom", {-10, -10, 10}, {10, -10, 10}, {-10, -10, -10}},
};

struct GradientStop {
    double elevation;
    Color color;
};

// From straight down to straight up; the horizon is the scene's fog colour
// (0x004080) so that distant fish fade into the background.
const GradientStop kGradient[] = {
    {-1.0, FromBytes(2, 8, 20)},     {-0.35, FromBytes(0, 26, 56)},
    {0.0, FromBytes(0, 64, 128)},    {0.35, FromBytes(18, 116, 160)},
    {0.75, FromBytes(60, 172, 196)}, {1.0, FromBytes(104, 210, 218)},
};

const Vec3 kSun = Normalized({0.25, 1.0, 0.35});

Color Gradient(double elevation) {
    for (std::size_t i = 0; i + 1 < std::size(kGradient); ++i) {
        if (elevation <= kGradient[i + 1].elevation) {
            const double k =
                SmoothStep(kGradient[i].elevation, kGradient[i + 1].elevation, elevation);
            return Mix(kGradient[i].color, kGradient[i + 1].color, k);
        }
    }
    return kGradient[std::size(kGradient) - 1].color;
}

// Shafts of light spreading from the sun: bands of the angle around the
// sun's axis. Integer frequencies keep the pattern continuous all round.
double Rays(const Vec3& d) {
    const Vec3 a = Normalized(Cross(kSun, {0.0, 0.0, 1.0}));
    const Vec3 b = Cross(kSun, a);
    const double phi = std::atan2(Dot(d, b), Dot(d, a));
    auto band = [phi](double frequency, double phase, double sharpness) {
        return std::pow(0.5 + 0.5 * std::sin(frequency * phi + phase), sharpness);
    };
    const double shafts =
        0.5 * band(7.0, 1.3, 6.0) + 0.35 * band(13.0, 0.4, 8.0) + 0.25 * band(23.0, 2.1, 10.0);
    const double angle = std::acos(std::clamp(Dot(d, kSun), -1.0, 1.0));
    const double fade = SmoothStep(0.1, 0.5, angle) * (1.0 - SmoothStep(1.1, 1.9, angle));
    return shafts * fade * SmoothStep(-0.45, 0.35, d.y);
}

// Bright ripples of the water surface overhead, seen through the top.
double Ripples(const Vec3& d) {
    if (d.y <= 0.3) {
        return 0.0;
    }
    const Vec3 surface{d.x / d.y * 3.0, d.z / d.y * 3.0, 0.5};
    const double n = FractalNoise(surface, 3, 77u);
    const double lines = 1.0 - SmoothStep(0.0, 0.05, std::abs(n - 0.5));
    return lines * SmoothStep(0.45, 0.9, d.y);
}

}  // namespace

const char* SkyBoxPainter::FaceName(SkyFace face) {
    return kFaces[static_cast<int>(face)].name;
}

Vec3 SkyBoxPainter::CubePoint(SkyFace face, double u, double v) {
    const FaceCorners& f = kFaces[static_cast<int>(face)];
    return f.origin + (f.right - f.origin) * u + (f.down - f.origin) * v;
}

Color SkyBoxPainter::WaterColor(const Vec3& d) {
    Color c = Gradient(d.y);
    const double toSun = std::max(0.0, Dot(d, kSun));
    const double glow = 0.55 * std::pow(toSun, 16.0) + 0.6 * std::pow(toSun, 180.0);
    const Color light = FromBytes(200, 245, 230);
    c = Mix(c, light, std::min(1.0, glow));
    c = Mix(c, light, 0.22 * Rays(d));
    c = Mix(c, light, 0.18 * Ripples(d));
    // Faint large-scale murk so that the gradient does not band.
    const double murk = FractalNoise(d * 3.0, 3, 9u);
    return Scale(c, 0.94 + 0.12 * murk);
}

Image SkyBoxPainter::PaintFace(SkyFace face) {
    Image image(kSize, kSize, 3);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const Vec3 point = CubePoint(face, (x + 0.5) / kSize, (y + 0.5) / kSize);
            image.Set(x, y, WaterColor(Normalized(point)));
        }
    }
    return image;
}

}  // namespace assets

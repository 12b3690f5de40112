#include "tools/asset_generator/icon_painter.h"

#include <cmath>

#include "tools/asset_generator/vec3.h"

namespace assets {

namespace {

constexpr int kSamples = 4;  // per axis within one pixel

bool InEllipse(double x, double y, double cx, double cy, double rx, double ry) {
    const double dx = (x - cx) / rx;
    const double dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

struct Point {
    double x;
    double y;
};

// Inside when on the same side of all three edges (either winding).
bool InTriangle(double x, double y, Point a, Point b, Point c) {
    auto side = [x, y](Point p, Point q) {
        return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
    };
    const double s1 = side(a, b);
    const double s2 = side(b, c);
    const double s3 = side(c, a);
    return (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
}

// Body: a lens pointed at both ends. Tail: a forked triangle behind it.
bool InFish(double x, double y) {
    const double bodyX = (x - 0.08) / 0.6;
    if (std::abs(bodyX) <= 1.0 && std::abs(y) <= 0.3 * (1.0 - bodyX * bodyX) + 0.02) {
        return true;
    }
    if (x < -0.42 && x > -0.88) {
        const double spread = (-0.42 - x) * 0.85;
        const double fork = std::max(0.0, (-0.7 - x) * 0.9);
        return std::abs(y) <= spread && std::abs(y) >= fork;
    }
    // Dorsal fin: a small triangle leaning back.
    return InTriangle(x, y, {-0.18, 0.2}, {0.16, 0.2}, {-0.24, 0.44});
}

}  // namespace

Color IconPainter::Sample(double x, double y) {
    if (!InEllipse(x, y, 0.0, 0.0, 0.96, 0.96)) {
        return {0.0, 0.0, 0.0, 0.0};
    }
    Color c = Mix(FromBytes(0, 52, 110), FromBytes(40, 160, 190), SmoothStep(-0.9, 0.9, y));
    if (InEllipse(x, y, 0.0, 0.0, 0.96, 0.96) && !InEllipse(x, y, 0.0, 0.0, 0.89, 0.89)) {
        c = FromBytes(12, 36, 64);  // rim
    }
    // The fish is drawn at 80% and a little right of centre so that its
    // tail stays inside the rim.
    const double fx = (x - 0.06) / 0.8;
    const double fy = y / 0.8;
    if (InFish(fx, fy)) {
        // Countershaded: dark green back, gold flank, pale belly.
        const Color back = FromBytes(40, 84, 36);
        const Color flank = FromBytes(210, 170, 60);
        const Color belly = FromBytes(246, 236, 200);
        c = fy > 0.02 ? Mix(flank, back, SmoothStep(0.02, 0.2, fy))
                      : Mix(flank, belly, SmoothStep(0.02, -0.16, fy));
    }
    if (InEllipse(fx, fy, 0.44, 0.06, 0.065, 0.065)) {
        c = FromBytes(10, 10, 14);  // eye
    }
    return c;
}

Image IconPainter::Paint() {
    Image image(kSize, kSize, 4);
    for (int py = 0; py < kSize; ++py) {
        for (int px = 0; px < kSize; ++px) {
            Color sum{0.0, 0.0, 0.0, 0.0};
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = ((px + (sx + 0.5) / kSamples) / kSize) * 2.0 - 1.0;
                    const double y = 1.0 - ((py + (sy + 0.5) / kSamples) / kSize) * 2.0;
                    const Color c = Sample(x, y);
                    // Premultiplied sum so transparent samples add no colour.
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            }
            const double alpha = sum.a / (kSamples * kSamples);
            const double k = sum.a > 0.0 ? 1.0 / sum.a : 0.0;
            image.Set(px, py, {sum.r * k, sum.g * k, sum.b * k, alpha});
        }
    }
    return image;
}

}  // namespace assets

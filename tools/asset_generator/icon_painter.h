#pragma once

// Paints the application icon: a fish swimming to the right on a round
// badge of water, with a transparent surround (RGBA).

#include "tools/asset_generator/image.h"

namespace assets {

class IconPainter {
public:
    static constexpr int kSize = 64;

    // kSize × kSize RGBA, 4 × 4 samples per pixel for smooth edges.
    static Image Paint();

    // The colour at (x, y) in -1..1 (y up), alpha 0 outside the badge.
    static Color Sample(double x, double y);
};

}  // namespace assets

#pragma once

// Paints the six faces of the underwater sky box. The box is the program's
// 20-unit cube seen from inside; each face's image corners sit at the cube
// corners of the table below (corner 1 at u 0, v 0; corner 2 at u 1, v 0;
// corner 4 at u 0, v 1). Every pixel takes the colour of the view direction
// through its cube point, so neighbouring faces agree along shared edges.

#include <string>

#include "tools/asset_generator/image.h"
#include "tools/asset_generator/vec3.h"

namespace assets {

enum class SkyFace { kFront, kBack, kLeft, kRight, kTop, kBottom };

class SkyBoxPainter {
public:
    static constexpr int kFaceCount = 6;
    static constexpr int kSize = 512;  // pixels along each side of a face

    // "Front", "Back", "Left", "Right", "Top", "Bottom".
    static const char* FaceName(SkyFace face);

    // The point of the cube (half-size 10) at texture coordinates (u, v) of
    // a face, u and v in 0..1.
    static Vec3 CubePoint(SkyFace face, double u, double v);

    // Colour of the water seen in unit direction d: bright blue-green above
    // with a glow around the sun, soft rays fading down the sides, the fog
    // colour at the horizon and near black below.
    static Color WaterColor(const Vec3& d);

    // A kSize × kSize RGB picture of one face, sampled at pixel centres.
    static Image PaintFace(SkyFace face);
};

}  // namespace assets

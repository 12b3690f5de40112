// The sky box's geometry and colouring, before any image is written.

#include <cmath>

#include <gtest/gtest.h>

#include "tools/asset_generator/sky_box_painter.h"

namespace assets {
namespace {

constexpr SkyFace kAllFaces[] = {SkyFace::kFront, SkyFace::kBack, SkyFace::kLeft,
                                 SkyFace::kRight, SkyFace::kTop,  SkyFace::kBottom};

double Luminance(const Color& c) {
    return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
}

TEST(SkyBoxGeometry, EachFaceLiesOnItsPlaneAndReadsUnmirroredFromInside) {
    // The file of each face name must hold the picture of that face.
    const char* names[] = {"Front", "Back", "Left", "Right", "Top", "Bottom"};
    const Vec3 planes[] = {{0, 0, 10}, {0, 0, -10}, {-10, 0, 0},
                           {10, 0, 0}, {0, 10, 0},  {0, -10, 0}};
    for (int f = 0; f < SkyBoxPainter::kFaceCount; ++f) {
        const SkyFace face = kAllFaces[f];
        EXPECT_STREQ(SkyBoxPainter::FaceName(face), names[f]);
        const Vec3 centre = SkyBoxPainter::CubePoint(face, 0.5, 0.5);
        EXPECT_NEAR(Length(centre - planes[f]), 0.0, 1e-12) << SkyBoxPainter::FaceName(face);
        for (double u : {0.0, 1.0}) {
            for (double v : {0.0, 1.0}) {
                const Vec3 corner = SkyBoxPainter::CubePoint(face, u, v);
                EXPECT_EQ(std::abs(corner.x), 10.0);
                EXPECT_EQ(std::abs(corner.y), 10.0);
                EXPECT_EQ(std::abs(corner.z), 10.0);
            }
        }
        // Seen from the centre, u runs right and v down: right × down then
        // points back at the viewer (left-handed frame).
        const Vec3 right =
            SkyBoxPainter::CubePoint(face, 1, 0) - SkyBoxPainter::CubePoint(face, 0, 0);
        const Vec3 down =
            SkyBoxPainter::CubePoint(face, 0, 1) - SkyBoxPainter::CubePoint(face, 0, 0);
        EXPECT_LT(Dot(Cross(right, down), centre), 0.0) << SkyBoxPainter::FaceName(face);
    }
    // The side faces keep "up" at the top of the image.
    for (SkyFace face : {SkyFace::kFront, SkyFace::kBack, SkyFace::kLeft, SkyFace::kRight}) {
        EXPECT_GT(SkyBoxPainter::CubePoint(face, 0.5, 0.0).y,
                  SkyBoxPainter::CubePoint(face, 0.5, 1.0).y);
    }
}

TEST(SkyBoxColour, BrightAboveFogColouredAtTheHorizonDarkBelow) {
    const Color up = SkyBoxPainter::WaterColor({0, 1, 0});
    const Color down = SkyBoxPainter::WaterColor({0, -1, 0});
    EXPECT_GT(Luminance(up), 0.55);
    EXPECT_LT(Luminance(down), 0.06);
    EXPECT_GT(up.b, up.r);
    EXPECT_GT(up.g, up.r);
    // The horizon is close to the scene's fog colour 0x004080.
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    constexpr int kSamples = 64;
    for (int i = 0; i < kSamples; ++i) {
        const double a = 2.0 * 3.14159265358979 * i / kSamples;
        const Color c = SkyBoxPainter::WaterColor({std::cos(a), 0.0, std::sin(a)});
        r += c.r / kSamples;
        g += c.g / kSamples;
        b += c.b / kSamples;
    }
    EXPECT_NEAR(r, 0x00 / 255.0, 0.06);
    EXPECT_NEAR(g, 0x40 / 255.0, 0.08);
    EXPECT_NEAR(b, 0x80 / 255.0, 0.1);
}

TEST(SkyBoxColour, PaintedFacesAreBrighterHigherUp) {
    const Image top = SkyBoxPainter::PaintFace(SkyFace::kTop);
    const Image front = SkyBoxPainter::PaintFace(SkyFace::kFront);
    ASSERT_EQ(top.Width(), SkyBoxPainter::kSize);
    ASSERT_EQ(top.Height(), SkyBoxPainter::kSize);
    double previous = 2.0;
    for (int row = 0; row < SkyBoxPainter::kSize; row += 64) {
        double sum = 0.0;
        for (int x = 0; x < SkyBoxPainter::kSize; ++x) {
            sum += Luminance(front.Get(x, row + 32));
        }
        const double mean = sum / SkyBoxPainter::kSize;
        EXPECT_LT(mean, previous) << "front face row " << row + 32;
        previous = mean;
    }
    EXPECT_GT(Luminance(top.Get(256, 256)), Luminance(front.Get(256, 0)));
}

}  // namespace
}  // namespace assets

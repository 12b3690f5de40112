// The in-memory fish models: mesh soundness and winding, skin weights, bones
// and the swim animation, for every species.

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

#include <gtest/gtest.h>

#include "tools/asset_generator/asset_generator.h"
#include "tools/asset_generator/body_lofter.h"
#include "tools/asset_generator/fish_texture_painter.h"
#include "tools/asset_generator/skin_weights.h"
#include "tools/asset_generator/swim_animation.h"
#include "tools/asset_generator/texture_layout.h"

namespace assets {
namespace {

// Six times the signed volume enclosed by the triangles; positive when every
// triangle of a closed surface faces outward (clockwise seen from outside).
double SignedVolume6(const FishMesh& mesh) {
    double sum = 0.0;
    for (const Triangle& t : mesh.triangles) {
        const Vec3& a = mesh.vertices[t.a].position;
        sum += Dot(a, Cross(mesh.vertices[t.b].position - a, mesh.vertices[t.c].position - a));
    }
    return sum;
}

struct Extent {
    Vec3 min{1e9, 1e9, 1e9};
    Vec3 max{-1e9, -1e9, -1e9};
};

Extent MeshExtent(const FishMesh& mesh) {
    Extent e;
    for (const MeshVertex& v : mesh.vertices) {
        e.min = {std::min(e.min.x, v.position.x), std::min(e.min.y, v.position.y),
                 std::min(e.min.z, v.position.z)};
        e.max = {std::max(e.max.x, v.position.x), std::max(e.max.y, v.position.y),
                 std::max(e.max.z, v.position.z)};
    }
    return e;
}

class FishModelTest : public ::testing::TestWithParam<int> {
protected:
    FishSpecies species = AllSpecies()[GetParam()];
    FishModel model = AssetGenerator::BuildFishModel(species);
};

TEST_P(FishModelTest, EveryFaceIndexesExistingDistinctVertices) {
    const int count = static_cast<int>(model.mesh.vertices.size());
    ASSERT_GT(count, 0);
    ASSERT_LT(count, 65536);  // the program's meshes use 16-bit indices
    for (const Triangle& t : model.mesh.triangles) {
        for (int index : {t.a, t.b, t.c}) {
            ASSERT_GE(index, 0);
            ASSERT_LT(index, count);
        }
        ASSERT_TRUE(t.a != t.b && t.b != t.c && t.a != t.c);
    }
}

TEST_P(FishModelTest, BodyIsClosedAndWoundOutward) {
    const BodyShape shape(species);
    FishMesh body;
    BodyLofter(shape).AddBody(body);
    EXPECT_GT(SignedVolume6(body), 0.0);
    // Locally too: every side triangle faces away from the spine.
    const double tailZ = shape.ZAt(1.0) + 1e-6;
    int sideTriangles = 0;
    for (const Triangle& t : body.triangles) {
        const Vec3& a = body.vertices[t.a].position;
        const Vec3& b = body.vertices[t.b].position;
        const Vec3& c = body.vertices[t.c].position;
        const Vec3 centre = (a + b + c) * (1.0 / 3.0);
        if (std::max({a.z, b.z, c.z}) <= tailZ) {
            EXPECT_LT(Cross(b - a, c - a).z, 1e-9) << "the tail cap faces -z";
            continue;
        }
        const double t01 = (shape.ZAt(0.0) - centre.z) / shape.BodyLength();
        const Vec3 outward = centre - shape.SpinePoint(t01);
        EXPECT_GT(Dot(Cross(b - a, c - a), outward), 0.0);
        ++sideTriangles;
    }
    EXPECT_GT(sideTriangles, BodyLofter::kRings * BodyLofter::kSegments);
}

TEST_P(FishModelTest, FinsAreTwoSidedSoTheyAddNoVolume) {
    FishMesh body;
    const BodyShape shape(species);
    BodyLofter(shape).AddBody(body);
    EXPECT_GT(model.mesh.triangles.size(), body.triangles.size());
    EXPECT_NEAR(SignedVolume6(model.mesh), SignedVolume6(body), 1e-6 * SignedVolume6(body));
}

TEST_P(FishModelTest, FacesPlusZWithinThirtyToSixtyUnits) {
    const Extent e = MeshExtent(model.mesh);
    const double length = e.max.z - e.min.z;
    EXPECT_GE(length, 30.0);
    EXPECT_LE(length, 60.0 + 1e-9);
    EXPECT_NEAR(e.max.z, -e.min.z, 0.5);  // centred on the model's origin
    // The snout is the foremost point and lies on the midline.
    const auto snout = std::max_element(
        model.mesh.vertices.begin(), model.mesh.vertices.end(),
        [](const MeshVertex& a, const MeshVertex& b) { return a.position.z < b.position.z; });
    EXPECT_NEAR(snout->position.x, 0.0, 1e-9);
    // Left and right are mirror images.
    EXPECT_NEAR(e.max.x, -e.min.x, 1e-9);
}

TEST_P(FishModelTest, NormalsAreUnitAndTextureCoordinatesInRange) {
    for (const MeshVertex& v : model.mesh.vertices) {
        ASSERT_NEAR(Length(v.normal), 1.0, 1e-9);
        ASSERT_GE(v.u, 0.0);
        ASSERT_LE(v.u, 1.0);
        ASSERT_GE(v.v, 0.0);
        ASSERT_LE(v.v, 1.0);
        // Body texels left of the fin strip, fin texels inside it.
        ASSERT_TRUE(v.u <= TextureLayout::kBodyUEnd + 1e-12 || v.u >= TextureLayout::kFinUStart);
    }
}

TEST_P(FishModelTest, EveryVertexHasOneOrTwoNeighbouringBonesSummingToOne) {
    std::vector<std::vector<std::pair<int, double>>> perVertex(model.mesh.vertices.size());
    ASSERT_EQ(model.skin.size(), model.bones.size());
    for (std::size_t b = 0; b < model.skin.size(); ++b) {
        const BoneWeights& w = model.skin[b];
        ASSERT_EQ(w.vertices.size(), w.weights.size());
        ASSERT_TRUE(std::is_sorted(w.vertices.begin(), w.vertices.end()));
        for (std::size_t i = 0; i < w.vertices.size(); ++i) {
            ASSERT_GT(w.weights[i], 0.0);
            perVertex[w.vertices[i]].push_back({static_cast<int>(b), w.weights[i]});
        }
    }
    for (const auto& influences : perVertex) {
        ASSERT_GE(influences.size(), 1u);
        ASSERT_LE(influences.size(), 2u);
        double sum = 0.0;
        for (const auto& [bone, weight] : influences) {
            sum += weight;
        }
        ASSERT_NEAR(sum, 1.0, 1e-12);
        if (influences.size() == 2) {
            ASSERT_EQ(std::abs(influences[0].first - influences[1].first), 1);
        }
    }
}

TEST_P(FishModelTest, BonesFormAChainAlongTheSpine) {
    ASSERT_GE(model.bones.size(), 4u);
    ASSERT_LE(model.bones.size(), 6u);
    EXPECT_EQ(model.bones.front().name, "Head");
    EXPECT_EQ(model.bones.back().name, "Tail");
    Vec3 sum;
    std::set<std::string> names;
    for (std::size_t i = 0; i < model.bones.size(); ++i) {
        sum += model.bones[i].offset;
        EXPECT_NEAR(Length(sum - model.bones[i].joint), 0.0, 1e-12);
        if (i > 0) {
            EXPECT_LT(model.bones[i].joint.z, model.bones[i - 1].joint.z);
        }
        names.insert(model.bones[i].name);
    }
    EXPECT_EQ(names.size(), model.bones.size());
}

TEST_P(FishModelTest, SwimLoopsExactlyAndTurnsOnlyAboutY) {
    const SwimAnimation& swim = model.animation;
    ASSERT_EQ(swim.tracks.size(), model.bones.size());
    for (const BoneTrack& track : swim.tracks) {
        ASSERT_GE(track.keys.size(), 8u);
        ASSERT_LE(track.keys.size(), 16u + 1u);
        EXPECT_EQ(track.keys.front().tick, 0);
        EXPECT_EQ(track.keys.back().tick, species.swimPeriodTicks);
        for (std::size_t k = 1; k < track.keys.size(); ++k) {
            EXPECT_GT(track.keys[k].tick, track.keys[k - 1].tick);
        }
        const Quat& first = track.keys.front().rotation;
        const Quat& last = track.keys.back().rotation;
        EXPECT_TRUE(first.w == last.w && first.y == last.y);
        for (const AnimationKey& key : track.keys) {
            const Quat& q = key.rotation;
            EXPECT_EQ(q.x, 0.0);
            EXPECT_EQ(q.z, 0.0);
            EXPECT_NEAR(q.w * q.w + q.y * q.y, 1.0, 1e-12);
            EXPECT_NEAR(Length(key.translation - model.bones[track.bone].offset), 0.0, 1e-12);
        }
    }
}

// The phase (0..1) at which a bone bends furthest to one side.
double PeakPhase(const FishSpecies& species, int bone) {
    double best = -1.0;
    double at = 0.0;
    for (int i = 0; i < 3600; ++i) {
        const double bend = SwimBend(species, bone, i / 3600.0);
        if (bend > best) {
            best = bend;
            at = i / 3600.0;
        }
    }
    return at;
}

TEST_P(FishModelTest, BendTravelsFromHeadToTailAndGrowsTowardTheTail) {
    const int bones = static_cast<int>(model.bones.size());
    double previousAmplitude = 0.0;
    for (int b = 0; b < bones; ++b) {
        double amplitude = 0.0;
        for (int i = 0; i < 360; ++i) {
            amplitude = std::max(amplitude, std::abs(SwimBend(species, b, i / 360.0)));
        }
        EXPECT_GT(amplitude, previousAmplitude);
        previousAmplitude = amplitude;
        if (b > 0) {
            // Each joint peaks a little after the one ahead of it.
            const double lag =
                std::fmod(PeakPhase(species, b) - PeakPhase(species, b - 1) + 1.0, 1.0);
            EXPECT_GT(lag, 0.02);
            EXPECT_LT(lag, 0.5);
        }
    }
}

// The low-detail model drawn far away: a few percent of the triangles, the
// same outline (extent), bones, swim animation and texture, and closed.
TEST_P(FishModelTest, LowDetailModelKeepsTheOutlineWithAFewPercentOfTheTriangles) {
    const FishModel low = AssetGenerator::BuildFishModel(species, LoftDetail::kLow);
    const double share = static_cast<double>(low.mesh.triangles.size()) /
                         static_cast<double>(model.mesh.triangles.size());
    EXPECT_GT(share, 0.02);
    EXPECT_LT(share, 0.06);
    const Extent full = MeshExtent(model.mesh);
    const Extent reduced = MeshExtent(low.mesh);
    const double tolerance = 0.05 * (full.max.z - full.min.z);
    for (const auto& [a, b] : {std::pair{full.min, reduced.min}, std::pair{full.max, reduced.max}}) {
        EXPECT_NEAR(a.x, b.x, tolerance);
        EXPECT_NEAR(a.y, b.y, tolerance);
        EXPECT_NEAR(a.z, b.z, tolerance);
    }
    EXPECT_EQ(low.bones.size(), model.bones.size());
    EXPECT_EQ(low.animation.tracks.size(), model.animation.tracks.size());
    EXPECT_EQ(low.textureName, model.textureName);
    const BodyShape shape(species);
    FishMesh body;
    BodyLofter(shape, LoftDetail::kLow).AddBody(body);
    EXPECT_NEAR(SignedVolume6(low.mesh), SignedVolume6(body), 1e-6 * SignedVolume6(body));
    EXPECT_GT(SignedVolume6(body), 0.0);
}

INSTANTIATE_TEST_SUITE_P(AllFish, FishModelTest, ::testing::Values(0, 1, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return AllSpecies()[info.param].stem;
                         });

TEST(FishSpecies, ShapesAreDistinct) {
    std::map<std::string, Extent> extents;
    for (const FishSpecies& species : AllSpecies()) {
        extents[species.stem] = MeshExtent(AssetGenerator::BuildFishModel(species).mesh);
    }
    auto depthRatio = [&](const std::string& stem) {
        const Extent& e = extents[stem];
        return (e.max.y - e.min.y) / (e.max.z - e.min.z);
    };
    // The bluegill is deep, the pike slim, the bass in between.
    EXPECT_GT(depthRatio("bluegill"), depthRatio("blackbass"));
    EXPECT_GT(depthRatio("blackbass"), depthRatio("northernpike"));
    EXPECT_GT(extents["northernpike"].max.z - extents["northernpike"].min.z,
              extents["blackbass"].max.z - extents["blackbass"].min.z);
}

TEST(SpineBlend, JointsShareEquallyAndTheEndsBelongToOneBone) {
    const std::vector<double> joints = {10.0, 4.0, -2.0, -8.0};
    const SpineBlend ahead = BlendAt(14.0, joints);
    EXPECT_EQ(ahead.bones[0], 0);
    EXPECT_EQ(ahead.bones[1], -1);
    EXPECT_EQ(ahead.weights[0], 1.0);
    const SpineBlend behind = BlendAt(-30.0, joints);
    EXPECT_EQ(behind.bones[0], 3);
    EXPECT_EQ(behind.bones[1], -1);
    for (std::size_t j = 1; j < joints.size(); ++j) {
        const SpineBlend at = BlendAt(joints[j], joints);
        EXPECT_DOUBLE_EQ(at.weights[0], 0.5);
        EXPECT_DOUBLE_EQ(at.weights[1], 0.5);
        EXPECT_EQ(std::min(at.bones[0], at.bones[1]), static_cast<int>(j) - 1);
        EXPECT_EQ(std::max(at.bones[0], at.bones[1]), static_cast<int>(j));
    }
    // Half-way between joints a bone holds its stretch alone.
    const SpineBlend middle = BlendAt(1.0, joints);
    EXPECT_EQ(middle.bones[0], 1);
    EXPECT_EQ(middle.weights[0], 1.0);
}

TEST(SpineBlend, WeightsChangeContinuouslyAlongTheBody) {
    const std::vector<double> joints = {10.0, 4.0, -2.0, -8.0};
    std::vector<double> previous(joints.size(), 0.0);
    for (int i = 0; i <= 4000; ++i) {
        const double z = 16.0 - i * 0.008;
        const SpineBlend blend = BlendAt(z, joints);
        std::vector<double> weights(joints.size(), 0.0);
        for (int k = 0; k < 2; ++k) {
            if (blend.bones[k] >= 0) {
                weights[blend.bones[k]] = blend.weights[k];
            }
        }
        if (i > 0) {
            for (std::size_t b = 0; b < joints.size(); ++b) {
                ASSERT_LT(std::abs(weights[b] - previous[b]), 0.01) << "at z " << z;
            }
        }
        previous = weights;
    }
}

TEST(FishTexture, CountershadedWithTheBluegillsOrangeBreast) {
    for (const FishSpecies& species : AllSpecies()) {
        const BodyShape shape(species);
        const FishTexturePainter painter(shape);
        auto luminance = [](const Color& c) { return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b; };
        double back = 0.0;
        double belly = 0.0;
        for (int i = 0; i < 20; ++i) {
            const double t = 0.3 + 0.03 * i;
            back += luminance(painter.BodyColor(t, 0.05));
            belly += luminance(painter.BodyColor(t, std::numbers::pi));
        }
        EXPECT_LT(back * 2.0, belly) << species.stem;
    }
    const FishSpecies bluegill = Bluegill();
    const BodyShape shape(bluegill);
    const Color breast = FishTexturePainter(shape).BodyColor(0.3, 0.85 * std::numbers::pi);
    EXPECT_GT(breast.r, breast.g);
    EXPECT_GT(breast.g, breast.b);
    EXPECT_GT(breast.r - breast.b, 0.45);
}

}  // namespace
}  // namespace assets

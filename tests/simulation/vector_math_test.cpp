#include "simulation/vector_math.h"

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

namespace {

Vector3 Rotate(const Vector3& v, const Quaternion& q) {
    const Matrix4 m = TransformFromRotationTranslation(q, {});
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
            v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

TEST(Normalize, ZeroAndVanishingVectorsBecomeZero) {
    EXPECT_EQ(Normalize(Vector3{0, 0, 0}), (Vector3{0, 0, 0}));
    EXPECT_EQ(Normalize(Vector3{1e-20f, 0, 0}), (Vector3{0, 0, 0}));
    // Squared length exactly the smallest normal float still counts as vanishing.
    EXPECT_EQ(Normalize(Vector3{std::sqrt(1.1754944e-38f), 0, 0}).x, 0.0f);
}

TEST(Normalize, ScalesEveryComponentByTheSameFactor) {
    const Vector3 unit = Normalize(Vector3{3, 0, 4});
    EXPECT_FLOAT_EQ(unit.x, 0.6f);
    EXPECT_EQ(unit.y, 0.0f);
    EXPECT_FLOAT_EQ(unit.z, 0.8f);
}

TEST(Normalize, NearlyUnitVectorsAreCopiedUnchanged) {
    const Vector3 nearlyUnit{1.00000005f, 0, 0};  // squared length within 2^-23 of 1
    EXPECT_EQ(Normalize(nearlyUnit), nearlyUnit);
    const Vector3 justOutside{1.0001f, 0, 0};
    EXPECT_FLOAT_EQ(Normalize(justOutside).x, 1.0f);
    EXPECT_NE(Normalize(justOutside).x, 1.0001f);
}

TEST(Normalize, WorksInPlace) {
    Vector3 v{0, -2, 0};
    Normalize(v, v);
    EXPECT_EQ(v, (Vector3{0, -1, 0}));
}

TEST(QuaternionFromYawPitchRoll, ZeroAnglesGiveTheIdentity) {
    const Quaternion q = QuaternionFromYawPitchRoll(0, 0, 0);
    EXPECT_EQ(q.x, 0.0f);
    EXPECT_EQ(q.y, 0.0f);
    EXPECT_EQ(q.z, 0.0f);
    EXPECT_EQ(q.w, 1.0f);
}

TEST(QuaternionFromYawPitchRoll, QuarterYawTurnsForwardIntoRight) {
    const float halfPi = std::numbers::pi_v<float> / 2;
    const Quaternion q = QuaternionFromYawPitchRoll(halfPi, 0, 0);
    EXPECT_NEAR(q.y, std::sin(halfPi / 2), 1e-6);
    EXPECT_NEAR(q.w, std::cos(halfPi / 2), 1e-6);
    const Vector3 turned = Rotate({0, 0, 1}, q);
    EXPECT_NEAR(turned.x, 1.0f, 1e-6);
    EXPECT_NEAR(turned.y, 0.0f, 1e-6);
    EXPECT_NEAR(turned.z, 0.0f, 1e-6);
}

TEST(QuaternionFromYawPitchRoll, HeadingFormulaFacesTheDirection) {
    const Vector3 direction = Normalize(Vector3{-2, 3, 6});
    const float yaw = std::atan2(direction.x, direction.z);
    const float pitch = std::atan2(-direction.y, std::hypot(direction.x, direction.z));
    const Vector3 turned = Rotate({0, 0, 1}, QuaternionFromYawPitchRoll(yaw, pitch, 0));
    EXPECT_NEAR(turned.x, direction.x, 1e-6);
    EXPECT_NEAR(turned.y, direction.y, 1e-6);
    EXPECT_NEAR(turned.z, direction.z, 1e-6);
}

TEST(TransformFromRotationTranslation, IdentityRotationPutsTheTranslationInRowFour) {
    const Matrix4 m = TransformFromRotationTranslation(Quaternion{}, {5, -6, 7});
    const float expected[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {5, -6, 7, 1}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(m.m[r][c], expected[r][c]) << "row " << r << " column " << c;
        }
    }
}

TEST(ClampLength, AnySteeringEndsFiniteAndAtMostTheLimitInItsOwnDirection) {
    constexpr float kInf = INFINITY;
    constexpr float kBig = 3e38f;
    const float diagonal = 5.0f / std::sqrt(2.0f);
    struct Case {
        Vector3 steering;
        Vector3 clamped;  // for a limit of 5
    };
    const Case cases[] = {
        {{3, 0, 4}, {3, 0, 4}},      // within the limit: unchanged
        {{30, 0, 40}, {3, 0, 4}},    // longer: the plain path
        {{2e19f, 0, 0}, {5, 0, 0}},  // squared length overflows
        {{kBig, -kBig, 1}, {diagonal, -diagonal, 0}},
        {{kInf, 1e30f, 0}, {5, 0, 0}},  // a sum that overflowed
        {{kInf, -kInf, 0}, {diagonal, -diagonal, 0}},
        {{NAN, 0, -kBig}, {0, 0, -5}},  // a component that is not a number
        {{NAN, NAN, NAN}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const Vector3 clamped = ClampLength(c.steering, 5.0f);
        EXPECT_NEAR(clamped.x, c.clamped.x, 1e-5f) << c.steering.x;
        EXPECT_NEAR(clamped.y, c.clamped.y, 1e-5f) << c.steering.x;
        EXPECT_NEAR(clamped.z, c.clamped.z, 1e-5f) << c.steering.x;
    }
}

}  // namespace

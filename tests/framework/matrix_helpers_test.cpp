#include "framework/matrix_helpers.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tests/framework/vector_expectations.h"

namespace {

using namespace RenderLib;

constexpr float kQuarterTurn = 90.0f * kDegreesToRadians;

TEST(MatrixRotationAxis, PositiveTurnAboutUpTakesForwardToRight) {
    const Matrix4 r = MatrixRotationAxis({0, 1, 0}, kQuarterTurn);
    EXPECT_VECTOR_NEAR(TransformNormal({0, 0, 1}, r), 1, 0, 0);
    EXPECT_VECTOR_NEAR(TransformNormal({1, 0, 0}, r), 0, 0, -1);
    EXPECT_VECTOR_NEAR(TransformNormal({0, 1, 0}, r), 0, 1, 0);
}

TEST(MatrixRotationAxis, PositiveTurnAboutRightTakesForwardDownAndAboutForwardTakesUpLeft) {
    EXPECT_VECTOR_NEAR(TransformNormal({0, 0, 1}, MatrixRotationAxis({1, 0, 0}, kQuarterTurn)), 0,
                       -1, 0);
    EXPECT_VECTOR_NEAR(TransformNormal({0, 1, 0}, MatrixRotationAxis({0, 0, 1}, kQuarterTurn)), -1,
                       0, 0);
}

TEST(MatrixPerspectiveFovLH, MatchesHandComputedElements) {
    // fov 90°: cot(45°) = 1; aspect 2 halves x; planes 1 and 11.
    const Matrix4 p = MatrixPerspectiveFovLH(kQuarterTurn, 2.0f, 1.0f, 11.0f);
    const float expected[4][4] = {{0.5f, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1.1f, 1}, {0, 0, -1.1f, 0}};
    ExpectMatrixNear(p, expected);
}

TEST(MatrixLookAtLH, EyeBehindOriginIsATranslation) {
    const Matrix4 v = MatrixLookAtLH({0, 0, -5}, {0, 0, 0}, {0, 1, 0});
    const float expected[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 5, 1}};
    ExpectMatrixNear(v, expected);
}

TEST(MatrixLookAtLH, ColumnsAreTheAxesAndTheTargetLiesAhead) {
    const Vector3 eye{1, 2, 3};
    const Matrix4 v = MatrixLookAtLH(eye, {11, 2, 3}, {0, 1, 0});
    // Looking along +x: right is -z, up stays +y.
    const float expected[4][4] = {{0, 0, 1, 0}, {0, 1, 0, 0}, {-1, 0, 0, 0}, {3, -2, -1, 1}};
    ExpectMatrixNear(v, expected);
    EXPECT_VECTOR_NEAR(TransformCoord({11, 2, 3}, v), 0, 0, 10);
}

}  // namespace

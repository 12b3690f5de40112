#pragma once

// Comparisons of vectors and matrices for the camera, player and matrix tests.

#include <gtest/gtest.h>

#include "base/vector_math.h"

constexpr float kTolerance = 1e-5f;

#define EXPECT_VECTOR_NEAR(actual, ex, ey, ez)                \
    do {                                                      \
        const Vector3 expectVectorNearValue = (actual);       \
        EXPECT_NEAR(expectVectorNearValue.x, ex, kTolerance); \
        EXPECT_NEAR(expectVectorNearValue.y, ey, kTolerance); \
        EXPECT_NEAR(expectVectorNearValue.z, ez, kTolerance); \
    } while (false)

inline void ExpectMatrixNear(const Matrix4& actual, const float (&expected)[4][4]) {
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_NEAR(actual.m[row][column], expected[row][column], kTolerance)
                << "element _" << row + 1 << column + 1;
        }
    }
}

inline float DotOf(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Unit length and pairwise perpendicular.
inline void ExpectOrthonormal(const Vector3& right, const Vector3& up, const Vector3& look) {
    EXPECT_NEAR(Length(right), 1.0f, kTolerance);
    EXPECT_NEAR(Length(up), 1.0f, kTolerance);
    EXPECT_NEAR(Length(look), 1.0f, kTolerance);
    EXPECT_NEAR(DotOf(right, up), 0.0f, kTolerance);
    EXPECT_NEAR(DotOf(right, look), 0.0f, kTolerance);
    EXPECT_NEAR(DotOf(up, look), 0.0f, kTolerance);
}

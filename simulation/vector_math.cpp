#include "vector_math.h"

#include <cmath>

namespace {
constexpr float kFloatEpsilon = 1.1920929e-07f;    // 2^-23
constexpr float kSmallestNormal = 1.1754944e-38f;  // 2^-126
}  // namespace

float Length(const Vector3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

void Normalize(Vector3& out, const Vector3& v) {
    const float squared = v.x * v.x + v.y * v.y + v.z * v.z;
    if (std::fabs(squared - 1.0f) <= kFloatEpsilon) {
        out = v;
    } else if (squared > kSmallestNormal) {
        const float inverse = 1.0f / std::sqrt(squared);
        out = {v.x * inverse, v.y * inverse, v.z * inverse};
    } else {
        out = {0.0f, 0.0f, 0.0f};
    }
}

Vector3 Normalize(const Vector3& v) {
    Vector3 out;
    Normalize(out, v);
    return out;
}

namespace {

// The unit direction of a vector whose squared length is not finite.
Vector3 DirectionOfUnboundedVector(const Vector3& v) {
    const auto weight = [](float component, bool onlyInfinite, float scale) {
        if (std::isnan(component)) {
            return 0.0f;
        }
        if (onlyInfinite) {
            return std::isinf(component) ? std::copysign(1.0f, component) : 0.0f;
        }
        return component / scale;
    };
    const bool anyInfinite = std::isinf(v.x) || std::isinf(v.y) || std::isinf(v.z);
    // fmax ignores a NaN operand, so the scale is the largest number among them.
    const float scale = std::fmax(std::fmax(std::fabs(v.x), std::fabs(v.y)), std::fabs(v.z));
    return Normalize(Vector3{weight(v.x, anyInfinite, scale), weight(v.y, anyInfinite, scale),
                             weight(v.z, anyInfinite, scale)});
}

}  // namespace

Vector3 ClampLength(const Vector3& v, float maxLength) {
    const float squared = v.x * v.x + v.y * v.y + v.z * v.z;
    if (!std::isfinite(squared)) {
        return DirectionOfUnboundedVector(v) * maxLength;
    }
    if (std::sqrt(squared) > maxLength) {
        return Normalize(v) * maxLength;
    }
    return v;
}

Quaternion QuaternionFromYawPitchRoll(float yaw, float pitch, float roll) {
    const float sy = std::sin(yaw * 0.5f), cy = std::cos(yaw * 0.5f);
    const float sp = std::sin(pitch * 0.5f), cp = std::cos(pitch * 0.5f);
    const float sr = std::sin(roll * 0.5f), cr = std::cos(roll * 0.5f);
    return {cy * sp * cr + sy * cp * sr,  //
            sy * cp * cr - cy * sp * sr,  //
            cy * cp * sr - sy * sp * cr,  //
            cy * cp * cr + sy * sp * sr};
}

Matrix4 TransformFromRotationTranslation(const Quaternion& q, const Vector3& t) {
    const float x = q.x, y = q.y, z = q.z, w = q.w;
    Matrix4 r;
    r.m[0][0] = 1 - 2 * (y * y + z * z);
    r.m[0][1] = 2 * (x * y + z * w);
    r.m[0][2] = 2 * (x * z - y * w);
    r.m[0][3] = 0;
    r.m[1][0] = 2 * (x * y - z * w);
    r.m[1][1] = 1 - 2 * (x * x + z * z);
    r.m[1][2] = 2 * (y * z + x * w);
    r.m[1][3] = 0;
    r.m[2][0] = 2 * (x * z + y * w);
    r.m[2][1] = 2 * (y * z - x * w);
    r.m[2][2] = 1 - 2 * (x * x + y * y);
    r.m[2][3] = 0;
    r.m[3][0] = t.x;
    r.m[3][1] = t.y;
    r.m[3][2] = t.z;
    r.m[3][3] = 1;
    return r;
}

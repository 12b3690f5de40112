#include "framework/matrix_helpers.h"

#include <cmath>

namespace RenderLib {

float Dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Matrix4 MatrixRotationAxis(const Vector3& axis, float angle) {
    const Vector3 v = Normalize(axis);
    const float s = std::sin(angle);
    const float c = std::cos(angle);
    const float t = 1.0f - c;
    Matrix4 r;
    r.m[0][0] = t * v.x * v.x + c;
    r.m[0][1] = t * v.x * v.y + s * v.z;
    r.m[0][2] = t * v.x * v.z - s * v.y;
    r.m[1][0] = t * v.x * v.y - s * v.z;
    r.m[1][1] = t * v.y * v.y + c;
    r.m[1][2] = t * v.y * v.z + s * v.x;
    r.m[2][0] = t * v.x * v.z + s * v.y;
    r.m[2][1] = t * v.y * v.z - s * v.x;
    r.m[2][2] = t * v.z * v.z + c;
    return r;
}

Matrix4 MatrixPerspectiveFovLH(float fovY, float aspect, float nearPlane, float farPlane) {
    const float yScale = std::cos(fovY * 0.5f) / std::sin(fovY * 0.5f);
    const float xScale = yScale / aspect;
    const float depth = farPlane - nearPlane;
    Matrix4 r;
    r.m[0][0] = xScale;
    r.m[1][1] = yScale;
    r.m[2][2] = farPlane / depth;
    r.m[2][3] = 1.0f;
    r.m[3][2] = -nearPlane * farPlane / depth;
    r.m[3][3] = 0.0f;
    return r;
}

Matrix4 MatrixViewFromAxes(const Vector3& right, const Vector3& up, const Vector3& look,
                           const Vector3& eye) {
    Matrix4 r;
    r.m[0][0] = right.x;
    r.m[1][0] = right.y;
    r.m[2][0] = right.z;
    r.m[0][1] = up.x;
    r.m[1][1] = up.y;
    r.m[2][1] = up.z;
    r.m[0][2] = look.x;
    r.m[1][2] = look.y;
    r.m[2][2] = look.z;
    r.m[3][0] = -Dot(right, eye);
    r.m[3][1] = -Dot(up, eye);
    r.m[3][2] = -Dot(look, eye);
    return r;
}

Matrix4 MatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up) {
    const Vector3 z = Normalize(at - eye);
    const Vector3 x = Normalize(Cross(up, z));
    const Vector3 y = Cross(z, x);
    return MatrixViewFromAxes(x, y, z, eye);
}

void LevelAxes(Vector3& right, Vector3& up, Vector3& look) {
    up = {0.0f, 1.0f, 0.0f};
    right.y = 0.0f;
    look.y = 0.0f;
    Normalize(right, right);
    Normalize(look, look);
    if (look == Vector3{}) {
        look = Normalize(Cross(right, up));
    } else if (right == Vector3{}) {
        right = Normalize(Cross(up, look));
    }
}

}  // namespace RenderLib

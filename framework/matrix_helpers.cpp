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

Matrix4 MatrixTranslation(float x, float y, float z) {
    Matrix4 r;
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

Vector3 TransformCoord(const Vector3& p, const Matrix4& m) {
    Vector3 r{p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
              p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
              p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
    const float w = p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3];
    if (w != 0.0f && w != 1.0f) {
        const float inverse = 1.0f / w;
        r = r * inverse;
    }
    return r;
}

Vector3 TransformNormal(const Vector3& v, const Matrix4& m) {
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
            v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

}  // namespace RenderLib

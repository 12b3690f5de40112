#pragma once

// Double-precision 3-vector for the asset generator. Coordinates are those of
// the program's left-handed frame: x right, y up, z forward (a fish's head
// points to +z).

#include <cmath>

namespace assets {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(const Vec3& a) {
    return {-a.x, -a.y, -a.z};
}
inline Vec3 operator*(const Vec3& v, double s) {
    return {v.x * s, v.y * s, v.z * s};
}
inline Vec3 operator*(double s, const Vec3& v) {
    return v * s;
}
inline Vec3& operator+=(Vec3& a, const Vec3& b) {
    a = a + b;
    return a;
}

inline double Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The component formula of the cross product. For a triangle (a, b, c),
// Cross(b - a, c - a) points to the side from which a, b, c run clockwise in
// this left-handed frame: the side the renderer treats as the front.
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double Length(const Vec3& v) {
    return std::sqrt(Dot(v, v));
}

// Unit vector of v; the zero vector stays zero.
inline Vec3 Normalized(const Vec3& v) {
    const double length = Length(v);
    return length > 0.0 ? v * (1.0 / length) : Vec3{};
}

inline Vec3 Lerp(const Vec3& a, const Vec3& b, double t) {
    return a + (b - a) * t;
}

inline double Clamp01(double t) {
    return t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
}

// Hermite ease of t clamped to [0, 1]: 0 and 1 with zero slope at both ends.
inline double SmoothStep(double t) {
    const double c = Clamp01(t);
    return c * c * (3.0 - 2.0 * c);
}

// SmoothStep of x over the interval [edge0, edge1].
inline double SmoothStep(double edge0, double edge1, double x) {
    return SmoothStep((x - edge0) / (edge1 - edge0));
}

}  // namespace assets

#pragma once

// Single-precision vector types of the simulation. The frame is left-handed
// (x right, y up, z forward); matrices are row-major and act on row vectors,
// p' = p * M, so a translation sits in the fourth row. Angles are radians.

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Quaternion {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;  // (0, 0, 0, 1) is the identity rotation
};

struct Matrix4 {
    float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};  // m[row][column]
};

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 operator-(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 operator*(const Vector3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }
inline Vector3 operator*(float s, const Vector3& v) { return v * s; }
inline Vector3& operator+=(Vector3& a, const Vector3& b) {
    a.x += b.x;
    a.y += b.y;
    a.z += b.z;
    return a;
}
inline bool operator==(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

// sqrt(x² + y² + z²).
float Length(const Vector3& v);

// Writes the unit vector of v into out (out may be v). A vector whose squared
// length is within the float epsilon of 1 is copied unchanged; one whose squared
// length is at most the smallest normal float (the zero vector among them)
// becomes (0, 0, 0), so a degenerate direction contributes nothing.
void Normalize(Vector3& out, const Vector3& v);
Vector3 Normalize(const Vector3& v);

// v when its length is at most maxLength, else v shortened to maxLength in
// its own direction. Holds for any v: when the squared length overflows, the
// direction is found from v scaled down by its largest component; infinite
// components outweigh every finite one; a component that is not a number
// carries no direction (all of them: the zero vector). A v whose squared
// length is finite takes exactly the arithmetic of Length and Normalize.
Vector3 ClampLength(const Vector3& v, float maxLength);

// Rotation by roll about z, then pitch about x, then yaw about y.
Quaternion QuaternionFromYawPitchRoll(float yaw, float pitch, float roll);

// Rotation matrix of the unit quaternion q followed by a translation by t.
// q is used as given, not normalised.
Matrix4 TransformFromRotationTranslation(const Quaternion& q, const Vector3& t);

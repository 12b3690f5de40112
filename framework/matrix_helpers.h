#pragma once

// The few matrix and vector routines the cameras and the player need beyond
// the shared vector math, in the device's convention: row-major matrices acting on row vectors (p' = p * M),
// left-handed frame (x right, y up, z forward). Angles are radians unless a
// name says degrees.

#include "base/vector_math.h"

namespace RenderLib {

// Degrees to radians and back, in the single precision the interfaces use.
constexpr float kDegreesToRadians = 0.017453292f;
constexpr float kRadiansToDegrees = 57.29578f;

float Dot(const Vector3& a, const Vector3& b);
// Left-handed cross product: Cross(up, look) is right, Cross(look, right) is up.
Vector3 Cross(const Vector3& a, const Vector3& b);

// Rotation by angle radians about axis (normalised here; a zero axis leaves
// only the cos(angle) scale on the diagonal). Seen from the tip of the axis
// toward the origin the turn is clockwise: a positive turn about +y takes +z
// to +x.
Matrix4 MatrixRotationAxis(const Vector3& axis, float angle);

// Left-handed perspective projection: vertical field of view fovY radians,
// aspect = width / height, near and far plane distances. Depth maps to 0..1.
Matrix4 MatrixPerspectiveFovLH(float fovY, float aspect, float nearPlane, float farPlane);

// Left-handed view matrix of an eye at eye looking at at, with up as the up
// reference. Columns 1 to 3 hold the camera's right, up and look axes.
Matrix4 MatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up);

// The view matrix of an eye at eye with the orthonormal axes right, up and
// look: world points into that frame.
Matrix4 MatrixViewFromAxes(const Vector3& right, const Vector3& up, const Vector3& look,
                           const Vector3& eye);

// Up becomes +y; right and look are flattened onto the horizontal plane and
// normalised. A frame looking straight up or down (or rolled onto its side)
// loses one horizontal axis; it is rebuilt from the other so the frame stays
// whole.
void LevelAxes(Vector3& right, Vector3& up, Vector3& look);

}  // namespace RenderLib

#pragma once

// The camera family. A CCamera owns a view matrix, a projection matrix and a
// device viewport, all rebuilt lazily behind two dirty flags. Three kinds
// derive from it (first-person, third-person, free-flight) and differ only in
// how they move, turn and follow. A camera never moves on its own: its target,
// a CPlayer, drives it and owns it.
//
// Angles given to a camera are degrees; distances are world units; time is
// seconds. Matrices are row-major for row vectors in a left-handed frame.

#include <cstdint>

#include "platform/gfx/d3d9.h"
#include "base/vector_math.h"

namespace RenderLib {

class CPlayer;

// The kinds of camera; 0 stands for "no camera yet" where a mode is stored.
enum CameraMode : std::int32_t {
    FirstPerson = 1,
    ThirdPerson = 2,
    FreeFlight = 3,
    Orbit = 4,  // circles a point of its own, with no target (never a player's camera)
};

class CCamera {
public:
    // Virtual operations, in this slot order.
    virtual ~CCamera() = default;
    // Attaches the camera to player (not owned; may be null).
    virtual void SetTarget(CPlayer* player);
    virtual void ClearTarget();
    // Places the eye at point (world space).
    virtual void SetPosition(const Vector3& point);
    // Moves the eye by delta (world space).
    virtual void Move(const Vector3& delta);
    // Turns by the three angles in degrees; the base does nothing.
    virtual void Rotate(float pitch, float yaw, float roll);
    // The per-update follow step: elapsed and lag in seconds; the base does nothing.
    virtual void Update(float elapsed, float lag);
    // Adopts source's state (source may be null); the base does nothing.
    virtual void CopyFrom(const CCamera* source);
    virtual CameraMode GetMode() const = 0;

    // Stores the viewport rectangle (pixels) and the clip planes, resets the
    // depth range to 0..1 and marks the projection dirty. When device is not
    // null its viewport is set from the record too. fov is not touched.
    void SetViewport(UINT x, UINT y, UINT width, UINT height, float nearClip, float farClip,
                     IDirect3DDevice9* device);
    // The projection for fov, the viewport's aspect and the clip planes,
    // rebuilt first when dirty. A viewport with a zero side uses aspect 1.
    const D3DMATRIX& GetProjectionMatrix();
    // Sets the device's projection transform; does nothing when device is null.
    void ApplyProjection(IDirect3DDevice9* device);
    // The view matrix, rebuilt first when dirty; the rebuild also makes the
    // stored axes orthonormal again.
    const D3DMATRIX& GetViewMatrix();
    // Sets the device's view transform and passes back its result; S_OK when
    // device is null.
    HRESULT ApplyView(IDirect3DDevice9* device);
    // Turns the camera, without moving it, to look at point (world space)
    // with the target's up axis as reference. Needs a target; without one, or
    // when point is the eye itself or lies straight along that up axis, the
    // axes stay as they are.
    void LookAt(const Vector3& point);
    // Copies the six floats min x, y, z, max x, y, z.
    void SetBounds(const float box[6]);
    // Places the eye at point with the given axes (made orthonormal at the
    // next view rebuild), as a camera that copies another body's pose does.
    void SetPose(const Vector3& point, const Vector3& newRight, const Vector3& newUp,
                 const Vector3& newLook);

    CPlayer* GetTarget() const { return target; }
    const float* GetBounds() const { return bounds; }
    const Vector3& GetPosition() const { return position; }
    const Vector3& GetUp() const { return up; }
    const Vector3& GetLook() const { return look; }
    const Vector3& GetRight() const { return right; }
    const D3DVIEWPORT9& GetViewport() const { return viewport; }
    float GetNearPlane() const { return nearPlane; }
    float GetFarPlane() const { return farPlane; }
    bool IsViewDirty() const { return viewDirty; }
    bool IsProjectionDirty() const { return projectionDirty; }

    // Vertical field of view in degrees. The owner writes it directly and
    // must set the projection dirty afterwards (MarkProjectionDirty).
    float fov = 60.0f;
    void MarkProjectionDirty() { projectionDirty = true; }

    CCamera(const CCamera&) = delete;
    CCamera& operator=(const CCamera&) = delete;

protected:
    CCamera() = default;

    // Copies position, axes, fov, planes, viewport and bounds from source (not
    // the target) and marks both matrices dirty.
    void CopyStateFrom(const CCamera& source);
    // Up becomes +y; right and look are flattened onto the horizontal plane.
    void Level();
    // Rotates the eye about the target's position by rotation.
    void RotatePositionAboutTarget(const Matrix4& rotation);

    CPlayer* target = nullptr;  // not owned; may be null
    float bounds[6] = {};       // min x, y, z, max x, y, z; only copied around
    D3DMATRIX view;             // identity until first rebuilt
    D3DMATRIX projection;       // identity until first rebuilt
    bool viewDirty = true;
    bool projectionDirty = true;
    float nearPlane = 1.0f;
    float farPlane = 100.0f;
    D3DVIEWPORT9 viewport{0, 0, 640, 480, 0.0f, 1.0f};
    Vector3 position{0.0f, 0.0f, 0.0f};
    Vector3 up{0.0f, 1.0f, 0.0f};
    Vector3 look{0.0f, 0.0f, 1.0f};
    Vector3 right{1.0f, 0.0f, 0.0f};
};

}  // namespace RenderLib

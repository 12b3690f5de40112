#pragma once

// The user's presence in the scene: a body with a position, an orthonormal
// frame (right, up, look), a velocity under gravity, speed limits and
// friction, the camera it carries (owned) and, optionally, a model drawn at
// its place. Two callback lists let other parts hook into every update.
//
// Angles are degrees, distances world units, time seconds.

#include <cstdint>

#include "framework/camera.h"
#include "framework/render_object.h"
#include "platform/gfx/d3d9.h"
#include "base/vector_math.h"

namespace RenderLib {

class CPlayer;

// Called after the player has moved in each update; the result is ignored.
using PlayerCallback = void (*)(void* context, CPlayer* player, float elapsed);
// Called after the camera's follow step in each update.
using CameraCallback = void (*)(void* context, CCamera* camera, float elapsed);

// Direction flags of MoveByDirections.
constexpr DWORD kMoveForward = 0x01;   // +look
constexpr DWORD kMoveBackward = 0x02;  // -look
constexpr DWORD kMoveLeft = 0x04;      // -right
constexpr DWORD kMoveRight = 0x08;     // +right
constexpr DWORD kMoveUp = 0x10;        // +up
constexpr DWORD kMoveDown = 0x20;      // -up

class CPlayer {
public:
    // Entries of each callback list.
    static constexpr int kMaxCallbacks = 255;

    CPlayer() = default;
    // Destroys the camera.
    virtual ~CPlayer();

    // Replaces the camera by a new one of mode (FirstPerson, ThirdPerson or
    // FreeFlight) that takes over the old camera's state. Leaving free flight
    // levels the player; entering it adopts the camera's axes. True when the
    // mode is now in place (at once when it already was); false for any other
    // mode, with nothing changed.
    bool SetCameraMode(std::int32_t mode);
    // Degrees. In modes 1 and 2 the body stays upright: pitch is kept within
    // ±89 and roll within ±20 (accumulated), yaw wraps into 0..360 and turns
    // the body; the camera tilts. In mode 3 the body and camera turn freely.
    // Nothing happens without a camera.
    void Rotate(float pitch, float yaw, float roll);
    // toVelocity: velocity += delta; otherwise position and camera move by delta.
    void Move(const Vector3& delta, bool toVelocity);
    // Sums distance along each axis whose flag (kMove*) is set and moves by
    // it as Move does; no flags, no move.
    void MoveByDirections(DWORD directions, float distance, bool toVelocity);
    // Stores offset (the camera's eye in the player's frame, read by the
    // third-person follow step) and places the camera at position + offset
    // taken in world axes.
    void SetCameraOffset(const Vector3& offset);
    // Integrates gravity and velocity within the limits, moves the camera,
    // calls the player callbacks, the camera's follow step, the camera
    // callbacks, then applies friction, which stops the body at rest and
    // never reverses it. elapsed in seconds.
    void Update(float elapsed);
    // Draws the model 10 units below the position with the player's axes
    // (at the position itself in third person with drawModelAtEye). Not drawn
    // from inside a first-person or free-flight camera unless drawModelAtEye;
    // nothing without a device, a model or a model object.
    void Render(IDirect3DDevice9* device);
    // Appends to the list, called in the order added; false, with the list
    // unchanged, when it already holds kMaxCallbacks entries or function is null.
    bool AddPlayerCallback(PlayerCallback function, void* context);
    bool AddCameraCallback(CameraCallback function, void* context);
    // Back to the pose of a new player: at the origin, at rest, facing +z
    // with no accumulated turn, and the camera at the camera offset (world
    // axes) with the same facing. Mode, limits, callbacks and model stay.
    void ResetPose();
    // Copies min x, y, z, max x, y, z; the player does not consult it.
    void SetBounds(const float box[6]);

    CCamera* GetCamera() const { return camera; }
    std::int32_t GetCameraMode() const { return mode; }
    const float* GetBounds() const { return bounds; }
    const Vector3& GetPosition() const { return position; }
    const Vector3& GetUp() const { return up; }
    const Vector3& GetRight() const { return right; }
    const Vector3& GetLook() const { return look; }
    const Vector3& GetCameraOffset() const { return cameraOffset; }
    const Vector3& GetVelocity() const { return velocity; }
    float GetPitch() const { return pitch; }
    float GetYaw() const { return yaw; }
    float GetRoll() const { return roll; }
    int GetPlayerCallbackCount() const { return playerCallbackCount; }
    int GetCameraCallbackCount() const { return cameraCallbackCount; }

    // Written by the owner directly.
    CModelInstance* model = nullptr;  // drawn by Render; not owned; may be null
    bool drawModelAtEye = false;
    Vector3 gravity{0.0f, 0.0f, 0.0f};  // units per second²
    float maxVelocityXZ = 125.0f;       // limit of the horizontal speed, units per second
    float maxVelocityY = 125.0f;        // limit of the vertical speed, units per second
    float friction = 250.0f;            // deceleration, units per second²
    float cameraLag = 0.0f;             // seconds, for the camera's follow step

    CPlayer(const CPlayer&) = delete;
    CPlayer& operator=(const CPlayer&) = delete;

private:
    template <class Function>
    struct Callback {
        Function function = nullptr;
        void* context = nullptr;
    };

    static CCamera* CreateCamera(std::int32_t mode, const CCamera* source);
    void Level();
    void RotateUpright(float pitchDelta, float yawDelta, float rollDelta);
    void RotateFree(float pitchDelta, float yawDelta, float rollDelta);
    void Orthonormalize();
    void ClampVelocity();
    void ApplyFriction(float elapsed);

    CCamera* camera = nullptr;  // owned
    float bounds[6] = {};
    std::int32_t mode = 0;  // CameraMode of camera; 0 before the first camera
    Vector3 position{0.0f, 0.0f, 0.0f};
    Vector3 up{0.0f, 1.0f, 0.0f};
    Vector3 right{1.0f, 0.0f, 0.0f};
    Vector3 look{0.0f, 0.0f, 1.0f};
    Vector3 cameraOffset{0.0f, 0.0f, 0.0f};
    float pitch = 0.0f;                  // accumulated, modes 1 and 2
    float roll = 0.0f;                   // accumulated, modes 1 and 2
    float yaw = 0.0f;                    // accumulated
    Vector3 velocity{0.0f, 0.0f, 0.0f};  // units per second
    Callback<PlayerCallback> playerCallbacks[kMaxCallbacks];
    Callback<CameraCallback> cameraCallbacks[kMaxCallbacks];
    std::uint16_t playerCallbackCount = 0;
    std::uint16_t cameraCallbackCount = 0;
};

}  // namespace RenderLib

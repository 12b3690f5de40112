#pragma once

// CFlockingArenaRenderEngine: the program's scene. Four schools of fish swim
// under six shared steering behaviours around the user's fish, inside a
// textured sky box, in blue-green fog.
//
// Set-up (CreateResources, SetupScene) builds everything once at Initialize;
// each frame ProcessInput flies the player from the keys and the captured
// mouse, UpdateScene steps the flock and the model animations, and DrawScene
// draws fog, sky box, player and flock. Nothing is rebuilt on a device reset:
// meshes, buffers and textures live in the managed pool.

#include <array>
#include <vector>

#include "framework/data_file_failure.h"
#include "framework/first_person_camera.h"
#include "framework/hierarchy_model.h"
#include "framework/indexed_geometry.h"
#include "framework/orbit_camera.h"
#include "framework/player.h"
#include "framework/render_object.h"
#include "rendering/flock_drawer.h"
#include "rendering/overlay_lines.h"
#include "rendering/render_engine.h"
#include "rendering/scene_view_settings.h"
#include "simulation/behavior.h"
#include "simulation/population.h"
#include "simulation/world.h"

class cEntity;
class cPlayerEntity;
class cStayWithinSphereBehavior;

namespace RenderLib {

class CFlockingArenaRenderEngine : public CRenderEngine {
public:
    static constexpr int kSkyBoxFaces = 6;
    static constexpr D3DCOLOR kFogColor = 0x00004080;
    static constexpr float kFogDensity = 0.001f;
    static constexpr float kNearPlane = 1.01f;
    static constexpr float kFarPlane = 50000.0f;
    static constexpr float kMouseSensitivity = 0.33333334f;  // degrees per pixel
    static constexpr float kKeyThrust = 500.0f;              // velocity per second held
    static constexpr float kStepSeconds = 1.0f / 60.0f;      // what one Step advances
    static constexpr float kWheelZoom = 0.9f;                // distance factor per wheel notch
    // Sky-box images in face order Front, Back, Left, Right, Top, Bottom.
    static const std::array<const char*, kSkyBoxFaces> kSkyBoxFiles;

    CFlockingArenaRenderEngine();
    explicit CFlockingArenaRenderEngine(Clock& clock);
    ~CFlockingArenaRenderEngine() override;

    // Loads the three fish models, each with its low-detail model for
    // distant fish (handed to the flock drawer), and builds the sky
    // box. False when the sky box's geometry could not be made, or when any
    // data file (a model, a texture it names, a sky-box image) is missing or
    // damaged: then one message box names every such file and why.
    bool CreateResources(UINT reserved) override;
    // Creates the six behaviours, the player with its camera and entity, and
    // the four schools of flockScenario. position and rotation (pitch, yaw,
    // roll in degrees) place the player; null means the origin and no turn.
    void SetupScene(const Vector3* position, const Vector3* rotation) override;
    void RestoreDeviceState() override;
    void UpdateScene() override;
    void ReleaseResources() override;
    void ProcessInput() override;
    void DrawScene() override;
    void OnSize(UINT type, std::int32_t width, std::int32_t height) override;
    // A left press and release with the pointer (x, y in view pixels)
    // moving at most kClickSlop pixels either way is a click: it selects the
    // fish under the pointer, or none. Longer moves only turn the player.
    void OnLButtonDown(UINT flags, std::int32_t x, std::int32_t y) override;
    void OnLButtonUp(UINT flags, std::int32_t x, std::int32_t y) override;
    static constexpr std::int32_t kClickSlop = 4;

    // ---- The selected fish: viewSettings.selectedFish is a creation index ----
    // The flock fish created creationIndex-th (0 first) in the flock as it
    // is now; null out of range. Rebuilding the flock renumbers from 0.
    cEntity* FishAt(int creationIndex) const;
    // The creation index of the nearest fish whose bounding sphere the ray
    // through pixel (x, y) of the view hits; -1 when none is hit.
    int PickFish(std::int32_t x, std::int32_t y) const;

    // Number of flock fish (the player entity not counted).
    // Replaces the flock with one of totalFish fish (0: the start-up
    // flock's draw) built like the first, with the behaviours as they stand
    // now; the player and its entity stay. Call between frames.
    void RebuildFlock(int totalFish);
    int FishCount() const { return static_cast<int>(fishModels.size()); }

    // ---- Time and view, for the View menu (flocking_arena_controls.cpp) ----

    // Pause freezes the flock and the player; drawing and cameras go on.
    void TogglePause() { viewSettings.paused = !viewSettings.paused; }
    // While paused: the next frame advances flock and player by exactly
    // kStepSeconds. While running it pauses (at the frame shown).
    void StepFrame();
    // The flock as at start-up (the random generator as it stood then, the
    // flock size now chosen, the behaviour values now applied) and the
    // player back at its start. Call between frames.
    void ResetFlock();
    // Sees the scene through camera from the next frame on; choosing Follow
    // School follows the school nearest the player.
    void SetSceneCamera(SceneCamera sceneCamera) { viewSettings.camera = sceneCamera; }
    // The Follow School camera moves on to the next school.
    void NextSchool();
    // Mouse-wheel notches (positive: away from the user) zoom the chase,
    // overview and school cameras in.
    void Zoom(float notches);
    // The school the Follow School camera follows, 0 to 3.
    int FollowedSchool() const { return followedSchool_; }
    // The seconds the flock and player advance by in the current frame: the
    // timer's step, kStepSeconds for a step, 0 while paused.
    float FrameSeconds() const { return frameSeconds_; }

    CPlayer player;                             // the user's fish; owns its camera
    CCamera* camera = nullptr;                  // the camera the scene is seen through; not owned
    CModelInstance playerModel;                 // the pike drawn for the player
    CHierarchyModel pikeMesh;                   // the player's model
    CHierarchyModel bluegillMesh;               // schools 1 and 3
    CHierarchyModel blackbassMesh;              // schools 0 and 2
    CHierarchyModel pikeLowMesh;                // the low-detail models the flock
    CHierarchyModel bluegillLowMesh;            // drawer shows far away, animated
    CHierarchyModel blackbassLowMesh;           // with the full ones
    std::vector<CModelInstance*> fishModels;    // one per flock fish; owned; ascending address
    CIndexedGeometry skyBox;                    // 24 vertices, six strips of two triangles
    std::array<IDirect3DTexture9*, kSkyBoxFaces> skyBoxTextures{};  // owned; null until loaded
    cWorld world;                               // the player's group and the four schools
    FlockScenario flockScenario;                // the flock SetupScene builds; start-up by default
    int threadCount = 1;                        // the world's neighbour-search threads, from SetupScene
    CFlockDrawer flockDrawer;                   // draws the flock, one instanced draw per model
    bool instancedFlock = true;                 // false: each fish draws itself (cWorld::Render)
    std::vector<cBehavior*> behaviors;          // the six shared behaviours; owned
    SceneViewSettings viewSettings;             // camera, overlays, panels, pause, selection
    COverlayLines overlayLines;                 // the overlays of the last frame drawn
    COverlayDrawer overlayDrawer;               // draws them through the device
    CFirstPersonCamera eyeCamera;               // Pike's Eye: the player's pose every frame
    COrbitCamera overviewCamera;                // Overview: around the stay-in sphere's centre
    COrbitCamera schoolCamera;                  // Follow School: around a school's centroid
    double simulatedSeconds = 0.0;              // time the flock has been stepped since it was built

protected:
    bool IsTimeStopped() const override { return viewSettings.paused; }

private:
    // Both add the images that cannot be loaded to failures.
    bool BuildSkyBox(std::vector<DataFileFailure>& failures);
    bool LoadSkyBoxTextures(std::vector<DataFileFailure>& failures);
    void ReportDataFailures(const std::vector<DataFileFailure>& failures);
    void SetUpPlayer(const Vector3* position, const Vector3* rotation);
    void AttachFishModel(cEntity& fish, int school);
    void DrawSkyBox();
    void ApplyCameraViewport();
    void PlacePlayer();
    void BeginFrameTime();
    void TurnFromMouse(float dx, float dy, bool roll);
    void UseSceneCamera();
    void EnterCamera(SceneCamera entered);
    void FrameOverview();
    int SchoolNearestPlayer() const;
    Vector3 SchoolCentroid(int school) const;
    const cStayWithinSphereBehavior* StayInSphere() const;
    float FogDensity() const;
    void ReleaseSkyBoxTextures();
    // Clears a selection beyond the flock and has the world observe the
    // selected fish (or none), so that its steering's shares are recorded.
    void FollowSelection();
    void DrawOverlays();

    std::vector<cEntity*> fishByCreation_;  // the flock fish in creation order; not owned
    POINT pressPoint_{};                    // view pixel of the last left press
    bool pressed_ = false;                  // a left press awaits its release
    float pressTravel_ = 0.0f;              // pixels the captured mouse moved since the press

    float frameSeconds_ = 0.0f;           // this frame's advance: 0 while paused
    bool advancing_ = false;              // the flock and the player step this frame
    bool stepPending_ = false;            // the next paused frame advances kStepSeconds
    std::uint32_t startRandomState_ = 1;  // the generator before the start-up flock
    Vector3 startPosition_;               // the player's start pose (SetupScene)
    Vector3 startRotation_;
    SceneCamera enteredCamera_ = SceneCamera::Chase;  // the camera set up last frame
    int followedSchool_ = 0;
};

}  // namespace RenderLib

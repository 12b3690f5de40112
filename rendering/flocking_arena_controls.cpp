// The arena's time and view controls: pause, step and reset, the four
// cameras, the mouse wheel, and the per-frame choice of how far the flock
// and the player advance.

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/matrix_helpers.h"
#include "rendering/flocking_arena_render_engine.h"
#include "simulation/entity.h"
#include "simulation/flock_metrics.h"
#include "simulation/group.h"
#include "simulation/individual_behaviors.h"
#include "simulation/random_source.h"

namespace RenderLib {

namespace {

constexpr float kOverviewPitch = 30.0f;     // degrees, looking down on the sphere
constexpr float kFramingMargin = 1.05f;     // the whole sphere with a little room
constexpr float kSchoolDistance = 400.0f;   // the school camera's distance at start-up scale
constexpr float kChaseMinDistance = 20.0f;  // the chase camera's distance from the pike
constexpr float kChaseMaxDistance = 2000.0f;
constexpr float kFogReference = 500.0f;  // an orbit this far sees the chase camera's fog

}  // namespace

void CFlockingArenaRenderEngine::BeginFrameTime() {
    advancing_ = !viewSettings.paused || stepPending_;
    frameSeconds_ =
        !viewSettings.paused ? timer.GetElapsed() : (stepPending_ ? kStepSeconds : 0.0f);
    stepPending_ = false;
}

void CFlockingArenaRenderEngine::StepFrame() {
    if (!viewSettings.paused) {
        viewSettings.paused = true;
        return;
    }
    stepPending_ = true;
}

void CFlockingArenaRenderEngine::ResetFlock() {
    SharedRandom().Seed(startRandomState_);
    RebuildFlock(flockScenario.totalFish);
    player.ResetPose();
    PlacePlayer();
    player.Update(0.0f);  // the world's copy of the player follows it now
}

void CFlockingArenaRenderEngine::NextSchool() {
    if (viewSettings.camera != SceneCamera::FollowSchool) {
        viewSettings.camera = SceneCamera::FollowSchool;  // set up on the next frame
        return;
    }
    followedSchool_ = (followedSchool_ + 1) % kSchoolCount;
}

void CFlockingArenaRenderEngine::Zoom(float notches) {
    const float factor = std::pow(kWheelZoom, notches);
    switch (viewSettings.camera) {
        case SceneCamera::Chase: {
            CCamera* chase = player.GetCamera();
            const Vector3 offset = chase->GetPosition() - player.GetPosition();
            const float distance = Length(offset);
            if (distance > 0.0f) {
                const float zoomed =
                    std::clamp(distance * factor, kChaseMinDistance, kChaseMaxDistance);
                chase->SetPosition(player.GetPosition() + offset * (zoomed / distance));
            }
            break;
        }
        case SceneCamera::Overview:
            overviewCamera.Zoom(factor);
            break;
        case SceneCamera::FollowSchool:
            schoolCamera.Zoom(factor);
            break;
        case SceneCamera::PikesEye:
            break;  // the eye is where the pike is
    }
}

void CFlockingArenaRenderEngine::TurnFromMouse(float dx, float dy, bool roll) {
    if (viewSettings.camera == SceneCamera::Overview) {
        overviewCamera.Rotate(dy, dx, 0.0f);
    } else if (viewSettings.camera == SceneCamera::FollowSchool) {
        schoolCamera.Rotate(dy, dx, 0.0f);
    } else if (advancing_) {
        player.Rotate(dy, roll ? 0.0f : dx, roll ? -dx : 0.0f);
    }
}

// The camera of viewSettings, entered anew when it changed since the last
// frame, and placed for this frame.
void CFlockingArenaRenderEngine::UseSceneCamera() {
    if (viewSettings.camera != enteredCamera_) {
        EnterCamera(viewSettings.camera);
    }
    CCamera* chosen = player.GetCamera();
    switch (viewSettings.camera) {
        case SceneCamera::Chase:
            break;
        case SceneCamera::PikesEye:
            eyeCamera.SetPose(player.GetPosition(), player.GetRight(), player.GetUp(),
                              player.GetLook());
            chosen = &eyeCamera;
            break;
        case SceneCamera::Overview:
            chosen = &overviewCamera;
            break;
        case SceneCamera::FollowSchool:
            schoolCamera.SetCentre(SchoolCentroid(followedSchool_));
            chosen = &schoolCamera;
            break;
    }
    if (chosen != camera) {
        camera = chosen;
        camera->ApplyProjection(device);
    }
}

void CFlockingArenaRenderEngine::EnterCamera(SceneCamera entered) {
    enteredCamera_ = entered;
    if (entered == SceneCamera::Overview) {
        FrameOverview();
    } else if (entered == SceneCamera::FollowSchool) {
        followedSchool_ = SchoolNearestPlayer();
        schoolCamera.SetDistance(kSchoolDistance * FlockScale(flockScenario));
    }
}

// The whole stay-in sphere in view, seen from above at kOverviewPitch: the
// distance at which the sphere fills the narrower of the two view angles.
void CFlockingArenaRenderEngine::FrameOverview() {
    const cStayWithinSphereBehavior* sphere = StayInSphere();
    const float radius = sphere != nullptr ? sphere->radius : 1000.0f;
    const float halfHeight = overviewCamera.fov * 0.5f * kDegreesToRadians;
    const float aspect = viewport.height > 0 ? static_cast<float>(viewport.width) /
                                                   static_cast<float>(viewport.height)
                                             : 1.0f;
    const float halfWidth = std::atan(std::tan(halfHeight) * aspect);
    const float halfAngle = std::min(halfHeight, halfWidth);
    overviewCamera.SetCentre(sphere != nullptr ? sphere->center : Vector3{});
    overviewCamera.SetAngles(0.0f, kOverviewPitch);
    overviewCamera.SetDistance(radius / std::sin(halfAngle) * kFramingMargin);
}

const cStayWithinSphereBehavior* CFlockingArenaRenderEngine::StayInSphere() const {
    for (const cBehavior* behavior : behaviors) {
        if (const auto* sphere = dynamic_cast<const cStayWithinSphereBehavior*>(behavior)) {
            return sphere;
        }
    }
    return nullptr;
}

// The mean position of school (0 to 3: the fish groups in identity order);
// the origin for a school that is not there.
Vector3 CFlockingArenaRenderEngine::SchoolCentroid(int school) const {
    const std::vector<const cGroup*> schools = SchoolsOf(world, kFishType);
    return school >= 0 && school < static_cast<int>(schools.size())
               ? LocateSchool(schools[school]->members).centroid
               : Vector3{};
}

int CFlockingArenaRenderEngine::SchoolNearestPlayer() const {
    int nearest = 0;
    float best = std::numeric_limits<float>::max();
    for (int school = 0; school < kSchoolCount; ++school) {
        const float distance = Length(SchoolCentroid(school) - player.GetPosition());
        if (distance < best) {
            best = distance;
            nearest = school;
        }
    }
    return nearest;
}

// The orbiting cameras see from afar: their fog thins with their distance,
// so that what they frame is not lost in it.
float CFlockingArenaRenderEngine::FogDensity() const {
    float distance = 0.0f;
    if (viewSettings.camera == SceneCamera::Overview) {
        distance = overviewCamera.GetDistance();
    } else if (viewSettings.camera == SceneCamera::FollowSchool) {
        distance = schoolCamera.GetDistance();
    }
    return distance > kFogReference ? kFogDensity * (kFogReference / distance) : kFogDensity;
}

}  // namespace RenderLib

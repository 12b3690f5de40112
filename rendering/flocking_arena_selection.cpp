// The arena's selected fish: picking it with the mouse, keeping the
// selection valid across flock rebuilds, and the overlays that describe it.

#include <cstdlib>
#include <limits>
#include <map>
#include <utility>

#include "platform/window/system.h"
#include "rendering/fish_picking.h"
#include "rendering/flocking_arena_render_engine.h"
#include "rendering/scene_overlays.h"
#include "simulation/entity.h"

namespace RenderLib {

namespace {

struct BoundingSphere {
    Vector3 centre;        // model coordinates
    float radius = -1.0f;  // negative: the model has no bounds
};

// A model's GetBounds gives its bounding sphere as the box centre ± radius ×
// √2 on every axis.
BoundingSphere BoundingSphereOf(CRenderObject* object) {
    float box[6];
    if (object == nullptr || FAILED(object->GetBounds(box))) {
        return {};
    }
    const Vector3 centre{(box[0] + box[3]) * 0.5f, (box[1] + box[4]) * 0.5f,
                         (box[2] + box[5]) * 0.5f};
    return {centre, (box[3] - box[0]) * 0.5f / 1.4142135f};
}

}  // namespace

cEntity* CFlockingArenaRenderEngine::FishAt(int creationIndex) const {
    if (creationIndex < 0 || creationIndex >= static_cast<int>(fishByCreation_.size())) {
        return nullptr;
    }
    return fishByCreation_[static_cast<std::size_t>(creationIndex)];
}

int CFlockingArenaRenderEngine::PickFish(std::int32_t x, std::int32_t y) const {
    D3DMATRIX view, projection;
    D3DVIEWPORT9 port;
    if (device == nullptr || FAILED(device->GetTransform(D3DTS_VIEW, &view)) ||
        FAILED(device->GetTransform(D3DTS_PROJECTION, &projection)) ||
        FAILED(device->GetViewport(&port)) || port.Width == 0 || port.Height == 0) {
        return -1;
    }
    const PickRay ray =
        RayThroughPixel(view, projection, port, static_cast<float>(x), static_cast<float>(y));
    std::map<CRenderObject*, BoundingSphere> spheres;  // a few models serve every fish
    int nearest = -1;
    float nearestDistance = std::numeric_limits<float>::infinity();
    for (std::size_t index = 0; index < fishByCreation_.size(); ++index) {
        const cEntity& fish = *fishByCreation_[index];
        if (fish.model == nullptr) {
            continue;
        }
        auto [found, added] = spheres.try_emplace(fish.model->object);
        if (added) {
            found->second = BoundingSphereOf(fish.model->object);
        }
        const BoundingSphere& sphere = found->second;
        const Matrix4 pose = TransformFromRotationTranslation(fish.orientation, fish.position);
        const std::optional<float> distance =
            DistanceToSphere(ray, TransformCoord(sphere.centre, pose), sphere.radius);
        if (sphere.radius >= 0.0f && distance.has_value() && *distance < nearestDistance) {
            nearest = static_cast<int>(index);
            nearestDistance = *distance;
        }
    }
    return nearest;
}

void CFlockingArenaRenderEngine::OnLButtonDown(UINT flags, std::int32_t x, std::int32_t y) {
    CRenderEngine::OnLButtonDown(flags, x, y);
    pressPoint_ = {x, y};
    pressTravel_ = 0.0f;
    pressed_ = true;
}

void CFlockingArenaRenderEngine::OnLButtonUp(UINT flags, std::int32_t x, std::int32_t y) {
    CRenderEngine::OnLButtonUp(flags, x, y);
    const bool pressed = std::exchange(pressed_, false);
    const bool still = std::abs(x - pressPoint_.x) <= kClickSlop &&
                       std::abs(y - pressPoint_.y) <= kClickSlop && pressTravel_ <= kClickSlop;
    if (pressed && still) {
        viewSettings.selectedFish = PickFish(x, y);
        FollowSelection();
    }
}

void CFlockingArenaRenderEngine::FollowSelection() {
    cEntity* selected = FishAt(viewSettings.selectedFish);
    if (selected == nullptr) {
        viewSettings.selectedFish = -1;
    }
    if (world.Observed() != selected) {
        world.Observe(selected);
    }
}

void CFlockingArenaRenderEngine::DrawOverlays() {
    FollowSelection();
    overlayLines.Clear();
    BuildSceneOverlays({viewSettings, world, behaviors, FishAt(viewSettings.selectedFish)},
                       overlayLines);
    overlayDrawer.Draw(device, overlayLines);
}

}  // namespace RenderLib

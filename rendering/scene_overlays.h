#pragma once

// What the overlays show of the simulation: the stay-in sphere, the selected
// fish's radii, neighbours and forces, and each school's centroid and mean
// heading, as the view settings ask. Only reads the simulation.

#include <vector>

#include "rendering/overlay_lines.h"
#include "rendering/scene_view_settings.h"

class cBehavior;
class cEntity;
class cWorld;

namespace RenderLib {

inline constexpr D3DCOLOR kPerceptionColour = 0xFFC0C0C0;        // the selected fish's reach
inline constexpr D3DCOLOR kNearestMateColour = 0xFFFFFF00;       // its nearest flock-mate
inline constexpr D3DCOLOR kFlockMateColour = 0xFF708090;         // its other flock-mates
inline constexpr D3DCOLOR kForeignNeighbourColour = 0xFFFF6000;  // its nearest foreign neighbour
inline constexpr D3DCOLOR kCentroidColour = 0xFFFFFFFF;          // schools' centroids and headings

// The simulation the overlays describe, gathered by the engine each frame.
struct OverlaySubject {
    const SceneViewSettings& settings;
    const cWorld& world;
    const std::vector<cBehavior*>& behaviors;  // the shared behaviours, in creation order
    const cEntity* selected = nullptr;         // the selected fish; null: none
};

// Adds to lines what subject.settings ask for. The shares of the steering
// come from the world's observation, so they are drawn only while the
// world observes the selected fish.
void BuildSceneOverlays(const OverlaySubject& subject, COverlayLines& lines);

}  // namespace RenderLib

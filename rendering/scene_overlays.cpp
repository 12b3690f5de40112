#include "rendering/scene_overlays.h"

#include <algorithm>
#include <cmath>

#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/group_behaviors.h"
#include "simulation/individual_behaviors.h"
#include "simulation/flock_metrics.h"
#include "simulation/population.h"
#include "simulation/world.h"

namespace RenderLib {

namespace {

// Velocity is drawn as the way the fish covers in one second.
constexpr float kVelocitySeconds = 1.0f;
// Steering is a change of velocity per step, a few units at most, while a
// single behaviour's share may be a hundredth of that or, for the pull back
// into the sphere, the fish's whole top speed. Each force is drawn along its
// direction at kForceScale world units per unit of steering, but never
// shorter than kShortestForce (so a small share still shows which way it
// pushes) nor longer than kLongestForce (so a large one stays on screen).
constexpr float kForceScale = 10.0f;
constexpr float kShortestForce = 4.0f;
constexpr float kLongestForce = 150.0f;
constexpr float kCentroidCrossHalfSize = 10.0f;
// A school's mean unit heading is drawn this long: a school swimming all
// one way shows the full length, one whose headings cancel almost none.
constexpr float kHeadingLength = 100.0f;

template <class Behavior>
const Behavior* FindBehavior(const std::vector<cBehavior*>& behaviors) {
    for (const cBehavior* behavior : behaviors) {
        if (const auto* found = dynamic_cast<const Behavior*>(behavior)) {
            return found;
        }
    }
    return nullptr;
}

Vector3 ForceArrow(const Vector3& force) {
    const float length = Length(force);
    if (!(length > 0.0f) || !std::isfinite(length)) {
        return {};
    }
    const float drawn = std::clamp(length * kForceScale, kShortestForce, kLongestForce);
    return force * (drawn / length);
}

// The colour of behaviour in kBehaviourColours, by its place among the
// shared behaviours; grey for one not among them.
D3DCOLOR ColourOf(const cBehavior* behavior, const std::vector<cBehavior*>& behaviors) {
    const auto found = std::find(behaviors.begin(), behaviors.end(), behavior);
    const auto index = static_cast<std::size_t>(found - behaviors.begin());
    return index < kBehaviourColours.size() ? kBehaviourColours[index].argb : 0xFF808080;
}

void AddStaySphere(const OverlaySubject& subject, COverlayLines& lines) {
    if (const auto* sphere = FindBehavior<cStayWithinSphereBehavior>(subject.behaviors)) {
        lines.AddWireSphere(sphere->center, sphere->radius, kBehaviourColours[5].argb);
    }
}

void AddRadii(const OverlaySubject& subject, const cEntity& fish, COverlayLines& lines) {
    lines.AddWireSphere(fish.position, fish.perceptionRadius, kPerceptionColour);
    if (const auto* separation = FindBehavior<cSeparationBehavior>(subject.behaviors)) {
        lines.AddWireSphere(fish.position, separation->separationDistance,
                            kBehaviourColours[0].argb);
    }
    if (const auto* avoidance = FindBehavior<cAvoidanceBehavior>(subject.behaviors)) {
        lines.AddWireSphere(fish.position, avoidance->avoidanceDistance, kBehaviourColours[3].argb);
    }
}

void AddNeighbours(const cEntity& fish, COverlayLines& lines) {
    for (std::size_t i = 0; i < fish.flockNeighbors.size(); ++i) {
        lines.AddLine(fish.position, fish.flockNeighbors[i].Entity().position,
                      i == 0 ? kNearestMateColour : kFlockMateColour);
    }
    if (!fish.foreignNeighbors.empty()) {
        lines.AddLine(fish.position, fish.foreignNeighbors.front().Entity().position,
                      kForeignNeighbourColour);
    }
}

void AddForces(const OverlaySubject& subject, const cEntity& fish, COverlayLines& lines) {
    lines.AddLine(fish.position, fish.position + kVelocitySeconds * fish.velocity, kVelocityColour);
    lines.AddLine(fish.position, fish.position + ForceArrow(fish.steering), kSteeringColour);
    const StepObservation& seen = subject.world.Observation();
    if (subject.world.Observed() != &fish || !seen.recorded) {
        return;
    }
    for (const BehaviorContribution& share : seen.contributions) {
        lines.AddLine(fish.position, fish.position + ForceArrow(share.steering),
                      ColourOf(share.behavior, subject.behaviors));
    }
}

// Each school's centroid as a cross, with its mean unit heading.
void AddCentroids(const OverlaySubject& subject, COverlayLines& lines) {
    for (const cGroup* school : SchoolsOf(subject.world, kFishType)) {
        const SchoolCourse course = LocateSchool(school->members);
        if (course.finite == 0) {
            continue;
        }
        lines.AddCross(course.centroid, kCentroidCrossHalfSize, kCentroidColour);
        lines.AddLine(course.centroid, course.centroid + kHeadingLength * course.meanHeading,
                      kCentroidColour);
    }
}

}  // namespace

void BuildSceneOverlays(const OverlaySubject& subject, COverlayLines& lines) {
    const SceneViewSettings& settings = subject.settings;
    if (settings.showSphere) {
        AddStaySphere(subject, lines);
    }
    if (settings.showCentroids) {
        AddCentroids(subject, lines);
    }
    if (subject.selected == nullptr) {
        return;
    }
    if (settings.showRadii) {
        AddRadii(subject, *subject.selected, lines);
    }
    if (settings.showNeighbours) {
        AddNeighbours(*subject.selected, lines);
    }
    if (settings.showForces) {
        AddForces(subject, *subject.selected, lines);
    }
}

}  // namespace RenderLib

#pragma once

// What the user has chosen to see of the scene beside the flock itself: the
// camera, the overlays, the panels, whether time runs, and the selected
// fish. The View menu, the command line and the tests set it; the engine
// reads it every frame. Everything is off by default, so the start-up
// picture is the plain scene from the chase camera.

#include <array>
#include <cstdint>

namespace RenderLib {

// The four ways of looking at the scene, in the order of their keys 1 to 4.
enum class SceneCamera {
    Chase,         // trails the pike (the start-up camera)
    PikesEye,      // first person from the pike
    Overview,      // orbits the stay-in sphere's centre
    FollowSchool,  // follows one school's centroid
};

struct SceneViewSettings {
    SceneCamera camera = SceneCamera::Chase;
    bool paused = false;          // the flock and the pike stand still
    bool showSphere = false;      // the stay-in sphere as a wire sphere
    bool showRadii = false;       // the selected fish's perception, separation and avoidance radii
    bool showNeighbours = false;  // lines from the selected fish to its neighbours
    bool showForces = false;      // the selected fish's velocity, steering and each behaviour's share
    bool showCentroids = false;   // each school's centroid and mean heading
    bool showStatistics = false;  // the statistics panel
    bool showHelp = false;        // the keys and mouse actions panel
    int selectedFish = -1;        // creation index of the selected flock fish; -1: none
};

// The colour (0xAARRGGBB) each behaviour's share of the steering is drawn
// in, in the order the behaviours are created, for the force overlay and
// its legend alike.
struct BehaviourColour {
    const char* name;
    std::uint32_t argb;
};
inline constexpr std::array<BehaviourColour, 6> kBehaviourColours{{
    {"Separation", 0xFFFF4040},
    {"Alignment", 0xFF40A0FF},
    {"Cohesion", 0xFF40E040},
    {"Avoidance", 0xFFFF40FF},
    {"Cruising", 0xFFFFE040},
    {"Stay within sphere", 0xFF40FFFF},
}};
inline constexpr std::uint32_t kVelocityColour = 0xFFFFFFFF;  // the selected fish's velocity
inline constexpr std::uint32_t kSteeringColour = 0xFFFF9020;  // its whole steering of the last step

}  // namespace RenderLib

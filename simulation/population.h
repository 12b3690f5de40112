#pragma once

#include <functional>
#include <vector>

#include "base/vector_math.h"
#include "world.h"

class cBehavior;
class cEntity;
class cPlayerEntity;

// The start-up population of the arena, defined once for the program, the
// tests and the benchmarks. Every random draw comes from the shared random
// source, in the order the arena has always used, so a generator in its
// default state builds the same flock every time.

// Type bits of the fish and of the player entity; each treats the other as
// foreign.
constexpr unsigned kFishType = 1;
constexpr unsigned kPlayerType = 2;
constexpr int kSchoolCount = 4;

// Which flock to build. totalFish 0 is the start-up flock: four schools of 6
// to 12 fish each, sizes drawn at random, spawned within 50 units per axis of
// their centres. A positive totalFish builds four equal schools of that many
// fish in all at the start-up density: the school centres, their spread and
// the radius of the stay-within sphere grow by the cube root of the ratio to
// the start-up count (FlockScale).
// The sizes a scaled flock may have: one fish per school at least.
inline constexpr int kMinimumFlockSize = 4;
// The start-up flock's size: what the generator in its default state draws.
inline constexpr int kStartupFlockSize = 28;
inline constexpr int kMaximumFlockSize = 100'000;

struct FlockScenario {
    int totalFish = 0;
};

// The factor by which a scaled scenario stretches the start-up layout:
// cbrt(totalFish / 28); 1 for the start-up flock.
float FlockScale(FlockScenario scenario);

// The six shared behaviours with their start-up values, in creation order:
// separation, alignment, cohesion, avoidance, cruising, stay within sphere,
// the sphere's radius (1000) multiplied by FlockScale(scenario). The caller
// owns them.
std::vector<cBehavior*> CreateStartupBehaviors(FlockScenario scenario = {});

// A group of its own holding one cPlayerEntity of kPlayerType. The world owns
// both; the returned entity is for the player link.
cPlayerEntity* AddPlayerGroup(cWorld& world);

// Called for each fish right after it is created, before its position is
// drawn; school is 0 to 3. The arena attaches a model here.
using FishCreatedHook = std::function<void(cEntity& fish, int school)>;

// Adds the four schools to world; every fish holds every behaviour. Give it
// behaviours made for the same scenario, or the sphere will not fit the flock.
void PopulateFlock(cWorld& world, const std::vector<cBehavior*>& behaviors,
                   const FishCreatedHook& onFishCreated = {}, FlockScenario scenario = {});

// The whole start-up simulation without models: behaviours, the player's
// group and the flock, built in the arena's order for scenario.
class StartupPopulation {
public:
    explicit StartupPopulation(FlockScenario scenario = {});
    ~StartupPopulation();

    // Number of fish in the four schools (the player entity not counted).
    int FishCount() const;

    StartupPopulation(const StartupPopulation&) = delete;
    StartupPopulation& operator=(const StartupPopulation&) = delete;

    cWorld world;
    std::vector<cBehavior*> behaviors;  // owned
    cPlayerEntity* playerEntity;        // owned by world
};

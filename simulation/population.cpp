#include "population.h"

#include <cmath>

#include "entity.h"
#include "group.h"
#include "group_behaviors.h"
#include "individual_behaviors.h"
#include "random_source.h"
#include "world.h"

namespace {

constexpr float kInverseRandMax = 3.0518509e-05f;  // 1 / 32767 in single precision
const Vector3 kSchoolCentres[kSchoolCount] = {
    {0.0f, 0.0f, 200.0f}, {0.0f, 0.0f, -200.0f}, {200.0f, 0.0f, 0.0f}, {-200.0f, 0.0f, 0.0f}};

// rand × (1 / 32767) × range, in single precision as the arena computes it.
float RandomFraction(float range) { return static_cast<float>(Rand()) * kInverseRandMax * range; }

cEntity* CreateFish(cWorld& world) {
    return new cEntity(world, kFishType, /*perceptionRadius=*/300.0f, /*maxAcceleration=*/10.0f,
                       /*maxSpeed=*/50.0f, /*cruiseSpeed=*/20.0f, 1.0f, 0.2f, 1.0f);
}

}  // namespace

float FlockScale(FlockScenario scenario) {
    return scenario.totalFish > 0
               ? std::cbrt(static_cast<float>(scenario.totalFish) / kStartupFlockSize)
               : 1.0f;
}

std::vector<cBehavior*> CreateStartupBehaviors(FlockScenario scenario) {
    return {
        new cSeparationBehavior(70.0f, 0.05f, 0.1f),
        new cAlignmentBehavior(0.1f),
        new cCohesionBehavior(0.1f),
        new cAvoidanceBehavior(200.0f, 50.0f),
        new cCruisingBehavior(0.45f, 0.55f, 1.0f, 1.0f, 0.1f, 0.05f),
        new cStayWithinSphereBehavior(Vector3{0.0f, 0.0f, 0.0f}, 1000.0f * FlockScale(scenario)),
    };
}

cPlayerEntity* AddPlayerGroup(cWorld& world) {
    auto* group = new cGroup(world);
    world.AddGroup(group);
    auto* player = new cPlayerEntity(world, kPlayerType);
    group->AddEntity(player);
    return player;
}

void PopulateFlock(cWorld& world, const std::vector<cBehavior*>& behaviors,
                   const FishCreatedHook& onFishCreated, FlockScenario scenario) {
    const bool scaled = scenario.totalFish > 0;
    const float scale = FlockScale(scenario);
    const float spread = 100.0f * scale;

    for (int school = 0; school < kSchoolCount; ++school) {
        auto* group = new cGroup(world);
        world.AddGroup(group);
        const int size = scaled ? scenario.totalFish / kSchoolCount +
                                      (school < scenario.totalFish % kSchoolCount ? 1 : 0)
                                : 6 + static_cast<int>(RandomFraction(6.0f));
        const Vector3 centre = kSchoolCentres[school] * scale;
        for (int i = 0; i < size; ++i) {
            cEntity* fish = CreateFish(world);
            if (onFishCreated) {
                onFishCreated(*fish, school);
            }
            const float r1 = RandomFraction(spread) - spread * 0.5f;
            const float r2 = RandomFraction(spread) - spread * 0.5f;
            const float r3 = RandomFraction(spread) - spread * 0.5f;
            fish->position = {centre.x + r3, centre.y + r2, centre.z + r1};
            fish->velocity = {1.0f, 0.0f, 0.0f};
            for (cBehavior* behavior : behaviors) {
                fish->AddBehavior(behavior);
            }
            group->AddEntity(fish);
        }
    }
}

StartupPopulation::StartupPopulation(FlockScenario scenario)
    : behaviors(CreateStartupBehaviors(scenario)),
      playerEntity(AddPlayerGroup(world)) {
    PopulateFlock(world, behaviors, {}, scenario);
}

// Behaviours go first, last first; the world member then deletes every group
// and entity, as the arena tears its scene down.
StartupPopulation::~StartupPopulation() {
    while (!behaviors.empty()) {
        delete behaviors.back();
        behaviors.pop_back();
    }
}

int StartupPopulation::FishCount() const {
    int count = 0;
    for (const cGroup* group : world.groups) {
        for (const cEntity* member : group->members) {
            count += member->typeId == kFishType ? 1 : 0;
        }
    }
    return count;
}

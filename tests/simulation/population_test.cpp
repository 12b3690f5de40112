#include "simulation/population.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/group_behaviors.h"
#include "simulation/individual_behaviors.h"
#include "simulation/random_source.h"

namespace {

constexpr float kInverseRandMax = 3.0518509e-05f;
const Vector3 kCentres[kSchoolCount] = {{0, 0, 200}, {0, 0, -200}, {200, 0, 0}, {-200, 0, 0}};

// The four fish groups, in world order (the player's group left out).
std::vector<const cGroup*> Schools(const StartupPopulation& population) {
    std::vector<const cGroup*> schools;
    for (const cGroup* group : population.world.groups) {
        if (group->members.empty() || group->members.front()->typeId != kPlayerType) {
            schools.push_back(group);
        }
    }
    return schools;
}

std::uint64_t Fnv1a(std::uint64_t hash, const Vector3& v) {
    const float components[3] = {v.x, v.y, v.z};
    unsigned char bytes[sizeof components];
    std::memcpy(bytes, components, sizeof bytes);
    for (unsigned char byte : bytes) {
        hash = (hash ^ byte) * 1099511628211u;
    }
    return hash;
}

std::uint64_t HashOfPositionsAndVelocities(const cWorld& world) {
    std::uint64_t hash = 14695981039346656037u;
    for (const cGroup* group : world.groups) {
        for (const cEntity* entity : group->members) {
            hash = Fnv1a(Fnv1a(hash, entity->position), entity->velocity);
        }
    }
    return hash;
}

// Replays the draws of the start-up flock from a generator of its own: per
// school one size draw, then per fish three offsets, the first going to z.
TEST(StartupPopulation, FollowsTheDrawsOfTheDefaultGenerator) {
    SharedRandom().Seed(1);
    const StartupPopulation population;
    RandomSource replay(1);
    auto fraction = [&replay](float range) {
        return static_cast<float>(replay.Next()) * kInverseRandMax * range;
    };

    const auto schools = Schools(population);
    ASSERT_EQ(schools.size(), 4u);
    std::vector<std::size_t> sizes;
    for (int i = 0; i < kSchoolCount; ++i) {
        SCOPED_TRACE(i);
        const std::size_t size = 6 + static_cast<int>(fraction(6.0f));
        sizes.push_back(schools[i]->members.size());
        ASSERT_EQ(schools[i]->members.size(), size);
        for (const cEntity* fish : schools[i]->members) {
            const float r1 = fraction(100.0f) - 50.0f;
            const float r2 = fraction(100.0f) - 50.0f;
            const float r3 = fraction(100.0f) - 50.0f;
            EXPECT_EQ(fish->position,
                      (Vector3{kCentres[i].x + r3, kCentres[i].y + r2, kCentres[i].z + r1}));
        }
    }
    EXPECT_EQ(sizes, (std::vector<std::size_t>{6, 6, 9, 7}));
    EXPECT_EQ(population.FishCount(), 28);
}

TEST(StartupPopulation, TwoBuildsFromTheSameSeedAreIdentical) {
    SharedRandom().Seed(1);
    const StartupPopulation first;
    SharedRandom().Seed(1);
    const StartupPopulation second;
    ASSERT_EQ(first.world.groups.size(), second.world.groups.size());
    for (std::size_t g = 0; g < first.world.groups.size(); ++g) {
        const auto& a = first.world.groups[g]->members;
        const auto& b = second.world.groups[g]->members;
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i]->position, b[i]->position);
            EXPECT_EQ(a[i]->velocity, b[i]->velocity);
        }
    }
}

TEST(StartupPopulation, FishStartNearTheirCentresWithTheStartupLimits) {
    SharedRandom().Seed(1);
    const StartupPopulation population;
    const auto schools = Schools(population);
    for (int i = 0; i < kSchoolCount; ++i) {
        for (const cEntity* fish : schools[i]->members) {
            EXPECT_LE(std::fabs(fish->position.x - kCentres[i].x), 50.0f);
            EXPECT_LE(std::fabs(fish->position.y - kCentres[i].y), 50.0f);
            EXPECT_LE(std::fabs(fish->position.z - kCentres[i].z), 50.0f);
            EXPECT_EQ(fish->velocity, (Vector3{1, 0, 0}));
            EXPECT_EQ(fish->typeId, kFishType);
            EXPECT_EQ(fish->group, schools[i]);
            EXPECT_EQ(fish->perceptionRadius, 300.0f);
            EXPECT_EQ(fish->maxAcceleration, 10.0f);
            EXPECT_EQ(fish->maxSpeed, 50.0f);
            EXPECT_EQ(fish->cruiseSpeed, 20.0f);
            EXPECT_EQ(fish->velocityDamping, (Vector3{1.0f, 0.2f, 1.0f}));
            EXPECT_EQ(fish->behaviors, population.behaviors);  // all six, shared, in order
        }
    }
}

TEST(StartupPopulation, SixBehavioursInOrderWithTheirStartupValues) {
    SharedRandom().Seed(1);
    const StartupPopulation population;
    ASSERT_EQ(population.behaviors.size(), 6u);
    for (const cBehavior* behavior : population.behaviors) {
        EXPECT_EQ(behavior->gain, 1.0f);
    }
    const auto* separation = dynamic_cast<cSeparationBehavior*>(population.behaviors[0]);
    const auto* alignment = dynamic_cast<cAlignmentBehavior*>(population.behaviors[1]);
    const auto* cohesion = dynamic_cast<cCohesionBehavior*>(population.behaviors[2]);
    const auto* avoidance = dynamic_cast<cAvoidanceBehavior*>(population.behaviors[3]);
    const auto* cruising = dynamic_cast<cCruisingBehavior*>(population.behaviors[4]);
    const auto* sphere = dynamic_cast<cStayWithinSphereBehavior*>(population.behaviors[5]);
    ASSERT_TRUE(separation && alignment && cohesion && avoidance && cruising && sphere);
    EXPECT_EQ(separation->separationDistance, 70.0f);
    EXPECT_EQ(separation->minSeparationPercentage, 0.05f);
    EXPECT_EQ(separation->maxSeparationPercentage, 0.1f);
    EXPECT_EQ(alignment->turnRate, 0.1f);
    EXPECT_EQ(cohesion->turnRate, 0.1f);
    EXPECT_EQ(avoidance->avoidanceDistance, 200.0f);
    EXPECT_EQ(avoidance->avoidanceSpeed, 50.0f);
    EXPECT_EQ(cruising->moveXThreshold, 0.45f);
    EXPECT_EQ(cruising->moveYThreshold, 0.55f);
    EXPECT_EQ(cruising->moveZThreshold, 1.0f);
    EXPECT_EQ(cruising->minRandomMove, 1.0f);
    EXPECT_EQ(cruising->maxRateChange, 0.1f);
    EXPECT_EQ(cruising->minRateChange, 0.05f);
    EXPECT_EQ(sphere->center, (Vector3{0, 0, 0}));
    EXPECT_EQ(sphere->radius, 1000.0f);
}

TEST(StartupPopulation, PlayerEntityHasAGroupOfItsOwn) {
    SharedRandom().Seed(1);
    const StartupPopulation population;
    ASSERT_EQ(population.world.groups.size(), 5u);
    int playerGroups = 0;
    for (const cGroup* group : population.world.groups) {
        if (group == population.playerEntity->group) {
            ++playerGroups;
            EXPECT_EQ(group->members, (std::vector<cEntity*>{population.playerEntity}));
        }
    }
    EXPECT_EQ(playerGroups, 1);
    EXPECT_EQ(population.playerEntity->typeId, kPlayerType);
    EXPECT_TRUE(population.playerEntity->behaviors.empty());
}

TEST(StartupPopulation, ScaledScenarioSplitsTheFishOverFourSchools) {
    SharedRandom().Seed(1);
    const StartupPopulation population(FlockScenario{1002});
    EXPECT_EQ(population.FishCount(), 1002);
    const auto schools = Schools(population);
    ASSERT_EQ(schools.size(), 4u);
    const std::size_t expected[kSchoolCount] = {251, 251, 250, 250};
    const float scale = std::cbrt(1002.0f / 28.0f);
    for (int i = 0; i < kSchoolCount; ++i) {
        EXPECT_EQ(schools[i]->members.size(), expected[i]);
        const Vector3 centre = kCentres[i] * scale;
        for (const cEntity* fish : schools[i]->members) {
            EXPECT_LE(std::fabs(fish->position.x - centre.x), 50.0f * scale + 1e-3f);
            EXPECT_LE(std::fabs(fish->position.z - centre.z), 50.0f * scale + 1e-3f);
        }
    }
    const auto* sphere = dynamic_cast<cStayWithinSphereBehavior*>(population.behaviors[5]);
    ASSERT_NE(sphere, nullptr);
    EXPECT_FLOAT_EQ(sphere->radius, 1000.0f * scale);  // the start-up density, sphere included
    SharedRandom().Seed(1);
    EXPECT_EQ(StartupPopulation(FlockScenario{1000}).FishCount(), 1000);
}

TEST(PopulateFlock, CallsTheHookForEveryFishBeforeItIsPlaced) {
    SharedRandom().Seed(1);
    cWorld world;
    const std::vector<cBehavior*> none;
    int perSchool[kSchoolCount] = {};
    PopulateFlock(world, none, [&perSchool](cEntity& fish, int school) {
        EXPECT_EQ(fish.position, (Vector3{0, 0, 0}));
        EXPECT_EQ(fish.group, nullptr);
        ++perSchool[school];
    });
    ASSERT_EQ(world.groups.size(), 4u);
    for (int i = 0; i < kSchoolCount; ++i) {
        EXPECT_EQ(static_cast<std::size_t>(perSchool[i]), world.groups[i]->members.size());
    }
}

// Catches any change to the arithmetic, the orders or the random draws of a
// step. When a change is meant to alter the motion, record the new value.
TEST(StartupPopulation, SixHundredStepsHashToTheRecordedValue) {
    SharedRandom().Seed(1);
    StartupPopulation population;
    for (int frame = 0; frame < 600; ++frame) {
        population.world.Update(1.0f / 60.0f);
    }
    for (const cGroup* group : population.world.groups) {
        for (const cEntity* entity : group->members) {
            ASSERT_TRUE(std::isfinite(Length(entity->position) + Length(entity->velocity)));
        }
    }
    EXPECT_EQ(HashOfPositionsAndVelocities(population.world), 0x2d72a57fb217bbc0u);
}

// Turn rates whose pushes overflow the squared length (2e19 and up) or add
// past the float maximum (2e38) once turned every such fish's steering to
// zero or NaN. Now each fish with a flock-mate steers at full acceleration
// and the flock stays finite.
TEST(StartupPopulation, HugeTurnRatesSteerAtTheAccelerationLimitAndStayFinite) {
    for (const float turnRate : {2e19f, 1e30f, 2e38f}) {
        SharedRandom().Seed(1);
        StartupPopulation population;
        for (cBehavior* behavior : population.behaviors) {
            if (auto* alignment = dynamic_cast<cAlignmentBehavior*>(behavior)) {
                alignment->turnRate = turnRate;
            } else if (auto* cohesion = dynamic_cast<cCohesionBehavior*>(behavior)) {
                cohesion->turnRate = turnRate;
            }
        }
        for (int frame = 0; frame < 300; ++frame) {
            population.world.Update(1.0f / 60.0f);
            for (const cGroup* school : Schools(population)) {
                for (const cEntity* fish : school->members) {
                    ASSERT_TRUE(std::isfinite(Length(fish->position) + Length(fish->velocity)))
                        << turnRate << " frame " << frame;
                    if (!fish->flockNeighbors.empty()) {
                        ASSERT_NEAR(Length(fish->steering), fish->maxAcceleration, 1e-3f)
                            << turnRate << " frame " << frame;
                    }
                }
            }
        }
    }
}

}  // namespace

// Observing one fish records each behaviour's share of its steering, and
// those shares with the carried steering add up to what the fish summed
// before the clamp, every step; the motion stays bit for bit the recorded one.
TEST(StartupPopulation, AnObservedFishsSharesSumToItsSteeringAndChangeNothing) {
    SharedRandom().Seed(1);
    StartupPopulation population;
    cWorld& world = population.world;
    const cEntity* fish = Schools(population)[1]->members[3];
    world.Observe(fish);
    const StepObservation& seen = world.Observation();
    for (int frame = 0; frame < 600; ++frame) {
        world.Update(1.0f / 60.0f);
        ASSERT_TRUE(seen.recorded);
        ASSERT_EQ(seen.contributions.size(), population.behaviors.size());
        Vector3 sum = seen.carriedSteering;
        for (std::size_t i = 0; i < seen.contributions.size(); ++i) {
            EXPECT_EQ(seen.contributions[i].behavior, fish->behaviors[i]);
            sum += seen.contributions[i].steering;
        }
        const float tolerance = 1e-4f * (1.0f + Length(seen.summedSteering));
        ASSERT_LE(Length(sum - seen.summedSteering), tolerance) << "frame " << frame;
        ASSERT_EQ(seen.appliedSteering, ClampLength(seen.summedSteering, fish->maxAcceleration));
        ASSERT_EQ(seen.appliedSteering, fish->steering);
    }
    EXPECT_EQ(HashOfPositionsAndVelocities(world), 0x2d72a57fb217bbc0u);
    world.Observe(nullptr);
    EXPECT_FALSE(world.Observation().recorded);
}

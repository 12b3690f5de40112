// The indexed neighbour search against the exhaustive scan: randomised worlds
// full of the awkward cases, stepped with each search and compared bit for
// bit, and thread counts that must not change a single bit.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <unordered_map>
#include <vector>

#include <gtest/gtest.h>

#include "simulation/behavior.h"
#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/neighbor_sort.h"
#include "simulation/population.h"
#include "simulation/random_source.h"
#include "simulation/world.h"

namespace {

constexpr float kFrame = 1.0f / 60.0f;

// Steps like any entity, then jumps: the index must notice that it left the
// predicted course and hand the rest of the step to the exhaustive scan.
class JumpingEntity : public cEntity {
public:
    using cEntity::cEntity;
    void Update(float elapsed) override {
        cEntity::Update(elapsed);
        position.x += 500.0f;
    }
};

// One world built from a seed; the same seed builds the same world.
struct RandomWorld {
    explicit RandomWorld(std::uint32_t seed) : random(seed) {
        behaviors = CreateStartupBehaviors();
        const int groups = Pick(0, 6);
        for (int g = 0; g < groups; ++g) {
            AddGroup();
        }
        if (Pick(0, 1) == 1) {
            player = AddPlayerGroup(*world);
            player->position = Spot();
        }
    }
    ~RandomWorld() {
        world.reset();
        for (cBehavior* behavior : behaviors) {
            delete behavior;
        }
    }

    int Pick(int low, int high) { return std::uniform_int_distribution(low, high)(random); }
    float Real(float low, float high) { return std::uniform_real_distribution(low, high)(random); }

    // Lattice points give ties and distances exactly at a radius of 50;
    // a few spots are far outside any grid.
    Vector3 Spot() {
        switch (Pick(0, 9)) {
            case 0:
                return {Real(-1e7f, 1e7f), 0.0f, 1e7f};
            case 1:
            case 2:
                return {25.0f * Pick(-4, 4), 25.0f * Pick(-4, 4), 25.0f * Pick(-4, 4)};
            case 3:
                return {0.0f, 0.0f, 0.0f};
            default:
                return {Real(-400, 400), Real(-400, 400), Real(-400, 400)};
        }
    }

    // Types 1, 4 and 5 in any mix: a group's first member may pass or fail
    // another entity's mask test, and later members may differ from it.
    void AddEntity(cGroup& group) {
        const std::uint32_t types[] = {1, 1, 1, 4, 5};
        const std::uint32_t type = types[Pick(0, 4)];
        const float radius =
            Pick(0, 19) == 0 ? 100000.0f : (Pick(0, 3) == 0 ? 50.0f : Real(20, 300));
        // Radii at the edges of the squared-distance test, now and then.
        const float edges[] = {0.0f, -1.0f, 1e-30f, std::numeric_limits<float>::infinity(),
                               std::numeric_limits<float>::max(), std::nanf("")};
        const float chosen = Pick(0, 39) == 0 ? edges[Pick(0, 5)] : radius;
        const float maxSpeed = Pick(0, 9) == 0 ? 20000.0f : 50.0f;
        cEntity* entity =
            Pick(0, 39) == 0
                ? new JumpingEntity(*world, type, chosen, 10.0f, maxSpeed, 20.0f, 1, 0.2f, 1)
                : new cEntity(*world, type, chosen, 10.0f, maxSpeed, 20.0f, 1, 0.2f, 1);
        entity->position = Spot();
        if (Pick(0, 29) == 0) {
            entity->avoidMask = ~0u;  // finds itself among the foreign
        }
        if (Pick(0, 3) != 0) {
            entity->velocity = {Real(-maxSpeed, maxSpeed), Real(-50, 50), Real(-50, 50)};
        }
        for (cBehavior* behavior : behaviors) {
            entity->AddBehavior(behavior);
        }
        group.AddEntity(entity);
    }

    void AddGroup() {
        auto* group = new cGroup(*world);
        world->AddGroup(group);
        const int size = Pick(0, 3) == 0 ? Pick(0, 2) : Pick(3, 120);
        for (int i = 0; i < size; ++i) {
            AddEntity(*group);
        }
    }

    // Between steps: an entity joins a group, another leaves its group.
    void AddAndRemove() {
        if (world->groups.empty()) {
            return;
        }
        AddEntity(*world->groups[Pick(0, static_cast<int>(world->groups.size()) - 1)]);
        cGroup* group = world->groups[Pick(0, static_cast<int>(world->groups.size()) - 1)];
        if (!group->members.empty() && group->members.front() != player) {
            const auto leaving =
                group->members.begin() + Pick(0, static_cast<int>(group->members.size()) - 1);
            delete *leaving;
            group->members.erase(leaving);
        }
    }

    std::mt19937 random;
    std::unique_ptr<cWorld> world = std::make_unique<cWorld>();
    std::vector<cBehavior*> behaviors;
    cPlayerEntity* player = nullptr;
};

// Everything a step leaves, with entities named by their place in world
// order so that two worlds compare.
struct Record {
    std::vector<std::uint32_t> bits;  // positions, velocities, then each list as (distance, entity)

    bool operator==(const Record&) const = default;
};

Record RecordOf(const cWorld& world) {
    std::vector<const cEntity*> order;
    std::unordered_map<const cEntity*, std::uint32_t> place;
    for (const cGroup* group : world.groups) {
        for (const cEntity* entity : group->members) {
            place[entity] = static_cast<std::uint32_t>(order.size());
            order.push_back(entity);
        }
    }
    Record record;
    for (const cEntity* entity : order) {
        for (const Vector3& v : {entity->position, entity->velocity, entity->steering}) {
            for (float f : {v.x, v.y, v.z}) {
                record.bits.push_back(std::bit_cast<std::uint32_t>(f));
            }
        }
        for (const auto* list : {&entity->flockNeighbors, &entity->foreignNeighbors}) {
            record.bits.push_back(static_cast<std::uint32_t>(list->size()));
            for (const NeighborEntry& entry : *list) {
                record.bits.push_back(std::bit_cast<std::uint32_t>(entry.distance));
                record.bits.push_back(place.at(&entry.Entity()));
            }
        }
    }
    return record;
}

// Steps with the shared generator in the same state for every world.
void StepAll(std::vector<RandomWorld*>& worlds) {
    const RandomSource before = SharedRandom();
    for (RandomWorld* w : worlds) {
        SharedRandom() = before;
        w->world->Update(kFrame);
    }
}

TEST(IndexedSearch, RandomWorldsStepExactlyAsTheExhaustiveScan) {
    std::mt19937 seeds(20261208);
    for (int round = 0; round < 40; ++round) {
        const std::uint32_t seed = seeds();
        SCOPED_TRACE(seed);
        RandomWorld exhaustive(seed);
        RandomWorld indexed(seed);
        RandomWorld twoThreads(seed);
        exhaustive.world->SetNeighborSearch(NeighborSearch::kExhaustive);
        twoThreads.world->SetThreadCount(2);
        std::vector<RandomWorld*> worlds = {&exhaustive, &indexed, &twoThreads};
        for (RandomWorld* w : worlds) {
            w->world->SetSmallWorldLimit(0);  // the grid serves the smallest worlds too
        }
        SharedRandom().Seed(1);
        for (int frame = 0; frame < 8; ++frame) {
            StepAll(worlds);
            const Record reference = RecordOf(*exhaustive.world);
            ASSERT_TRUE(RecordOf(*indexed.world) == reference) << "frame " << frame;
            ASSERT_TRUE(RecordOf(*twoThreads.world) == reference) << "frame " << frame;
            if (frame % 3 == 2) {
                for (RandomWorld* w : worlds) {
                    w->AddAndRemove();
                }
            }
        }
    }
}

TEST(IndexedSearch, OneTwoAndThreeThreadsGiveTheSameFlock) {
    std::vector<Record> records;
    for (int threads : {1, 2, 3}) {
        SharedRandom().Seed(1);
        StartupPopulation population(FlockScenario{1000});
        population.world.SetThreadCount(threads);
        for (int frame = 0; frame < 12; ++frame) {
            population.world.Update(kFrame);
        }
        records.push_back(RecordOf(population.world));
    }
    EXPECT_TRUE(records[1] == records[0]);
    EXPECT_TRUE(records[2] == records[0]);
}

TEST(IndexedSearch, ThreadCountIsClampedAndTheDefaultIsOne) {
    cWorld world;
    EXPECT_EQ(world.GetThreadCount(), 1);
    EXPECT_EQ(world.GetNeighborSearch(), NeighborSearch::kIndexed);
    world.SetThreadCount(0);
    EXPECT_EQ(world.GetThreadCount(), 1);
    world.SetThreadCount(100000);
    EXPECT_EQ(world.GetThreadCount(), cWorld::kMaxThreads);
}

// The key sort against a comparison sort, on lists of awkward shapes: short
// and long, equal distances in long runs, spans from zero to huge, tiny
// subnormal distances.
TEST(NeighborSort, OrdersKeysAsAComparisonSortDoes) {
    struct Shape {
        const char* name;
        std::size_t count;
        float (*distance)(std::mt19937& random);
    };
    const Shape shapes[] = {
        {"empty", 0, [](std::mt19937&) { return 1.0f; }},
        {"one", 1, [](std::mt19937&) { return 1.0f; }},
        {"short", 24, [](std::mt19937& r) { return std::uniform_real_distribution(0.f, 9.f)(r); }},
        {"just long", 25, [](std::mt19937& r) { return std::uniform_real_distribution(0.f, 9.f)(r); }},
        {"spread", 3000, [](std::mt19937& r) { return std::uniform_real_distribution(0.f, 99.f)(r); }},
        {"all equal", 500, [](std::mt19937&) { return 42.0f; }},
        {"two values", 500, [](std::mt19937& r) { return r() % 2 == 0 ? 1.0f : 2.0f; }},
        {"lattice", 800, [](std::mt19937& r) { return 25.0f * static_cast<float>(r() % 5); }},
        {"zero to huge", 400,
         [](std::mt19937& r) { return r() % 3 == 0 ? 0.0f : std::ldexp(1.0f, int(r() % 120)); }},
        {"subnormal", 300,
         [](std::mt19937& r) { return std::bit_cast<float>(std::uint32_t(r() % 4096)); }},
    };
    std::mt19937 random(7);
    NeighborSortScratch scratch;
    for (const Shape& shape : shapes) {
        std::vector<std::uint64_t> keys;
        for (std::size_t k = 0; k < shape.count; ++k) {
            const float distance = shape.distance(random);
            keys.push_back(NeighborKey(std::bit_cast<std::uint32_t>(distance), random() % 100000));
        }
        std::vector<std::uint64_t> expected = keys;
        std::sort(expected.begin(), expected.end());
        const std::span<const std::uint64_t> sorted = SortNeighborKeys(keys, scratch);
        EXPECT_TRUE(std::equal(sorted.begin(), sorted.end(), expected.begin(), expected.end()))
            << shape.name;
    }
}

}  // namespace

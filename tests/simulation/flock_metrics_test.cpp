// School measurements against values worked out by hand on small schools.

#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "simulation/entity.h"
#include "simulation/flock_metrics.h"
#include "simulation/group.h"
#include "simulation/world.h"

namespace {

struct Fish {
    Vector3 position;
    Vector3 velocity;
};

struct Case {
    const char* name;
    std::vector<Fish> fish;
    SchoolMetrics expected;
};

TEST(FlockMetricsTest, MeasuresSchoolsWorkedOutByHand) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<Case> cases = {
        {"empty school", {}, {}},
        {"one fish at rest", {{{1, 2, 3}, {0, 0, 0}}}, {1, 0, {1, 2, 3}, 0, 0, 0, 0}},
        {"aligned, in a row 3 apart",
         {{{0, 0, 0}, {2, 0, 0}}, {{3, 0, 0}, {4, 0, 0}}, {{6, 0, 0}, {6, 0, 0}}},
         {3, 0, {3, 0, 0}, 4, 1, 3, std::sqrt(6.0f)}},
        {"an opposed pair",
         {{{0, 0, -5}, {0, 1, 0}}, {{0, 0, 5}, {0, -3, 0}}},
         {2, 0, {0, 0, 0}, 2, 0, 10, 5}},
        {"at right angles, one at rest",
         {{{0, 0, 0}, {1, 0, 0}}, {{0, 4, 0}, {0, 1, 0}}, {{0, 0, 0}, {0, 0, 0}}},
         {3, 0, {0, 4.0f / 3.0f, 0}, 2.0f / 3.0f, std::sqrt(0.5f), 4.0f / 3.0f,
          std::sqrt(32.0f) / 3.0f}},
        {"a non-finite fish is counted and left out",
         {{{0, 0, 0}, {1, 0, 0}}, {{nan, 0, 0}, {1, 0, 0}}, {{2, 0, 0}, {1, 0, 0}}},
         {3, 1, {1, 0, 0}, 1, 1, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cWorld world;
        auto* school = new cGroup(world);
        world.AddGroup(school);
        for (const Fish& fish : c.fish) {
            auto* entity = new cEntity(world, 1, 100.0f, 10.0f, 10.0f, 5.0f, 1.0f, 1.0f, 1.0f);
            entity->position = fish.position;
            entity->velocity = fish.velocity;
            school->AddEntity(entity);
        }
        const std::vector<SchoolMetrics> measured = MeasureSchools(world, 1);
        ASSERT_EQ(measured.size(), c.fish.empty() ? 0u : 1u);
        const SchoolMetrics m = c.fish.empty() ? MeasureSchool({}) : measured[0];
        EXPECT_EQ(m.count, c.expected.count);
        EXPECT_EQ(m.nonFinite, c.expected.nonFinite);
        EXPECT_FLOAT_EQ(m.centroid.x, c.expected.centroid.x);
        EXPECT_FLOAT_EQ(m.centroid.y, c.expected.centroid.y);
        EXPECT_FLOAT_EQ(m.centroid.z, c.expected.centroid.z);
        EXPECT_FLOAT_EQ(m.meanSpeed, c.expected.meanSpeed);
        EXPECT_NEAR(m.polarisation, c.expected.polarisation, 1e-6f);
        EXPECT_FLOAT_EQ(m.meanNearestDistance, c.expected.meanNearestDistance);
        EXPECT_FLOAT_EQ(m.radiusOfGyration, c.expected.radiusOfGyration);
    }
}

TEST(FlockMetricsTest, OnlyGroupsOfTheAskedTypeAreSchools) {
    cWorld world;
    for (std::uint32_t type : {2u, 1u, 1u}) {
        auto* group = new cGroup(world);
        world.AddGroup(group);
        group->AddEntity(new cEntity(world, type, 100.0f, 10.0f, 10.0f, 5.0f, 1.0f, 1.0f, 1.0f));
    }
    world.AddGroup(new cGroup(world));  // empty: no type, not a school
    EXPECT_EQ(MeasureSchools(world, 1).size(), 2u);
    EXPECT_EQ(MeasureSchools(world, 2).size(), 1u);
}

// Every pair compared in double precision, as the measurement defines it.
std::vector<double> ExhaustiveNearestDistances(const std::vector<Vector3>& points) {
    std::vector<double> distances;
    for (std::size_t i = 0; i < points.size() && points.size() > 1; ++i) {
        double nearest = std::numeric_limits<double>::infinity();
        for (std::size_t j = 0; j < points.size(); ++j) {
            const double dx = double{points[i].x} - points[j].x;
            const double dy = double{points[i].y} - points[j].y;
            const double dz = double{points[i].z} - points[j].z;
            nearest = j == i ? nearest : std::min(nearest, dx * dx + dy * dy + dz * dz);
        }
        distances.push_back(std::sqrt(nearest));
    }
    return distances;
}

TEST(FlockMetricsTest, GridNearestDistancesEqualEveryPairCompared) {
    std::mt19937 random(7);
    const auto uniform = [&](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    const struct {
        const char* name;
        int count;
        std::function<Vector3(int)> place;
    } cases[] = {
        {"one member", 1,
         [&](int) {
             return Vector3{1, 2, 3};
         }},
        {"a coincident pair", 2,
         [&](int) {
             return Vector3{5, 5, 5};
         }},
        {"all on one spot", 50,
         [&](int) {
             return Vector3{-3, 0, 8};
         }},
        {"ties on a lattice", 216,
         [&](int i) {
             return Vector3{float(i % 6) * 2, float(i / 6 % 6) * 2, float(i / 36) * 2};
         }},
        {"a cloud with repeats", 2000,
         [&](int i) {
             return i % 10 == 0 ? Vector3{0, 0, 0}
                                : Vector3{uniform(-500, 500), uniform(-500, 500), uniform(-50, 50)};
         }},
        {"a tight school and two strays", 700,
         [&](int i) {
             return i == 0   ? Vector3{1e6f, -1e6f, 3e5f}
                    : i == 1 ? Vector3{-4e4f, 0, 0}
                             : Vector3{uniform(0, 30), uniform(0, 30), uniform(0, 30)};
         }},
        {"on a line", 300,
         [&](int) {
             return Vector3{uniform(-1e3f, 1e3f), 0, 0};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Vector3> points;
        for (int i = 0; i < c.count; ++i) {
            points.push_back(c.place(i));
        }
        EXPECT_EQ(NearestNeighbourDistances(points), ExhaustiveNearestDistances(points));
    }
}

}  // namespace

#include "simulation/entity.h"

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

#include "simulation/behavior.h"
#include "simulation/group.h"
#include "simulation/world.h"

namespace {

constexpr std::uint32_t kFish = 1;
constexpr std::uint32_t kOther = 4;  // foreign to a fish: 4 & ~1 != 0

// Adds a fixed vector per call and records which object was applied.
class PushBehavior : public cBehavior {
public:
    PushBehavior(Vector3 push, std::vector<const cBehavior*>* log = nullptr)
        : push(push), log(log) {}
    void Apply(float /*elapsed*/, cEntity& entity) override {
        entity.steering += push;
        if (log != nullptr) {
            log->push_back(this);
        }
    }
    Vector3 push;
    std::vector<const cBehavior*>* log;
};

// Limits are generous and damping is 1 so that only the rule under test acts.
class EntityTest : public ::testing::Test {
protected:
    cGroup& NewGroup() {
        auto* group = new cGroup(world);
        world.AddGroup(group);
        return *group;
    }
    cEntity* Make(Vector3 position, std::uint32_t typeId = kFish) {
        auto* entity = new cEntity(world, typeId, 100.0f, 1000.0f, 1000.0f, 20.0f, 1, 1, 1);
        entity->position = position;
        return entity;
    }
    cEntity& NewEntity(cGroup* group, Vector3 position, std::uint32_t typeId = kFish) {
        cEntity* entity = Make(position, typeId);
        if (group != nullptr) {
            group->AddEntity(entity);
        } else {
            loose.emplace_back(entity);
        }
        return *entity;
    }

    cWorld world;
    std::vector<std::unique_ptr<cEntity>> loose;  // entities that belong to no group
};

std::vector<const cEntity*> Listed(const std::vector<NeighborEntry>& list) {
    std::vector<const cEntity*> entities;
    for (const NeighborEntry& entry : list) {
        entities.push_back(&entry.Entity());
    }
    return entities;
}

TEST_F(EntityTest, FlockNeighborsAreNearestFirstWithTiesInIdentityOrder) {
    cGroup& school = NewGroup();
    cEntity& far = NewEntity(&school, {30, 0, 0});
    cEntity& self = NewEntity(&school, {0, 0, 0});
    cEntity& tieFirst = NewEntity(&school, {0, 0, -10});
    cEntity& tieSecond = NewEntity(&school, {10, 0, 0});
    self.Update(0.0f);
    EXPECT_EQ(Listed(self.flockNeighbors),
              (std::vector<const cEntity*>{&tieFirst, &tieSecond, &far}));
    EXPECT_EQ(self.flockNeighbors[0].distance, 10.0f);
    EXPECT_EQ(self.flockNeighbors[2].distance, 30.0f);
}

// The foreign search walks groups in identity order, so the older entity of a
// younger group is seen first; the tie must still go to the lower identity.
TEST_F(EntityTest, ForeignTieGoesToTheLowerIdentityNotTheFirstFound) {
    cGroup& school = NewGroup();
    cEntity& self = NewEntity(&school, {0, 0, 0});
    cEntity* older = Make({0, 20, 0}, kOther);
    cGroup& scannedFirst = NewGroup();
    cGroup& scannedLast = NewGroup();
    cEntity& younger = NewEntity(&scannedFirst, {20, 0, 0}, kOther);
    scannedLast.AddEntity(older);
    self.Update(0.0f);
    EXPECT_EQ(Listed(self.foreignNeighbors), (std::vector<const cEntity*>{older, &younger}));
}

TEST_F(EntityTest, PerceptionRadiusIsExclusive) {
    cGroup& school = NewGroup();
    cEntity& self = NewEntity(&school, {0, 0, 0});
    cEntity& atRadius = NewEntity(&school, {100, 0, 0});
    cEntity& inside = NewEntity(&school, {0, std::nextafter(100.0f, 0.0f), 0});

    float distance = -1.0f;
    EXPECT_FALSE(self.IsWithinPerception(atRadius, distance));
    EXPECT_EQ(distance, 100.0f);  // stored even when outside
    EXPECT_TRUE(self.IsWithinPerception(inside, distance));

    self.Update(0.0f);
    EXPECT_EQ(Listed(self.flockNeighbors), (std::vector<const cEntity*>{&inside}));
}

TEST_F(EntityTest, NeighbourListsAreRebuiltEveryStep) {
    cGroup& school = NewGroup();
    cEntity& self = NewEntity(&school, {0, 0, 0});
    cEntity& mate = NewEntity(&school, {10, 0, 0});
    self.Update(0.0f);
    self.Update(0.0f);
    EXPECT_EQ(self.flockNeighbors.size(), 1u);
    mate.position = {500, 0, 0};
    self.Update(0.0f);
    EXPECT_TRUE(self.flockNeighbors.empty());
}

// Lists name neighbours by handle; a handle freed by a deleted entity names
// the next entity made, and never two living ones.
TEST_F(EntityTest, ListsNameTheEntityNowHoldingAReusedHandle) {
    cGroup& school = NewGroup();
    cEntity& self = NewEntity(&school, {0, 0, 0});
    cEntity* gone = Make({10, 0, 0});
    const EntityHandle freed = gone->GetHandle();
    delete gone;
    cEntity& mate = NewEntity(&school, {20, 0, 0});
    cEntity& other = NewEntity(&school, {30, 0, 0});
    EXPECT_EQ(mate.GetHandle(), freed);
    EXPECT_NE(other.GetHandle(), freed);
    self.Update(0.0f);
    EXPECT_EQ(Listed(self.flockNeighbors), (std::vector<const cEntity*>{&mate, &other}));
}

TEST_F(EntityTest, EntityWithoutGroupStillFindsForeignNeighbours) {
    cGroup& others = NewGroup();
    cEntity& stranger = NewEntity(&others, {5, 0, 0}, kOther);
    cEntity& self = NewEntity(nullptr, {0, 0, 0});
    self.Update(0.0f);
    EXPECT_TRUE(self.flockNeighbors.empty());
    EXPECT_EQ(Listed(self.foreignNeighbors), (std::vector<const cEntity*>{&stranger}));
}

// A group is abandoned at its first member of a non-foreign type, even when
// foreign members follow it; the entity's own group is skipped the same way.
TEST_F(EntityTest, ForeignSearchAbandonsAGroupAtItsFirstFailingMember) {
    cGroup& school = NewGroup();
    cGroup& fishFirst = NewGroup();
    cGroup& strangerFirst = NewGroup();
    cEntity& self = NewEntity(&school, {0, 0, 0});
    NewEntity(&school, {0, 0, 1}, kOther);  // behind self in its own group
    NewEntity(&fishFirst, {50, 0, 0});
    NewEntity(&fishFirst, {1, 0, 0}, kOther);
    cEntity& seen = NewEntity(&strangerFirst, {60, 0, 0}, kOther);
    NewEntity(&strangerFirst, {0, 2, 0});
    NewEntity(&strangerFirst, {0, 3, 0}, kOther);
    NewEntity(&strangerFirst, {0, 300, 0}, kOther);  // passes the mask, out of reach

    self.Update(0.0f);
    EXPECT_EQ(Listed(self.foreignNeighbors), (std::vector<const cEntity*>{&seen}));
}

TEST_F(EntityTest, SteeringAtExactlyMaxAccelerationIsKeptAndLongerIsClamped) {
    cEntity& self = NewEntity(nullptr, {});
    // Re-normalising this vector to its own length changes its last bits, so a
    // clamp at equality would show.
    const Vector3 steering{0.1f, 0.2f, 0.3f};
    self.maxAcceleration = Length(steering);
    self.steering = steering;
    self.Update(0.0f);
    EXPECT_EQ(self.steering, steering);
    EXPECT_EQ(self.velocity, steering);

    self.velocity = {};
    self.maxAcceleration = 5.0f;
    self.steering = {6, 0, 8};
    self.Update(0.0f);
    EXPECT_FLOAT_EQ(self.steering.x, 3.0f);
    EXPECT_FLOAT_EQ(self.steering.z, 4.0f);
    EXPECT_FLOAT_EQ(self.velocity.x, 3.0f);
    EXPECT_FLOAT_EQ(self.velocity.z, 4.0f);
}

TEST_F(EntityTest, SpeedAtExactlyMaxSpeedIsKeptAndFasterIsClamped) {
    cEntity& self = NewEntity(nullptr, {});
    const Vector3 velocity{0.1f, 0.2f, 0.3f};
    self.maxSpeed = Length(velocity);
    self.velocity = velocity;
    self.Update(0.0f);
    EXPECT_EQ(self.velocity, velocity);

    self.maxSpeed = 5.0f;
    self.velocity = {0, -60, 80};
    self.Update(0.0f);
    EXPECT_FLOAT_EQ(self.velocity.y, -3.0f);
    EXPECT_FLOAT_EQ(self.velocity.z, 4.0f);
}

TEST_F(EntityTest, DampingActsPerAxisAfterTheSteeringIsAdded) {
    cEntity& self = NewEntity(nullptr, {});
    self.velocityDamping = {1.0f, 0.2f, 0.5f};
    self.velocity = {4, 10, 8};
    self.steering = {1, 5, 2};
    self.Update(0.0f);
    EXPECT_FLOAT_EQ(self.velocity.x, 5.0f);
    EXPECT_FLOAT_EQ(self.velocity.y, 3.0f);  // (10 + 5) × 0.2, not 10 × 0.2 + 5
    EXPECT_FLOAT_EQ(self.velocity.z, 5.0f);
}

TEST_F(EntityTest, SteeringIsNeverResetAndIsAddedUnscaledEveryStep) {
    cEntity& self = NewEntity(nullptr, {});
    self.steering = {1, 0, 0};
    for (int step = 0; step < 3; ++step) {
        self.Update(0.25f);
    }
    EXPECT_EQ(self.steering, (Vector3{1, 0, 0}));
    EXPECT_EQ(self.velocity, (Vector3{3, 0, 0}));
    // Each step moves with the velocity the previous step left: 0 + 1 + 2.
    EXPECT_EQ(self.position, (Vector3{0.75f, 0, 0}));
}

TEST_F(EntityTest, ZeroElapsedKeepsThePositionButStillSteers) {
    cEntity& self = NewEntity(nullptr, {1, 2, 3});
    self.velocity = {7, 0, 0};
    self.steering = {0, 1, 0};
    self.Update(0.0f);
    EXPECT_EQ(self.position, (Vector3{1, 2, 3}));
    EXPECT_EQ(self.velocity, (Vector3{7, 1, 0}));
}

TEST_F(EntityTest, HeadingFollowsTheVelocity) {
    cEntity& self = NewEntity(nullptr, {});
    const float quarter = std::numbers::pi_v<float> / 4;
    struct Case {
        Vector3 velocity;
        Quaternion heading;
    };
    const Case cases[] = {
        {{0, 0, 0}, {0, 0, 0, 1}},                                   // standing: identity
        {{0, 0, 5}, {0, 0, 0, 1}},                                   // +z: yaw 0, pitch 0
        {{5, 0, 0}, {0, std::sin(quarter), 0, std::cos(quarter)}},   // +x: yaw π/2
        {{0, 5, 0}, {-std::sin(quarter), 0, 0, std::cos(quarter)}},  // +y: pitch −π/2
        {{0, 0, -5}, {0, 1, 0, 0}},                                  // −z: yaw π
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "velocity " << c.velocity.x << ", " << c.velocity.y
                                        << ", " << c.velocity.z);
        self.velocity = c.velocity;
        self.Update(0.0f);
        EXPECT_NEAR(self.orientation.x, c.heading.x, 1e-6);
        EXPECT_NEAR(self.orientation.y, c.heading.y, 1e-6);
        EXPECT_NEAR(self.orientation.z, c.heading.z, 1e-6);
        EXPECT_NEAR(self.orientation.w, c.heading.w, 1e-6);
    }
}

// The world steps one entity after another: the second measures against the
// first one's new position, the first against the second one's old one.
TEST_F(EntityTest, EntitiesSteppedLaterSeeTheNewStateOfThoseBefore) {
    cGroup& school = NewGroup();
    cEntity& first = NewEntity(&school, {0, 0, 0});
    cEntity& second = NewEntity(&school, {50, 0, 0});
    first.velocity = {10, 0, 0};
    second.velocity = {5, 0, 0};
    world.Update(1.0f);
    ASSERT_EQ(first.flockNeighbors.size(), 1u);
    ASSERT_EQ(second.flockNeighbors.size(), 1u);
    EXPECT_EQ(first.flockNeighbors[0].distance, 40.0f);   // 50 − 10
    EXPECT_EQ(second.flockNeighbors[0].distance, 45.0f);  // 55 − 10, not 55 − 0
}

TEST_F(EntityTest, BehavioursRunInIdentityOrderAndTwiceWhenAddedTwice) {
    std::vector<const cBehavior*> log;
    PushBehavior older({1, 0, 0}, &log);
    PushBehavior younger({0, 0, 1}, &log);
    cEntity& self = NewEntity(nullptr, {});
    self.AddBehavior(&younger);
    self.AddBehavior(&older);
    self.AddBehavior(&younger);
    self.Update(0.0f);
    EXPECT_EQ(log, (std::vector<const cBehavior*>{&older, &younger, &younger}));
    EXPECT_EQ(self.steering, (Vector3{1, 0, 2}));
}

TEST_F(EntityTest, PlayerEntityNeverMovesItself) {
    cGroup& school = NewGroup();
    cGroup& own = NewGroup();
    NewEntity(&school, {1, 0, 0});
    auto* player = new cPlayerEntity(world, 2);
    own.AddEntity(player);
    PushBehavior push({1, 1, 1});
    player->AddBehavior(&push);
    player->position = {3, 4, 5};
    player->velocity = {1, 0, 0};
    player->steering = {0, 2, 0};

    world.Update(1.0f);
    EXPECT_EQ(player->position, (Vector3{3, 4, 5}));
    EXPECT_EQ(player->velocity, (Vector3{1, 0, 0}));
    EXPECT_EQ(player->steering, (Vector3{0, 2, 0}));
    EXPECT_TRUE(player->flockNeighbors.empty());
    EXPECT_TRUE(player->foreignNeighbors.empty());
    EXPECT_EQ(player->orientation.w, 1.0f);
    EXPECT_EQ(player->avoidMask, ~2u);
    EXPECT_EQ(player->typeMask, 2u);
}

}  // namespace

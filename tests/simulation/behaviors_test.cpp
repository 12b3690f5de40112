#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/group_behaviors.h"
#include "simulation/individual_behaviors.h"
#include "simulation/random_source.h"
#include "simulation/world.h"

namespace {

constexpr double kInverseRandMax = 3.0518509e-05f;

// One fish at the origin with flock-mates and foreign entities placed around
// it. Steer() rebuilds its neighbour lists as a step would and returns what
// one behaviour adds to a zero steering.
class BehaviorTest : public ::testing::Test {
protected:
    BehaviorTest() {
        world.AddGroup(school);
        world.AddGroup(strangers);
        self = Add(*school, {0, 0, 0}, 1);
    }
    cEntity* Add(cGroup& group, Vector3 position, std::uint32_t typeId) {
        auto* entity = new cEntity(world, typeId, 300.0f, 10.0f, 50.0f, 20.0f, 1.0f, 0.2f, 1.0f);
        entity->position = position;
        group.AddEntity(entity);
        return entity;
    }
    cEntity* Mate(Vector3 position, Vector3 velocity = {}) {
        cEntity* mate = Add(*school, position, 1);
        mate->velocity = velocity;
        return mate;
    }
    cEntity* Stranger(Vector3 position) { return Add(*strangers, position, 2); }

    Vector3 Steer(cBehavior& behavior) {
        self->flockNeighbors.clear();
        self->foreignNeighbors.clear();
        self->FindFlockNeighbors();
        self->FindForeignNeighbors();
        self->steering = {};
        behavior.Apply(0.5f, *self);
        return self->steering;
    }

    cWorld world;
    cGroup* school = new cGroup(world);
    cGroup* strangers = new cGroup(world);
    cEntity* self;
};

void ExpectNear(const Vector3& actual, const Vector3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6);
    EXPECT_NEAR(actual.y, expected.y, 1e-6);
    EXPECT_NEAR(actual.z, expected.z, 1e-6);
}

const Vector3 kZero{0, 0, 0};

// --- separation -------------------------------------------------------------

TEST_F(BehaviorTest, SeparationPushesOrPullsWithTheClampedDistanceRatio) {
    cSeparationBehavior separation(70.0f, 0.05f, 0.1f);
    EXPECT_EQ(Steer(separation), kZero);  // nobody in the group
    cEntity* mate = Mate({});
    const struct {
        float x;
        float expected;
    } cases[] = {
        {35.0f, -0.1f},    // ratio 0.5 lowered to the maximum, pushed away
        {1.4f, -0.05f},    // ratio 0.02 raised to the minimum
        {140.0f, 0.1f},    // farther than 70: pulled in
        {70.0f, 0.0f},     // exactly at the distance: nothing
        {0.0f, 0.0f},      // same position: no direction
        {-280.0f, -0.1f},  // pull toward a mate on the other side
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        mate->position = {c.x, 0, 0};
        ExpectNear(Steer(separation), {c.expected, 0, 0});
    }
}

TEST_F(BehaviorTest, SeparationStrengthGrowsWithTheDistanceBetweenTheBounds) {
    cSeparationBehavior separation(70.0f, 0.0f, 10.0f);
    separation.gain = 0.5f;
    cEntity* mate = Mate({0, 35, 0});
    ExpectNear(Steer(separation), {0, -0.25f, 0});
    mate->position = {0, 105, 0};
    ExpectNear(Steer(separation), {0, 0.75f, 0});
}

TEST_F(BehaviorTest, SeparationWithCrossedBoundsUsesTheMaximum) {
    cSeparationBehavior separation(70.0f, 0.3f, 0.2f);
    cEntity* mate = Mate({7, 0, 0});  // ratio 0.1: raised to 0.3, then lowered to 0.2
    ExpectNear(Steer(separation), {-0.2f, 0, 0});
    mate->position = {0, 0, 35};  // ratio 0.5
    ExpectNear(Steer(separation), {0, 0, -0.2f});
}

// --- alignment and cohesion -------------------------------------------------

TEST_F(BehaviorTest, AlignmentTurnsTowardTheNearestMatesVelocityOnly) {
    cAlignmentBehavior alignment(0.1f);
    EXPECT_EQ(Steer(alignment), kZero);
    cEntity* nearest = Mate({0, 0, 20}, {0, 0, -30});
    Mate({0, 0, 40}, {100, 0, 0});
    alignment.gain = 0.5f;
    ExpectNear(Steer(alignment), {0, 0, -0.05f});
    nearest->velocity = {};
    EXPECT_EQ(Steer(alignment), kZero);
}

TEST_F(BehaviorTest, GroupBehavioursBreakDistanceTiesByIdentity) {
    Mate({0, 0, -50}, {0, 7, 0});  // created first
    Mate({50, 0, 0}, {0, 0, 7});
    cSeparationBehavior separation(70.0f, 0.05f, 0.1f);
    cAlignmentBehavior alignment(0.1f);
    ExpectNear(Steer(separation), {0, 0, 0.1f});
    ExpectNear(Steer(alignment), {0, 0.1f, 0});
}

TEST_F(BehaviorTest, CohesionDrawsTowardTheMeanOfTheMates) {
    cCohesionBehavior cohesion(0.1f);
    EXPECT_EQ(Steer(cohesion), kZero);
    cEntity* mate = Mate({0, 30, 0});
    ExpectNear(Steer(cohesion), {0, 0.1f, 0});
    Mate({0, -30, 0});
    EXPECT_EQ(Steer(cohesion), kZero);  // symmetric

    // The mean, not the sum: mates at −10 and −20 from an entity at 100 lie
    // behind it although their sum lies ahead.
    mate->position = {90, 0, 0};
    school->members.back()->position = {80, 0, 0};
    self->position = {100, 0, 0};
    ExpectNear(Steer(cohesion), {-0.1f, 0, 0});
}

// --- avoidance --------------------------------------------------------------

TEST_F(BehaviorTest, AvoidanceFleesTheNearestForeignEntityWithinItsDistance) {
    cAvoidanceBehavior avoidance(200.0f, 50.0f);
    Mate({0, 1, 0});  // flock-mates are never fled
    EXPECT_EQ(Steer(avoidance), kZero);

    cEntity* stranger = Stranger({0, 150, 0});
    ExpectNear(Steer(avoidance), {0, -50, 0});
    cEntity* farther = Stranger({0, 0, 180});  // also within reach, but only the nearest counts
    ExpectNear(Steer(avoidance), {0, -50, 0});

    farther->position = {0, 0, 290};
    stranger->position = {200, 0, 0};  // exactly at the distance
    EXPECT_EQ(Steer(avoidance), kZero);
    stranger->position = {0, 0, 0};  // same position: no direction
    EXPECT_EQ(Steer(avoidance), kZero);
}

TEST_F(BehaviorTest, AvoidanceReachIsBoundedByThePerceptionRadius) {
    cAvoidanceBehavior avoidance(1000.0f, 50.0f);
    Stranger({0, 0, 350});
    EXPECT_EQ(Steer(avoidance), kZero);
}

// --- cruising ---------------------------------------------------------------

Vector3 ExpectedCruise(double draw, const cCruisingBehavior& cruising, float length) {
    if (draw < cruising.moveXThreshold)
        return {length, 0, 0};
    if (draw < cruising.moveYThreshold)
        return {0, length, 0};
    if (draw < cruising.moveZThreshold)
        return {0, 0, length};
    return {};
}

TEST_F(BehaviorTest, CruisingPicksTheAxisFromOneDrawAgainstTheThresholds) {
    cCruisingBehavior cruising(0.45f, 0.55f, 1.0f, 1.0f, 0.1f, 0.05f);
    SharedRandom().Seed(12345);
    RandomSource predicted(12345);
    int axisCount[3] = {};
    for (int call = 0; call < 300; ++call) {
        const double draw = predicted.Next() * kInverseRandMax;
        const Vector3 push = Steer(cruising);
        ASSERT_EQ(push, ExpectedCruise(draw, cruising, 0.05f)) << "call " << call;
        axisCount[0] += push.x != 0;
        axisCount[1] += push.y != 0;
        axisCount[2] += push.z != 0;
    }
    EXPECT_EQ(axisCount[0] + axisCount[1] + axisCount[2], 300);  // every draw picks an axis
    EXPECT_GT(axisCount[1], 0);
}

TEST_F(BehaviorTest, CruisingThresholdsAreStrictAndTheDrawStaysBelowOne) {
    // Seeds whose next value is 0 and 32767 respectively.
    constexpr std::uint32_t kSeedOfZero = 2708534849u;
    constexpr std::uint32_t kSeedOfMax = 4028364353u;
    cCruisingBehavior cruising(0.0f, 0.5f, 1.0f, 1.0f, 0.1f, 0.05f);
    SharedRandom().Seed(kSeedOfZero);
    ExpectNear(Steer(cruising), {0, 0.05f, 0});  // 0 is not below an x threshold of 0
    SharedRandom().Seed(kSeedOfMax);
    ExpectNear(Steer(cruising), {0, 0, 0.05f});  // 32767 / 32767 is still below 1
    cruising.moveZThreshold = 0.9999999f;
    SharedRandom().Seed(kSeedOfMax);
    EXPECT_EQ(Steer(cruising), kZero);
}

TEST_F(BehaviorTest, CruisingDirectionDependsOnlyOnTheSignOfMinRandomMove) {
    cCruisingBehavior cruising(1.0f, 1.0f, 1.0f, 1.0f, 0.1f, 0.05f);  // always x
    cruising.gain = 0.5f;
    self->velocity = {0, 0, 5};  // slower than the cruise speed of 20
    ExpectNear(Steer(cruising), {0.025f, 0, 0});
    self->velocity = {0, 0, 30};  // faster
    ExpectNear(Steer(cruising), {0.025f, 0, 0});
    cruising.minRandomMove = -3.0f;
    ExpectNear(Steer(cruising), {-0.025f, 0, 0});
    cruising.minRandomMove = 0.0f;
    EXPECT_EQ(Steer(cruising), kZero);
}

TEST_F(BehaviorTest, CruisingDrawsExactlyOnceWhateverTheThresholds) {
    const float thresholds[][3] = {{0, 0, 0}, {1, 1, 1}, {0.45f, 0.55f, 1.0f}, {0, 0, 0.5f}};
    for (const auto& t : thresholds) {
        cCruisingBehavior cruising(t[0], t[1], t[2], 1.0f, 0.1f, 0.05f);
        SharedRandom().Seed(777);
        RandomSource predicted(777);
        for (int call = 0; call < 10; ++call) {
            const Vector3 push = Steer(cruising);
            if (t[2] == 0) {
                EXPECT_EQ(push, kZero);
            }
            predicted.Next();
        }
        EXPECT_EQ(SharedRandom().Next(), predicted.Next())
            << "thresholds " << t[0] << ", " << t[1] << ", " << t[2];
    }
}

// --- stay within sphere -----------------------------------------------------

TEST_F(BehaviorTest, StayWithinSpherePullsBackWithTheEntitysMaxSpeed) {
    cStayWithinSphereBehavior sphere(Vector3{0, 0, 0}, 1000.0f);
    self->position = {1500, 0, 0};
    ExpectNear(Steer(sphere), {-50, 0, 0});
    self->position = {0, -5000, 0};  // no stronger farther out
    ExpectNear(Steer(sphere), {0, 50, 0});
    self->position = {600, 0, 800};  // on the surface
    EXPECT_EQ(Steer(sphere), kZero);
    self->position = {0, 0, 999};
    EXPECT_EQ(Steer(sphere), kZero);
    self->position = {1500, 0, 0};
    self->maxSpeed = 0.0f;
    EXPECT_EQ(Steer(sphere), kZero);
}

TEST_F(BehaviorTest, StayWithinSphereUsesItsOwnCentre) {
    cStayWithinSphereBehavior sphere(Vector3{100, 0, 0}, 10.0f);
    sphere.gain = 0.2f;
    self->position = {100, 0, 50};
    ExpectNear(Steer(sphere), {0, 0, -10});
}

// --- framework --------------------------------------------------------------

class PlainBehavior : public cBehavior {
public:
    void Apply(float, cEntity&) override {}
};
class PlainGroupBehavior : public cGroupBehavior {
public:
    void Apply(float, cEntity&) override {}
};

std::vector<std::unique_ptr<cBehavior>> OneOfEach() {
    std::vector<std::unique_ptr<cBehavior>> all;
    all.emplace_back(new cSeparationBehavior(70.0f, 0.05f, 0.1f));
    all.emplace_back(new cAlignmentBehavior(0.1f));
    all.emplace_back(new cCohesionBehavior(0.1f));
    all.emplace_back(new cAvoidanceBehavior(200.0f, 50.0f));
    all.emplace_back(new cCruisingBehavior(0.45f, 0.55f, 1.0f, 1.0f, 0.1f, 0.05f));
    all.emplace_back(new cStayWithinSphereBehavior(Vector3{0, 0, 5000}, 1000.0f));
    return all;
}

TEST(Behavior, NamesAreTheDisplayTexts) {
    const std::vector<std::string> expected = {
        "Separation Behavior", "Alignment Behavior", "Cohesion Behavior",
        "Avoidance Behavior",  "Cruising Behavior",  "Stay Within Sphere Behavior"};
    const auto all = OneOfEach();
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i]->GetName(), expected[i]);
    }
    EXPECT_EQ(PlainBehavior().GetName(), "Base Behavior");
    EXPECT_EQ(PlainGroupBehavior().GetName(), "Base Behavior");
}

// "1" for each element whose dynamic type is T or derives from it, else "0".
template <class T>
std::string WhichAre(const std::vector<std::unique_ptr<cBehavior>>& all) {
    std::string result;
    for (const auto& behavior : all) {
        result += dynamic_cast<T*>(behavior.get()) != nullptr ? '1' : '0';
    }
    return result;
}

TEST(Behavior, ConcreteTypeIsFoundFromTheBasePointer) {
    const auto all = OneOfEach();
    EXPECT_EQ(WhichAre<cSeparationBehavior>(all), "100000");
    EXPECT_EQ(WhichAre<cAlignmentBehavior>(all), "010000");
    EXPECT_EQ(WhichAre<cCohesionBehavior>(all), "001000");
    EXPECT_EQ(WhichAre<cAvoidanceBehavior>(all), "000100");
    EXPECT_EQ(WhichAre<cCruisingBehavior>(all), "000010");
    EXPECT_EQ(WhichAre<cStayWithinSphereBehavior>(all), "000001");
    EXPECT_EQ(WhichAre<cGroupBehavior>(all), "111000");
}

// A scene where every behaviour contributes: each adds something at gain 1,
// nothing at gain 0, and none writes anything but the steering.
TEST_F(BehaviorTest, EveryBehaviourScalesWithGainAndWritesOnlySteering) {
    cEntity* mate = Mate({0, 0, 35}, {1, 0, 0});
    cEntity* stranger = Stranger({150, 0, 0});
    self->velocity = {0, 3, 0};
    SharedRandom().Seed(1);
    for (auto& behavior : OneOfEach()) {
        SCOPED_TRACE(behavior->GetName());
        EXPECT_EQ(behavior->gain, 1.0f);
        EXPECT_NE(Steer(*behavior), kZero);
        behavior->gain = 0.0f;
        EXPECT_EQ(Steer(*behavior), kZero);
    }
    EXPECT_EQ(self->position, kZero);
    EXPECT_EQ(self->velocity, (Vector3{0, 3, 0}));
    EXPECT_EQ(mate->position, (Vector3{0, 0, 35}));
    EXPECT_EQ(mate->velocity, (Vector3{1, 0, 0}));
    EXPECT_EQ(mate->steering, kZero);
    EXPECT_EQ(stranger->position, (Vector3{150, 0, 0}));
}

}  // namespace

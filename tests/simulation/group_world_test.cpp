#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/world.h"

namespace {

using Log = std::vector<std::string>;

// Records its steps, draws and destruction by name.
class LoggingEntity : public cEntity {
public:
    LoggingEntity(cWorld& world, Log& log, std::string name)
        : cEntity(world, 1, 100.0f, 10.0f, 50.0f, 20.0f, 1, 1, 1),
          log(log),
          name(std::move(name)) {}
    ~LoggingEntity() override { log.push_back("~" + name); }
    void Update(float /*elapsed*/) override { log.push_back("update " + name); }
    void Render(IDirect3DDevice9* /*device*/) override { log.push_back("render " + name); }

    Log& log;
    std::string name;
};

// Logs when its own destructor starts, that is before the base deletes the members.
class LoggingGroup : public cGroup {
public:
    LoggingGroup(cWorld& world, Log& log, std::string name)
        : cGroup(world), log(log), name(std::move(name)) {}
    ~LoggingGroup() override { log.push_back("~" + name); }

    Log& log;
    std::string name;
};

// Two groups of three, created g1, g2, e1 … e6 and added out of creation
// order: g2 before g1, and members shuffled within each group.
struct ShuffledWorld {
    explicit ShuffledWorld(Log& log) {
        auto* g1 = new LoggingGroup(*world, log, "g1");
        auto* g2 = new LoggingGroup(*world, log, "g2");
        std::vector<cEntity*> e;
        for (int i = 1; i <= 6; ++i) {
            e.push_back(new LoggingEntity(*world, log, "e" + std::to_string(i)));
        }
        world->AddGroup(g2);
        world->AddGroup(g1);
        for (int i : {2, 0, 1}) {
            g1->AddEntity(e[i]);
        }
        for (int i : {5, 3, 4}) {
            g2->AddEntity(e[i]);
        }
    }
    std::unique_ptr<cWorld> world = std::make_unique<cWorld>();
};

TEST(GroupAndWorld, KeepGroupsAndMembersInIdentityOrderWhateverTheInsertionOrder) {
    Log log;
    ShuffledWorld shuffled(log);
    const cWorld& world = *shuffled.world;
    ASSERT_EQ(world.groups.size(), 2u);
    EXPECT_EQ(static_cast<LoggingGroup*>(world.groups[0])->name, "g1");
    for (const cGroup* group : world.groups) {
        ASSERT_EQ(group->members.size(), 3u);
        for (std::size_t i = 0; i < group->members.size(); ++i) {
            EXPECT_EQ(group->members[i]->group, group);
            if (i > 0) {
                EXPECT_LT(group->members[i - 1]->GetIdentity(), group->members[i]->GetIdentity());
            }
        }
    }
}

TEST(GroupAndWorld, UpdateAndRenderVisitEveryEntityOnceInIdentityOrder) {
    Log log;
    ShuffledWorld shuffled(log);
    shuffled.world->Update(0.5f);
    shuffled.world->Render(nullptr);
    EXPECT_EQ(log,
              (Log{"update e1", "update e2", "update e3", "update e4", "update e5", "update e6",
                   "render e1", "render e2", "render e3", "render e4", "render e5", "render e6"}));
}

TEST(GroupAndWorld, DestroyingTheWorldDeletesEveryObjectOnceLastFirst) {
    Log log;
    { ShuffledWorld shuffled(log); }
    EXPECT_EQ(log, (Log{"~g2", "~e6", "~e5", "~e4", "~g1", "~e3", "~e2", "~e1"}));
}

TEST(GroupAndWorld, EmptyWorldAndEmptyGroupsDoNothing) {
    cWorld world;
    world.Update(1.0f);
    world.Render(nullptr);
    EXPECT_TRUE(world.groups.empty());

    world.AddGroup(new cGroup(world));
    world.AddGroup(new cGroup(world));
    world.Update(1.0f);
    world.Render(nullptr);
    EXPECT_EQ(world.groups.size(), 2u);
    EXPECT_EQ(world.groups[0]->world, &world);
}

// A real entity driven through the chain is stepped exactly once per frame.
TEST(GroupAndWorld, WorldUpdateStepsAPlainEntityOncePerCall) {
    cWorld world;
    auto* group = new cGroup(world);
    world.AddGroup(group);
    auto* entity = new cEntity(world, 1, 100.0f, 10.0f, 50.0f, 20.0f, 1, 1, 1);
    entity->velocity = {2, 0, 0};
    group->AddEntity(entity);
    world.Update(0.5f);
    world.Update(0.5f);
    EXPECT_EQ(entity->position, (Vector3{2, 0, 0}));
}

}  // namespace

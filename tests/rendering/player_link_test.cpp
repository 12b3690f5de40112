#include "rendering/player_link.h"

#include <gtest/gtest.h>

#include "framework/player.h"
#include "simulation/entity.h"
#include "simulation/world.h"

namespace {

TEST(PlayerLink, CopiesOnlyThePositionAndIgnoresMissingParts) {
    cWorld world;
    cPlayerEntity entity(world, 2);
    entity.velocity = {1, 2, 3};
    RenderLib::CPlayer player;
    player.Move({10, 20, 30}, false);

    CopyPlayerPosition(nullptr, &player, 0.1f);
    CopyPlayerPosition(&entity, nullptr, 0.1f);
    EXPECT_EQ(entity.position, (Vector3{0, 0, 0}));

    CopyPlayerPosition(&entity, &player, 0.1f);
    EXPECT_EQ(entity.position, (Vector3{10, 20, 30}));
    EXPECT_EQ(entity.velocity, (Vector3{1, 2, 3}));
}

}  // namespace

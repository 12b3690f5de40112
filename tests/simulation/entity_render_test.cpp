#include <gtest/gtest.h>

#include "framework/render_object.h"
#include "platform/gfx/recording/recording_device.h"
#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/world.h"

namespace {

// A drawable that counts its draws and remembers the arguments.
class CountingObject : public RenderLib::CRenderObject {
public:
    HRESULT Release() override { return S_OK; }
    HRESULT Render(IDirect3DDevice9* device, DWORD first, DWORD second) override {
        ++draws;
        lastDevice = device;
        lastArguments = {first, second};
        return S_OK;
    }
    HRESULT GetBounds(float box[6]) override {
        for (int i = 0; i < 6; ++i) box[i] = 0;
        return S_OK;
    }

    int draws = 0;
    IDirect3DDevice9* lastDevice = nullptr;
    std::pair<DWORD, DWORD> lastArguments;
};

class DrawingTest : public ::testing::Test {
protected:
    DrawingTest() : device(new RecordingDevice(log, CapableCaps(), {})) {}
    ~DrawingTest() override { device->Release(); }

    cEntity* AddFish(cGroup& group, Vector3 position) {
        auto* fish = new cEntity(world, 1, 300, 10, 50, 20, 1, 0.2f, 1);
        fish->position = position;
        group.AddEntity(fish);
        return fish;
    }

    std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
    RecordingDevice* device;
    cWorld world;
};

TEST_F(DrawingTest, EmptyWorldsAndGroupsDrawNothing) {
    world.Render(device);
    world.AddGroup(new cGroup(world));
    world.AddGroup(new cGroup(world));
    world.Render(device);
    EXPECT_TRUE(log->Lines().empty());
}

TEST_F(DrawingTest, AnEntityWithoutModelLeavesTheDeviceAlone) {
    auto* group = new cGroup(world);
    world.AddGroup(group);
    AddFish(*group, {1, 2, 3});
    world.Render(device);
    EXPECT_TRUE(log->Lines().empty());
}

TEST_F(DrawingTest, AnEntityPosesItsModelAndDrawsItOnce) {
    auto* group = new cGroup(world);
    world.AddGroup(group);
    cEntity* fish = AddFish(*group, {5, -6, 7});
    fish->orientation = QuaternionFromYawPitchRoll(1.5707964f, 0, 0);
    CountingObject mesh;
    RenderLib::CModelInstance instance;
    instance.object = &mesh;
    fish->model = &instance;

    world.Render(device);

    EXPECT_EQ(mesh.draws, 1);
    EXPECT_EQ(mesh.lastDevice, device);
    EXPECT_EQ(mesh.lastArguments, (std::pair<DWORD, DWORD>{1, 1}));
    const Matrix4 expected = TransformFromRotationTranslation(fish->orientation, fish->position);
    const Matrix4& world = device->transforms.at(D3DTS_WORLD);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(instance.world.m[r][c], expected.m[r][c]);
            EXPECT_EQ(world.m[r][c], expected.m[r][c]);
        }
    }
    EXPECT_EQ(log->Matching("SetTransform(").size(), 1u);
}

TEST_F(DrawingTest, EveryEntityIsDrawnOncePerFrameAndThePlayerEntityNever) {
    auto* school = new cGroup(world);
    auto* playerGroup = new cGroup(world);
    world.AddGroup(school);
    world.AddGroup(playerGroup);
    CountingObject mesh;
    RenderLib::CModelInstance instances[3];
    for (auto& instance : instances) {
        instance.object = &mesh;
        AddFish(*school, {})->model = &instance;
    }
    auto* player = new cPlayerEntity(world, 2);
    RenderLib::CModelInstance playerInstance;
    playerInstance.object = &mesh;
    player->model = &playerInstance;
    playerGroup->AddEntity(player);

    world.Render(device);
    EXPECT_EQ(mesh.draws, 3);
}

}  // namespace

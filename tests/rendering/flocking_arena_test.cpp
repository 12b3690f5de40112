#include "rendering/flocking_arena_render_engine.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/recording/recording_device.h"
#include "platform/gfx/recording/recording_window.h"
#include "platform/window/system.h"
#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/group_behaviors.h"
#include "simulation/individual_behaviors.h"
#include "simulation/random_source.h"
#include "tests/rendering/engine_fixture.h"

namespace {

using namespace RenderLib;
using rendering_test::FakeClock;

constexpr double kFrame = 1.0 / 60.0;

// The arena on the recording device, started in the folder that holds the
// generated Data/ (the build's bin folder), so models and sky box load.
class ArenaTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(QUORVANE_BIN_DIR);
        SharedRandom().Seed(1);
        direct3D = new RecordingDirect3D();
        direct3D->adapters.push_back(TypicalAdapter());
        RecordingDirect3D* installed = direct3D;
        SetDirect3DFactory([installed](UINT) {
            installed->AddRef();
            return installed;
        });
        SetMessageBoxPresenter([this](HWND, const std::string& text, const std::string&, UINT) {
            messages.push_back(text);
        });
        ClearQuitRequest();
        ReleaseCapture();
        ClearKeyboardState();
        SetVirtualCursor(0, 0);
        engine = std::make_unique<CFlockingArenaRenderEngine>(clock);
        ASSERT_TRUE(engine->Initialize(&window));
        Log().Clear();
    }

    void TearDown() override {
        engine.reset();
        SetDirect3DFactory({});
        SetMessageBoxPresenter({});
        ClearKeyboardState();
        ReleaseCapture();
        direct3D->Release();
        std::filesystem::current_path(previousFolder);
    }

    CallLog& Log() { return direct3D->Log(); }
    RecordingDevice& Device() { return *direct3D->lastDevice; }

    void Frame(double seconds = kFrame) {
        clock.Advance(seconds);
        engine->RenderFrame();
    }

    // The log lines from the first line starting with from up to (not
    // including) the next line starting with to.
    std::vector<std::string> Between(const std::string& from, const std::string& to) {
        std::vector<std::string> lines;
        bool inside = false;
        for (const std::string& line : Log().Lines()) {
            if (!inside && line.rfind(from, 0) == 0) {
                inside = true;
                continue;
            }
            if (inside && line.rfind(to, 0) == 0) {
                break;
            }
            if (inside) {
                lines.push_back(line);
            }
        }
        return lines;
    }

    std::vector<Vector3> FishPositions() {
        std::vector<Vector3> positions;
        for (cGroup* group : engine->world.groups) {
            for (cEntity* member : group->members) {
                if (member->typeId == 1) positions.push_back(member->position);
            }
        }
        return positions;
    }

    std::filesystem::path previousFolder;
    RecordingDirect3D* direct3D = nullptr;
    RecordingWindow window{1280, 800};
    FakeClock clock;
    std::vector<std::string> messages;
    std::unique_ptr<CFlockingArenaRenderEngine> engine;
};

TEST_F(ArenaTest, BuildsTheStartUpSceneAroundThePlayer) {
    EXPECT_EQ(engine->clearColor, 0x00004080u);
    EXPECT_EQ(engine->FishCount(), 28);
    EXPECT_EQ(engine->world.groups.size(), 5u);
    ASSERT_EQ(engine->behaviors.size(), 6u);
    EXPECT_NE(dynamic_cast<cSeparationBehavior*>(engine->behaviors[0]), nullptr);
    EXPECT_NE(dynamic_cast<cCruisingBehavior*>(engine->behaviors[4]), nullptr);
    EXPECT_NE(dynamic_cast<cStayWithinSphereBehavior*>(engine->behaviors[5]), nullptr);
    EXPECT_TRUE(std::is_sorted(engine->fishModels.begin(), engine->fishModels.end()));
    ASSERT_NE(engine->camera, nullptr);
    EXPECT_EQ(engine->camera, engine->player.GetCamera());
    EXPECT_EQ(engine->camera->GetMode(), FreeFlight);
    EXPECT_EQ(engine->camera->GetPosition(), (Vector3{0, 20, -90}));
    EXPECT_EQ(engine->player.GetPosition(), (Vector3{0, 0, 0}));
    EXPECT_EQ(engine->player.maxVelocityY, 400.0f);
    for (IDirect3DTexture9* texture : engine->skyBoxTextures) {
        EXPECT_NE(texture, nullptr);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(ArenaTest, EveryFishSharesTheSixBehavioursAndSchoolsAlternateMeshes) {
    int school = 0;
    for (cGroup* group : engine->world.groups) {
        if (group->members.front()->typeId != 1) continue;
        const CRenderObject* expected =
            school % 2 == 0 ? static_cast<CRenderObject*>(&engine->blackbassMesh)
                            : static_cast<CRenderObject*>(&engine->bluegillMesh);
        for (cEntity* fish : group->members) {
            EXPECT_EQ(fish->behaviors.size(), 6u);
            ASSERT_NE(fish->model, nullptr);
            EXPECT_EQ(fish->model->object, expected);
        }
        ++school;
    }
    EXPECT_EQ(school, 4);
}

TEST_F(ArenaTest, DrawsFogThenTheSkyBoxThenRestoresItsStates) {
    Frame();
    const std::vector<std::string> scene = Between("BeginScene(", "EndScene(");
    ASSERT_GE(scene.size(), 30u);
    const std::vector<std::string> fog(scene.begin(), scene.begin() + 4);
    EXPECT_EQ(fog, (std::vector<std::string>{"SetRenderState(28, 1)", "SetRenderState(34, 16512)",
                                             "SetRenderState(35, 1)",
                                             "SetRenderState(38, 981668463)"}));
    EXPECT_EQ(scene[4].rfind("SetTransform(256", 0), 0u);
    const std::vector<std::string> skyStates(scene.begin() + 5, scene.begin() + 11);
    EXPECT_EQ(skyStates,
              (std::vector<std::string>{"SetRenderState(137, 0)", "SetRenderState(14, 0)",
                                        "SetSamplerState(0, 1, 3)", "SetSamplerState(0, 2, 3)",
                                        "SetTextureStageState(1, 1, 1)",
                                        "SetTextureStageState(0, 24, 0)"}));
    EXPECT_EQ(scene[11], "SetFVF(322)");
    EXPECT_EQ(scene[12].rfind("SetIndices(ptr", 0), 0u);
    EXPECT_EQ(scene[13].rfind("SetStreamSource(0, ptr, 0, 24", 0), 0u);
    for (int face = 0; face < 6; ++face) {
        EXPECT_EQ(scene[14 + 2 * face].rfind("SetTexture(0, ptr", 0), 0u);
        EXPECT_EQ(scene[15 + 2 * face],
                  "DrawIndexedPrimitive(5, 0, 0, 24, " + std::to_string(4 * face) + ", 2)");
    }
    const std::vector<std::string> restore(scene.begin() + 26, scene.begin() + 29);
    EXPECT_EQ(restore, (std::vector<std::string>{"SetSamplerState(0, 1, 1)",
                                                 "SetSamplerState(0, 2, 1)",
                                                 "SetRenderState(14, 1)"}));
    EXPECT_EQ(scene[29].rfind("SetTransform(256", 0), 0u);
    // The last call of the scene puts the identity world transform back.
    EXPECT_EQ(scene.back().rfind("SetTransform(256", 0), 0u);
    const Matrix4 identity;
    const Matrix4& world = Device().transforms.at(D3DTS_WORLD);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) EXPECT_EQ(world.m[r][c], identity.m[r][c]);
    }
}

TEST_F(ArenaTest, DrawsThePikeOnceAndEachKindOfFishWithOneInstancedDraw) {
    // Every fish but one in a row ahead of the camera; the one far behind it
    // is left out.
    float x = -70.0f;
    for (cGroup* group : engine->world.groups) {
        for (cEntity* member : group->members) {
            member->position = {x += 5.0f, 0.0f, 400.0f};
        }
    }
    engine->world.groups.back()->members.front()->position = {0.0f, 0.0f, -3000.0f};
    Frame();
    // Each model is one skinned subset drawn as a triangle list: the pike
    // once, then one instanced draw per kind of fish for the fish in view.
    EXPECT_EQ(Log().Matching("DrawIndexedPrimitive(4,").size(), 1u + 2u);
    const std::string instancing = "SetStreamSourceFreq(0, ";
    UINT instances = 0;
    int instancedDraws = 0;
    for (const std::string& line : Log().Matching(instancing)) {
        const auto setting = static_cast<UINT>(std::stoul(line.substr(instancing.size())));
        if (setting != 1) {
            EXPECT_EQ(setting & D3DSTREAMSOURCE_INDEXEDDATA, D3DSTREAMSOURCE_INDEXEDDATA);
            instances += setting & ~D3DSTREAMSOURCE_INDEXEDDATA;
            ++instancedDraws;
        }
    }
    EXPECT_EQ(instancedDraws, 2);
    EXPECT_EQ(instances, 27u);
    EXPECT_EQ(engine->flockDrawer.DrawnCount(), 27u);
    EXPECT_EQ(engine->flockDrawer.CulledCount(), 1u);
    EXPECT_EQ(Device().streamFrequencies[0], 1u) << "instancing ends with the flock";

    // Each fish drawing itself: one draw per fish.
    engine->instancedFlock = false;
    Log().Clear();
    Frame();
    EXPECT_EQ(Log().Matching("DrawIndexedPrimitive(4,").size(), 1u + 28u);
    float box[6];
    ASSERT_EQ(engine->bluegillMesh.GetBounds(box), S_OK);
    EXPECT_LT(box[0], box[3]);
    ASSERT_EQ(engine->blackbassMesh.GetBounds(box), S_OK);
    EXPECT_LT(box[0], box[3]);
}

TEST_F(ArenaTest, FishBeyondTheSwitchDistanceAreDrawnWithTheLowDetailModel) {
    // Every other fish straight ahead beyond the switch distance, the rest near.
    int index = 0;
    UINT far = 0;
    for (cGroup* group : engine->world.groups) {
        for (cEntity* member : group->members) {
            const bool distant = index++ % 2 == 1 && member->typeId == 1;
            far += distant ? 1 : 0;
            member->position = {0.0f, 0.0f,
                                distant ? CFlockDrawer::kLowDetailDistance + 1000.0f : 400.0f};
        }
    }
    Frame();
    EXPECT_EQ(engine->flockDrawer.DrawnCount(), 28u);
    EXPECT_EQ(engine->flockDrawer.LowDetailCount(), far);
    // The pike, then per kind of fish one instanced draw of the full model
    // and one of the low-detail model with a few percent of its triangles.
    const std::vector<std::string> draws = Log().Matching("DrawIndexedPrimitive(4,");
    ASSERT_EQ(draws.size(), 1u + 2u * 2u);
    const auto triangles = [&draws](std::size_t i) {
        return std::stod(draws[i].substr(draws[i].rfind(", ") + 2));
    };
    for (std::size_t kind : {1u, 3u}) {
        EXPECT_GT(triangles(kind + 1), 0.02 * triangles(kind));
        EXPECT_LT(triangles(kind + 1), 0.06 * triangles(kind));
    }
}

TEST_F(ArenaTest, OfManyNearFishOnlyTheNearestAreDrawnInFull) {
    // 100 fish ahead within the switch distance, standing still for the
    // frame: at distances that grow along the world order, or all at one
    // distance (the first in world order are drawn in full).
    for (const bool sameDistance : {false, true}) {
        engine->RebuildFlock(100);
        float step = 0.0f;
        UINT nearestOfFirstModel = 0;  // full-detail fish expected of the first model drawn
        const CRenderObject* firstModel = nullptr;
        for (cGroup* group : engine->world.groups) {
            for (cEntity* member : group->members) {
                if (dynamic_cast<cPlayerEntity*>(member) != nullptr) {
                    continue;
                }
                firstModel = firstModel != nullptr ? firstModel : member->model->object;
                const bool full = step < CFlockDrawer::kFullDetailFish;
                nearestOfFirstModel += full && member->model->object == firstModel ? 1 : 0;
                member->position = {0.0f, 0.0f, sameDistance ? 400.0f : 400.0f + 10.0f * step};
                member->velocity = {};
                step += 1.0f;
            }
        }
        Log().Clear();
        Frame();
        EXPECT_EQ(engine->flockDrawer.DrawnCount(), 100u);
        EXPECT_EQ(engine->flockDrawer.LowDetailCount(), 100u - CFlockDrawer::kFullDetailFish);
        // The first instanced draw is the full model of the first fish.
        const std::string instancing = "SetStreamSourceFreq(0, ";
        const std::vector<std::string> counts = Log().Matching(instancing);
        ASSERT_FALSE(counts.empty());
        EXPECT_EQ(std::stoul(counts.front().substr(instancing.size())) &
                      ~D3DSTREAMSOURCE_INDEXEDDATA,
                  nearestOfFirstModel)
            << (sameDistance ? "same distance" : "growing distance");
    }
}

TEST_F(ArenaTest, HeldUpAndDownKeysCancelWhileUpAloneAccelerates) {
    SetKeyDown(VK_UP, true);
    SetKeyDown(VK_DOWN, true);
    Frame();
    EXPECT_EQ(engine->player.GetPosition(), (Vector3{0, 0, 0}));
    SetKeyDown(VK_DOWN, false);
    Frame();
    Frame();
    EXPECT_GT(engine->player.GetPosition().z, 0.0f);
    EXPECT_EQ(engine->player.GetPosition().x, 0.0f);
}

TEST_F(ArenaTest, ADragWithoutMotionTurnsNothingAndPinsTheHiddenCursor) {
    SetVirtualCursor(400, 300);
    engine->OnLButtonDown(0, 10, 10);
    EXPECT_EQ(GetCapture(), &window);
    const Vector3 look = engine->player.GetLook();
    Frame();
    EXPECT_EQ(engine->player.GetLook(), look);
    EXPECT_FALSE(CursorVisible());
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 400);
    EXPECT_EQ(cursor.y, 300);
    engine->OnLButtonUp(0, 10, 10);
    EXPECT_EQ(GetCapture(), nullptr);
    ShowCursor(true);
}

TEST_F(ArenaTest, MouseMotionTurnsAndTheRightButtonMakesItRoll) {
    SetVirtualCursor(400, 300);
    engine->OnLButtonDown(0, 0, 0);
    MoveVirtualCursorBy(30, 0);  // 10 degrees of yaw
    Frame();
    const Vector3 look = engine->player.GetLook();
    EXPECT_NEAR(look.x, std::sin(10.0f * 0.017453292f), 1e-4);
    EXPECT_NEAR(engine->player.GetUp().y, 1.0f, 1e-6);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 400);

    SetKeyDown(VK_RBUTTON, true);
    MoveVirtualCursorBy(30, 0);  // now 10 degrees of roll, no yaw
    Frame();
    EXPECT_NEAR(engine->player.GetLook().x, look.x, 1e-5);
    EXPECT_LT(engine->player.GetUp().y, 0.999f);
    engine->OnLButtonUp(0, 0, 0);
    ShowCursor(true);
}

TEST_F(ArenaTest, TheRightButtonAloneDoesNothing) {
    SetKeyDown(VK_RBUTTON, true);
    MoveVirtualCursorBy(50, 50);
    const Vector3 up = engine->player.GetUp();
    const Vector3 look = engine->player.GetLook();
    Frame();
    EXPECT_EQ(engine->player.GetUp(), up);
    EXPECT_EQ(engine->player.GetLook(), look);
}

TEST_F(ArenaTest, AResizeGivesTheNextProjectionTheNewAspectRatio) {
    window.SetClientSize(800, 300);  // the window was resized, then told the engine
    engine->OnSize(0, 800, 300);
    EXPECT_EQ(engine->viewport.width, 800);
    EXPECT_EQ(engine->viewport.height, 300);
    const D3DMATRIX& projection = Device().transforms.at(D3DTS_PROJECTION);
    EXPECT_NEAR(projection.m[1][1] / projection.m[0][0], 800.0f / 300.0f, 1e-5);
}

TEST_F(ArenaTest, MinimisingStopsTheFlockAndResumingCausesNoJump) {
    for (int i = 0; i < 10; ++i) Frame();
    engine->OnSize(1, 0, 0);
    const std::vector<Vector3> before = FishPositions();
    Log().Clear();
    for (int i = 0; i < 120; ++i) Frame();  // two seconds minimised
    EXPECT_EQ(FishPositions().size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(FishPositions()[i], before[i]);
    }
    EXPECT_TRUE(Log().Matching("Present(").empty());

    engine->OnSize(0, 1280, 800);
    Frame();
    const std::vector<Vector3> after = FishPositions();
    const float maxStep = static_cast<float>(kFrame) * 50.0f * 1.01f;  // maxSpeed 50
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_LE(Length(after[i] - before[i]), maxStep);
    }
}

TEST_F(ArenaTest, ANewSeparationDistanceReachesEveryFish) {
    auto* separation = dynamic_cast<cSeparationBehavior*>(engine->behaviors[0]);
    ASSERT_NE(separation, nullptr);
    separation->separationDistance = 100.0f;
    for (cGroup* group : engine->world.groups) {
        for (cEntity* member : group->members) {
            if (member->typeId != 1) continue;
            EXPECT_EQ(std::count(member->behaviors.begin(), member->behaviors.end(), separation), 1);
        }
    }
}

}  // namespace

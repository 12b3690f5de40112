#include "rendering/flocking_arena_render_engine.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/matrix_helpers.h"
#include "platform/gfx/recording/recording_device.h"
#include "platform/gfx/recording/recording_window.h"
#include "platform/window/system.h"
#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/group_behaviors.h"
#include "simulation/individual_behaviors.h"
#include "simulation/random_source.h"
#include "tests/rendering/engine_fixture.h"
#include "tests/rendering/screen_projection.h"

namespace {

using namespace RenderLib;
using rendering_test::FakeClock;

constexpr double kFrame = 1.0 / 60.0;

// A counter of 60 ticks per second: a frame of one tick measures exactly
// 1.0f / 60.0f, the length of a Step.
class SixtyHertzClock : public Clock {
public:
    bool QueryPerformanceFrequency(std::int64_t* frequency) override {
        *frequency = 60;
        return true;
    }
    std::int64_t QueryPerformanceCounter() override { return ticks; }
    std::uint32_t TimeGetTime() override { return 0; }
    std::int64_t ticks = 0;
};

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

// ---- Time and cameras ----

// A second arena on its own window and clock, built from a fresh generator.
struct SecondArena {
    explicit SecondArena(Clock& clock, int fish = 0) : engine(clock) {
        SharedRandom().Seed(1);
        engine.flockScenario.totalFish = fish;
        EXPECT_TRUE(engine.Initialize(&window));
    }
    RecordingWindow window{1280, 800};
    CFlockingArenaRenderEngine engine;
};

std::vector<Vector3> PositionsOf(const CFlockingArenaRenderEngine& engine) {
    std::vector<Vector3> positions;
    for (const cGroup* group : engine.world.groups) {
        for (const cEntity* member : group->members) {
            if (member->typeId == 1)
                positions.push_back(member->position);
        }
    }
    return positions;
}

TEST_F(ArenaTest, PauseFreezesFlockAndPikeAndAStepIsOneUnpausedFrame) {
    engine->TogglePause();
    const std::vector<Vector3> start = FishPositions();
    SetKeyDown(VK_UP, true);  // held: a running pike would swim off
    for (int i = 0; i < 100; ++i)
        Frame();
    SetKeyDown(VK_UP, false);
    EXPECT_EQ(FishPositions(), start);
    EXPECT_EQ(engine->player.GetPosition(), (Vector3{0, 0, 0}));
    EXPECT_EQ(engine->simulatedSeconds, 0.0);
    EXPECT_NE(window.GetText().find("Paused"), std::string::npos) << window.GetText();

    engine->StepFrame();
    Frame();
    EXPECT_EQ(engine->FrameSeconds(), CFlockingArenaRenderEngine::kStepSeconds);
    const std::vector<Vector3> stepped = FishPositions();
    Frame();
    EXPECT_EQ(FishPositions(), stepped) << "one step, then still again";

    SixtyHertzClock sixty;  // the same flock, running, one frame of 1/60 s
    SecondArena running(sixty);
    sixty.ticks = 1;
    running.engine.RenderFrame();
    EXPECT_EQ(PositionsOf(running.engine), stepped);

    engine->TogglePause();
    Frame();
    EXPECT_LE(engine->FrameSeconds(), kFrame * 1.01) << "no jump on resuming";
    EXPECT_EQ(window.GetText().find("Paused"), std::string::npos);
}

TEST_F(ArenaTest, ResetRebuildsTheFreshStartBitForBitAtAnyFlockSize) {
    for (const int fish : {0, 100}) {
        SCOPED_TRACE(fish);
        SixtyHertzClock fixed;
        SecondArena fresh(fixed, fish);
        fresh.engine.viewSettings.paused = true;
        const std::vector<Vector3> atStart = PositionsOf(fresh.engine);
        for (int i = 0; i < 3; ++i) {
            fresh.engine.StepFrame();
            fresh.engine.RenderFrame();
        }
        const std::vector<Vector3> afterSteps = PositionsOf(fresh.engine);

        if (fish > 0)
            engine->RebuildFlock(fish);  // the Flock Size box
        SetKeyDown(VK_UP, true);
        for (int i = 0; i < 30; ++i)
            Frame();
        SetKeyDown(VK_UP, false);
        engine->ResetFlock();
        EXPECT_EQ(FishPositions(), atStart);
        EXPECT_EQ(engine->player.GetPosition(), (Vector3{0, 0, 0}));
        EXPECT_EQ(engine->simulatedSeconds, 0.0);
        engine->viewSettings.paused = true;
        for (int i = 0; i < 3; ++i) {
            engine->StepFrame();
            Frame();
        }
        EXPECT_EQ(FishPositions(), afterSteps) << "the generator is back where it was too";
        engine->viewSettings.paused = false;
    }
}

void ExpectViewLooksAt(const D3DMATRIX& view, const Vector3& eye, const Vector3& target) {
    const Matrix4 expected = MatrixLookAtLH(eye, target, Vector3{0, 1, 0});
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_NEAR(view.m[row][column], expected.m[row][column], 2e-3f)
                << row << "," << column;
        }
    }
}

Vector3 SchoolCentroid(const CFlockingArenaRenderEngine& engine, int school) {
    const cGroup* group = engine.world.groups.at(1 + school);  // the player's group is first
    Vector3 sum;
    for (const cEntity* fish : group->members)
        sum += fish->position;
    return sum * (1.0f / static_cast<float>(group->members.size()));
}

// The pike at (100, 50, 0) facing +x, nearest to school 2 (around (200, 0, 0)).
TEST_F(ArenaTest, EachCameraGivesItsViewForAKnownPikePose) {
    engine->player.Rotate(0, 90, 0);
    engine->player.Move({100, 50, 0}, false);
    engine->viewSettings.paused = true;  // the pose stays put
    const auto viewAfterFrame = [&](SceneCamera camera) {
        engine->SetSceneCamera(camera);
        Frame();
        return Device().transforms.at(D3DTS_VIEW);
    };
    // Chase: the offset (0, 20, -90) in the pike's frame, looking along its heading.
    ExpectViewLooksAt(viewAfterFrame(SceneCamera::Chase), {10, 70, 0}, {11, 70, 0});
    ExpectViewLooksAt(viewAfterFrame(SceneCamera::PikesEye), {100, 50, 0}, {101, 50, 0});

    // Overview: looks at the sphere's centre from far enough to hold all of it.
    const D3DMATRIX overview = viewAfterFrame(SceneCamera::Overview);
    const Vector3 centre = TransformCoord(Vector3{0, 0, 0}, overview);
    EXPECT_NEAR(centre.x, 0.0f, 1e-2f);
    EXPECT_NEAR(centre.y, 0.0f, 1e-2f);
    EXPECT_LE(1000.0f / centre.z, std::sin(55.0f / 2 * kDegreesToRadians));
    engine->Zoom(2);  // two notches of the wheel
    Frame();
    EXPECT_NEAR(TransformCoord(Vector3{}, Device().transforms.at(D3DTS_VIEW)).z, centre.z * 0.81f,
                1.0f);

    // Follow School: the school nearest the pike, then the next one.
    const D3DMATRIX school = viewAfterFrame(SceneCamera::FollowSchool);
    EXPECT_EQ(engine->FollowedSchool(), 2);
    const Vector3 seen = TransformCoord(SchoolCentroid(*engine, 2), school);
    EXPECT_NEAR(seen.x, 0.0f, 1e-2f);
    EXPECT_NEAR(seen.y, 0.0f, 1e-2f);
    engine->NextSchool();
    Frame();
    EXPECT_EQ(engine->FollowedSchool(), 3);
    const Vector3 next =
        TransformCoord(SchoolCentroid(*engine, 3), Device().transforms.at(D3DTS_VIEW));
    EXPECT_NEAR(next.x, 0.0f, 1e-2f);

    // The wheel brings the chase camera nearer the pike.
    engine->SetSceneCamera(SceneCamera::Chase);
    Frame();
    const float before = Length(engine->camera->GetPosition() - engine->player.GetPosition());
    engine->Zoom(1);
    EXPECT_NEAR(Length(engine->camera->GetPosition() - engine->player.GetPosition()), before * 0.9f,
                1e-2f);
}

}  // namespace

// Every overlay on with a fish selected: one line-list draw after the flock,
// with lighting and fog off and depth testing on. With every overlay off
// nothing more is drawn and no fish is observed.
TEST_F(ArenaTest, OverlaysAreOneDepthTestedUnlitLineListAfterTheFlock) {
    SceneViewSettings& view = engine->viewSettings;
    view.showSphere = view.showRadii = view.showNeighbours = view.showForces = true;
    view.showCentroids = true;
    view.selectedFish = 0;
    Frame();
    Log().Clear();
    Frame();
    const std::vector<std::string> lines = Log().Lines();
    std::map<std::string, std::string> renderStates;  // state number → last value
    int lineLists = 0;
    for (const std::string& line : lines) {
        if (line.rfind("SetRenderState(", 0) == 0) {
            const auto comma = line.find(", ");
            renderStates[line.substr(15, comma - 15)] = line.substr(comma + 2);
        }
        if (line.rfind("DrawPrimitive(2, 0, ", 0) == 0) {
            ++lineLists;
            EXPECT_EQ(renderStates["137"], "0)") << "lighting";
            EXPECT_EQ(renderStates["28"], "0)") << "fog";
            EXPECT_EQ(renderStates["7"], "1)") << "depth test";
        }
    }
    EXPECT_EQ(lineLists, 1);
    EXPECT_GT(engine->overlayLines.LineCount(), 0u);
    // Velocity, steering and six shares: the recorded step's forces are drawn.
    EXPECT_TRUE(engine->world.Observation().recorded);
    EXPECT_EQ(engine->world.Observed(), engine->FishAt(0));

    view = {};
    Frame();
    Log().Clear();
    Frame();
    EXPECT_TRUE(Log().Matching("DrawPrimitive(").empty());
    EXPECT_EQ(engine->world.Observed(), nullptr);
}

// A click on the projected centre of the fish nearest the eye selects it; a
// drag from there selects nothing new; a click where no fish is clears; a
// rebuilt flock too small for the selection clears it.
TEST_F(ArenaTest, AClickPicksTheFishUnderThePointerAndADragDoesNot) {
    Frame();
    int target = -1;
    std::optional<rendering_test::ScreenPoint> at;
    float nearest = 1e30f;
    const Vector3 eye = engine->camera->GetPosition();
    for (int index = 0; index < engine->FishCount(); ++index) {
        const Vector3 position = engine->FishAt(index)->position;
        const auto screen = rendering_test::ProjectToScreen(Device(), position, 40.0f);
        if (screen && Length(position - eye) < nearest) {
            nearest = Length(position - eye);
            target = index;
            at = screen;
        }
    }
    ASSERT_GE(target, 0) << "no fish in view";
    const auto x = static_cast<std::int32_t>(at->x), y = static_cast<std::int32_t>(at->y);
    engine->OnLButtonDown(0, x, y);
    engine->OnLButtonUp(0, x + 2, y - 2);
    EXPECT_EQ(engine->viewSettings.selectedFish, target);

    engine->viewSettings.selectedFish = -1;
    engine->OnLButtonDown(0, x, y);
    engine->OnLButtonUp(0, x + 30, y);
    EXPECT_EQ(engine->viewSettings.selectedFish, -1) << "a drag is no click";

    engine->viewSettings.selectedFish = target;
    engine->camera->SetPosition(eye + Vector3{0, 5000, 0});  // nothing above the arena
    engine->camera->ApplyView(&Device());
    engine->OnLButtonDown(0, 640, 400);
    engine->OnLButtonUp(0, 640, 400);
    EXPECT_EQ(engine->viewSettings.selectedFish, -1);

    engine->viewSettings.selectedFish = engine->FishCount() - 1;
    engine->RebuildFlock(kMinimumFlockSize);
    EXPECT_EQ(engine->viewSettings.selectedFish, -1);
}

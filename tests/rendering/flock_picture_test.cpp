// The arena drawn for real at the program's default window size: the
// start-up flock drawn with one instanced draw per kind of fish looks exactly
// as it does with every fish drawing itself, byte for byte; the overlays land
// where the camera's matrices put them.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/gfx/opengl/opengl_direct3d.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/window.h"
#include "rendering/flocking_arena_render_engine.h"
#include "rendering/scene_overlays.h"
#include "simulation/entity.h"
#include "simulation/group_behaviors.h"
#include "simulation/individual_behaviors.h"
#include "simulation/random_source.h"
#include "tests/rendering/engine_fixture.h"
#include "tests/rendering/screen_projection.h"

namespace {

using namespace RenderLib;

class FlockPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder_ = std::filesystem::current_path();
        std::filesystem::current_path(QUORVANE_BIN_DIR);  // the generated Data/
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        std::string error;
        ASSERT_TRUE(InstallSdlWindowSystem(&error)) << error;
        SDL_GL_LoadLibrary(nullptr);  // kept loaded: see mesa_leak_suppressions.cpp
        InstallOpenGLDirect3D();
        WindowCreation creation;
        creation.title = "flock picture";
        creation.width = 1280;
        creation.height = 800;
        window_ = CreatePlatformWindow(creation);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        if (window_ != nullptr) {
            DestroyPlatformWindow(window_);
        }
        SetDirect3DFactory({});
        std::filesystem::current_path(previousFolder_);
    }

    // The scene after frames of a sixtieth of a second from the start-up
    // flock; the fish drawn and left out in the last frame.
    std::vector<std::uint8_t> Picture(bool instanced, UINT& drawn, UINT& culled) {
        SharedRandom().Seed(1);
        rendering_test::FakeClock clock;
        CFlockingArenaRenderEngine engine(clock);
        engine.instancedFlock = instanced;
        EXPECT_TRUE(engine.Initialize(window_));
        for (int frame = 0; frame < 30; ++frame) {
            clock.Advance(1.0 / 60.0);
            engine.RenderFrame();
        }
        std::vector<std::uint8_t> rgba;
        UINT width = 0;
        UINT height = 0;
        EXPECT_EQ(engine.device->ReadBackBuffer(rgba, width, height), D3D_OK);
        EXPECT_EQ(width, 1280u);
        drawn = engine.flockDrawer.DrawnCount();
        culled = engine.flockDrawer.CulledCount();
        return rgba;
    }

    std::filesystem::path previousFolder_;
    HWND window_ = nullptr;
};

TEST_F(FlockPictureTest, InstancedDrawingShowsTheStartUpFlockExactlyAsBefore) {
    UINT drawn = 0;
    UINT culled = 0;
    const std::vector<std::uint8_t> eachFish = Picture(false, drawn, culled);
    const std::vector<std::uint8_t> instanced = Picture(true, drawn, culled);
    ASSERT_FALSE(eachFish.empty());
    EXPECT_GT(drawn, 0u) << "fish should be in view";
    EXPECT_EQ(drawn + culled, 28u);
    EXPECT_TRUE(eachFish == instanced) << "the pictures differ";
}

}  // namespace

namespace {

// Of the vertices of the sphere's meridian in the x-y plane (facing the
// camera, which looks along z) that project into the view: how many, and how
// many of them have colour (alpha aside) within one pixel.
struct MeridianCount {
    int projected = 0;
    int shown = 0;
};
MeridianCount MeridianShown(IDirect3DDevice9& device, const std::vector<std::uint8_t>& rgba,
                            const Vector3& centre, float radius, D3DCOLOR colour) {
    const auto near = [&](int x, int y) {
        const std::size_t at = (static_cast<std::size_t>(y) * 1280 + x) * 4;
        for (int channel = 0; channel < 3; ++channel) {
            const int wanted = static_cast<int>((colour >> (16 - 8 * channel)) & 0xFF);
            if (std::abs(rgba[at + channel] - wanted) > 4)
                return false;
        }
        return true;
    };
    MeridianCount count;
    for (int step = 0; step < COverlayLines::kCircleSegments; ++step) {
        const float angle =
            2.0f * std::numbers::pi_v<float> * step / COverlayLines::kCircleSegments;
        const Vector3 offset{radius * std::cos(angle), radius * std::sin(angle), 0.0f};
        const auto at = rendering_test::ProjectToScreen(device, centre + offset);
        if (!at)
            continue;
        ++count.projected;
        bool shown = false;
        for (int d = 0; d < 9; ++d) {
            shown = shown ||
                    near(static_cast<int>(at->x) + d % 3 - 1, static_cast<int>(at->y) + d / 3 - 1);
        }
        count.shown += shown ? 1 : 0;
    }
    return count;
}

}  // namespace

// The stay-in sphere (moved ahead of the camera: seen from its centre a
// sphere of any size looks the same) and the three radii of the fish best in
// view show where projected, and did not before their overlays were on. Fish
// in front may hide a few points (the lines are depth tested).
TEST_F(FlockPictureTest, OverlaySpheresLandWhereTheProjectionPutsThem) {
    SharedRandom().Seed(1);
    rendering_test::FakeClock clock;
    CFlockingArenaRenderEngine engine(clock);
    ASSERT_TRUE(engine.Initialize(window_));
    auto* sphere = dynamic_cast<cStayWithinSphereBehavior*>(engine.behaviors[5]);
    const auto* separation = dynamic_cast<const cSeparationBehavior*>(engine.behaviors[0]);
    const auto* avoidance = dynamic_cast<const cAvoidanceBehavior*>(engine.behaviors[3]);
    ASSERT_TRUE(sphere && separation && avoidance);
    sphere->center = {0.0f, 0.0f, 2500.0f};
    std::vector<std::uint8_t> rgba;
    UINT width = 0, height = 0;
    const auto frame = [&] {
        clock.Advance(1.0 / 60.0);
        engine.RenderFrame();
        ASSERT_EQ(engine.device->ReadBackBuffer(rgba, width, height), D3D_OK);
        ASSERT_EQ(width, 1280u);
    };
    for (int i = 0; i < 20; ++i)
        frame();
    IDirect3DDevice9& device = *engine.device;
    int chosen = 0;
    for (int index = 0, most = -1; index < engine.FishCount(); ++index) {
        const cEntity& fish = *engine.FishAt(index);
        const int projected =
            MeridianShown(device, rgba, fish.position, fish.perceptionRadius, 0).projected;
        if (projected > most) {
            chosen = index;
            most = projected;
        }
    }
    const cEntity& fish = *engine.FishAt(chosen);
    struct Case {
        const char* name;
        const Vector3* centre;  // read again after the fish moves
        float radius;
        D3DCOLOR colour;
    };
    const Case cases[] = {
        {"stay-in sphere", &sphere->center, sphere->radius, kBehaviourColours[5].argb},
        {"perception", &fish.position, fish.perceptionRadius, kPerceptionColour},
        {"separation", &fish.position, separation->separationDistance, kBehaviourColours[0].argb},
        {"avoidance", &fish.position, avoidance->avoidanceDistance, kBehaviourColours[3].argb},
    };
    for (const Case& c : cases) {
        EXPECT_LT(MeridianShown(device, rgba, *c.centre, c.radius, c.colour).shown, 3) << c.name;
    }
    engine.viewSettings.showSphere = engine.viewSettings.showRadii = true;
    engine.viewSettings.selectedFish = chosen;
    frame();
    for (const Case& c : cases) {
        const MeridianCount count = MeridianShown(device, rgba, *c.centre, c.radius, c.colour);
        EXPECT_GE(count.projected, 4) << c.name;
        EXPECT_GE(count.shown * 4, count.projected * 3) << c.name;
    }
}

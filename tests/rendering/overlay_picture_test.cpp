// The overlays drawn for real on the OpenGL device land where the camera's
// matrices put them: points of the stay-in sphere and of a selected fish's
// three radius spheres, projected apart from the engine, show the sphere's
// colour once its overlay is on, and did not before.

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
using rendering_test::ProjectToScreen;

struct Picture {
    std::vector<std::uint8_t> rgba;
    UINT width = 0;

    // Whether a pixel within one of (x, y) has colour (0xAARRGGBB, alpha
    // ignored), each channel within a few steps.
    bool ShowsNear(float x, float y, D3DCOLOR colour) const {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const std::size_t at =
                    (static_cast<std::size_t>(y + dy) * width + static_cast<std::size_t>(x + dx)) *
                    4;
                const auto near = [&](int channel, int shift) {
                    return std::abs(rgba[at + channel] -
                                    static_cast<int>((colour >> shift) & 0xFF)) <= 4;
                };
                if (near(0, 16) && near(1, 8) && near(2, 0)) {
                    return true;
                }
            }
        }
        return false;
    }
};

class OverlayPictureTest : public ::testing::Test {
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
        creation.title = "overlay picture";
        creation.width = 1280;
        creation.height = 800;
        window_ = CreatePlatformWindow(creation);
        ASSERT_NE(window_, nullptr);
        SharedRandom().Seed(1);
        engine_ = std::make_unique<CFlockingArenaRenderEngine>(clock_);
        ASSERT_TRUE(engine_->Initialize(window_));
    }
    void TearDown() override {
        engine_.reset();
        if (window_ != nullptr) {
            DestroyPlatformWindow(window_);
        }
        SetDirect3DFactory({});
        std::filesystem::current_path(previousFolder_);
    }

    Picture Frame() {
        clock_.Advance(1.0 / 60.0);
        engine_->RenderFrame();
        Picture picture;
        UINT height = 0;
        EXPECT_EQ(engine_->device->ReadBackBuffer(picture.rgba, picture.width, height), D3D_OK);
        return picture;
    }

    // Of the vertices of the sphere's meridian in the x-y plane (facing the
    // camera, which looks along z) that project into the view, how many the
    // picture shows in colour.
    struct Count {
        int projected = 0;
        int shown = 0;
    };
    Count MeridianShown(const Picture& picture, const Vector3& centre, float radius,
                        D3DCOLOR colour) {
        Count count;
        for (int step = 0; step < COverlayLines::kCircleSegments; ++step) {
            const float angle =
                2.0f * std::numbers::pi_v<float> * step / COverlayLines::kCircleSegments;
            const Vector3 point =
                centre + Vector3{radius * std::cos(angle), radius * std::sin(angle), 0.0f};
            if (const auto at = ProjectToScreen(*engine_->device, point)) {
                ++count.projected;
                count.shown += picture.ShowsNear(at->x, at->y, colour) ? 1 : 0;
            }
        }
        return count;
    }

    std::filesystem::path previousFolder_;
    HWND window_ = nullptr;
    rendering_test::FakeClock clock_;
    std::unique_ptr<CFlockingArenaRenderEngine> engine_;
};

// The stay-in sphere and the three radii of a fish well in view. Fish in front
// may hide a few points (the lines are depth tested), so most, not all,
// projected points must show.
TEST_F(OverlayPictureTest, SpheresLandWhereTheProjectionPutsThem) {
    for (int frame = 0; frame < 20; ++frame) {
        Frame();
    }
    const auto& behaviors = engine_->behaviors;
    auto* sphere = dynamic_cast<cStayWithinSphereBehavior*>(behaviors[5]);
    const auto* separation = dynamic_cast<const cSeparationBehavior*>(behaviors[0]);
    const auto* avoidance = dynamic_cast<const cAvoidanceBehavior*>(behaviors[3]);
    ASSERT_TRUE(sphere && separation && avoidance);
    // Seen from inside, a sphere of any size about the eye looks the same:
    // this one is moved ahead of the camera so that its size shows.
    sphere->center = {0.0f, 0.0f, 2500.0f};
    // The fish whose largest sphere's meridian projects most into the view.
    int chosen = 0;
    int mostProjected = -1;
    const Picture before = Frame();
    for (int index = 0; index < engine_->FishCount(); ++index) {
        const cEntity& candidate = *engine_->FishAt(index);
        const int projected =
            MeridianShown(before, candidate.position, candidate.perceptionRadius, 0).projected;
        if (projected > mostProjected) {
            chosen = index;
            mostProjected = projected;
        }
    }
    const cEntity& fish = *engine_->FishAt(chosen);
    struct Case {
        const char* name;
        Vector3 centre;
        float radius;
        D3DCOLOR colour;
    };
    const std::vector<Case> cases = {
        {"stay-in sphere", sphere->center, sphere->radius, kBehaviourColours[5].argb},
        {"perception", fish.position, fish.perceptionRadius, kPerceptionColour},
        {"separation", fish.position, separation->separationDistance, kBehaviourColours[0].argb},
        {"avoidance", fish.position, avoidance->avoidanceDistance, kBehaviourColours[3].argb},
    };
    for (const Case& c : cases) {
        EXPECT_LT(MeridianShown(before, c.centre, c.radius, c.colour).shown, 3) << c.name;
    }
    engine_->viewSettings.showSphere = engine_->viewSettings.showRadii = true;
    engine_->viewSettings.selectedFish = chosen;
    // The fish moves in the frame; the spheres are drawn where it stands after.
    const Picture after = Frame();
    const std::vector<Vector3> centres = {sphere->center, fish.position, fish.position,
                                          fish.position};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Count count = MeridianShown(after, centres[i], cases[i].radius, cases[i].colour);
        EXPECT_GE(count.projected, 4) << cases[i].name;
        EXPECT_GE(count.shown * 4, count.projected * 3) << cases[i].name;
    }
}

}  // namespace

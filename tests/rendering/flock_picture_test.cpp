// The start-up flock drawn with one instanced draw per kind of fish looks
// exactly as it does with every fish drawing itself: the scene at the
// program's default window size, after the same frames, byte for byte.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/gfx/opengl/opengl_direct3d.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/window.h"
#include "rendering/flocking_arena_render_engine.h"
#include "simulation/random_source.h"
#include "tests/rendering/engine_fixture.h"

namespace {

using RenderLib::CFlockingArenaRenderEngine;

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

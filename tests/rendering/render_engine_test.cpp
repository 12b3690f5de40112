#include "rendering/render_engine.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace rendering_test {
namespace {

using ::testing::ElementsAre;

// Position of the first line equal to line, or -1.
long IndexOf(const std::vector<std::string>& lines, const std::string& line) {
    const auto found = std::find(lines.begin(), lines.end(), line);
    return found == lines.end() ? -1 : static_cast<long>(found - lines.begin());
}

const std::vector<std::string> kFrameCalls = {
    "hook:ProcessInput", "hook:UpdateScene", "Clear(0, null, 3, 0x0079D3FF, 1, 0)", "BeginScene()",
    "hook:DrawScene",    "EndScene()",       "Present(null, null, null, null)"};

// ---- Construction and Initialize ----

TEST_F(EngineTest, ConstructedEngineHoldsItsDefaults) {
    EXPECT_EQ(engine->device, nullptr);
    EXPECT_EQ(engine->window, nullptr);
    EXPECT_FALSE(engine->active);
    EXPECT_TRUE(engine->hardwareVertexProcessing);
    EXPECT_EQ(engine->fillMode, 3u);
    EXPECT_EQ(engine->minFilter, 2u);
    EXPECT_EQ(engine->maxAnisotropy, 1u);
    EXPECT_EQ(engine->clearFlags, 3u);
    EXPECT_EQ(engine->clearColor, 0x0079D3FFu);
    EXPECT_EQ(engine->settings.windowed, 0);
}

TEST_F(EngineTest, InitializeCreatesLoadsBuildsThenRestores) {
    ASSERT_TRUE(engine->Initialize(&window));
    const auto hooks = Log().Matching("hook:");
    EXPECT_THAT(hooks, ElementsAre("hook:CreateResources", "hook:ReleaseResources",
                                   "hook:SetupScene", "hook:RestoreDeviceState"));
    EXPECT_NE(engine->device, nullptr);
    EXPECT_EQ(engine->window, &window);
    EXPECT_TRUE(engine->active);
    EXPECT_EQ(engine->settings.windowed, 1);
    EXPECT_EQ(engine->viewport.width, 800);
    EXPECT_EQ(engine->viewport.height, 600);
    // A windowed device leaves the given window where it is.
    EXPECT_TRUE(window.placements.empty());
    EXPECT_FALSE(QuitRequested());
    EXPECT_TRUE(messages.empty());
}

TEST_F(EngineTest, FailingCreateResourcesLeavesNoDevice) {
    engine->createResourcesSucceeds = false;
    EXPECT_FALSE(engine->Initialize(&window));
    EXPECT_EQ(engine->device, nullptr);
    EXPECT_EQ(engine->direct3D, nullptr);
    EXPECT_EQ(engine->window, nullptr);
    EXPECT_FALSE(engine->active);
    EXPECT_EQ(References(direct3D), 1u);
    EXPECT_EQ(IndexOf(Log().Lines(), "hook:SetupScene"), -1);
    // Nothing is shown for a failed load.
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(QuitRequested());
}

TEST_F(EngineTest, DeviceWithoutHardwareProcessingIsRecordedAsSoftware) {
    direct3D->adapters[0].devices[D3DDEVTYPE_HAL].DevCaps = 0;
    ASSERT_TRUE(engine->Initialize(&window));
    EXPECT_EQ(engine->settings.windowedSettings.vertexProcessingType,
              RenderLib::VertexProcessingType::Software);
    EXPECT_FALSE(engine->hardwareVertexProcessing);
}

// ---- Device state ----

TEST_F(EngineTest, RestoreDeviceStateIssuesTheDefaultStatesInOrder) {
    StartEngine();
    window.SetClientSize(320, 200);
    engine->RestoreDeviceState();
    const std::string dxt1 = std::to_string(D3DFMT_DXT1);
    const std::string dxt3 = std::to_string(D3DFMT_DXT3);
    EXPECT_THAT(
        Log().Lines(),
        ElementsAre("hook:RestoreDeviceState", "GetDeviceCaps(0, 1, ptr)",
                    "CheckDeviceFormat(0, 1, 22, 0, 3, " + dxt1 + ")",
                    "CheckDeviceFormat(0, 1, 22, 0, 3, " + dxt3 + ")", "SetRenderState(7, 1)",
                    "SetRenderState(26, 1)", "SetRenderState(9, 2)", "SetRenderState(22, 3)",
                    "SetRenderState(137, 0)", "SetSamplerState(0, 6, 2)",
                    "SetSamplerState(0, 5, 2)", "SetSamplerState(0, 7, 2)",
                    "SetSamplerState(0, 10, 1)", "SetSamplerState(1, 6, 2)",
                    "SetSamplerState(1, 5, 2)", "SetSamplerState(1, 7, 2)",
                    "SetSamplerState(1, 10, 1)", "SetSamplerState(1, 1, 3)",
                    "SetSamplerState(1, 2, 3)", "SetRenderState(8, 3)", "SetFVF(578)"));
    EXPECT_EQ(engine->viewport.width, 320);
    EXPECT_EQ(engine->viewport.height, 200);
}

TEST_F(EngineTest, ShutdownUnbindsAndReleasesEverything) {
    StartEngine();
    EXPECT_TRUE(engine->Shutdown());
    EXPECT_THAT(Log().Lines(),
                ElementsAre("hook:ReleaseResources", "SetStreamSource(0, null, 0, 0)",
                            "SetIndices(null)", "SetTexture(0, null)", "SetTexture(1, null)"));
    EXPECT_EQ(engine->device, nullptr);
    EXPECT_EQ(engine->direct3D, nullptr);
    EXPECT_EQ(engine->window, nullptr);
    EXPECT_EQ(References(direct3D), 1u);
    EXPECT_TRUE(engine->Shutdown());  // a second shutdown has nothing left to do
}

TEST_F(EngineTest, DestructionUnbindsTheDeviceWithTheBaseSteps) {
    StartEngine();
    engine.reset();
    EXPECT_THAT(Log().Lines(), ElementsAre("SetStreamSource(0, null, 0, 0)", "SetIndices(null)",
                                           "SetTexture(0, null)", "SetTexture(1, null)"));
    EXPECT_EQ(References(direct3D), 1u);
}

// ---- Frame ----

TEST_F(EngineTest, FrameRunsHooksAndDeviceCallsInOrder) {
    StartEngine();
    EXPECT_EQ(FrameAfter(0.016), D3D_OK);
    EXPECT_EQ(Log().Lines(), kFrameCalls);
    EXPECT_EQ(Device().sceneDepth, 0);
}

TEST_F(EngineTest, FrameUsesTheEngineClearValues) {
    StartEngine();
    engine->clearFlags = D3DCLEAR_TARGET;
    engine->clearColor = 0x00004080;
    engine->clearZ = 0.5f;
    engine->clearStencil = 7;
    FrameAfter(0.016);
    EXPECT_THAT(Log().Matching("Clear("), ElementsAre("Clear(0, null, 1, 0x00004080, 0.5, 7)"));
}

TEST_F(EngineTest, WindowTextChangesOnlyWithTheFrameRate) {
    StartEngine();
    // Frames of 1/8 s: the rate first shows at the tenth frame, holds for
    // the next eight and becomes 9 at the nineteenth.
    for (int frame = 1; frame <= 9; ++frame) {
        FrameAfter(0.125);
    }
    EXPECT_TRUE(window.texts.empty());
    FrameAfter(0.125);
    EXPECT_THAT(window.texts, ElementsAre("Scene : 10 FPS"));
    for (int frame = 11; frame <= 18; ++frame) {
        FrameAfter(0.125);
    }
    EXPECT_THAT(window.texts, ElementsAre("Scene : 10 FPS"));
    FrameAfter(0.125);
    EXPECT_THAT(window.texts, ElementsAre("Scene : 10 FPS", "Scene : 9 FPS"));
    EXPECT_EQ(engine->lastFrameRate, 9u);
    EXPECT_EQ(window.GetText(), "Scene : 9 FPS");
}

TEST_F(EngineTest, MinimisedEngineTicksButTouchesNoDevice) {
    StartEngine();
    engine->OnSize(RenderLib::CRenderEngine::kSizeMinimized, 0, 0);
    EXPECT_FALSE(engine->active);
    for (int frame = 0; frame < 12; ++frame) {
        EXPECT_EQ(FrameAfter(0.125), D3D_OK);
    }
    EXPECT_TRUE(Log().Lines().empty());
    EXPECT_EQ(engine->timer.GetHistoryCount(), 12u);
    EXPECT_TRUE(window.texts.empty());
}

TEST_F(EngineTest, RestoredSizeResetsWithoutMovingTheWindow) {
    StartEngine();
    engine->OnSize(RenderLib::CRenderEngine::kSizeMinimized, 0, 0);
    window.SetClientSize(1024, 700);
    engine->OnSize(0, 1024, 700);
    EXPECT_TRUE(engine->active);
    EXPECT_EQ(engine->viewport.width, 1024);
    EXPECT_EQ(engine->viewport.height, 700);
    const auto& lines = Log().Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().rfind("Reset(", 0), 0u);
    EXPECT_LT(0, IndexOf(lines, "hook:RestoreDeviceState"));
    EXPECT_TRUE(window.placements.empty());
    FrameAfter(0.016);
    EXPECT_EQ(Log().Matching("Present(").size(), 1u);
}

TEST_F(EngineTest, SizeMessageWithoutDeviceOnlyRecordsTheSize) {
    engine->OnSize(0, 300, 200);
    EXPECT_TRUE(engine->active);
    EXPECT_EQ(engine->viewport.width, 300);
    EXPECT_TRUE(Log().Lines().empty());
}

// ---- Lost device ----

TEST_F(EngineTest, LostDeviceSkipsFramesUntilItCanBeReset) {
    StartEngine();
    Device().presentResults = {D3DERR_DEVICELOST};
    Device().testCooperativeLevelResults = {D3DERR_DEVICELOST, D3DERR_DEVICELOST,
                                            D3DERR_DEVICENOTRESET};
    EXPECT_EQ(FrameAfter(0.016), D3DERR_DEVICELOST);
    EXPECT_TRUE(engine->deviceLost);

    for (int skipped = 0; skipped < 2; ++skipped) {
        Log().Clear();
        EXPECT_EQ(FrameAfter(0.016), D3DERR_DEVICELOST);
        EXPECT_THAT(Log().Lines(), ElementsAre("TestCooperativeLevel()"));
    }

    Log().Clear();
    EXPECT_EQ(FrameAfter(0.016), D3D_OK);
    EXPECT_FALSE(engine->deviceLost);
    const auto& lines = Log().Lines();
    const long reset = IndexOf(lines, "Reset(ptr)");
    const long restore = IndexOf(lines, "hook:RestoreDeviceState");
    const long states = IndexOf(lines, "SetRenderState(7, 1)");
    const long input = IndexOf(lines, "hook:ProcessInput");
    EXPECT_EQ(IndexOf(lines, "TestCooperativeLevel()"), 0);
    EXPECT_LT(0, reset);
    EXPECT_LT(reset, restore);
    EXPECT_LT(restore, states);
    EXPECT_LT(states, input);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + input, lines.end()), kFrameCalls);
    // The recovery reset is given the engine's window.
    EXPECT_FALSE(window.placements.empty());
}

TEST_F(EngineTest, FailedPresentOnAWorkingDeviceDoesNotStopDrawing) {
    StartEngine();
    Device().presentResults = {E_FAIL};
    Device().testCooperativeLevelResults = {D3D_OK};
    EXPECT_EQ(FrameAfter(0.016), E_FAIL);
    EXPECT_TRUE(engine->deviceLost);
    Log().Clear();
    EXPECT_EQ(FrameAfter(0.016), D3D_OK);
    EXPECT_FALSE(engine->deviceLost);
    EXPECT_EQ(IndexOf(Log().Lines(), "Reset(ptr)"), -1);
    EXPECT_EQ(Log().Matching("Present(").size(), 1u);
}

// ---- Engine without a device ----

TEST_F(EngineTest, EngineWhoseInitializeFailedOnlyTicks) {
    engine->createResourcesSucceeds = false;
    ASSERT_FALSE(engine->Initialize(&window));
    Log().Clear();
    engine->OnSize(0, 640, 480);  // the view keeps sending sizes
    for (int frame = 0; frame < 12; ++frame) {
        EXPECT_EQ(FrameAfter(0.125), E_FAIL);
    }
    EXPECT_EQ(engine->timer.GetHistoryCount(), 12u);
    EXPECT_TRUE(Log().Lines().empty());
    EXPECT_TRUE(window.texts.empty());
}

// ---- Mouse ----

TEST_F(EngineTest, LeftButtonCapturesAndRemembersTheCursor) {
    StartEngine();
    SetVirtualCursor(123, -45);
    engine->OnLButtonDown(0, 5, 6);
    EXPECT_EQ(GetCapture(), &window);
    EXPECT_EQ(engine->rememberedCursor.x, 123);
    EXPECT_EQ(engine->rememberedCursor.y, -45);
    engine->OnLButtonUp(0, 5, 6);
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace rendering_test

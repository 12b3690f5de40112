// The 3D view and the application's idle turn on a detached display (window
// logic only, no drawing) with the engine on the recording device: what the
// view passes to the engine, what happens when the engine cannot start, and
// what its destruction leaves behind.

#include <gtest/gtest.h>

#include "platform/window/system.h"
#include "rendering/flocking_arena_render_engine.h"
#include "shell/3d_view.h"
#include "shell/live_behaviors.h"
#include "shell/quorvane_view.h"
#include "shell/resources/shell_resource_ids.h"
#include "tests/shell/detached_app_fixture.h"

namespace {

class SceneViewTest : public DetachedAppTest {};

TEST_F(SceneViewTest, EachIdleTurnRunsOneFrameOfTheViewsEngine) {
    Start();
    ASSERT_NE(app.renderEngine, nullptr);
    EXPECT_TRUE(Scene()->EngineStarted());
    direct3D->Log().Clear();
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_TRUE(app.OnIdle(7));  // asks for more turns whatever the count
    EXPECT_EQ(Presents(), 2u);
    EXPECT_EQ(app.GetFramesRendered(), 2u);
    // The pages reach the engine's behaviours through the application.
    EXPECT_EQ(LiveBehaviors(), &app.renderEngine->behaviors);
}

TEST_F(SceneViewTest, SizeMessagesReachTheEngineWithTheirTypeUnchanged) {
    Start();
    RenderLib::CFlockingArenaRenderEngine& engine = *app.renderEngine;
    Scene()->OnSize(SIZE_MINIMIZED, 0, 0);
    EXPECT_FALSE(engine.active);
    direct3D->Log().Clear();
    app.OnIdle(0);
    EXPECT_EQ(Presents(), 0u) << "a minimised engine draws nothing";

    CRect pane;
    Scene()->GetClientRect(&pane);
    Scene()->OnSize(SIZE_MAXIMIZED, pane.Width(), pane.Height());
    EXPECT_TRUE(engine.active);
    EXPECT_EQ(engine.viewport.width, pane.Width());
    EXPECT_EQ(engine.viewport.height, pane.Height());
    EXPECT_EQ(direct3D->Log().Matching("Reset(").size(), 1u);
    app.OnIdle(0);
    EXPECT_EQ(Presents(), 1u);
}

TEST_F(SceneViewTest, PressesReachTheEngineWhichHoldsTheMouseUntilTheRelease) {
    Start();
    SetVirtualCursor(123, 45);
    Scene()->OnLButtonDown(MK_LBUTTON, CPoint(40, 30));
    EXPECT_EQ(GetCapture(), Scene()->GetSafeHwnd());
    EXPECT_EQ(app.renderEngine->rememberedCursor.x, 123);
    EXPECT_EQ(app.renderEngine->rememberedCursor.y, 45);
    Scene()->OnLButtonUp(0, CPoint(41, 30));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SceneViewTest, DestroyingTheViewDeletesTheEngineAndLetsGoOfTheMouse) {
    Start();
    C3DView* view = Scene();
    view->OnLButtonDown(MK_LBUTTON, CPoint(10, 10));
    ASSERT_EQ(GetCapture(), view->GetSafeHwnd());
    view->DestroyWindow();
    EXPECT_EQ(app.renderEngine, nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(LiveBehaviors(), nullptr) << "the pages find no engine";
    // Nor do they keep the behaviours they had found: they died with it.
    CQuorvaneView* form = dynamic_cast<CMainFrame*>(app.GetMainWnd())->GetFormView();
    EXPECT_EQ(form->alignmentPage.behavior, nullptr);
    EXPECT_EQ(form->separationPage.behavior, nullptr);
    EXPECT_EQ(form->stayInSpherePage.behavior, nullptr);
    form->cruisingPage.OnApplyButton();  // writes nothing
    const std::size_t lines = direct3D->Log().Lines().size();
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_EQ(app.GetFramesRendered(), 0u);
    EXPECT_EQ(direct3D->Log().Lines().size(), lines) << "no device call after the engine went";
}

TEST_F(SceneViewTest, AnEngineThatCouldNotStartIsStillPublishedAndDriven) {
    direct3D->adapters.clear();  // no graphics: the device cannot be made
    Start();
    ASSERT_NE(Scene(), nullptr);
    EXPECT_FALSE(Scene()->EngineStarted());
    EXPECT_EQ(app.renderEngine, Scene()->renderEngine);
    ASSERT_NE(app.renderEngine, nullptr);
    EXPECT_EQ(app.renderEngine->device, nullptr);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].rfind("Fatal Error!: ", 0), 0u) << messages[0];
    EXPECT_TRUE(QuitRequested());
    EXPECT_TRUE(app.OnIdle(0));  // ticks the timer only
    EXPECT_EQ(app.GetFramesRendered(), 1u);
}

TEST_F(SceneViewTest, EachFrameLaysThePanelsTheSettingsAskForAndAScreenshotNeedsAWindow) {
    Start();
    RenderLib::SceneViewSettings& view = app.renderEngine->viewSettings;
    const struct {
        bool statistics, help;
        std::vector<PaneCorner> panels;
    } cases[] = {{false, false, {}},
                 {true, false, {PaneCorner::TopLeft}},
                 {true, true, {PaneCorner::TopLeft, PaneCorner::TopRight}},
                 {false, true, {PaneCorner::TopRight}}};
    for (const auto& c : cases) {
        view.showStatistics = c.statistics;
        view.showHelp = c.help;
        app.OnIdle(0);
        std::vector<PaneCorner> corners;
        for (const PaneOverlay& panel : Scene()->Overlays()) {
            corners.push_back(panel.corner);
        }
        EXPECT_EQ(corners, c.panels);
    }
    EXPECT_EQ(Scene()->Panels().Statistics().Schools().size(), 4u);

    ASSERT_TRUE(app.GetMainWnd()->OnCmdMsg(ID_FILE_SAVE_SCREENSHOT, CommandAction::Execute));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("The screenshot could not be saved: there is no window to capture."),
              std::string::npos)
        << messages[0];
}

}  // namespace

// The whole application in-process, on SDL's offscreen display with the
// OpenGL device and the generated data, driven turn by turn by synthetic
// user input: the panes at start, a page's Apply reaching the live
// behaviour, the About box holding the scene, resizes reaching the engine,
// New, the loss of the 3D view, Exit from the menu, and presets as the
// document: opened, modified by Apply, saved when the user says so.

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include <SDL.h>
#include <gtest/gtest.h>

#include "framework/fixed_step_clock.h"
#include "platform/gfx/opengl/opengl_direct3d.h"
#include "platform/ui/core/command_ids.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/core/ui_metrics.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/system.h"
#include "rendering/flocking_arena_render_engine.h"
#include "shell/3d_view.h"
#include "shell/built_in_presets.h"
#include "shell/main_frame.h"
#include "shell/preset_dialogs.h"
#include "shell/preset_file.h"
#include "shell/quorvane_app.h"
#include "shell/quorvane_doc.h"
#include "shell/quorvane_view.h"
#include "shell/resources/behavior_page_ids.h"
#include "shell/resources/shell_resource_ids.h"
#include "simulation/group_behaviors.h"
#include "simulation/population.h"
#include "simulation/random_source.h"
#include "tests/shell/app_script.h"
#include "tests/shell/offscreen_app_test.h"

namespace {

using RenderLib::CFlockingArenaRenderEngine;

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 520;

class QuorvaneAppTest : public OffscreenAppTest {
protected:
    QuorvaneAppTest() : OffscreenAppTest(kWindowWidth, kWindowHeight) {}

    // The engine's first behaviour of class Behavior.
    template <class Behavior>
    Behavior* Live() const {
        for (cBehavior* behavior : app.renderEngine->behaviors) {
            if (auto* found = dynamic_cast<Behavior*>(behavior)) {
                return found;
            }
        }
        return nullptr;
    }

    // The bytes of the first fish's world transform, to compare exactly.
    using Placement = std::array<unsigned char, sizeof(D3DMATRIX)>;
    Placement FishPlacement() const;
};

QuorvaneAppTest::Placement QuorvaneAppTest::FishPlacement() const {
    Placement placement{};
    std::memcpy(placement.data(), &app.renderEngine->fishModels.at(0)->world, placement.size());
    return placement;
}

TEST_F(QuorvaneAppTest, StartsWithTheSheetBesideTheRunningScene) {
    script.Wait(3);
    script.Then([&] {
        CQuorvaneView* form = Form();
        CRect client;
        form->GetClientRect(&client);
        EXPECT_EQ(client.Width(), CMainFrame::kFormPaneWidth);

        // Six tabs in order, the first in front, the sheet as tall as the pane.
        const CPropertySheet& sheet = form->behaviorSheet;
        const char* const titles[] = {"Alignment Behavior",  "Avoidance Behavior",
                                      "Cohesion Behavior",   "Cruising Behavior",
                                      "Separation Behavior", "Stay In Sphere Behavior"};
        EXPECT_EQ(sheet.GetPageCount(), 6);
        for (int i = 0; i < sheet.GetPageCount(); ++i) {
            EXPECT_EQ(sheet.GetPage(i)->GetTitle(), titles[i]) << i;
        }
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_TRUE(form->alignmentPage.IsWindowVisible());
        EXPECT_EQ(sheet.GetPlacement(), CRect(0, 0, sheet.GetPlacement().right, client.Height()));
        EXPECT_EQ(sheet.header.flags & (PSH_HASHELP | PSH_NOAPPLYNOW), PSH_NOAPPLYNOW);

        // The 3D view is active and owns the live engine, which is running.
        EXPECT_EQ(Frame()->GetActiveView(), Scene());
        EXPECT_NE(app.renderEngine, nullptr);
        EXPECT_EQ(app.renderEngine, Scene()->renderEngine);
        EXPECT_TRUE(Scene()->EngineStarted());
        EXPECT_GT(app.GetFramesRendered(), 0u);
        EXPECT_EQ(Frame()->GetFrameTitle(), "Untitled - Quorvane");

        // Every page was filled from the live behaviours, shown or not.
        EXPECT_EQ(form->alignmentPage.gainSlider.GetPos(), 1000);
        EXPECT_EQ(form->separationPage.minSeparationPosition, 50);
        EXPECT_EQ(form->separationPage.maxSeparationPosition, 100);
        EXPECT_EQ(form->cruisingPage.moveXPosition, 449);
        EXPECT_EQ(form->stayInSpherePage.radius, 1000.0f);
        return true;
    });
    // The pane's caption follows the engine's window text.
    script.Then([&] { return app.renderEngine->lastFrameRate > 0; });
    script.Then([&] {
        const std::string rate = std::to_string(app.renderEngine->lastFrameRate);
        EXPECT_EQ(Scene()->GetWindowText(), "Scene : " + rate + " FPS");
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
}

TEST_F(QuorvaneAppTest, ApplyOnAChosenTabWritesItsLiveBehaviourOnly) {
    CQuorvaneView* form = nullptr;
    script.Wait(2);
    script.Then([&] {
        form = Form();
        Click(CentreOfTab(form->behaviorSheet, 2));
        return true;
    });
    script.Then([&] { return form->behaviorSheet.GetActiveIndex() == 2; });
    script.Then([&] {
        EXPECT_TRUE(form->cohesionPage.IsWindowVisible());
        EXPECT_EQ(form->cohesionPage.GetDlgItemText(IDC_TURN_RATE), "0.1");
        Click(CentreOf(*form->cohesionPage.GetDlgItem(IDC_TURN_RATE)));
        return true;
    });
    script.Wait(2);
    script.Then([&] {
        PushText("2.5");
        return true;
    });
    script.Wait(2);
    script.Then([&] {
        EXPECT_EQ(form->cohesionPage.GetDlgItemText(IDC_TURN_RATE), "2.5");
        EXPECT_EQ(Live<cCohesionBehavior>()->turnRate, 0.1f) << "typing alone writes nothing";
        Click(CentreOf(*form->cohesionPage.GetDlgItem(IDC_APPLY)));
        return true;
    });
    script.Then([&] { return Live<cCohesionBehavior>()->turnRate == 2.5f; });
    script.Wait(2);
    script.Then([&] {
        EXPECT_EQ(Live<cCohesionBehavior>()->gain, 1.0f);
        EXPECT_EQ(Live<cAlignmentBehavior>()->turnRate, 0.1f);  // the other turn-rate page
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
}

TEST_F(QuorvaneAppTest, AboutBoxHoldsTheSceneUntilItIsClosed) {
    SetDisplay(false);  // the box stays open until the script presses OK
    auto framesAtOpen = std::make_shared<std::uint64_t>(0);
    auto placementAtOpen = std::make_shared<Placement>();
    script.Wait(3);
    script.Then([&] {
        PostCommand(Frame(), ID_APP_ABOUT);
        return true;
    });
    script.Then([] { return UiHost::Current()->ModalDepth() == 1; });
    script.Then([&, framesAtOpen, placementAtOpen] {
        *framesAtOpen = app.GetFramesRendered();
        *placementAtOpen = FishPlacement();
        return true;
    });
    script.Wait(5);
    script.Then([&, framesAtOpen, placementAtOpen] {
        EXPECT_EQ(app.GetFramesRendered(), *framesAtOpen);
        EXPECT_EQ(FishPlacement(), *placementAtOpen) << "the flock moved behind the box";
        PushKey(SDLK_RETURN);  // OK is the default button
        return true;
    });
    script.Then([] { return UiHost::Current()->ModalDepth() == 0; });
    script.Wait(3);
    script.Then([&, framesAtOpen, placementAtOpen] {
        EXPECT_GT(app.GetFramesRendered(), *framesAtOpen);
        EXPECT_NE(FishPlacement(), *placementAtOpen) << "the flock should move on";
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
}

TEST_F(QuorvaneAppTest, ResizingTheWindowOrDraggingTheBarResizesTheEngine) {
    const auto engineMatchesPane = [this] {
        CRect pane;
        Scene()->GetClientRect(&pane);
        const RenderLib::ViewRect& view = app.renderEngine->viewport;
        return view.width == pane.Width() && view.height == pane.Height();
    };
    auto widthBefore = std::make_shared<int>(0);
    script.Wait(2);
    script.Then([&, widthBefore] {
        EXPECT_TRUE(engineMatchesPane());
        CRect pane;
        Scene()->GetClientRect(&pane);
        *widthBefore = pane.Width();
        SDL_SetWindowSize(UiHost::Current()->NativeWindow(), kWindowWidth + 100,
                          kWindowHeight + 60);
        return true;
    });
    script.Then([&, widthBefore] {
        CRect pane;
        Scene()->GetClientRect(&pane);
        return pane.Width() == *widthBefore + 100;
    });
    script.Then([&] {
        EXPECT_TRUE(engineMatchesPane()) << "after the window grew";
        Frame()->splitter.TrackColumnBar(0, 420);
        return true;
    });
    script.Wait(2);
    script.Then([&, widthBefore] {
        CRect form;
        Form()->GetClientRect(&form);
        EXPECT_EQ(form.Width(), 420);
        EXPECT_TRUE(engineMatchesPane()) << "after the bar moved";
        CRect pane;
        Scene()->GetClientRect(&pane);
        EXPECT_EQ(pane.Width(), *widthBefore + 100 - (420 - CMainFrame::kFormPaneWidth));
        // The frames drawn since are of the new size.
        const PresentedImage image = app.renderEngine->GetPresentedImage();
        EXPECT_EQ(static_cast<int>(image.width), pane.Width());
        EXPECT_EQ(static_cast<int>(image.height), pane.Height());
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
}

TEST_F(QuorvaneAppTest, NewKeepsTheOneEngineAndRefreshesThePages) {
    auto engine = std::make_shared<CFlockingArenaRenderEngine*>(nullptr);
    CQuorvaneView* form = nullptr;
    script.Wait(2);
    script.Then([&, engine] {
        *engine = app.renderEngine;
        form = Form();
        Click(CentreOf(*form->alignmentPage.GetDlgItem(IDC_TURN_RATE)));
        return true;
    });
    script.Wait(2);
    script.Then([] {
        PushText("7");
        return true;
    });
    script.Wait(2);
    script.Then([&] {
        // Edited, not applied: New shows the live value again.
        EXPECT_EQ(form->alignmentPage.GetDlgItemText(IDC_TURN_RATE), "7");
        PushKey(SDLK_n, KMOD_LCTRL);
        return true;
    });
    script.Then([&] { return form->alignmentPage.GetDlgItemText(IDC_TURN_RATE) == "0.1"; });
    script.Wait(2);
    script.Then([&, engine] {
        EXPECT_EQ(app.renderEngine, *engine);
        EXPECT_EQ(Scene()->renderEngine, *engine);
        EXPECT_EQ(Form(), form);
        EXPECT_EQ(Frame()->splitter.GetColumnCount(), 2);
        EXPECT_EQ(form->behaviorSheet.GetPageCount(), 6);
        EXPECT_EQ(form->behaviorSheet.GetTabRects().size(), 6u);
        EXPECT_EQ(Live<cAlignmentBehavior>()->turnRate, 0.1f);
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
}

TEST_F(QuorvaneAppTest, DestroyingTheSceneViewLeavesNoEngineForTheIdleTurns) {
    auto frames = std::make_shared<std::uint64_t>(0);
    script.Wait(2);
    script.Then([&, frames] {
        Scene()->DestroyWindow();
        EXPECT_EQ(app.renderEngine, nullptr);
        EXPECT_EQ(Frame()->GetSceneView(), nullptr);
        *frames = app.GetFramesRendered();
        // The layout runs again without the pane.
        SDL_SetWindowSize(UiHost::Current()->NativeWindow(), kWindowWidth + 40, kWindowHeight);
        return true;
    });
    script.Wait(4);
    script.Then([&, frames] {
        EXPECT_EQ(app.GetFramesRendered(), *frames);
        // A page's Apply without an engine writes nothing and harms nothing.
        Click(CentreOf(*Form()->alignmentPage.GetDlgItem(IDC_APPLY)));
        return true;
    });
    script.Wait(2);
    EXPECT_EQ(RunApplication(), 0);
}

TEST_F(QuorvaneAppTest, AFlockSizeBuildsTheScaledFlockOfThatSize) {
    app.SetFlockSize(200);
    app.SetSearchThreads(2);
    script.Wait(2);
    script.Then([&] {
        EXPECT_EQ(app.renderEngine->FishCount(), 200);
        EXPECT_EQ(app.renderEngine->world.GetThreadCount(), 2);
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
}

TEST_F(QuorvaneAppTest, ExitFromTheFileMenuClosesEverything) {
    const int bar = CurrentUiMetrics().menuBarHeight;
    script.Wait(2);
    script.Then([bar] {
        Click(CPoint(20, bar / 2));  // "File"
        return true;
    });
    script.Wait(2);
    script.Then([] {
        PushKey(SDLK_x);  // "E&xit" by its underlined letter
        return true;
    });
    script.Wait(50);  // never finished: the loop ends first
    EXPECT_EQ(RunApplication(), 0);
    EXPECT_FALSE(script.Finished());
    EXPECT_EQ(app.GetMainWnd(), nullptr);
    EXPECT_EQ(app.renderEngine, nullptr);
    EXPECT_EQ(UiHost::Current(), nullptr);
}

TEST_F(QuorvaneAppTest, PresetsOpenAsTheDocumentAndUnsavedChangesAreAskedFor) {
    SetDisplay(false);  // the script answers every box
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("app-presets-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path mine = folder / "mine.toml";
    const auto& presets = BuiltInPresets();
    const auto tight = std::find(presets.begin(), presets.end(),
                                 BuiltInPresetFolder() / "tight-schools.toml");
    ASSERT_NE(tight, presets.end());
    const auto expectAsked = [](int depth) {
        return [depth] { return UiHost::Current()->ModalDepth() == depth; };
    };
    script.Wait(2);
    script.Then([&] {
        PostCommand(Frame(), ID_PRESET_FIRST + static_cast<UINT>(tight - presets.begin()));
        return true;
    });
    script.Then([&] { return app.GetDocument()->GetTitle() == "tight-schools"; });
    script.Then([&] {
        EXPECT_EQ(Frame()->GetFrameTitle(), "tight-schools - Quorvane");
        EXPECT_EQ(Form()->alignmentPage.GetDlgItemText(IDC_TURN_RATE), "2");
        EXPECT_EQ(Live<cAlignmentBehavior>()->turnRate, 2.0f);
        EXPECT_FALSE(app.GetDocument()->IsModified());
        EXPECT_TRUE(app.GetDocument()->SavePreset(mine));
        Click(CentreOf(*Form()->alignmentPage.GetDlgItem(IDC_APPLY)));
        return true;
    });
    script.Then([&] { return app.GetDocument()->IsModified(); });
    script.Then([&] {
        PostCommand(Frame(), ID_APP_EXIT);
        return true;
    });
    script.Then(expectAsked(1));
    script.Then([] {
        PushKey(SDLK_ESCAPE);  // Cancel: the program stays
        return true;
    });
    script.Then(expectAsked(0));
    script.Then([&] {
        EXPECT_NE(app.GetMainWnd(), nullptr);
        EXPECT_TRUE(app.GetDocument()->IsModified());
        Live<cAlignmentBehavior>()->turnRate = 3.0f;  // as an Apply would have written
        PushKey(SDLK_n, KMOD_LCTRL);
        return true;
    });
    script.Then(expectAsked(1));
    script.Then([] {
        PushKey(SDLK_RETURN);  // Yes, the default: saved to mine.toml, then New
        return true;
    });
    script.Then(expectAsked(0));
    script.Then([&] {
        EXPECT_EQ(Live<cAlignmentBehavior>()->turnRate, 0.1f) << "New gives the start-up values";
        EXPECT_FALSE(app.GetDocument()->IsModified());
        StartupPopulation saved;
        std::string error;
        EXPECT_TRUE(ReadPreset(mine, saved.behaviors, error)) << error;
        EXPECT_EQ(dynamic_cast<cAlignmentBehavior*>(saved.behaviors[1])->turnRate, 3.0f);
        PushKey(SDLK_o, KMOD_LCTRL);
        return true;
    });
    script.Then(expectAsked(1));
    script.Wait(2);
    script.Then([&] {
        CWnd* nameBox = CWnd::GetFocus();  // the dialog gives it to the name box
        EXPECT_EQ(nameBox != nullptr ? nameBox->GetDlgCtrlID() : 0, CPresetFileDialog::kNameId);
        PushKey(SDLK_ESCAPE);  // Cancel changes nothing
        return true;
    });
    script.Then(expectAsked(0));
    script.Then([&] {
        EXPECT_EQ(app.GetDocument()->GetTitle(), "Untitled");
        EXPECT_TRUE(app.GetDocument()->OpenPreset(mine));
        return true;
    });
    script.Then([&] { return app.GetDocument()->GetTitle() == "mine"; });
    script.Then([&] {
        EXPECT_EQ(Live<cAlignmentBehavior>()->turnRate, 3.0f);
        EXPECT_EQ(app.GetDocument()->GetPathName(), mine.string());
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
    EXPECT_TRUE(script.Finished());
    fs::remove_all(folder);
}

TEST_F(QuorvaneAppTest, FlockSizeFromTheMenuRebuildsTheFlockKeepingTheAppliedValues) {
    SetDisplay(false);  // the script answers every box
    const auto modalDepth = [](int depth) {
        return [depth] { return UiHost::Current()->ModalDepth() == depth; };
    };
    script.Wait(2);
    script.Then([&] {
        Live<cAlignmentBehavior>()->turnRate = 3.0f;  // as an Apply would have written
        PushKeyEvent(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
        PushKey(SDLK_l, KMOD_LALT);  // F&lock, its first item highlighted
        PushKeyEvent(SDL_KEYUP, SDLK_LALT);
        PushKey(SDLK_RETURN);
        return true;
    });
    script.Then(modalDepth(1));
    script.Wait(2);
    script.Then([] {
        Type("12x");  // not a whole number: refused, the box stays
        PushKey(SDLK_RETURN);
        return true;
    });
    script.Then(modalDepth(2));
    script.Then([] {
        PushKey(SDLK_RETURN);  // the prompt's OK
        return true;
    });
    script.Then(modalDepth(1));
    script.Wait(2);
    script.Then([] {
        PushKey(SDLK_a, KMOD_LCTRL);
        Type("200");
        PushKey(SDLK_RETURN);
        return true;
    });
    script.Then(modalDepth(0));
    script.Then([&] {
        EXPECT_EQ(app.renderEngine->FishCount(), 200);
        EXPECT_EQ(Live<cAlignmentBehavior>()->turnRate, 3.0f);
        return true;
    });
    script.Wait(5);  // the new flock swims
    EXPECT_EQ(RunApplication(), 0);
}

// The View menu's keys act on the scene while it has the keyboard, and type
// in a number box that has it, even typed in the same turn as the click
// that gave it the keyboard; Ctrl+R works anywhere; the menu by keys.
TEST_F(QuorvaneAppTest, SceneKeysActInTheSceneButTypeInANumberBox) {
    using RenderLib::SceneCamera;
    const auto view = [&] { return app.renderEngine->viewSettings; };
    CWnd* box = nullptr;
    double stepped = 0.0;  // the simulated time after one step
    script.Wait(2);
    script.Then([&] {
        // Each click with the keys after it in one turn, as at a low frame rate.
        Click(CentreOf(*Scene()));
        Type("3 ");  // the overview camera, then pause
        return true;
    });
    script.Wait(2);
    script.Then([&] {
        EXPECT_EQ(view().camera, SceneCamera::Overview);
        EXPECT_TRUE(view().paused);
        EXPECT_TRUE(Frame()->OnCmdMsg(ID_VIEW_CAMERA_FIRST + 2, CommandAction::QueryChecked));
        stepped = app.renderEngine->simulatedSeconds + CFlockingArenaRenderEngine::kStepSeconds;
        Type(".");
        return true;
    });
    script.Wait(2);
    script.Then([&] {
        EXPECT_EQ(app.renderEngine->simulatedSeconds, stepped);
        box = Form()->alignmentPage.GetDlgItem(IDC_TURN_RATE);
        Click(CentreOf(*box));
        PushKey(SDLK_a, KMOD_LCTRL);
        Type("1 .");
        return true;
    });
    script.Wait(3);
    script.Then([&] {
        EXPECT_EQ(box->GetWindowText(), "1 .");
        EXPECT_EQ(view().camera, SceneCamera::Overview);
        EXPECT_EQ(app.renderEngine->simulatedSeconds, stepped);
        PushKey(SDLK_r, KMOD_LCTRL);  // Reset Flock, even from the box
        PushKeyEvent(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
        PushKey(SDLK_v, KMOD_LALT);
        PushKeyEvent(SDL_KEYUP, SDLK_LALT);
        Type("cf");  // View, Camera, Follow School
        return true;
    });
    script.Wait(3);
    script.Then([&] {
        EXPECT_EQ(app.renderEngine->simulatedSeconds, 0.0);
        EXPECT_EQ(view().camera, SceneCamera::FollowSchool);
        EXPECT_FALSE(Frame()->GetMenuBar().IsActive());
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
}

}  // namespace

// The whole toolkit on a real display made headless (SDL's offscreen driver,
// OpenGL through EGL): an application with a menu, a frame split into a
// form with a property sheet and an image pane, driven by synthetic SDL
// events turn by turn.

#include "tests/ui/toolkit_test_app.h"

namespace {

TEST_F(UiHostTest, StartsWithTheFormBesideTheImagePane) {
    app.steps.push_back(Wait(3));
    app.steps.push_back([this] {
        TestFrame* frame = app.Frame();
        CRect form;
        frame->Form()->GetClientRect(&form);
        EXPECT_EQ(form.Width(), 335);
        CRect pane;
        frame->Pane()->GetClientRect(&pane);
        const UiMetrics& metrics = CurrentUiMetrics();
        EXPECT_EQ(pane.Width(), 1024 - 335 - metrics.splitterBar);
        EXPECT_EQ(pane.Height(), 720 - metrics.menuBarHeight - metrics.paneCaptionHeight);
        EXPECT_EQ(frame->Pane()->lastSize.cx, pane.Width());  // told its size before any frame
        EXPECT_EQ(frame->Pane()->lastSize.cy, pane.Height());
        EXPECT_EQ(frame->GetActiveView(), frame->Pane());
        EXPECT_EQ(frame->GetFrameTitle(), "Untitled - Quorvane");
        EXPECT_EQ(frame->Form()->alignment.initCount, 1);
        EXPECT_EQ(frame->Form()->cruising.initCount, 0);
        EXPECT_EQ(frame->Form()->alignment.gainSlider.GetPos(), 700);
        EXPECT_GT(app.idleCalls, 0);
        EXPECT_EQ(metrics.baseUnits.cx, 7);  // the built-in font, as documented
        EXPECT_EQ(metrics.baseUnits.cy, 13);
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
    EXPECT_FALSE(std::filesystem::exists(workDirectory / "imgui.ini"));
    EXPECT_EQ(UiHost::Current(), nullptr);  // the display closed with the frame
}

TEST_F(UiHostTest, TabsNumberBoxesButtonsAndModalBoxesRespondToInput) {
    TestForm* form = nullptr;
    app.steps.push_back(Wait(2));
    // Open the second tab: its page window is made now, set up once.
    app.steps.push_back([&] {
        form = app.Frame()->Form();
        Click(CentreOfTab(form->sheet, 1));
        return true;
    });
    app.steps.push_back([&] { return form->sheet.GetActiveIndex() == 1; });
    app.steps.push_back([&] {
        EXPECT_EQ(form->cruising.initCount, 1);
        EXPECT_TRUE(form->cruising.IsWindowVisible());
        EXPECT_FALSE(form->alignment.IsWindowVisible());
        EXPECT_EQ(form->cruising.GetDlgItemText(kCruisingRate), "0.1");
        Click(CentreOf(*form->cruising.GetDlgItem(kCruisingRate)));
        return true;
    });
    app.steps.push_back(Wait(2));
    // Type a number: while the box has the focus the scene reads no keys.
    app.steps.push_back([&] {
        PushText("2.5");
        return true;
    });
    app.steps.push_back(Wait(2));
    app.steps.push_back([&] {
        EXPECT_EQ(form->cruising.GetDlgItemText(kCruisingRate), "2.5");
        EXPECT_FALSE(SceneReadsKeys());
        Click(CentreOf(*form->cruising.GetDlgItem(kApply)));
        return true;
    });
    app.steps.push_back([&] { return form->cruising.applies == 1; });
    app.steps.push_back(Wait(2));
    app.steps.push_back([&] {
        EXPECT_TRUE(form->cruising.readOk);
        EXPECT_EQ(form->cruising.applied, 2.5f);
        EXPECT_TRUE(SceneReadsKeys());  // the box lost the focus to the button
        Click(CentreOf(*form->cruising.GetDlgItem(kCruisingRate)));
        return true;
    });
    app.steps.push_back(Wait(2));
    app.steps.push_back([&] {
        PushText("abc");
        return true;
    });
    app.steps.push_back(Wait(2));
    app.steps.push_back([&] {
        Click(CentreOf(*form->cruising.GetDlgItem(kApply)));
        return true;
    });
    // The refusal's prompt is a modal box: the idle handler stops.
    app.steps.push_back([&] { return UiHost::Current()->ModalDepth() == 1; });
    auto idleAtPrompt = std::make_shared<int>(0);
    app.steps.push_back([&, idleAtPrompt] {
        *idleAtPrompt = app.idleCalls;
        return true;
    });
    app.steps.push_back(Wait(5));
    app.steps.push_back([&, idleAtPrompt] {
        EXPECT_EQ(app.idleCalls, *idleAtPrompt);
        // The handler waits inside the prompt, before it wrote anything.
        EXPECT_EQ(form->cruising.applies, 2);
        EXPECT_TRUE(form->cruising.readOk);
        PushKey(SDLK_RETURN);  // OK is the default button
        return true;
    });
    app.steps.push_back([&] { return UiHost::Current()->ModalDepth() == 0; });
    app.steps.push_back(Wait(2));
    app.steps.push_back([&, idleAtPrompt] {
        EXPECT_EQ(form->cruising.applies, 2);
        EXPECT_FALSE(form->cruising.readOk);
        EXPECT_EQ(form->cruising.rate, 2.5f);  // the refused entry kept its field
        EXPECT_GT(app.idleCalls, *idleAtPrompt);
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
    EXPECT_EQ(app.idleCallsDuringModal, 0);
    EXPECT_EQ(app.maxModalDepth, 1);
}

TEST_F(UiHostTest, AboutBoxFromAnAcceleratorHoldsTheSceneUntilItsButtonIsPressed) {
    auto idleAtOpen = std::make_shared<int>(0);
    app.steps.push_back(Wait(2));
    app.steps.push_back([] {
        PushKey(SDLK_F2);
        return true;
    });
    app.steps.push_back([&] { return app.about != nullptr; });
    app.steps.push_back([&, idleAtOpen] {
        *idleAtOpen = app.idleCalls;
        EXPECT_EQ(UiHost::Current()->ModalDepth(), 1);
        return true;
    });
    app.steps.push_back(Wait(4));
    app.steps.push_back([&, idleAtOpen] {
        EXPECT_EQ(app.idleCalls, *idleAtOpen);
        // A press in the scene while the box is open reaches nobody; F2
        // again opens no second box.
        Click(CentreOf(*app.Frame()->Pane()));
        PushKey(SDLK_F2);
        return true;
    });
    app.steps.push_back(Wait(3));
    app.steps.push_back([&] {
        EXPECT_TRUE(app.Frame()->Pane()->downs.empty());
        EXPECT_EQ(app.aboutShown, 1);
        Click(CentreOf(*app.about->GetDlgItem(IDOK)));
        return true;
    });
    app.steps.push_back([&] { return app.about == nullptr; });
    app.steps.push_back(Wait(3));
    app.steps.push_back([&, idleAtOpen] {
        EXPECT_GT(app.idleCalls, *idleAtOpen);  // the scene moves on
        EXPECT_EQ(app.aboutResult, IDOK);
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
    EXPECT_EQ(app.idleCallsDuringModal, 0);
    EXPECT_EQ(app.aboutShown, 1);
}

TEST_F(UiHostTest, ImagePaneGetsPressesInClientPixelsAndTheCapturedRelease) {
    TestPane* pane = nullptr;
    CPoint inside;
    app.steps.push_back(Wait(2));
    app.steps.push_back([&] {
        pane = app.Frame()->Pane();
        inside = pane->ClientToScreen(CPoint(40, 30));
        PushMotion(inside);
        PushButton(SDL_MOUSEBUTTONDOWN, inside);
        return true;
    });
    app.steps.push_back([&] { return !pane->downs.empty(); });
    app.steps.push_back([&] {
        EXPECT_EQ(pane->downs[0].x, 40);
        EXPECT_EQ(pane->downs[0].y, 30);
        EXPECT_NE(pane->downFlags & MK_LBUTTON, 0u);
        EXPECT_EQ(GetCapture(), pane->GetSafeHwnd());
        // Released over the form: the capture brings it to the pane all the same.
        PushMotion(CPoint(100, 100));
        PushButton(SDL_MOUSEBUTTONUP, CPoint(100, 100));
        return true;
    });
    app.steps.push_back([&] { return !pane->ups.empty(); });
    app.steps.push_back([&] {
        EXPECT_EQ(pane->ups[0], pane->ScreenToClient(CPoint(100, 100)));
        EXPECT_EQ(GetCapture(), nullptr);
        // A press on the caption line above the image is not the image's.
        const CPoint caption = pane->ClientToScreen(CPoint(40, -5));
        Click(caption);
        return true;
    });
    app.steps.push_back(Wait(2));
    app.steps.push_back([&] {
        EXPECT_EQ(pane->downs.size(), 1u);
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
}

TEST_F(UiHostTest, ExitFromTheMenuClosesTheFrameAndEndsTheLoop) {
    app.steps.push_back(Wait(2));
    app.steps.push_back([&] {
        PostCommand(app.Frame(), ID_APP_EXIT);
        return true;
    });
    app.steps.push_back(Wait(100));  // never reached: the loop ends first
    EXPECT_EQ(RunApplication(), 0);
    EXPECT_EQ(app.steps.size(), 1u);
    EXPECT_EQ(app.GetMainWnd(), nullptr);
    EXPECT_EQ(UiHost::Current(), nullptr);
}

}  // namespace

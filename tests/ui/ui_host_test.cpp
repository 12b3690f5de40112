// The whole toolkit on a real display made headless (SDL's offscreen driver,
// OpenGL through EGL): an application with a menu, a frame split into a
// form with a property sheet and an image pane, driven by synthetic SDL
// events turn by turn.

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/ui/command_ids.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/doc_template.h"
#include "platform/ui/document.h"
#include "platform/ui/form_view.h"
#include "platform/ui/frame_wnd.h"
#include "platform/ui/pane_view.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/resource_table.h"
#include "platform/ui/slider_ctrl.h"
#include "platform/ui/splitter_wnd.h"
#include "platform/ui/ui_host.h"
#include "platform/ui/ui_metrics.h"
#include "platform/ui/win_app.h"
#include "platform/window/system.h"
#include "tests/support/synthetic_input.h"
#include "ui_test_support.h"

namespace {

constexpr UINT kResource = 128;
constexpr UINT kAbout = 100;
constexpr UINT kForm = 130;
constexpr int kGain = 1001;
constexpr int kApply = 1002;
constexpr int kAlignmentRate = 1004;
constexpr int kCruisingRate = 1005;

// ---- The application under test ----

class RatePage : public CPropertyPage {
public:
    RatePage(UINT templateId, int rateId) : CPropertyPage(templateId), rateId_(rateId) {
        MapCommand(kApply, [this] {
            ++applies;
            readOk = UpdateData(TRUE) != FALSE;
            applied = rate;
        });
    }
    BOOL OnInitDialog() override {
        ++initCount;
        CPropertyPage::OnInitDialog();
        gainSlider.SetRange(0, 1000);
        UpdateData(FALSE);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Slider(exchange, kGain, gain);
        DDX_Control(exchange, kGain, gainSlider);
        DDX_Text(exchange, rateId_, rate);
    }

    int initCount = 0;
    int applies = 0;
    bool readOk = false;
    int gain = 700;
    float rate = 0.1f;
    float applied = -1.0f;
    CSliderCtrl gainSlider;

private:
    int rateId_;
};

class TestForm : public CFormView {
public:
    TestForm() : CFormView(kForm) {}
    void OnInitialUpdate() override {
        CFormView::OnInitialUpdate();
        if (sheet.GetSafeHwnd() == nullptr) {
            sheet.AddPage(&alignment);
            sheet.AddPage(&cruising);
            sheet.Create(this);
        }
    }
    CPropertySheet sheet{"Behavior Property Sheets"};
    RatePage alignment{131, kAlignmentRate};
    RatePage cruising{132, kCruisingRate};
};

class TestPane : public CPaneView {
public:
    void OnSize(UINT, int cx, int cy) override { lastSize = CSize(cx, cy); }
    void OnLButtonDown(UINT flags, CPoint point) override {
        downs.push_back(point);
        downFlags = flags;
        SetCapture(GetSafeHwnd());
    }
    void OnLButtonUp(UINT, CPoint point) override {
        ups.push_back(point);
        ReleaseCapture();
    }
    CSize lastSize;
    std::vector<CPoint> downs;
    std::vector<CPoint> ups;
    UINT downFlags = 0;
};

class TestFrame : public CFrameWnd {
public:
    BOOL OnCreateClient(CREATESTRUCT*, CCreateContext* context) override {
        if (!splitter.CreateStatic(this, 1, 2) ||
            !splitter.CreateView(0, 0, context->newViewClass, CSize(335, 0), context) ||
            !splitter.CreateView(0, 1, RuntimeClassOf<TestPane>(), CSize(0, 0), context)) {
            return FALSE;
        }
        SetActiveView(static_cast<CView*>(splitter.GetPane(0, 1)));
        return TRUE;
    }
    TestForm* Form() { return static_cast<TestForm*>(splitter.GetPane(0, 0)); }
    TestPane* Pane() { return static_cast<TestPane*>(splitter.GetPane(0, 1)); }
    CSplitterWnd splitter;
};

class TestDoc : public CDocument {};

void RegisterResources() {
    CResourceTable& resources = AfxResources();
    resources.AddString(AFX_IDS_APP_TITLE, "Quorvane");
    resources.AddString(kResource,
                        "Quorvane\n\nQuorvane\n\n\nQuorvane.Document\nQuorvane.Document");
    resources.AddDialog({kForm, "", 186, 191});
    resources.AddDialog(PageLikeTemplate(131, "Alignment Behavior", {kAlignmentRate}));
    resources.AddDialog(PageLikeTemplate(132, "Cruising Behavior", {kCruisingRate}));
    resources.AddDialog({kAbout,
                         "About Quorvane",
                         235,
                         55,
                         {{ControlKind::Static, IDC_STATIC, "Quorvane Version 1.0", 40, 10, 119, 8},
                          {ControlKind::DefPushButton, IDOK, "OK", 178, 7, 50, 16}}});
    resources.AddMenu(
        {kResource,
         {{"&File", {{"E&xit", ID_APP_EXIT}}}, {"&Help", {{"&About Quorvane...", ID_APP_ABOUT}}}}});
    resources.AddAccelerators(kResource, {{FVIRTKEY, VK_F1 + 1, ID_APP_ABOUT}});
}

// Steps run at the start of turns; a step returning false runs again next turn.
using Step = std::function<bool()>;

class TestApp : public CWinApp {
public:
    TestApp() {
        MapCommand(ID_APP_ABOUT, [this] {
            ++aboutShown;
            CDialog box(kAbout);
            about = &box;
            aboutResult = box.DoModal();
            about = nullptr;
        });
        MapCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    }
    BOOL InitInstance() override {
        RegisterResources();
        AddDocTemplate(new CSingleDocTemplate(kResource, RuntimeClassOf<TestDoc>(),
                                              RuntimeClassOf<TestFrame>(),
                                              RuntimeClassOf<TestForm>()));
        CCommandLineInfo info;
        ParseCommandLine(info);
        if (!ProcessShellCommand(info)) {
            return FALSE;
        }
        GetMainWnd()->ShowWindow(SW_SHOW);
        GetMainWnd()->UpdateWindow();
        UiHost::Current()->SetTurnObserver([this](const TurnInfo& turn) { OnTurn(turn); });
        return TRUE;
    }
    BOOL OnIdle(LONG count) override {
        CWinApp::OnIdle(count);
        ++idleCalls;
        if (UiHost::Current() != nullptr && UiHost::Current()->ModalDepth() > 0) {
            ++idleCallsDuringModal;
        }
        return TRUE;
    }

    TestFrame* Frame() { return static_cast<TestFrame*>(GetMainWnd()); }

    std::deque<Step> steps;
    int idleCalls = 0;
    int idleCallsDuringModal = 0;
    int aboutShown = 0;
    CDialog* about = nullptr;  // while the About box is open
    int aboutResult = 0;
    std::uint64_t turns = 0;
    int maxModalDepth = 0;

private:
    void OnTurn(const TurnInfo& turn) {
        turns = turn.turn;
        maxModalDepth = std::max(maxModalDepth, turn.modalDepth);
        if (turn.turn > 2000) {  // a step that never finishes must not hang the test
            ADD_FAILURE() << "the script did not finish; steps left: " << steps.size();
            PostQuitMessage(3);
            return;
        }
        if (!steps.empty() && steps.front()()) {
            steps.pop_front();
        }
        if (steps.empty()) {
            PostQuitMessage(0);
        }
    }
};


bool SceneReadsKeys() {
    SetKeyDown(VK_UP, true);
    std::uint8_t keys[256] = {};
    GetKeyboardState(keys);
    SetKeyDown(VK_UP, false);
    return keys[VK_UP] == 0x80;
}

// Waits n turns.
Step Wait(int turns) {
    auto left = std::make_shared<int>(turns);
    return [left] { return --*left <= 0; };
}

// ---- The test ----

class UiHostTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        ASSERT_TRUE(KeepOffscreenOpenGlLoaded());
        SetMessageBoxPresenter(nullptr);  // the display's own modal box is under test
        UiHostOptions options;
        options.width = 1024;
        options.height = 720;
        options.unattendedModals = false;  // the script answers every box
        UiHost::SetOptions(options);
        workDirectory = std::filesystem::temp_directory_path() / "quorvane-ui-host-test";
        std::filesystem::create_directories(workDirectory);
        std::filesystem::current_path(workDirectory);
    }

    int RunApplication() {
        char name[] = "ui_tests";
        char* argv[] = {name, nullptr};
        return AfxWinMain(1, argv);
    }

    std::filesystem::path workDirectory;
    TestApp app;
};

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

#pragma once

// A small application on the toolkit for tests of the whole toolkit on the
// offscreen display: a menu, a frame split into a form holding a property
// sheet of two rate pages and an image pane that captures the mouse while
// its button is down, and an About box. Tests script it turn by turn.

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include <SDL.h>

#include <gtest/gtest.h>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/controls/data_exchange.h"
#include "platform/ui/docview/doc_template.h"
#include "platform/ui/docview/document.h"
#include "platform/ui/docview/form_view.h"
#include "platform/ui/docview/frame_wnd.h"
#include "platform/ui/docview/pane_view.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/controls/slider_ctrl.h"
#include "platform/ui/docview/splitter_wnd.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/core/ui_metrics.h"
#include "platform/ui/docview/win_app.h"
#include "platform/window/system.h"
#include "tests/support/synthetic_input.h"
#include "tests/ui/ui_test_support.h"

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

inline void RegisterResources() {
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


inline bool SceneReadsKeys() {
    SetKeyDown(VK_UP, true);
    std::uint8_t keys[256] = {};
    GetKeyboardState(keys);
    SetKeyDown(VK_UP, false);
    return keys[VK_UP] == 0x80;
}

// Waits n turns.
inline Step Wait(int turns) {
    auto left = std::make_shared<int>(turns);
    return [left] { return --*left <= 0; };
}

// ---- The fixture ----

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

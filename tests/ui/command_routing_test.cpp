// Commands through the frame (active view, its document, the frame, the
// application), accelerators, menus and posted commands, on a frame laid
// out without a display.

#include <gtest/gtest.h>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/docview/doc_template.h"
#include "platform/ui/docview/document.h"
#include "platform/ui/docview/frame_wnd.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/docview/splitter_wnd.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/docview/view.h"
#include "platform/ui/docview/win_app.h"
#include "ui_test_support.h"

namespace {

constexpr UINT kResource = 128;
constexpr UINT kShared = 40001;    // handled by the view, the document, the frame and the app
constexpr UINT kDocument = 40002;  // handled by the document, the frame and the app
constexpr UINT kFrameOnly = 40003;
constexpr UINT kAppOnly = 40004;
constexpr UINT kNobody = 40005;

std::vector<std::string>* calls = nullptr;

void Record(const std::string& who) {
    if (calls != nullptr) {
        calls->push_back(who);
    }
}

class RoutingDoc : public CDocument {
public:
    RoutingDoc() {
        MapCommand(kShared, [] { Record("document"); });
        MapCommand(kDocument, [] { Record("document"); });
    }
};

class RoutingView : public CView {
public:
    RoutingView() {
        MapCommand(kShared, [this] { Record("view " + GetWindowText()); });
    }
    void OnInitialUpdate() override {
        ++initialUpdates;
        CView::OnInitialUpdate();
    }
    void OnSize(UINT, int cx, int cy) override { sizes.push_back(CSize(cx, cy)); }
    int initialUpdates = 0;
    std::vector<CSize> sizes;
};

class RoutingFrame : public CFrameWnd {
public:
    RoutingFrame() {
        for (UINT id : {kShared, kDocument, kFrameOnly}) {
            MapCommand(id, [] { Record("frame"); });
        }
    }
    BOOL OnCreateClient(CREATESTRUCT*, CCreateContext* context) override {
        if (!splitter.CreateStatic(this, 1, 2) ||
            !splitter.CreateView(0, 0, RuntimeClassOf<RoutingView>(), CSize(335, 0), context) ||
            !splitter.CreateView(0, 1, RuntimeClassOf<RoutingView>(), CSize(0, 0), context)) {
            return FALSE;
        }
        Left()->SetWindowText("left");
        Right()->SetWindowText("right");
        SetActiveView(Right());
        return TRUE;
    }
    RoutingView* Left() { return static_cast<RoutingView*>(splitter.GetPane(0, 0)); }
    RoutingView* Right() { return static_cast<RoutingView*>(splitter.GetPane(0, 1)); }
    CSplitterWnd splitter;
};

class RoutingApp : public CWinApp {
public:
    RoutingApp() : CWinApp("Quorvane") {
        for (UINT id : {kShared, kDocument, kFrameOnly, kAppOnly}) {
            MapCommand(id, [] { Record("app"); });
        }
        MapCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    }
};

class CommandRoutingTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        calls = &recorded;
        UiHostOptions options;
        options.detached = true;
        options.width = 1024;
        options.height = 700;
        UiHost::SetOptions(options);
        CResourceTable& resources = AfxResources();
        resources.AddString(kResource, "Quorvane\n\nQuorvane\n\n\nQuorvane.Document");
        resources.AddMenu({kResource,
                           {{"&File", {{"E&xit", ID_APP_EXIT}}},
                            {"&Help", {{"&About Quorvane...", ID_APP_ABOUT}}}}});
        resources.AddAccelerators(kResource, {{FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
                                              {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
                                              {FVIRTKEY | FCONTROL, 'Q', kShared},
                                              {FVIRTKEY | FCONTROL | FSHIFT, 'Q', kAppOnly},
                                              {FVIRTKEY, VK_F6, ID_NEXT_PANE},
                                              {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE}});
        app.AddDocTemplate(new CSingleDocTemplate(kResource, RuntimeClassOf<RoutingDoc>(),
                                                  RuntimeClassOf<RoutingFrame>(),
                                                  RuntimeClassOf<RoutingView>()));
        CCommandLineInfo info;
        ASSERT_TRUE(app.ProcessShellCommand(info));
        frame = dynamic_cast<RoutingFrame*>(app.GetMainWnd());
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override {
        app.CloseAllDocuments();
        calls = nullptr;
        ToolkitTest::TearDown();
    }

    std::vector<std::string> recorded;
    RoutingApp app;
    RoutingFrame* frame = nullptr;
};

TEST_F(CommandRoutingTest, ActiveViewComesFirstThenDocumentFrameAndApplication) {
    EXPECT_TRUE(frame->OnCmdMsg(kShared, CommandAction::Execute));
    EXPECT_TRUE(frame->OnCmdMsg(kDocument, CommandAction::Execute));
    EXPECT_TRUE(frame->OnCmdMsg(kFrameOnly, CommandAction::Execute));
    EXPECT_TRUE(frame->OnCmdMsg(kAppOnly, CommandAction::Execute));
    EXPECT_FALSE(frame->OnCmdMsg(kNobody, CommandAction::Execute));
    EXPECT_EQ(recorded, (std::vector<std::string>{"view right", "document", "frame", "app"}));
}

TEST_F(CommandRoutingTest, AQueryRunsNothing) {
    EXPECT_TRUE(frame->OnCmdMsg(kShared, CommandAction::Query));
    EXPECT_FALSE(frame->OnCmdMsg(ID_EDIT_COPY, CommandAction::Query));
    EXPECT_TRUE(frame->OnCmdMsg(ID_APP_EXIT, CommandAction::Query));  // the application's own
    EXPECT_TRUE(recorded.empty());
}

TEST_F(CommandRoutingTest, NextPaneActivatesTheOtherViewAndRoutingFollowsIt) {
    EXPECT_EQ(frame->GetActiveView(), frame->Right());
    EXPECT_TRUE(frame->OnCmdMsg(ID_NEXT_PANE, CommandAction::Execute));
    EXPECT_EQ(frame->GetActiveView(), frame->Left());
    frame->OnCmdMsg(kShared, CommandAction::Execute);
    EXPECT_EQ(recorded, (std::vector<std::string>{"view left"}));
    EXPECT_TRUE(frame->OnCmdMsg(ID_PREV_PANE, CommandAction::Execute));
    EXPECT_EQ(frame->GetActiveView(), frame->Right());
}

TEST_F(CommandRoutingTest, AcceleratorsPostTheirCommandForTheNextDispatch) {
    EXPECT_TRUE(frame->TranslateAccelerator('Q', KeyModifiers{false, true, false}));
    EXPECT_TRUE(recorded.empty());  // posted, not run while input is read
    DispatchPostedMessages();
    EXPECT_EQ(recorded, (std::vector<std::string>{"view right"}));
}

TEST_F(CommandRoutingTest, AcceleratorModifiersMustMatchExactly) {
    EXPECT_TRUE(frame->TranslateAccelerator('Q', KeyModifiers{true, true, false}));
    EXPECT_FALSE(frame->TranslateAccelerator('Q', KeyModifiers{false, false, false}));
    EXPECT_FALSE(frame->TranslateAccelerator('Q', KeyModifiers{false, true, true}));
    DispatchPostedMessages();
    EXPECT_EQ(recorded, (std::vector<std::string>{"app"}));
}

TEST_F(CommandRoutingTest, AcceleratorOfACommandWithoutHandlerLeavesTheKeyAlone) {
    // Ctrl+S: no document saves here, so the key goes on to the interface.
    EXPECT_FALSE(frame->TranslateAccelerator('S', KeyModifiers{false, true, false}));
    EXPECT_EQ(PostedMessageCount(), 0u);
}

TEST_F(CommandRoutingTest, MenuShowsMnemonicsAndAcceleratorsAsText) {
    ASSERT_NE(frame->GetMenu(), nullptr);
    EXPECT_EQ(StripMnemonic(frame->GetMenu()->popups[0].items[0].text), "Exit");
    EXPECT_EQ(MnemonicOf("E&xit"), 'x');
    EXPECT_EQ(StripMnemonic("Salt && &Pepper"), "Salt & Pepper");
    EXPECT_EQ(MnemonicOf("Salt && &Pepper"), 'p');
    EXPECT_EQ(frame->AcceleratorText(ID_FILE_NEW), "Ctrl+N");
    EXPECT_EQ(frame->AcceleratorText(kAppOnly), "Ctrl+Shift+Q");
    EXPECT_EQ(frame->AcceleratorText(ID_APP_ABOUT), "");
}

TEST_F(CommandRoutingTest, NewReusesTheFrameAndViewsAndUpdatesThemAgain) {
    RoutingView* left = frame->Left();
    EXPECT_EQ(left->initialUpdates, 1);
    EXPECT_TRUE(frame->OnCmdMsg(ID_FILE_NEW, CommandAction::Execute));
    EXPECT_EQ(app.GetMainWnd(), frame);
    EXPECT_EQ(frame->Left(), left);
    EXPECT_EQ(left->initialUpdates, 2);
    EXPECT_EQ(frame->Right()->initialUpdates, 2);
    EXPECT_EQ(frame->GetFrameTitle(), "Untitled - Quorvane");
}

TEST_F(CommandRoutingTest, ExitClosesTheMainFrameAndAsksToQuit) {
    EXPECT_TRUE(frame->OnCmdMsg(ID_APP_EXIT, CommandAction::Execute));
    EXPECT_EQ(frame->GetSafeHwnd(), nullptr);
    EXPECT_EQ(app.GetMainWnd(), nullptr);
    EXPECT_TRUE(QuitRequested());
    EXPECT_TRUE(UiHost::Current()->IsClosing());
}

TEST_F(CommandRoutingTest, PostedCommandsOfADestroyedWindowAreDropped) {
    PostCommand(frame->Left(), kShared);
    PostCommand(frame, kFrameOnly);
    frame->Left()->DestroyWindow();
    DispatchPostedMessages();
    EXPECT_EQ(recorded, (std::vector<std::string>{"frame"}));
}

}  // namespace

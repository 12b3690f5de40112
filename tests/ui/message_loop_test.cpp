// The message loop and modal loops without a display: idle counts, idle
// turns that stop and resume, and modal dialogs that hold the idle handler.

#include <functional>

#include <gtest/gtest.h>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/docview/doc_template.h"
#include "platform/ui/docview/document.h"
#include "platform/ui/docview/frame_wnd.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/docview/view.h"
#include "platform/ui/docview/win_app.h"
#include "platform/window/system.h"
#include "ui_test_support.h"

namespace {

constexpr UINT kDialog = 100;
constexpr UINT kPoke = 40010;

class LoopApp : public CWinApp {
public:
    LoopApp() : CWinApp("Quorvane") {
        MapCommand(kPoke, [this] { ++pokes; });
        MapCommand(ID_APP_ABOUT, [this] {
            CDialog box(kDialog);
            dialog = &box;
            dialogResult = box.DoModal();
            dialog = nullptr;
        });
    }
    BOOL InitInstance() override {
        AddDocTemplate(new CSingleDocTemplate(128, RuntimeClassOf<CDocument>(),
                                              RuntimeClassOf<CFrameWnd>(),
                                              RuntimeClassOf<CView>()));
        CCommandLineInfo info;
        if (!ProcessShellCommand(info)) {
            return FALSE;
        }
        UiHost::Current()->SetTurnObserver([this](const TurnInfo& turn) {
            if (turn.turn > 500) {
                PostQuitMessage(2);  // a script that never ends must not hang the test
            } else if (script) {
                script(turn);
            }
        });
        return TRUE;
    }
    BOOL OnIdle(LONG count) override {
        counts.push_back(count);
        if (UiHost::Current()->ModalDepth() > 0) {
            ++idleDuringModal;
        }
        return idleAnswer ? idleAnswer(count) : TRUE;
    }

    std::function<void(const TurnInfo&)> script;
    std::function<BOOL(LONG)> idleAnswer;
    std::vector<LONG> counts;
    int idleDuringModal = 0;
    int pokes = 0;
    CDialog* dialog = nullptr;
    int dialogResult = 0;
};

class MessageLoopTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        UiHostOptions options;
        options.detached = true;
        UiHost::SetOptions(options);
        AfxResources().AddDialog(
            {kDialog, "Box", 100, 40, {{ControlKind::DefPushButton, IDOK, "OK", 40, 20, 50, 14}}});
    }
    int Run() {
        char name[] = "ui_tests";
        char* argv[] = {name, nullptr};
        return AfxWinMain(1, argv);
    }
    LoopApp app;
};

TEST_F(MessageLoopTest, IdleCountRestartsAfterEveryHandledMessage) {
    app.script = [this](const TurnInfo& turn) {
        if (turn.turn == 4) {
            PostCommand(&app, kPoke);
        } else if (turn.turn == 8) {
            PostQuitMessage(0);
        }
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(app.pokes, 1);
    // Turns 1 to 4 idle with 0..3; the poke runs after turn 4's idle call,
    // so turn 5 starts again from 0.
    ASSERT_GE(app.counts.size(), 7u);
    EXPECT_EQ((std::vector<LONG>(app.counts.begin(), app.counts.begin() + 7)),
              (std::vector<LONG>{0, 1, 2, 3, 0, 1, 2}));
}

TEST_F(MessageLoopTest, IdleThatWantsNoMoreRestsUntilAMessageComes) {
    app.idleAnswer = [](LONG count) { return count < 1 ? TRUE : FALSE; };
    app.script = [this](const TurnInfo& turn) {
        if (turn.turn == 6) {
            PostCommand(&app, kPoke);
        } else if (turn.turn == 12) {
            PostQuitMessage(0);
        }
    };
    EXPECT_EQ(Run(), 0);
    // 0 and 1 (which said "no more"), nothing until the poke, then 0 and 1 again.
    EXPECT_EQ(app.counts, (std::vector<LONG>{0, 1, 0, 1}));
}

TEST_F(MessageLoopTest, ModalDialogHoldsTheIdleHandlerUntilItEnds) {
    std::size_t idleBefore = 0;
    app.script = [&](const TurnInfo& turn) {
        if (turn.turn == 3) {
            PostCommand(&app, ID_APP_ABOUT);
        } else if (app.dialog != nullptr && turn.modalDepth == 1) {
            if (idleBefore == 0) {
                idleBefore = app.counts.size();
            } else if (turn.turn == 10) {
                app.dialog->OnCommand(IDOK);  // as its OK button would
            }
        } else if (turn.turn == 14) {
            PostQuitMessage(0);
        }
    };
    UiHostOptions options = UiHost::Options();
    options.unattendedModals = false;
    UiHost::SetOptions(options);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(app.dialogResult, IDOK);
    EXPECT_EQ(app.idleDuringModal, 0);
    EXPECT_GT(app.counts.size(), idleBefore);  // idle resumed afterwards
}

TEST_F(MessageLoopTest, UnattendedModalBoxesCloseThemselves) {
    app.script = [this](const TurnInfo& turn) {
        if (turn.turn == 2) {
            PostCommand(&app, ID_APP_ABOUT);
        } else if (turn.turn == 12) {
            PostQuitMessage(0);
        }
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(app.dialogResult, IDCANCEL);  // nothing was accepted on anyone's behalf
}

TEST_F(MessageLoopTest, QuittingEndsAnOpenModalBoxAndTheLoop) {
    UiHostOptions options = UiHost::Options();
    options.unattendedModals = false;
    UiHost::SetOptions(options);
    app.script = [this](const TurnInfo& turn) {
        if (turn.turn == 2) {
            PostCommand(&app, ID_APP_ABOUT);
        } else if (turn.modalDepth == 1 && turn.turn == 6) {
            PostQuitMessage(4);
        }
    };
    EXPECT_EQ(Run(), 4);
    EXPECT_EQ(app.dialogResult, IDCANCEL);
    EXPECT_EQ(UiHost::Current(), nullptr);
}

TEST_F(MessageLoopTest, FailedStartUpEndsWithoutALoop) {
    class FailingApp : public CWinApp {
    public:
        BOOL InitInstance() override { return FALSE; }
        BOOL OnIdle(LONG) override {
            ADD_FAILURE() << "no idle turn after a failed start-up";
            return FALSE;
        }
    };
    FailingApp failing;
    char name[] = "ui_tests";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(AfxWinMain(1, argv), 1);
}

}  // namespace

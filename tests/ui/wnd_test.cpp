// The window tree: creation, destruction order, ownership, handles that
// outlive their windows, and taking a control over.

#include <gtest/gtest.h>

#include "platform/ui/controls/edit.h"
#include "platform/ui/controls/slider_ctrl.h"
#include "platform/ui/docview/win_app.h"
#include "platform/ui/windows/wnd.h"
#include "platform/window/system.h"
#include "ui_test_support.h"

namespace {

std::vector<std::string>* journal = nullptr;

class JournalWnd : public CWnd {
public:
    explicit JournalWnd(std::string name) : name_(std::move(name)) {}
    ~JournalWnd() override {
        if (journal != nullptr) {
            journal->push_back("delete " + name_);
        }
    }
    void OnDestroy() override { journal->push_back("destroy " + name_); }
    void PostNcDestroy() override { journal->push_back("gone " + name_); }
    void OnSize(UINT, int cx, int cy) override { sizes.push_back(CSize(cx, cy)); }
    bool Make(CWnd* parent, const CRect& rect = CRect(0, 0, 10, 10)) {
        return Create(kToolkitWindowClass, name_.c_str(), WS_CHILD | WS_VISIBLE, rect, parent, 0) !=
               FALSE;
    }
    std::vector<CSize> sizes;

private:
    std::string name_;
};

class WndTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        journal = &entries;
    }
    void TearDown() override {
        journal = nullptr;
        ToolkitTest::TearDown();
    }
    std::vector<std::string> entries;
};

TEST_F(WndTest, CreationNeedsAClassName) {
    CWnd window;
    EXPECT_FALSE(window.Create("", "x", 0, CRect(0, 0, 1, 1), nullptr, 0));
    EXPECT_FALSE(window.Create(nullptr, "x", 0, CRect(0, 0, 1, 1), nullptr, 0));
    EXPECT_EQ(window.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(window.Create(AfxRegisterWndClass(0x1003), "x", 0, CRect(0, 0, 1, 1), nullptr, 0));
    EXPECT_FALSE(window.Create(kToolkitWindowClass, "again", 0, CRect(0, 0, 1, 1), nullptr, 0));
}

TEST_F(WndTest, DestroyingAParentDestroysItsChildrenLastCreatedFirst) {
    JournalWnd parent("parent");
    JournalWnd first("first");
    JournalWnd second("second");
    ASSERT_TRUE(parent.Make(nullptr));
    ASSERT_TRUE(first.Make(&parent));
    ASSERT_TRUE(second.Make(&parent));
    ASSERT_TRUE(parent.DestroyWindow());
    EXPECT_EQ(entries, (std::vector<std::string>{"destroy parent", "destroy second", "gone second",
                                                 "destroy first", "gone first", "gone parent"}));
    EXPECT_EQ(first.GetSafeHwnd(), nullptr);
    EXPECT_EQ(first.GetParent(), nullptr);
    EXPECT_FALSE(parent.DestroyWindow());  // only once
}

TEST_F(WndTest, OwnedChildrenAreDeletedAfterTheirParentIsDestroyed) {
    JournalWnd parent("parent");
    ASSERT_TRUE(parent.Make(nullptr));
    auto* owned =
        static_cast<JournalWnd*>(parent.AdoptChild(std::make_unique<JournalWnd>("owned")));
    ASSERT_TRUE(owned->Make(&parent));
    parent.DestroyWindow();
    EXPECT_EQ(entries, (std::vector<std::string>{"destroy parent", "destroy owned", "gone owned",
                                                 "delete owned", "gone parent"}));
}

TEST_F(WndTest, HandlesOfDestroyedWindowsAreRecognised) {
    auto window = std::make_unique<JournalWnd>("short");
    ASSERT_TRUE(window->Make(nullptr));
    HWND handle = window->GetSafeHwnd();
    EXPECT_TRUE(IsWindow(handle));
    EXPECT_EQ(CWnd::FromHandle(handle), window.get());
    window.reset();  // deleted without DestroyWindow: the handle dies with it
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(CWnd::FromHandle(handle), nullptr);
    EXPECT_FALSE(IsWindow(nullptr));
}

TEST_F(WndTest, DestroyingTheCapturingWindowReleasesTheCapture) {
    JournalWnd pane("pane");
    ASSERT_TRUE(pane.Make(nullptr));
    SetCapture(pane.GetSafeHwnd());
    pane.DestroyWindow();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WndTest, AChildDeletedFirstLeavesItsParent) {
    JournalWnd parent("parent");
    ASSERT_TRUE(parent.Make(nullptr));
    {
        JournalWnd member("member");
        ASSERT_TRUE(member.Make(&parent));
        EXPECT_EQ(parent.Children().size(), 1u);
    }
    EXPECT_TRUE(parent.Children().empty());
    parent.DestroyWindow();  // reaches no deleted child
}

TEST_F(WndTest, SizeMessagesFollowClientSizeChangesOnly) {
    JournalWnd window("sized");
    ASSERT_TRUE(window.Make(nullptr, CRect(0, 0, 100, 50)));
    ASSERT_EQ(window.sizes.size(), 1u);  // the size at creation
    window.MoveWindow(20, 30, 100, 50);  // moved, same size
    EXPECT_EQ(window.sizes.size(), 1u);
    window.MoveWindow(20, 30, 120, 50);
    ASSERT_EQ(window.sizes.size(), 2u);
    EXPECT_EQ(window.sizes.back().cx, 120);
    window.MoveWindow(0, 0, -5, -5);  // no negative sizes
    EXPECT_EQ(window.sizes.back().cx, 0);
}

TEST_F(WndTest, ClientPointsMapThroughEveryParent) {
    JournalWnd top("top");
    JournalWnd middle("middle");
    JournalWnd inner("inner");
    ASSERT_TRUE(top.Make(nullptr, CRect(0, 0, 500, 500)));
    ASSERT_TRUE(middle.Make(&top, CRect(100, 50, 400, 450)));
    ASSERT_TRUE(inner.Make(&middle, CRect(10, 20, 60, 70)));
    EXPECT_EQ(inner.ClientToScreen(CPoint(1, 2)), CPoint(111, 72));
    EXPECT_EQ(inner.ScreenToClient(CPoint(111, 72)), CPoint(1, 2));
    CRect placed;
    inner.GetWindowRect(&placed);
    EXPECT_EQ(placed, CRect(110, 70, 160, 120));
    EXPECT_EQ(top.ChildWindowFromPoint(CPoint(120, 80)), &inner);
    inner.ShowWindow(SW_HIDE);
    EXPECT_EQ(top.ChildWindowFromPoint(CPoint(120, 80)), &middle);
}

TEST_F(WndTest, TakingOverAControlKeepsItsPlaceAndState) {
    CWnd dialog;
    ASSERT_TRUE(
        dialog.Create(kToolkitWindowClass, "", WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    auto* made = static_cast<CSliderCtrl*>(dialog.AdoptChild(std::make_unique<CSliderCtrl>()));
    ASSERT_TRUE(
        made->Create(WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, CRect(5, 6, 105, 30), &dialog, 1001));
    auto* before = dialog.AdoptChild(std::make_unique<CEdit>());
    ASSERT_TRUE(static_cast<CEdit*>(before)->Create(WS_CHILD, CRect(0, 0, 5, 5), &dialog, 1000));
    made->SetRange(0, 1000);
    made->SetPos(640);
    made->SetFocus();

    CSliderCtrl member;
    ASSERT_TRUE(member.SubclassDlgItem(1001, &dialog));
    EXPECT_EQ(dialog.GetDlgItem(1001), &member);
    EXPECT_EQ(dialog.Children()[0], &member);  // same place in the tab order
    EXPECT_EQ(member.GetPlacement(), CRect(5, 6, 105, 30));
    EXPECT_EQ(member.GetPos(), 640);
    EXPECT_EQ(member.GetRangeMax(), 1000);
    EXPECT_EQ(CWnd::GetFocus(), &member);
    EXPECT_FALSE(member.SubclassDlgItem(1001, &dialog));  // a window already

    CSliderCtrl wrongKind;
    EXPECT_FALSE(wrongKind.SubclassDlgItem(1000, &dialog));
    EXPECT_EQ(dialog.GetDlgItem(1000), before);
}

TEST_F(WndTest, AWindowsMessageBoxIsCaptionedWithTheApplicationByDefault) {
    CWinApp app("Quorvane");
    JournalWnd page("page");
    ASSERT_TRUE(page.Make(nullptr));
    EXPECT_EQ(page.MessageBox("The minimum must stay below the maximum.", "Invalid Input",
                              MB_ICONEXCLAMATION | MB_OK),
              IDOK);
    page.MessageBox("Saved.");
    ASSERT_EQ(messageBoxes.size(), 2u);
    EXPECT_EQ(messageBoxes[0].caption, "Invalid Input");
    EXPECT_EQ(messageBoxes[0].type, MB_ICONEXCLAMATION);
    EXPECT_EQ(messageBoxes[1].caption, "Quorvane");
    page.DestroyWindow();
}

}  // namespace

// The static splitter: track sizes, dragging the bar, and the size
// messages panes get when the frame or the bar moves.

#include <gtest/gtest.h>

#include "platform/ui/docview/frame_wnd.h"
#include "platform/ui/docview/splitter_layout.h"
#include "platform/ui/docview/splitter_wnd.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/core/ui_metrics.h"
#include "platform/ui/docview/view.h"
#include "ui_test_support.h"

namespace {

class SizedView : public CView {
public:
    void OnSize(UINT type, int cx, int cy) override {
        lastType = type;
        sizes.push_back(CSize(cx, cy));
    }
    UINT lastType = 99;
    std::vector<CSize> sizes;
};

TEST(SplitterLayout, LastTrackTakesWhatIsLeft) {
    const std::vector<int> sizes = LayoutSplitterTracks({{335, 0}, {0, 0}}, 1024, 6);
    EXPECT_EQ(sizes, (std::vector<int>{335, 683}));
}

TEST(SplitterLayout, EveryTrackKeepsAPixelWhenSpaceRunsOut) {
    EXPECT_EQ(LayoutSplitterTracks({{335, 0}, {0, 0}}, 300, 6), (std::vector<int>{293, 1}));
    EXPECT_EQ(LayoutSplitterTracks({{100, 0}, {100, 0}, {0, 0}}, 50, 6),
              (std::vector<int>{36, 1, 1}));
    EXPECT_EQ(LayoutSplitterTracks({{0, 0}, {0, 0}}, 200, 6), (std::vector<int>{1, 193}));
}

TEST(SplitterLayout, DraggingStopsAtTheMinimumAndBeforeTheLastTrack) {
    const std::vector<SplitterTrack> tracks{{335, 50}, {0, 0}};
    const std::vector<int> sizes = LayoutSplitterTracks(tracks, 1024, 6);
    EXPECT_EQ(DraggedTrackSize(tracks, sizes, 0, 400, 1024, 6), 400);
    EXPECT_EQ(DraggedTrackSize(tracks, sizes, 0, 10, 1024, 6), 50);
    EXPECT_EQ(DraggedTrackSize(tracks, sizes, 0, 5000, 1024, 6), 1017);  // one pixel stays
}

class SplitterFrame : public CFrameWnd {
public:
    BOOL OnCreateClient(CREATESTRUCT*, CCreateContext* context) override {
        return splitter.CreateStatic(this, 1, 2) &&
               splitter.CreateView(0, 0, RuntimeClassOf<SizedView>(), CSize(335, 0), context) &&
               splitter.CreateView(0, 1, RuntimeClassOf<SizedView>(), CSize(0, 0), context);
    }
    SizedView* Pane(int column) { return static_cast<SizedView*>(splitter.GetPane(0, column)); }
    CSplitterWnd splitter;
};

class SplitterTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        UiHostOptions options;
        options.detached = true;
        options.width = 1024;
        options.height = 700;
        UiHost::SetOptions(options);
        CCreateContext context;
        ASSERT_TRUE(frame.LoadFrame(0, WS_OVERLAPPEDWINDOW, nullptr, &context));
        frame.ShowWindow(SW_SHOW);
    }
    void TearDown() override {
        frame.DestroyWindow();
        ToolkitTest::TearDown();
    }
    SplitterFrame frame;
};

TEST_F(SplitterTest, LeftPaneIs335PixelsAndTheRightTakesTheRest) {
    CRect left;
    CRect right;
    frame.Pane(0)->GetClientRect(&left);
    frame.Pane(1)->GetClientRect(&right);
    EXPECT_EQ(left.Width(), 335);
    EXPECT_EQ(right.Width(), 1024 - 335 - CurrentUiMetrics().splitterBar);
    EXPECT_EQ(right.Height(), 700);  // a frame without a menu has no menu bar
    EXPECT_EQ(frame.Pane(1)->GetPlacement().left, 335 + CurrentUiMetrics().splitterBar);
    EXPECT_EQ(frame.splitter.GetDlgCtrlID(), 0xE900);
    EXPECT_EQ(frame.Pane(1)->GetDlgCtrlID(), 0xE901);
}

TEST_F(SplitterTest, DraggingTheBarResizesBothPanesAndTellsThem) {
    SizedView* right = frame.Pane(1);
    right->sizes.clear();
    frame.splitter.TrackColumnBar(0, 400);
    CRect left;
    frame.Pane(0)->GetClientRect(&left);
    EXPECT_EQ(left.Width(), 400);
    ASSERT_EQ(right->sizes.size(), 1u);
    EXPECT_EQ(right->sizes.back().cx, 1024 - 400 - CurrentUiMetrics().splitterBar);
    EXPECT_EQ(right->lastType, SIZE_RESTORED);
}

TEST_F(SplitterTest, ResizingTheFrameKeepsTheLeftWidthAndResizesTheRight) {
    SizedView* left = frame.Pane(0);
    SizedView* right = frame.Pane(1);
    left->sizes.clear();
    right->sizes.clear();
    frame.MoveWindow(0, 0, 800, 600);
    ASSERT_EQ(right->sizes.size(), 1u);
    EXPECT_EQ(right->sizes.back().cx, 800 - 335 - CurrentUiMetrics().splitterBar);
    EXPECT_EQ(right->sizes.back().cy, 600);
    ASSERT_EQ(left->sizes.size(), 1u);  // only its height changed
    EXPECT_EQ(left->sizes.back().cx, 335);
    frame.MoveWindow(0, 0, 800, 600);  // no change, no message
    EXPECT_EQ(right->sizes.size(), 1u);
}

TEST_F(SplitterTest, PaneUnderAPointIsFoundThroughTheTree) {
    const int bar = CurrentUiMetrics().splitterBar;
    EXPECT_EQ(frame.ChildWindowFromPoint(CPoint(10, 10)), frame.Pane(0));
    EXPECT_EQ(frame.ChildWindowFromPoint(CPoint(335 + bar + 1, 10)), frame.Pane(1));
    EXPECT_EQ(frame.ChildWindowFromPoint(CPoint(336, 10)), &frame.splitter);  // the bar
    EXPECT_EQ(frame.ChildWindowFromPoint(CPoint(2000, 10)), nullptr);
    const CPoint client = frame.Pane(1)->ScreenToClient(CPoint(400, 30));
    EXPECT_EQ(client.x, 400 - 335 - bar);
    EXPECT_EQ(client.y, 30);
}

TEST_F(SplitterTest, APaneDestroyedOnItsOwnIsGoneFromTheSplitter) {
    frame.Pane(1)->DestroyWindow();
    EXPECT_EQ(frame.splitter.GetPane(0, 1), nullptr);
    frame.MoveWindow(0, 0, 900, 650);  // lays out the remaining pane only
    CRect left;
    frame.Pane(0)->GetClientRect(&left);
    EXPECT_EQ(left.Height(), 650);
    frame.splitter.ActivatePane(false);  // F6 finds the pane that is left
    EXPECT_EQ(frame.GetActiveView(), frame.Pane(0));
}

}  // namespace

// Property sheets: page windows made on first show, the tab change that a
// page may refuse, layout of the tabs, and the life of pages and sheet.

#include <gtest/gtest.h>

#include "platform/ui/controls/data_exchange.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/controls/slider_ctrl.h"
#include "platform/ui/dialogs/tab_strip_layout.h"
#include "platform/ui/core/ui_metrics.h"
#include "platform/ui/docview/win_app.h"
#include "ui_test_support.h"

namespace {

constexpr int kGain = 1001;
constexpr int kRate = 1004;

// A page of the behaviour pages' shape that counts its set-ups and shows
// whatever its fields hold when its window is made.
class CountingPage : public CPropertyPage {
public:
    explicit CountingPage(UINT templateId) : CPropertyPage(templateId) {}

    BOOL OnInitDialog() override {
        ++initCount;
        CPropertyPage::OnInitDialog();
        gainSlider.SetRangeMin(0);
        gainSlider.SetRangeMax(1000);
        gainSlider.SetTicFreq(100);
        UpdateData(FALSE);
        return TRUE;
    }
    BOOL OnSetActive() override {
        ++activations;
        return CPropertyPage::OnSetActive();
    }
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Slider(exchange, kGain, gainPosition);
        DDX_Control(exchange, kGain, gainSlider);
        DDX_Text(exchange, kRate, turnRate);
    }
    // Fills the fields as the pages' refresh does: shown at once only when
    // the window exists.
    void Refresh(int position, float rate) {
        gainPosition = position;
        turnRate = rate;
        if (IsWindow(GetSafeHwnd())) {
            UpdateData(FALSE);
        }
    }

    int initCount = 0;
    int activations = 0;
    int gainPosition = 0;
    CSliderCtrl gainSlider;
    float turnRate = 0.1f;
};

const char* const kTitles[] = {"Alignment Behavior",  "Avoidance Behavior",
                               "Cohesion Behavior",   "Cruising Behavior",
                               "Separation Behavior", "Stay In Sphere Behavior"};

class PropertySheetTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        for (UINT i = 0; i < 6; ++i) {
            AfxResources().AddDialog(PageLikeTemplate(131 + i, kTitles[i], {kRate}));
        }
        ASSERT_TRUE(
            parent.Create(kToolkitWindowClass, "", WS_VISIBLE, CRect(0, 0, 335, 700), nullptr, 0));
        for (CountingPage& page : pages) {
            sheet.AddPage(&page);
        }
    }

    CWinApp app{"Quorvane"};
    CWnd parent;
    CPropertySheet sheet{"Behavior Property Sheets"};
    CountingPage pages[6] = {CountingPage(131), CountingPage(132), CountingPage(133),
                             CountingPage(134), CountingPage(135), CountingPage(136)};
};

TEST_F(PropertySheetTest, OnlyTheFirstShownPageGetsAWindowAtCreation) {
    ASSERT_TRUE(sheet.Create(&parent));
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_NE(pages[0].GetSafeHwnd(), nullptr);
    EXPECT_EQ(pages[0].initCount, 1);
    EXPECT_TRUE(pages[0].IsWindowVisible());
    for (int i = 1; i < 6; ++i) {
        EXPECT_EQ(pages[i].GetSafeHwnd(), nullptr) << i;
        EXPECT_EQ(pages[i].initCount, 0) << i;
    }
}

TEST_F(PropertySheetTest, APageIsSetUpOnceOnItsFirstShow) {
    ASSERT_TRUE(sheet.Create(&parent));
    ASSERT_TRUE(sheet.SetActivePage(3));
    EXPECT_EQ(pages[3].initCount, 1);
    EXPECT_FALSE(pages[0].IsWindowVisible());
    ASSERT_TRUE(sheet.SetActivePage(0));
    ASSERT_TRUE(sheet.SetActivePage(3));
    EXPECT_EQ(pages[3].initCount, 1);  // shown twice, set up once
    EXPECT_EQ(pages[3].activations, 2);
    EXPECT_EQ(pages[0].initCount, 1);
}

TEST_F(PropertySheetTest, ValuesStoredBeforeTheFirstShowAppearWhenItComes) {
    ASSERT_TRUE(sheet.Create(&parent));
    pages[4].Refresh(449, 0.5f);  // the page has no window yet: nothing to show in
    EXPECT_EQ(pages[4].GetSafeHwnd(), nullptr);
    ASSERT_TRUE(sheet.SetActivePage(4));
    EXPECT_EQ(pages[4].gainSlider.GetPos(), 449);  // after the range 0..1000 was set
    EXPECT_EQ(pages[4].GetDlgItemText(kRate), "0.5");
}

TEST_F(PropertySheetTest, ARefusedNumberKeepsItsPageInFront) {
    ASSERT_TRUE(sheet.Create(&parent));
    pages[0].GetDlgItem(kRate)->SetWindowText("fast");
    EXPECT_FALSE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_TRUE(pages[0].IsWindowVisible());
    EXPECT_EQ(pages[1].GetSafeHwnd(), nullptr);
    ASSERT_EQ(messageBoxes.size(), 1u);
    EXPECT_EQ(messageBoxes[0].text, "Please enter a number.");

    pages[0].GetDlgItem(kRate)->SetWindowText("0.25");
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(pages[0].turnRate, 0.25f);  // leaving a page reads it; nothing is applied
}

TEST_F(PropertySheetTest, AddingAndCreatingAgainKeepsOneSheetWithItsTabs) {
    // A second initial update of the form repeats the set-up calls.
    ASSERT_TRUE(sheet.Create(&parent));
    for (CountingPage& page : pages) {
        sheet.AddPage(&page);
    }
    EXPECT_FALSE(sheet.Create(&parent));
    EXPECT_EQ(sheet.GetPageCount(), 6);
    EXPECT_EQ(parent.Children().size(), 1u);
    EXPECT_EQ(pages[0].initCount, 1);
    EXPECT_NE(sheet.GetSafeHwnd(), nullptr);
}

TEST_F(PropertySheetTest, SelectingAPageBeforeCreationShowsItFirst) {
    CPropertySheet other("Other", nullptr, 2);
    CountingPage first(131);
    CountingPage third(133);
    CountingPage second(132);
    other.AddPage(&first);
    other.AddPage(&second);
    other.AddPage(&third);
    ASSERT_TRUE(other.Create(&parent));
    EXPECT_EQ(other.GetActivePage(), &third);
    EXPECT_EQ(first.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(other.SetActivePage(7));
    EXPECT_EQ(other.GetActiveIndex(), 2);
}

TEST_F(PropertySheetTest, SheetFitsTheLargestPageUnderItsTabRows) {
    AfxResources().AddDialog(PageLikeTemplate(140, "Tall", {}));
    DialogTemplate tall = PageLikeTemplate(141, "Taller", {kRate});
    tall.cy = 163;
    AfxResources().AddDialog(tall);
    CPropertySheet sized("Sized");
    CountingPage small(140);
    CountingPage large(141);
    sized.AddPage(&small);
    sized.AddPage(&large);
    ASSERT_TRUE(sized.Create(&parent));
    const int margin = CurrentUiMetrics().sheetMargin;
    const CRect page = sized.GetPageRect();
    EXPECT_EQ(page.Width(), 326);   // 186 dialog units
    EXPECT_EQ(page.Height(), 265);  // 163 dialog units: the taller page
    EXPECT_EQ(sized.GetPlacement().Width(), 326 + 2 * margin);
    EXPECT_EQ(page.top, CurrentUiMetrics().tabHeight + margin);  // both tabs fit one row
    EXPECT_EQ(small.GetPlacement(), page);
}

TEST_F(PropertySheetTest, SixBehaviourTabsWrapIntoRowsInTheLeftPane) {
    ASSERT_TRUE(sheet.Create(&parent));
    const std::vector<CRect> tabs = sheet.GetTabRects();
    ASSERT_EQ(tabs.size(), 6u);
    const int rowHeight = CurrentUiMetrics().tabHeight;
    EXPECT_EQ(sheet.GetPageRect().top, 3 * rowHeight + CurrentUiMetrics().sheetMargin);
    // The first tab's row sits next to the page while it is selected.
    EXPECT_EQ(tabs[0].bottom, 3 * rowHeight);
    EXPECT_LE(tabs[5].right, sheet.GetPlacement().Width());
}

TEST(TabStripLayout, OneRowWhenEverythingFits) {
    const std::vector<CRect> tabs = LayoutTabStrip({50, 60, 70}, 200, 20, 1);
    EXPECT_EQ(tabs[0], CRect(0, 0, 50, 20));
    EXPECT_EQ(tabs[1], CRect(50, 0, 110, 20));
    EXPECT_EQ(tabs[2], CRect(110, 0, 180, 20));  // a single row is not stretched
}

TEST(TabStripLayout, SelectedRowMovesNextToThePageAndRowsFillTheWidth) {
    // Rows {0, 1}, {2, 3}, {4}; selecting 0 rotates its row to the bottom.
    const std::vector<int> widths{60, 60, 60, 60, 90};
    EXPECT_EQ(TabStripRowCount(widths, 130), 3);
    const std::vector<CRect> tabs = LayoutTabStrip(widths, 130, 10, 0);
    EXPECT_EQ(tabs[2].top, 0);  // the row after the selected one comes first
    EXPECT_EQ(tabs[4].top, 10);
    EXPECT_EQ(tabs[0].top, 20);  // the selected row is last
    EXPECT_EQ(tabs[1].right, 130);
    EXPECT_EQ(tabs[4], CRect(0, 10, 130, 20));  // stretched to the full width
    EXPECT_EQ(tabs[0].Width() + tabs[1].Width(), 130);
}

TEST(TabStripLayout, ATabWiderThanTheStripGetsARowOfItsOwn) {
    const std::vector<CRect> tabs = LayoutTabStrip({40, 300, 40}, 100, 10, -1);
    EXPECT_EQ(TabStripRowCount({40, 300, 40}, 100), 3);
    EXPECT_EQ(tabs[1].top, 10);
}

TEST_F(PropertySheetTest, PagesDestroyedBeforeTheSheetLeaveIt) {
    // The form view declares the sheet first and the pages after it, so the
    // pages die first; the sheet must not reach them afterwards.
    auto sheetFirst = std::make_unique<CPropertySheet>("Order");
    auto page = std::make_unique<CountingPage>(131);
    sheetFirst->AddPage(page.get());
    ASSERT_TRUE(sheetFirst->Create(&parent));
    page.reset();
    EXPECT_EQ(sheetFirst->GetPageCount(), 0);
    EXPECT_TRUE(sheetFirst->Children().empty());
    sheetFirst->DestroyWindow();
}

TEST_F(PropertySheetTest, ASheetDestroyedFirstLeavesItsPagesUsable) {
    CountingPage survivor(131);
    {
        CPropertySheet shortLived("Short");
        shortLived.AddPage(&survivor);
        ASSERT_TRUE(shortLived.Create(&parent));
        shortLived.DestroyWindow();
    }
    EXPECT_EQ(survivor.GetSheet(), nullptr);
    EXPECT_EQ(survivor.GetSafeHwnd(), nullptr);
    survivor.Refresh(10, 1.0f);  // only stores: no window
    EXPECT_EQ(survivor.gainPosition, 10);
}

}  // namespace

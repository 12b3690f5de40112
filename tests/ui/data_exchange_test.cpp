// Dialog data exchange: list order, refusals that stop the exchange, the
// trackbar's range during the classic two-step set-up, and binding.

#include <utility>

#include <gtest/gtest.h>

#include "platform/ui/controls/data_exchange.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/controls/edit.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/controls/slider_ctrl.h"
#include "platform/ui/docview/win_app.h"
#include "ui_test_support.h"

namespace {

constexpr UINT kTemplate = 131;
constexpr int kGain = 1001;
constexpr int kMinimum = 1003;
constexpr int kFirst = 1004;
constexpr int kSecond = 1005;
constexpr int kThird = 1006;

// Exchange list: slider, binding, text, text, slider, text.
class ExchangeDialog : public CDialog {
public:
    ExchangeDialog() : CDialog(kTemplate) {}

    BOOL OnInitDialog() override {
        ++initCount;
        CDialog::OnInitDialog();
        gainSlider.SetRangeMin(0);
        gainSlider.SetRangeMax(1000);
        gainSlider.SetTicFreq(100);
        UpdateData(FALSE);
        return TRUE;
    }

    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Slider(exchange, kGain, gainPosition);
        DDX_Control(exchange, kGain, gainSlider);
        DDX_Text(exchange, kFirst, first);
        DDX_Text(exchange, kSecond, second);
        DDX_Slider(exchange, kMinimum, minimumPosition);
        DDX_Text(exchange, kThird, third, -10.0f, 2.5f);
    }

    CSliderCtrl& Slider(int id) { return *static_cast<CSliderCtrl*>(GetDlgItem(id)); }
    void Type(int id, const std::string& text) { GetDlgItem(id)->SetWindowText(text); }

    int gainPosition = 0;
    CSliderCtrl gainSlider;
    float first = 0.0f;
    float second = 0.0f;
    int minimumPosition = 0;
    float third = 0.0f;
    int initCount = 0;
};

class DataExchangeTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        DialogTemplate page = PageLikeTemplate(kTemplate, "Test Page", {kFirst, kSecond, kThird});
        page.controls.push_back({ControlKind::Trackbar, kMinimum, "", 63, 110, 122, 24});
        AfxResources().AddDialog(page);
        dialog.gainPosition = 1000;
        dialog.first = 0.1f;
        dialog.second = 200.0f;
        dialog.minimumPosition = 50;
        dialog.third = 1.5f;
        ASSERT_TRUE(dialog.Create(kTemplate, nullptr));
    }

    CWinApp app{"Quorvane"};
    ExchangeDialog dialog;
};

TEST_F(DataExchangeTest, ShowingWritesEveryFieldInItsControl) {
    EXPECT_EQ(dialog.GetDlgItemText(kFirst), "0.1");
    EXPECT_EQ(dialog.GetDlgItemText(kSecond), "200");
    EXPECT_EQ(dialog.GetDlgItemText(kThird), "1.5");
    EXPECT_EQ(dialog.Slider(kMinimum).GetPos(), 50);
    EXPECT_TRUE(messageBoxes.empty());
}

TEST_F(DataExchangeTest, TrackbarShowsTheFieldOnlyOnceItsRangeAllowsIt) {
    // The first exchange runs while the trackbar still has its default range
    // 0..100: the position is clamped there. The set-up's second exchange,
    // after the range became 0..1000, shows the field as it is.
    EXPECT_EQ(dialog.initCount, 1);
    EXPECT_EQ(dialog.gainSlider.GetRangeMax(), 1000);
    EXPECT_EQ(dialog.gainSlider.GetPos(), 1000);
    EXPECT_EQ(dialog.gainPosition, 1000);  // the field never took the clamped value

    dialog.minimumPosition = 500;  // the other trackbar kept the default range
    dialog.UpdateData(FALSE);
    EXPECT_EQ(dialog.Slider(kMinimum).GetPos(), 100);
    EXPECT_EQ(dialog.minimumPosition, 500);
    dialog.UpdateData(TRUE);
    EXPECT_EQ(dialog.minimumPosition, 100);  // reading takes what the control holds
}

TEST_F(DataExchangeTest, ReadingTakesEveryControlInListOrder) {
    dialog.gainSlider.SetPos(500);
    dialog.Type(kFirst, "0.25");
    dialog.Type(kSecond, " 12.5 ");
    dialog.Slider(kMinimum).SetPos(7);
    dialog.Type(kThird, "-3");
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.gainPosition, 500);
    EXPECT_EQ(dialog.first, 0.25f);
    EXPECT_EQ(dialog.second, 12.5f);
    EXPECT_EQ(dialog.minimumPosition, 7);
    EXPECT_EQ(dialog.third, -3.0f);
}

TEST_F(DataExchangeTest, RefusedEntryStopsTheExchangeThere) {
    dialog.gainSlider.SetPos(300);
    dialog.Type(kFirst, "0.75");
    dialog.Type(kSecond, "abc");
    dialog.Slider(kMinimum).SetPos(9);
    dialog.Type(kThird, "4");

    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.gainPosition, 300);  // before the refused entry: read
    EXPECT_EQ(dialog.first, 0.75f);
    EXPECT_EQ(dialog.second, 200.0f);  // the refused entry and all after it: unchanged
    EXPECT_EQ(dialog.minimumPosition, 50);
    EXPECT_EQ(dialog.third, 1.5f);

    ASSERT_EQ(messageBoxes.size(), 1u);
    EXPECT_EQ(messageBoxes[0].text, "Please enter a number.");
    EXPECT_EQ(messageBoxes[0].caption, "Quorvane");
    EXPECT_EQ(messageBoxes[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(kSecond));
    EXPECT_EQ(dialog.GetDlgItemText(kSecond), "abc");  // the text stays for correcting
}

TEST_F(DataExchangeTest, NonFiniteNumbersAreRefusedLikeText) {
    for (const char* text : {"nan", "inf", "-inf", "1e39"}) {
        messageBoxes.clear();
        dialog.Type(kFirst, text);
        dialog.Type(kSecond, "5");
        EXPECT_FALSE(dialog.UpdateData(TRUE)) << text;
        EXPECT_EQ(dialog.first, 0.1f) << text;
        EXPECT_EQ(dialog.second, 200.0f) << text;
        EXPECT_EQ(messageBoxes.size(), 1u) << text;
    }
}

TEST_F(DataExchangeTest, ANumberOutsideItsRangeIsRefusedWithTheRangePrompt) {
    const std::pair<const char*, float> cases[] = {
        // text, then the field after reading
        {"2.5", 2.5f},    {"-10", -10.0f},  {"0.1", 0.1f}, {"1e-45", 1e-45f},
        {"2.5001", 1.5f}, {"-10.01", 1.5f}, {"3e38", 1.5f}};
    for (const auto& [text, read] : cases) {
        messageBoxes.clear();
        dialog.third = 1.5f;
        dialog.Type(kThird, text);
        const bool accepted = dialog.UpdateData(TRUE) != FALSE;
        EXPECT_EQ(dialog.third, read) << text;
        EXPECT_EQ(accepted, messageBoxes.empty()) << text;
        if (!accepted) {
            EXPECT_EQ(messageBoxes.at(0).text, "Please enter a number between -10 and 2.5.");
            EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(kThird));
        }
    }
}

TEST_F(DataExchangeTest, FirstEntryRefusedLeavesEveryField) {
    dialog.gainSlider.SetPos(10);
    dialog.Type(kFirst, "");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.gainPosition, 10);  // the slider comes before the first text
    EXPECT_EQ(dialog.first, 0.1f);
    EXPECT_EQ(dialog.second, 200.0f);
}

TEST_F(DataExchangeTest, BindingTakesTheTemplateControlOverOnce) {
    CSliderCtrl& bound = dialog.gainSlider;
    EXPECT_EQ(dialog.GetDlgItem(kGain), &bound);
    EXPECT_NE(bound.GetSafeHwnd(), nullptr);
    // The template's placement and style came along.
    EXPECT_EQ(bound.GetDlgCtrlID(), kGain);
    EXPECT_EQ(bound.GetPlacement(), CRect(110, 11, 324, 50));  // 63, 7, 122, 24 in dialog units
    EXPECT_NE(bound.GetStyle() & TBS_AUTOTICKS, 0u);
    EXPECT_EQ(bound.GetNumTics(), 11);
    // A later exchange finds it bound and keeps it.
    bound.SetPos(640);
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.GetDlgItem(kGain), &bound);
    EXPECT_EQ(dialog.gainPosition, 640);
}

class MisboundDialog : public CDialog {
public:
    MisboundDialog() : CDialog(kTemplate) {}
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Text(exchange, kFirst, first);
        DDX_Control(exchange, kSecond, slider);  // an edit box, not a trackbar
        DDX_Text(exchange, kThird, third, -10.0f, 2.5f);
    }
    float first = 1.0f;
    float third = 3.0f;
    CSliderCtrl slider;
};

TEST_F(DataExchangeTest, BindingToAControlOfAnotherKindStopsTheExchange) {
    MisboundDialog misbound;
    ASSERT_TRUE(misbound.Create(kTemplate, nullptr));
    EXPECT_EQ(misbound.slider.GetSafeHwnd(), nullptr);
    EXPECT_NE(dynamic_cast<CEdit*>(misbound.GetDlgItem(kSecond)), nullptr);  // still the edit box
    EXPECT_EQ(misbound.GetDlgItemText(kFirst), "1");
    EXPECT_EQ(misbound.GetDlgItemText(kThird), "");  // after the failed binding: not shown
}

class MissingControlDialog : public CDialog {
public:
    MissingControlDialog() : CDialog(kTemplate) {}
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Text(exchange, 4242, value);
        DDX_Text(exchange, kFirst, value);
    }
    float value = 8.0f;
};

TEST_F(DataExchangeTest, AMissingControlStopsTheExchangeWithoutAPrompt) {
    MissingControlDialog missing;
    ASSERT_TRUE(missing.Create(kTemplate, nullptr));
    missing.GetDlgItem(kFirst)->SetWindowText("2");
    EXPECT_FALSE(missing.UpdateData(TRUE));
    EXPECT_EQ(missing.value, 8.0f);
    EXPECT_TRUE(messageBoxes.empty());
}

}  // namespace

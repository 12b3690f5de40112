// The separation page: bounds written only when the minimum lies strictly
// below the maximum; otherwise a message, the bound sliders put back, and
// nothing written at all.

#include "shell/separation_behavior_property_page.h"
#include "shell/resources/behavior_page_ids.h"
#include "tests/shell/behavior_page_test_support.h"

namespace {

class SeparationPageTest : public BehaviorPageTest {
protected:
    void SetUp() override {
        BehaviorPageTest::SetUp();
        AddPages({&page});
        page.RefreshFromBehavior();
    }
    void Apply(int gain, const char* distance, int minimum, int maximum) {
        Set(page, IDC_GAIN_SLIDER, gain);
        Set(page, IDC_SEPARATION_DISTANCE, distance);
        Set(page, IDC_MIN_SEPARATION_SLIDER, minimum);
        Set(page, IDC_MAX_SEPARATION_SLIDER, maximum);
        PressApply(page);
    }

    CSeparationBehaviorPropertyPage page;
};

TEST_F(SeparationPageTest, BoundsInOrderAreWrittenWithGainAndDistance) {
    Apply(600, "95.5", 200, 800);
    const auto& separation = Live<cSeparationBehavior>();
    EXPECT_FLOAT_EQ(separation.minSeparationPercentage, 0.2f);
    EXPECT_FLOAT_EQ(separation.maxSeparationPercentage, 0.8f);
    EXPECT_FLOAT_EQ(separation.gain, 0.6f);
    EXPECT_EQ(separation.separationDistance, 95.5f);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SeparationPageTest, BoundsNotInOrderAreRefusedAndNothingIsWritten) {
    for (const auto& [minimum, maximum] : {std::pair{300, 300}, std::pair{700, 400}}) {
        messages.clear();
        Apply(500, "90", minimum, maximum);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text,
                  "Min Separation Percentage must be less than Max Separation Percentage");
        EXPECT_EQ(messages[0].caption, "Invalid Input");
        EXPECT_EQ(messages[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
        const auto& separation = Live<cSeparationBehavior>();
        EXPECT_EQ(separation.gain, 1.0f);
        EXPECT_EQ(separation.separationDistance, 70.0f);
        EXPECT_EQ(separation.minSeparationPercentage, 0.05f);
        EXPECT_EQ(separation.maxSeparationPercentage, 0.1f);
        // The bounds come back from the behaviour; the rest shows what was entered.
        EXPECT_EQ(Pos(page, IDC_MIN_SEPARATION_SLIDER), 50);
        EXPECT_EQ(Pos(page, IDC_MAX_SEPARATION_SLIDER), 100);
        EXPECT_EQ(Pos(page, IDC_GAIN_SLIDER), 500);
        EXPECT_EQ(Text(page, IDC_SEPARATION_DISTANCE), "90");
    }
}

}  // namespace

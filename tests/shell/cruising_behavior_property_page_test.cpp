// The cruising page: chances written back as running sums of the integer
// positions; a sum above 1000 is reported and written all the same.

#include "shell/cruising_behavior_property_page.h"
#include "shell/resources/behavior_page_ids.h"
#include "tests/shell/behavior_page_test_support.h"

namespace {

class CruisingPageTest : public BehaviorPageTest {
protected:
    void SetUp() override {
        BehaviorPageTest::SetUp();
        AddPages({&page});
        page.RefreshFromBehavior();
    }
    // Applies the chances x, y, z; true when the sum warning was shown.
    bool ApplyChances(int x, int y, int z) {
        messages.clear();
        Set(page, IDC_MOVE_X_SLIDER, x);
        Set(page, IDC_MOVE_Y_SLIDER, y);
        Set(page, IDC_MOVE_Z_SLIDER, z);
        PressApply(page);
        return !messages.empty();
    }
    void ExpectThresholds(float x, float y, float z) {
        EXPECT_FLOAT_EQ(Live<cCruisingBehavior>().moveXThreshold, x);
        EXPECT_FLOAT_EQ(Live<cCruisingBehavior>().moveYThreshold, y);
        EXPECT_FLOAT_EQ(Live<cCruisingBehavior>().moveZThreshold, z);
    }

    CCruisingBehaviorPropertyPage page;
};

TEST_F(CruisingPageTest, AnUntouchedApplyWritesTheTruncatedChances) {
    PressApply(page);
    EXPECT_TRUE(messages.empty());
    ExpectThresholds(0.449f, 0.549f, 0.998f);  // refreshed as 449, 100, 449
    const auto& cruising = Live<cCruisingBehavior>();
    EXPECT_EQ(cruising.moveYThreshold, 549.0f * 0.001f);  // integer sum, then scaled
    EXPECT_EQ(cruising.minRateChange, 0.05f);
    EXPECT_EQ(cruising.maxRateChange, 0.1f);
    EXPECT_EQ(cruising.minRandomMove, 1.0f);
}

TEST_F(CruisingPageTest, ChancesUpToAThousandPassSilentlyAndMoreAreWrittenAfterAWarning) {
    EXPECT_FALSE(ApplyChances(300, 300, 300));
    ExpectThresholds(0.3f, 0.6f, 0.9f);
    EXPECT_FALSE(ApplyChances(500, 300, 200));  // exactly 1.0
    ExpectThresholds(0.5f, 0.8f, 1.0f);
    EXPECT_TRUE(ApplyChances(500, 400, 200));
    EXPECT_EQ(messages[0].text, "Random Move Chances must sum to 1.0 or less.");
    EXPECT_EQ(messages[0].caption, "Invalid Input");
    EXPECT_EQ(messages[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    ExpectThresholds(0.5f, 0.9f, 1.1f);
}

}  // namespace

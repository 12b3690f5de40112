// The pages written without a check: alignment and cohesion (one shape on
// two behaviour classes) and avoidance each write gain and their own values
// into their own behaviour.

#include "shell/alignment_behavior_property_page.h"
#include "shell/avoidance_behavior_property_page.h"
#include "shell/cohesion_behavior_property_page.h"
#include "shell/resources/behavior_page_ids.h"
#include "tests/shell/behavior_page_test_support.h"

namespace {

TEST_F(BehaviorPageTest, EachPageWritesGainAndItsValuesToItsOwnBehaviour) {
    CAlignmentBehaviorPropertyPage alignment;
    CCohesionBehaviorPropertyPage cohesion;
    CAvoidanceBehaviorPropertyPage avoidance;
    AddPages({&alignment, &cohesion, &avoidance});
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(sheet.SetActivePage(i));
    }
    alignment.RefreshFromBehavior();
    cohesion.RefreshFromBehavior();
    avoidance.RefreshFromBehavior();
    for (auto* page : {static_cast<CWnd*>(&alignment), static_cast<CWnd*>(&cohesion)}) {
        Set(*page, IDC_GAIN_SLIDER, page == &alignment ? 500 : 0);
        Set(*page, IDC_TURN_RATE, page == &alignment ? "0.35" : "12");
        PressApply(*page);
    }
    Set(avoidance, IDC_GAIN_SLIDER, 250);
    Set(avoidance, IDC_AVOIDANCE_DISTANCE, "150");
    Set(avoidance, IDC_AVOIDANCE_SPEED, "80");
    PressApply(avoidance);
    EXPECT_FLOAT_EQ(Live<cAlignmentBehavior>().gain, 0.5f);
    EXPECT_EQ(Live<cAlignmentBehavior>().turnRate, 0.35f);
    EXPECT_EQ(Live<cCohesionBehavior>().gain, 0.0f);
    EXPECT_EQ(Live<cCohesionBehavior>().turnRate, 12.0f);
    EXPECT_FLOAT_EQ(Live<cAvoidanceBehavior>().gain, 0.25f);
    EXPECT_EQ(Live<cAvoidanceBehavior>().avoidanceDistance, 150.0f);
    EXPECT_EQ(Live<cAvoidanceBehavior>().avoidanceSpeed, 80.0f);
}

}  // namespace

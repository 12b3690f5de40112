// What every behaviour page shares: slider scaling, refresh into pages with
// and without windows, the one lookup of the live behaviour, refused
// numbers, and pages without an engine or without their behaviour.

#include <climits>
#include <cmath>

#include "shell/alignment_behavior_property_page.h"
#include "shell/avoidance_behavior_property_page.h"
#include "shell/cohesion_behavior_property_page.h"
#include "shell/cruising_behavior_property_page.h"
#include "shell/resources/behavior_page_ids.h"
#include "shell/separation_behavior_property_page.h"
#include "shell/stay_in_sphere_behavior_property_page.h"
#include "simulation/population.h"
#include "tests/shell/behavior_page_test_support.h"

namespace {

TEST(BehaviorSliderScale, PositionsTruncateTowardZeroAndValuesAreSinglePrecision) {
    EXPECT_EQ(SliderPositionFromValue(0.45f), 449);  // 0.44999999 × 1000, never 450
    EXPECT_EQ(SliderPositionFromValue(1.0f), 1000);
    EXPECT_EQ(SliderPositionFromValue(-0.0019f), -1);
    EXPECT_EQ(SliderPositionFromValue(std::nanf("")), 0);
    EXPECT_EQ(SliderPositionFromValue(1e30f), INT_MAX);  // no undefined conversion
    EXPECT_EQ(SliderPositionFromValue(-INFINITY), INT_MIN);
    EXPECT_EQ(SliderValueFromPosition(449), 449.0f * 0.001f);
    EXPECT_EQ(SliderValueFromPosition(1000), 1.0f);
}

TEST_F(BehaviorPageTest, TabsShowTheLiveValuesWhenFirstOpened) {
    CAlignmentBehaviorPropertyPage alignment;
    CAvoidanceBehaviorPropertyPage avoidance;
    CCohesionBehaviorPropertyPage cohesion;
    CCruisingBehaviorPropertyPage cruising;
    CSeparationBehaviorPropertyPage separation;
    CStayInSphereBehaviorPropertyPage sphere;
    AddPages({&alignment, &avoidance, &cohesion, &cruising, &separation, &sphere});
    alignment.RefreshFromBehavior();  // the only page with a window so far
    avoidance.RefreshFromBehavior();
    cohesion.RefreshFromBehavior();
    cruising.RefreshFromBehavior();
    separation.RefreshFromBehavior();
    sphere.RefreshFromBehavior();
    for (int i = 5; i >= 0; --i) {  // windows made now, after the refresh
        ASSERT_TRUE(sheet.SetActivePage(i));
        EXPECT_EQ(Pos(*sheet.GetPage(i), IDC_GAIN_SLIDER), 1000) << i;
    }
    EXPECT_EQ(Text(alignment, IDC_TURN_RATE), "0.1");
    EXPECT_EQ(Text(avoidance, IDC_AVOIDANCE_DISTANCE), "200");
    EXPECT_EQ(Text(avoidance, IDC_AVOIDANCE_SPEED), "50");
    EXPECT_EQ(cohesion.behavior, &Live<cCohesionBehavior>());  // not the alignment before it
    EXPECT_EQ(Pos(cruising, IDC_MOVE_X_SLIDER), 449);
    EXPECT_EQ(Pos(cruising, IDC_MOVE_Y_SLIDER), 100);
    EXPECT_EQ(Pos(cruising, IDC_MOVE_Z_SLIDER), 449);
    EXPECT_EQ(Text(cruising, IDC_MIN_RATE_CHANGE), "0.05");
    EXPECT_EQ(Text(separation, IDC_SEPARATION_DISTANCE), "70");
    EXPECT_EQ(Pos(separation, IDC_MIN_SEPARATION_SLIDER), 50);
    EXPECT_EQ(Pos(separation, IDC_MAX_SEPARATION_SLIDER), 100);
    EXPECT_EQ(Text(sphere, IDC_RADIUS), "1000");
    EXPECT_EQ(Text(sphere, IDC_CENTER_Z), "0");
    EXPECT_EQ(cruising.moveZSlider.GetRangeMax(), 1000);
    EXPECT_EQ(cruising.moveZSlider.GetNumTics(), 11);
}

class cTunedAlignment : public cAlignmentBehavior {
public:
    cTunedAlignment() : cAlignmentBehavior(0.5f) {}
};

TEST_F(BehaviorPageTest, TheFirstBehaviourOfThePagesClassIsFoundOnceAndKept) {
    auto* tuned = new cTunedAlignment;  // derived classes pass the type test
    live.insert(live.begin() + 1, tuned);
    CAlignmentBehaviorPropertyPage page;
    AddPages({&page});
    page.RefreshFromBehavior();
    ASSERT_EQ(page.behavior, tuned);

    const std::vector<cBehavior*> previous = live;  // the engine's list changes
    live = CreateStartupBehaviors();
    tuned->turnRate = 0.25f;
    page.RefreshFromBehavior();
    EXPECT_EQ(page.behavior, tuned);
    EXPECT_EQ(Text(page, IDC_TURN_RATE), "0.25");
    PressApply(page);
    EXPECT_EQ(Live<cAlignmentBehavior>().turnRate, 0.1f);  // the new list is never reached
    for (cBehavior* behavior : previous) {
        delete behavior;
    }
}

TEST_F(BehaviorPageTest, WithoutAnEngineRefreshChangesNothingAndApplyWritesNothing) {
    engineExists = false;
    CSeparationBehaviorPropertyPage page;
    AddPages({&page});
    page.RefreshFromBehavior();
    EXPECT_EQ(page.gainPosition, 0);
    EXPECT_EQ(Text(page, IDC_SEPARATION_DISTANCE), "170");
    Set(page, IDC_GAIN_SLIDER, 400);
    Set(page, IDC_MAX_SEPARATION_SLIDER, 600);
    PressApply(page);
    EXPECT_EQ(Live<cSeparationBehavior>().gain, 1.0f);
    EXPECT_EQ(Live<cSeparationBehavior>().maxSeparationPercentage, 0.1f);

    engineExists = true;  // the engine arrives: the next refresh finds it
    page.RefreshFromBehavior();
    EXPECT_EQ(Pos(page, IDC_GAIN_SLIDER), 1000);
}

TEST_F(BehaviorPageTest, APageWhoseBehaviourIsMissingIsDisabledAndWritesNothing) {
    cBehavior* gone = &Live<cStayWithinSphereBehavior>();
    std::erase(live, gone);
    delete gone;
    CAlignmentBehaviorPropertyPage shown;
    CStayInSphereBehaviorPropertyPage page;
    AddPages({&shown, &page});
    page.RefreshFromBehavior();  // before its window exists
    ASSERT_TRUE(sheet.SetActivePage(1));
    for (CWnd* control : page.Children()) {
        EXPECT_FALSE(control->IsWindowEnabled()) << control->GetDlgCtrlID();
    }
    page.OnApplyButton();
    EXPECT_EQ(page.behavior, nullptr);

    live.push_back(new cStayWithinSphereBehavior(Vector3{1.0f, 2.0f, 3.0f}, 5.0f));
    page.RefreshFromBehavior();
    EXPECT_TRUE(page.GetDlgItem(IDC_APPLY)->IsWindowEnabled());
    EXPECT_EQ(Text(page, IDC_CENTER_Z), "3");
}

TEST_F(BehaviorPageTest, ARefusedNumberStopsTheReadingAndNeverReachesTheBehaviour) {
    CStayInSphereBehaviorPropertyPage page;
    AddPages({&page});
    page.RefreshFromBehavior();
    const auto& sphere = Live<cStayWithinSphereBehavior>();
    for (const char* refused : {"abc", "nan", "inf", "-inf", ""}) {
        messages.clear();
        Set(page, IDC_GAIN_SLIDER, 300);
        Set(page, IDC_RADIUS, "2000");
        Set(page, IDC_CENTER_X, "5");
        Set(page, IDC_CENTER_Y, refused);
        Set(page, IDC_CENTER_Z, "7");
        PressApply(page);
        ASSERT_EQ(messages.size(), 1u) << refused;
        EXPECT_EQ(messages[0].text, "Please enter a number.");
        // Entries before the refused one are read and written; it and those
        // after it keep the page's values.
        EXPECT_EQ(sphere.gain, 0.3f) << refused;
        EXPECT_EQ(sphere.radius, 2000.0f) << refused;
        EXPECT_EQ(sphere.center, (Vector3{5.0f, 0.0f, 0.0f})) << refused;
        EXPECT_EQ(Text(page, IDC_CENTER_Y), refused);  // left for the user to correct
    }
}

}  // namespace

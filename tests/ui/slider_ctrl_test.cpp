// The trackbar: its position always within the range, its ticks, and the
// arithmetic that places it on screen.

#include <gtest/gtest.h>

#include "platform/ui/controls/slider_ctrl.h"
#include "platform/ui/controls/trackbar_geometry.h"
#include "ui_test_support.h"

namespace {

class SliderCtrlTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS | TBS_TOP,
                                  CRect(0, 0, 214, 39), nullptr, 1001));
    }
    CSliderCtrl slider;
};

TEST_F(SliderCtrlTest, StartsWithTheClassicDefaults) {
    EXPECT_EQ(slider.GetRangeMin(), 0);
    EXPECT_EQ(slider.GetRangeMax(), 100);
    EXPECT_EQ(slider.GetPos(), 0);
    EXPECT_EQ(slider.GetLineSize(), 1);
    EXPECT_EQ(slider.GetPageSize(), 20);
}

TEST_F(SliderCtrlTest, PositionIsClampedToTheRange) {
    slider.SetPos(1000);
    EXPECT_EQ(slider.GetPos(), 100);
    slider.SetPos(-5);
    EXPECT_EQ(slider.GetPos(), 0);
    slider.SetRange(0, 1000);
    slider.SetPos(1000);  // exactly the maximum stays
    EXPECT_EQ(slider.GetPos(), 1000);
    slider.SetPos(1001);
    EXPECT_EQ(slider.GetPos(), 1000);
}

TEST_F(SliderCtrlTest, NarrowingTheRangeMovesThePositionIntoIt) {
    slider.SetRange(0, 1000);
    slider.SetPos(800);
    slider.SetRangeMax(500);
    EXPECT_EQ(slider.GetPos(), 500);
    slider.SetPos(100);
    slider.SetRangeMin(200);
    EXPECT_EQ(slider.GetPos(), 200);
}

TEST_F(SliderCtrlTest, AnEmptyRangeHoldsThePositionAtItsMinimum) {
    slider.SetRange(300, 200);
    slider.SetPos(250);
    EXPECT_EQ(slider.GetPos(), 300);
}

TEST_F(SliderCtrlTest, AutomaticTicksFollowTheFrequency) {
    slider.SetRange(0, 1000);
    slider.SetTicFreq(100);
    EXPECT_EQ(slider.GetNumTics(), 11);
    slider.ModifyStyle(TBS_AUTOTICKS, 0);
    EXPECT_EQ(slider.GetNumTics(), 0);  // ticks only with TBS_AUTOTICKS
}

TEST(TrackbarTicks, IncludeBothEndsWhateverTheFrequency) {
    EXPECT_EQ(TrackbarTickPositions(0, 1000, 100),
              (std::vector<int>{0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));
    EXPECT_EQ(TrackbarTickPositions(0, 250, 100), (std::vector<int>{0, 100, 200, 250}));
    EXPECT_EQ(TrackbarTickPositions(-10, 10, 0), (std::vector<int>{-10, 10}));
    EXPECT_EQ(TrackbarTickPositions(5, 5, 1), (std::vector<int>{5}));
}

TEST(TrackbarGeometry, MapsPositionsOntoTheChannelAndBack) {
    const TrackbarGeometry geometry = TrackbarGeometryFor(220.0f);
    EXPECT_FLOAT_EQ(TrackbarPositionToX(geometry, 0, 0, 1000), geometry.channelLeft);
    EXPECT_FLOAT_EQ(TrackbarPositionToX(geometry, 1000, 0, 1000), geometry.channelRight);
    EXPECT_FLOAT_EQ(TrackbarPositionToX(geometry, 500, 0, 1000), 110.0f);
    for (int position : {0, 1, 449, 500, 999, 1000}) {
        const float x = TrackbarPositionToX(geometry, position, 0, 1000);
        EXPECT_NEAR(TrackbarXToPosition(geometry, x, 0, 1000), position, 1) << position;
    }
}

TEST(TrackbarGeometry, PointsOffTheChannelClampToItsEnds) {
    const TrackbarGeometry geometry = TrackbarGeometryFor(220.0f);
    EXPECT_EQ(TrackbarXToPosition(geometry, -50.0f, 0, 1000), 0);
    EXPECT_EQ(TrackbarXToPosition(geometry, 500.0f, 0, 1000), 1000);
    EXPECT_EQ(TrackbarXToPosition(geometry, 110.0f, 0, 0), 0);  // empty range
}

TEST(TrackbarGeometry, ATinyControlNeverReversesItsChannel) {
    const TrackbarGeometry geometry = TrackbarGeometryFor(8.0f);
    EXPECT_LE(geometry.channelLeft, geometry.channelRight);
    EXPECT_EQ(TrackbarXToPosition(geometry, 4.0f, 0, 1000), 0);
}

}  // namespace

// Dialog units to pixels: the font's base units and the rounding of each edge.

#include <gtest/gtest.h>

#include "platform/ui/core/dialog_units.h"

namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(63, 7, 4), 110);   // 110.25
    EXPECT_EQ(MulDiv(186, 7, 4), 326);  // 325.5
    EXPECT_EQ(MulDiv(-186, 7, 4), -326);
    EXPECT_EQ(MulDiv(186, -7, 4), -326);
    EXPECT_EQ(MulDiv(90, 13, 8), 146);  // 146.25
    EXPECT_EQ(MulDiv(5, 6, 4), 8);      // 7.5
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(MulDiv, DoesNotOverflowInTheProduct) {
    EXPECT_EQ(MulDiv(2000000000, 4, 8), 1000000000);
}

TEST(BaseUnitsFromFont, AveragesTheLettersAndTakesTheLineHeight) {
    EXPECT_EQ(BaseUnitsFromFont(364.0f, 13.0f).cx, 7);  // the built-in font: 7 pixels a letter
    EXPECT_EQ(BaseUnitsFromFont(364.0f, 13.0f).cy, 13);
    EXPECT_EQ(BaseUnitsFromFont(312.0f, 13.0f).cx, 6);  // a proportional 8-point face
    EXPECT_EQ(BaseUnitsFromFont(338.0f, 15.6f).cx, 7);  // 6.5 rounds up
    EXPECT_EQ(BaseUnitsFromFont(338.0f, 15.6f).cy, 16);
    EXPECT_EQ(BaseUnitsFromFont(0.0f, 0.0f).cx, 1);  // never zero
}

TEST(MapDialogRect, ConvertsTheBehaviourPageLayout) {
    const DialogBaseUnits units{7, 13};
    EXPECT_EQ(DialogPlacementToPixels(63, 7, 122, 24, units), CRect(110, 11, 324, 50));
    EXPECT_EQ(DialogPlacementToPixels(67, 69, 50, 14, units), CRect(117, 112, 205, 135));
    const CSize page = DialogSizeToPixels(186, 90, units);
    EXPECT_EQ(page.cx, 326);
    EXPECT_EQ(page.cy, 146);
    EXPECT_EQ(DialogSizeToPixels(186, 90, DialogBaseUnits{6, 13}).cx, 279);
}

TEST(MapDialogRect, ConvertsEdgesNotWidths) {
    // x 1, width 1 at 6 pixels per 4 units: the edges 1.5 and 3 round to 2
    // and 3, so the control is 1 pixel wide, not the 2 its width alone gives.
    const CRect rect = DialogPlacementToPixels(1, 0, 1, 8, DialogBaseUnits{6, 13});
    EXPECT_EQ(rect.left, 2);
    EXPECT_EQ(rect.right, 3);
    EXPECT_EQ(rect.Height(), 13);
}

}  // namespace

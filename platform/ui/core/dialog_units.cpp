#include "platform/ui/core/dialog_units.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

int MulDiv(int a, int b, int c) {
    if (c == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t magnitude = (std::llabs(product) * 2 + std::llabs(c)) / (2 * std::llabs(c));
    return static_cast<int>((product < 0) != (c < 0) ? -magnitude : magnitude);
}

DialogBaseUnits BaseUnitsFromFont(float sampleWidth, float lineHeight) {
    DialogBaseUnits units;
    units.cx = std::max(1, static_cast<int>(std::lround(sampleWidth / 52.0f)));
    units.cy = std::max(1, static_cast<int>(std::lround(lineHeight)));
    return units;
}

CRect MapDialogRect(const CRect& dialogUnits, DialogBaseUnits units) {
    return {MulDiv(dialogUnits.left, units.cx, 4), MulDiv(dialogUnits.top, units.cy, 8),
            MulDiv(dialogUnits.right, units.cx, 4), MulDiv(dialogUnits.bottom, units.cy, 8)};
}

CRect DialogPlacementToPixels(int x, int y, int cx, int cy, DialogBaseUnits units) {
    return MapDialogRect(CRect(x, y, x + cx, y + cy), units);
}

CSize DialogSizeToPixels(int cx, int cy, DialogBaseUnits units) {
    return {MulDiv(cx, units.cx, 4), MulDiv(cy, units.cy, 8)};
}

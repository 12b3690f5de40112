#pragma once

// Dialog units: the resolution-independent positions of dialog templates.
// A horizontal dialog unit is a quarter of the font's average character
// width and a vertical one an eighth of its height, so a template keeps its
// layout whatever font draws it.
//
// Base units of a font (the toolkit's computation):
//   cx = the width in pixels of the 52 letters "A".."Z" "a".."z" drawn in
//        the font, divided by 52 and rounded to the nearest pixel;
//   cy = the font's line height in pixels, rounded.
// With the interface's built-in 13-pixel font every letter is 7 pixels wide,
// so cx = 7 and cy = 13: a 186-unit-wide page is 326 pixels wide.

#include <string>

#include "platform/ui/core/ui_types.h"

struct DialogBaseUnits {
    int cx = 7;   // pixels per 4 horizontal dialog units
    int cy = 13;  // pixels per 8 vertical dialog units
};

// a × b / c rounded to the nearest integer, halves away from zero; -1 when c
// is 0 (as the classic MulDiv reports an overflow).
int MulDiv(int a, int b, int c);

// The letters whose average width gives cx.
inline constexpr const char* kBaseUnitSample =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// Base units from the measured width of kBaseUnitSample and the line height,
// both in pixels; at least 1 each.
DialogBaseUnits BaseUnitsFromFont(float sampleWidth, float lineHeight);

// Converts each edge of a rectangle in dialog units to pixels.
CRect MapDialogRect(const CRect& dialogUnits, DialogBaseUnits units);
// A template placement (x, y, width, height in dialog units) as a pixel
// rectangle: the edges x, y, x + width, y + height converted one by one.
CRect DialogPlacementToPixels(int x, int y, int cx, int cy, DialogBaseUnits units);
CSize DialogSizeToPixels(int cx, int cy, DialogBaseUnits units);

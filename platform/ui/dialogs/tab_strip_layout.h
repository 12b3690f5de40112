#pragma once

// Placement of a property sheet's tabs: in order, as many per row as fit
// the width; with more than one row every row is stretched to the full
// width, and the row holding the selected tab is the one nearest the page
// (the last), the rows before it keeping their turn, as classic tab controls
// do. Pure arithmetic in pixels; rectangles in the strip's coordinates.

#include <vector>

#include "platform/ui/core/ui_types.h"

// widths: each tab's natural width; available: the strip's width;
// rowHeight: height of one row; selected: index of the selected tab (or -1).
// Returns one rectangle per tab, in tab order.
std::vector<CRect> LayoutTabStrip(const std::vector<int>& widths, int available, int rowHeight,
                                  int selected);
// Number of rows LayoutTabStrip uses for the same widths.
int TabStripRowCount(const std::vector<int>& widths, int available);

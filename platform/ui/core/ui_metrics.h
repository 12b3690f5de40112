#pragma once

// Sizes the toolkit lays windows out with, all in pixels. They follow the
// interface font: the display (ui_host) measures its font when it starts and
// installs the result; without a display (tests) the defaults describe the
// built-in 13-pixel font, whose letters are all 7 pixels wide.

#include <functional>
#include <string_view>

#include "platform/ui/core/dialog_units.h"

struct UiMetrics {
    float fontSize = 13.0f;      // line height of the interface font
    DialogBaseUnits baseUnits;   // dialog-unit conversion (dialog_units.h)
    int menuBarHeight = 19;      // the frame's menu bar
    int tabHeight = 21;          // one row of property-sheet tabs
    int sheetMargin = 4;         // between a sheet's border and its page
    int splitterBar = 6;         // width of a splitter's bar
    int paneCaptionHeight = 19;  // caption line above an image pane
    int dialogTitleHeight = 19;  // title bar of a modal dialog
};

const UiMetrics& CurrentUiMetrics();
void SetUiMetrics(const UiMetrics& metrics);

// Width in pixels of text in the interface font. Without an installed
// measurer: 7 pixels per character.
float MeasureTextWidth(std::string_view text);
// Installs the measurer (null restores the default).
void SetTextMeasurer(std::function<float(std::string_view)> measurer);

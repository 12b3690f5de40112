#pragma once

// PaneOverlay: a small translucent panel that an image pane draws over its
// picture, in one of its top corners: rows of text in the interface font
// (its letters all one width, so spaces line up columns), each row
// optionally led by a colour swatch and followed by a sparkline of a series
// of values. The program describes the panel; the pane only draws it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct PaneOverlayRow {
    std::string text;
    std::uint32_t swatch = 0;     // 0xAARRGGBB of a square before the text; alpha 0: none
    std::vector<float> series;    // a sparkline after the text, oldest value first; empty: none
    std::size_t seriesSlots = 0;  // values the sparkline's width holds, the newest at its
                                  // right end; fewer than series.size(): series.size()
    float seriesLow = 0.0f;       // the value drawn at the sparkline's bottom
    float seriesHigh = 1.0f;      // the value drawn at its top; values beyond are clamped
};

enum class PaneCorner { TopLeft, TopRight };

struct PaneOverlay {
    PaneCorner corner = PaneCorner::TopLeft;
    std::vector<PaneOverlayRow> rows;
};

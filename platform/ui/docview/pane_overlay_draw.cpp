#include "platform/ui/docview/pane_overlay_draw.h"

#include <algorithm>

namespace {

constexpr ImU32 kBacking = IM_COL32(0, 0, 0, 150);
constexpr ImU32 kText = IM_COL32(235, 235, 235, 255);
constexpr ImU32 kSparkline = IM_COL32(120, 220, 255, 255);
constexpr ImU32 kSparklineFrame = IM_COL32(255, 255, 255, 60);
constexpr float kMargin = 6.0f;        // between the panel and the image's edges
constexpr float kPadding = 5.0f;       // inside the panel
constexpr float kGap = 6.0f;           // between a swatch, the text and a sparkline
constexpr float kSparklineEms = 7.0f;  // sparkline width in font heights

ImU32 FromArgb(std::uint32_t argb) {
    return IM_COL32((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24);
}

// The columns every row shares: swatch, text, sparkline.
struct Columns {
    float swatch = 0.0f;
    float text = 0.0f;
    float sparkline = 0.0f;
    float Width() const {
        return swatch + text + sparkline + (swatch > 0 ? kGap : 0) + (sparkline > 0 ? kGap : 0);
    }
};

Columns MeasureColumns(const PaneOverlay& overlay, float lineHeight) {
    Columns columns;
    for (const PaneOverlayRow& row : overlay.rows) {
        columns.text = std::max(columns.text, ImGui::CalcTextSize(row.text.c_str()).x);
        if ((row.swatch >> 24) != 0) {
            columns.swatch = lineHeight - 2.0f;
        }
        if (!row.series.empty()) {
            columns.sparkline = lineHeight * kSparklineEms;
        }
    }
    return columns;
}

void DrawSparkline(ImDrawList* drawList, const PaneOverlayRow& row, ImVec2 min, ImVec2 max) {
    drawList->AddRect(min, max, kSparklineFrame);
    const std::size_t slots = std::max(row.seriesSlots, row.series.size());
    const float span = row.seriesHigh - row.seriesLow;
    if (slots < 2 || !(span > 0.0f)) {
        return;
    }
    const float step = (max.x - min.x) / static_cast<float>(slots - 1);
    const std::size_t first = slots - row.series.size();  // empty slots on the left
    std::vector<ImVec2> points;
    for (std::size_t i = 0; i < row.series.size(); ++i) {
        const float t = std::clamp((row.series[i] - row.seriesLow) / span, 0.0f, 1.0f);
        points.emplace_back(min.x + step * static_cast<float>(first + i),
                            max.y - t * (max.y - min.y));
    }
    if (points.size() == 1) {
        drawList->AddCircleFilled(points[0], 1.5f, kSparkline);
    } else {
        drawList->AddPolyline(points.data(), static_cast<int>(points.size()), kSparkline, 0, 1.5f);
    }
}

void DrawRow(ImDrawList* drawList, const PaneOverlayRow& row, const Columns& columns, ImVec2 at,
             float lineHeight) {
    float x = at.x;
    if (columns.swatch > 0) {
        if ((row.swatch >> 24) != 0) {
            drawList->AddRectFilled(ImVec2(x, at.y + 1.0f),
                                    ImVec2(x + columns.swatch, at.y + 1.0f + columns.swatch),
                                    FromArgb(row.swatch));
        }
        x += columns.swatch + kGap;
    }
    drawList->AddText(ImVec2(x, at.y), kText, row.text.c_str());
    x += columns.text + kGap;
    if (!row.series.empty()) {
        DrawSparkline(drawList, row, ImVec2(x, at.y + 1.0f),
                      ImVec2(x + columns.sparkline, at.y + lineHeight - 1.0f));
    }
}

struct Box {
    ImVec2 min;
    ImVec2 max;
    bool Overlaps(const Box& other) const {
        return min.x < other.max.x + kMargin && other.min.x < max.x + kMargin &&
               min.y < other.max.y + kMargin && other.min.y < max.y + kMargin;
    }
};

ImVec2 PanelSize(const Columns& columns, std::size_t rows, float lineHeight) {
    return {columns.Width() + 2.0f * kPadding,
            lineHeight * static_cast<float>(rows) + 2.0f * kPadding};
}

// The panel's box in its corner, below every earlier box it would cover.
Box Place(PaneCorner corner, ImVec2 size, ImVec2 areaMin, ImVec2 areaMax,
          const std::vector<Box>& earlier) {
    const float left = corner == PaneCorner::TopLeft
                           ? areaMin.x + kMargin
                           : std::max(areaMin.x + kMargin, areaMax.x - kMargin - size.x);
    Box box{{left, areaMin.y + kMargin}, {left + size.x, areaMin.y + kMargin + size.y}};
    for (bool moved = true; moved;) {
        moved = false;
        for (const Box& other : earlier) {
            if (box.Overlaps(other)) {
                box.min.y = other.max.y + kMargin;
                box.max.y = box.min.y + size.y;
                moved = true;
            }
        }
    }
    return box;
}

void DrawPanel(ImDrawList* drawList, const PaneOverlay& overlay, const Columns& columns,
               const Box& box, float lineHeight) {
    drawList->AddRectFilled(box.min, box.max, kBacking, 3.0f);
    ImVec2 at(box.min.x + kPadding, box.min.y + kPadding);
    for (const PaneOverlayRow& row : overlay.rows) {
        DrawRow(drawList, row, columns, at, lineHeight);
        at.y += lineHeight;
    }
}

}  // namespace

void DrawPaneOverlays(ImDrawList* drawList, const std::vector<PaneOverlay>& overlays,
                      ImVec2 areaMin, ImVec2 areaMax) {
    const float lineHeight = ImGui::GetFontSize();
    std::vector<Box> placed;
    drawList->PushClipRect(areaMin, areaMax, true);
    for (const PaneOverlay& overlay : overlays) {
        if (overlay.rows.empty()) {
            continue;
        }
        const Columns columns = MeasureColumns(overlay, lineHeight);
        const ImVec2 size = PanelSize(columns, overlay.rows.size(), lineHeight);
        placed.push_back(Place(overlay.corner, size, areaMin, areaMax, placed));
        DrawPanel(drawList, overlay, columns, placed.back(), lineHeight);
    }
    drawList->PopClipRect();
}

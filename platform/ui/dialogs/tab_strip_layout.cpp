#include "platform/ui/dialogs/tab_strip_layout.h"

#include <algorithm>

namespace {

// Tabs split into rows in order; a tab wider than the strip gets a row of
// its own.
std::vector<std::vector<int>> SplitIntoRows(const std::vector<int>& widths, int available) {
    std::vector<std::vector<int>> rows;
    int used = 0;
    for (int tab = 0; tab < static_cast<int>(widths.size()); ++tab) {
        if (rows.empty() || (used + widths[tab] > available && !rows.back().empty())) {
            rows.emplace_back();
            used = 0;
        }
        rows.back().push_back(tab);
        used += widths[tab];
    }
    return rows;
}

// Lays out one row at height top, stretched to available when stretch.
void PlaceRow(const std::vector<int>& row, const std::vector<int>& widths, int available,
              bool stretch, int top, int rowHeight, std::vector<CRect>& rects) {
    int natural = 0;
    for (int tab : row) {
        natural += widths[tab];
    }
    const int extra = stretch ? std::max(0, available - natural) : 0;
    int x = 0;
    for (std::size_t i = 0; i < row.size(); ++i) {
        // The spare width is shared out evenly; the remainder goes to the first tabs.
        const int share = extra / static_cast<int>(row.size()) +
                          (static_cast<int>(i) < extra % static_cast<int>(row.size()) ? 1 : 0);
        const int width = widths[row[i]] + share;
        rects[row[i]] = CRect(x, top, x + width, top + rowHeight);
        x += width;
    }
}

}  // namespace

int TabStripRowCount(const std::vector<int>& widths, int available) {
    return static_cast<int>(SplitIntoRows(widths, available).size());
}

std::vector<CRect> LayoutTabStrip(const std::vector<int>& widths, int available, int rowHeight,
                                  int selected) {
    std::vector<CRect> rects(widths.size());
    std::vector<std::vector<int>> rows = SplitIntoRows(widths, available);
    const bool stretch = rows.size() > 1;
    // The selected tab's row moves to the bottom; the others keep their
    // cyclic order, as if the rows were rotated.
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (std::find(rows[r].begin(), rows[r].end(), selected) != rows[r].end()) {
            std::rotate(rows.begin(), rows.begin() + static_cast<long>(r) + 1, rows.end());
            break;
        }
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        PlaceRow(rows[r], widths, available, stretch, static_cast<int>(r) * rowHeight, rowHeight,
                 rects);
    }
    return rects;
}

// The main window's background is drawn exactly around what its windows
// cover: the pieces left cover every uncovered pixel once and no covered one.

#include <gtest/gtest.h>

#include "platform/ui/host/covered_areas.h"

namespace {

struct CoverCase {
    const char* name;
    std::vector<ScreenRect> covered;
};

// Counts, per pixel of a 40 × 30 window, the pieces over it.
TEST(CoveredAreasTest, PiecesCoverTheRestOfTheWindowOnce) {
    const ScreenRect window{ImVec2(0, 0), ImVec2(40, 30)};
    const CoverCase cases[] = {
        {"nothing covered", {}},
        {"a pane on the right", {{ImVec2(15, 5), ImVec2(40, 30)}}},
        {"the whole window", {{ImVec2(0, 0), ImVec2(40, 30)}}},
        {"reaching outside", {{ImVec2(-5, -5), ImVec2(10, 50)}}},
        {"two overlapping", {{ImVec2(5, 5), ImVec2(20, 20)}, {ImVec2(10, 10), ImVec2(30, 25)}}},
        {"beside each other", {{ImVec2(0, 2), ImVec2(12, 30)}, {ImVec2(16, 2), ImVec2(40, 30)}}},
        {"empty", {{ImVec2(5, 5), ImVec2(5, 20)}}},
    };
    for (const CoverCase& c : cases) {
        CoveredAreas::Reset();
        for (const ScreenRect& area : c.covered) {
            CoveredAreas::Add(area);
        }
        const std::vector<ScreenRect> pieces = CoveredAreas::Uncovered(window);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const float px = x + 0.5f, py = y + 0.5f;
                const auto inside = [px, py](const ScreenRect& r) {
                    return px > r.min.x && px < r.max.x && py > r.min.y && py < r.max.y;
                };
                bool covered = false;
                for (const ScreenRect& area : c.covered) {
                    covered = covered || inside(area);
                }
                int over = 0;
                for (const ScreenRect& piece : pieces) {
                    over += inside(piece) ? 1 : 0;
                }
                ASSERT_EQ(over, covered ? 0 : 1) << c.name << " at " << x << ", " << y;
            }
        }
    }
    CoveredAreas::Reset();
}

}  // namespace

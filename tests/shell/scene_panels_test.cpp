// The statistics and help panels as the scene pane is given them: the
// figures of a small world exactly as MeasureSchools gives them, the
// polarisation history over ten simulated seconds that stands still while
// paused, and the force legend.

#include <string>

#include <gtest/gtest.h>

#include "rendering/scene_view_settings.h"
#include "shell/flock_statistics.h"
#include "shell/scene_controls.h"
#include "shell/scene_panels.h"
#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/population.h"
#include "simulation/world.h"

namespace {

// Two schools: three fish heading +x in a row, two facing each other.
class SmallWorld {
public:
    SmallWorld() {
        AddSchool({{{0, 0, 0}, {2, 0, 0}}, {{3, 0, 0}, {4, 0, 0}}, {{6, 0, 0}, {6, 0, 0}}});
        AddSchool({{{0, 0, -5}, {0, 1, 0}}, {{0, 0, 5}, {0, -3, 0}}});
    }
    cWorld world;

private:
    struct Fish {
        Vector3 position, velocity;
    };
    void AddSchool(const std::vector<Fish>& fish) {
        auto* school = new cGroup(world);
        world.AddGroup(school);
        for (const Fish& f : fish) {
            auto* entity = new cEntity(world, kFishType, 100.0f, 10.0f, 10.0f, 5.0f, 1, 1, 1);
            entity->position = f.position;
            entity->velocity = f.velocity;
            school->AddEntity(entity);
        }
    }
};

TEST(ScenePanelsTest, StatisticsShowTheFiguresAndEachSchoolAsMeasured) {
    SmallWorld small;
    FlockStatistics statistics;
    ASSERT_TRUE(statistics.Update(small.world, 12.5, false));
    const std::vector<SchoolMetrics> expected = MeasureSchools(small.world, kFishType);
    for (const bool forces : {false, true}) {
        SCOPED_TRACE(forces ? "with the force legend" : "without it");
        const PaneOverlay panel = StatisticsPanel({60, 5, 12.5, true, forces}, statistics);
        EXPECT_EQ(panel.corner, PaneCorner::TopLeft);
        ASSERT_EQ(panel.rows.size(), 5u + (forces ? 9u : 0u));
        EXPECT_EQ(panel.rows[0].text, "60 FPS   5 fish   12.5 s   Paused");
        for (std::size_t school = 0; school < 2; ++school) {
            const PaneOverlayRow& row = panel.rows[2 + school];
            EXPECT_EQ(row.series, std::vector<float>{expected[school].polarisation});
            EXPECT_EQ(row.seriesSlots, FlockStatistics::kHistorySamples);
        }
        // School, size, speed, polarisation, nearest distance, gyration.
        EXPECT_EQ(panel.rows[2].text, "1          3     4.0    1.00      3.0       2.4");
        EXPECT_EQ(panel.rows[3].text, "2          2     2.0    0.00     10.0       5.0");
        if (forces) {
            EXPECT_EQ(panel.rows[6].swatch, RenderLib::kVelocityColour);
            EXPECT_EQ(panel.rows[7].swatch, RenderLib::kSteeringColour);
            for (std::size_t i = 0; i < RenderLib::kBehaviourColours.size(); ++i) {
                EXPECT_EQ(panel.rows[8 + i].text, RenderLib::kBehaviourColours[i].name);
                EXPECT_EQ(panel.rows[8 + i].swatch, RenderLib::kBehaviourColours[i].argb);
            }
        }
    }
    EXPECT_EQ(StatisticsPanel({30, 5, 0.0, false, false}, statistics).rows[0].text,
              "30 FPS   5 fish   0.0 s   Running");
}

TEST(ScenePanelsTest, PolarisationHistoryHoldsTenSimulatedSecondsAndNothingWhilePaused) {
    SmallWorld small;
    FlockStatistics statistics;
    const double frame = 1.0 / 60.0;
    double seconds = 0.0;
    int measured = 0;
    for (int i = 0; i < 60 * 25; ++i, seconds += frame) {
        measured += statistics.Update(small.world, seconds, false);
    }
    EXPECT_EQ(measured, 25 * 4) << "four samples a simulated second";
    EXPECT_EQ(statistics.SampleCount(), FlockStatistics::kHistorySamples);
    EXPECT_EQ(statistics.PolarisationHistory(0).size(), FlockStatistics::kHistorySamples);

    // Paused: the clock stands; the figures catch up with the last frames
    // once, and nothing is sampled however many frames pass.
    int measuredWhilePaused = 0;
    for (int i = 0; i < 100; ++i) {
        measuredWhilePaused += statistics.Update(small.world, seconds, true);
    }
    EXPECT_LE(measuredWhilePaused, 1);
    EXPECT_EQ(statistics.SampleCount(), FlockStatistics::kHistorySamples);
    // A single step while paused measures the moved flock but adds no sample.
    small.world.groups[1]->members[0]->velocity = {0, -1, 0};
    EXPECT_TRUE(statistics.Update(small.world, seconds + frame, true));
    EXPECT_FLOAT_EQ(statistics.Schools()[1].polarisation, 1.0f);
    EXPECT_EQ(statistics.PolarisationHistory(1).back(), 0.0f);

    // A flock built anew (its clock back at zero) starts the history afresh.
    EXPECT_TRUE(statistics.Update(small.world, 0.0, false));
    EXPECT_EQ(statistics.SampleCount(), 1u);
}

TEST(ScenePanelsTest, HelpListsTheScenesKeysAndMouseActions) {
    const PaneOverlay help = HelpPanel();
    EXPECT_EQ(help.corner, PaneCorner::TopRight);
    std::string text;
    for (const PaneOverlayRow& row : help.rows) {
        text += row.text + "\n";
    }
    for (const char* input :
         {"Space", ". (period)", "Ctrl+R", "1 / 2", "3", "4", "Tab", "Mouse wheel", "Click a fish",
          "Esc", "F1", "F2", "F12", "Left drag", "Right button", "Page Up", "S / R / N",
          "F / C"}) {
        EXPECT_NE(text.find(std::string("\n") + input), std::string::npos) << input;
    }
    EXPECT_EQ(help.rows.size(), kSceneControls.size() + 1);
}

}  // namespace

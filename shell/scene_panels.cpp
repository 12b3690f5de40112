#include "shell/scene_panels.h"

#include <cstdio>
#include <string>

#include "rendering/flocking_arena_render_engine.h"
#include "shell/scene_controls.h"

namespace {

// The schools' columns, in the interface font whose letters are all one width.
constexpr const char* kSchoolHeader = "School  Size   Speed  Polar.  Nearest  Gyration";
constexpr const char* kSchoolRow = "%-6zu %5d %7.1f %7.2f %8.1f %9.1f";

template <class... Values>
std::string Format(const char* format, Values... values) {
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

PaneOverlayRow TextRow(std::string text, std::uint32_t swatch = 0) {
    PaneOverlayRow row;
    row.text = std::move(text);
    row.swatch = swatch;
    return row;
}

PaneOverlayRow SchoolRow(std::size_t index, const SchoolMetrics& school,
                         std::vector<float> polarisation) {
    PaneOverlayRow row;
    row.text = Format(kSchoolRow, index + 1, school.count, school.meanSpeed, school.polarisation,
                      school.meanNearestDistance, school.radiusOfGyration);
    row.series = std::move(polarisation);
    row.seriesSlots = FlockStatistics::kHistorySamples;
    return row;
}

void AddForceLegend(std::vector<PaneOverlayRow>& rows) {
    rows.push_back(TextRow("Forces on the selected fish:"));
    rows.push_back(TextRow("Velocity", RenderLib::kVelocityColour));
    rows.push_back(TextRow("Steering, all behaviours", RenderLib::kSteeringColour));
    for (const RenderLib::BehaviourColour& behaviour : RenderLib::kBehaviourColours) {
        rows.push_back(TextRow(behaviour.name, behaviour.argb));
    }
}

}  // namespace

PaneOverlay StatisticsPanel(const SceneFigures& figures, const FlockStatistics& statistics) {
    PaneOverlay panel;
    std::vector<PaneOverlayRow>& rows = panel.rows;
    rows.push_back(
        TextRow(Format("%u FPS   %d fish   %.1f s   %s", figures.framesPerSecond, figures.fish,
                       figures.simulatedSeconds, figures.paused ? "Paused" : "Running")));
    rows.push_back(TextRow(kSchoolHeader));
    const std::vector<SchoolMetrics>& schools = statistics.Schools();
    for (std::size_t i = 0; i < schools.size(); ++i) {
        rows.push_back(SchoolRow(i, schools[i], statistics.PolarisationHistory(i)));
    }
    rows.push_back(TextRow(
        Format("Lines: polarisation over the last %.0f s", FlockStatistics::kHistorySeconds)));
    if (figures.showForces) {
        AddForceLegend(rows);
    }
    return panel;
}

PaneOverlay HelpPanel() {
    PaneOverlay panel;
    panel.corner = PaneCorner::TopRight;
    panel.rows.push_back(TextRow("Keys and mouse (F1 hides this)"));
    for (const SceneControl& control : kSceneControls) {
        panel.rows.push_back(TextRow(Format("%-24s %s", control.input, control.action)));
    }
    return panel;
}

std::vector<PaneOverlay> ScenePanels::Refresh(const RenderLib::CFlockingArenaRenderEngine& engine) {
    const RenderLib::SceneViewSettings& view = engine.viewSettings;
    std::vector<PaneOverlay> panels;
    if (view.showStatistics) {
        statistics_.Update(engine.world, engine.simulatedSeconds, view.paused);
        const SceneFigures figures{engine.timer.GetFrameRate(), engine.FishCount(),
                                   engine.simulatedSeconds, view.paused, view.showForces};
        panels.push_back(StatisticsPanel(figures, statistics_));
    }
    if (view.showHelp) {
        panels.push_back(HelpPanel());
    }
    return panels;
}

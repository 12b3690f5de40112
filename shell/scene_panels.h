#pragma once

// ScenePanels: the panels the scene pane draws over the picture, as the
// engine's view settings ask: the statistics panel (frame rate, fish,
// simulated time, paused or running, each school's measurements with a
// sparkline of its polarisation, and the force colours while forces are
// shown) and the help panel (scene_controls.h). Refreshed after every frame.

#include <vector>

#include "platform/ui/docview/pane_overlay.h"
#include "shell/flock_statistics.h"

namespace RenderLib {
class CFlockingArenaRenderEngine;
}

// What the statistics panel shows besides the schools.
struct SceneFigures {
    unsigned framesPerSecond = 0;
    int fish = 0;
    double simulatedSeconds = 0.0;
    bool paused = false;
    bool showForces = false;  // add the legend of the force colours
};

PaneOverlay StatisticsPanel(const SceneFigures& figures, const FlockStatistics& statistics);
PaneOverlay HelpPanel();

class ScenePanels {
public:
    // Samples the flock while the statistics panel is shown and returns the
    // panels engine's view settings ask for (none: empty).
    std::vector<PaneOverlay> Refresh(const RenderLib::CFlockingArenaRenderEngine& engine);

    const FlockStatistics& Statistics() const { return statistics_; }

private:
    FlockStatistics statistics_;
};

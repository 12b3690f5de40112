#pragma once

// Drawing of a pane's overlay panels (pane_overlay.h) on Dear ImGui.
// Internal to the toolkit.

#include <imgui.h>

#include "platform/ui/docview/pane_overlay.h"

#include <vector>

// Draws the overlays over the image area [areaMin, areaMax], clipped to it:
// each a dark translucent backing with light text, swatches and sparklines
// in its corner, moved down below any earlier one it would cover.
void DrawPaneOverlays(ImDrawList* drawList, const std::vector<PaneOverlay>& overlays,
                      ImVec2 areaMin, ImVec2 areaMax);

#pragma once

// What the main window's windows cover with opaque pixels of their own in
// the frame being built (the scene's image, a form's background), so that
// the window's own background is drawn only around them: on a software
// rasteriser every pixel drawn twice costs. Internal to the toolkit.
//
// Order within a frame: Reset before the windows draw, Add while they draw,
// then Uncovered for the background, which Dear ImGui's background list
// draws before every window.

#include <vector>

#include <imgui.h>

#include "platform/ui/host/ui_draw.h"

class CoveredAreas {
public:
    static void Reset();
    // area is drawn whole with opaque pixels this frame.
    static void Add(const ScreenRect& area);
    // The parts of area that no added rectangle covers, as rectangles that
    // do not overlap one another.
    static std::vector<ScreenRect> Uncovered(const ScreenRect& area);
};

// Draws texture into [min, max] with blending off: for images whose every
// pixel is opaque, shown at their own size. The draw list's later commands
// get the interface's usual state back.
void AddOpaqueImage(ImDrawList* drawList, ImTextureID texture, ImVec2 min, ImVec2 max, ImVec2 uvMin,
                    ImVec2 uvMax);

#pragma once

// The pointer as the interface sees it, kept from SDL's events rather than
// polled from SDL: events pushed by tests then work like real ones, and a
// press and release within one frame still reach the interface as a click.
// Internal to the display.

#include <cfloat>

#include <imgui.h>

#include "platform/ui/ui_host.h"

struct UiHost::MouseFeed {
    ImVec2 position{-FLT_MAX, -FLT_MAX};  // -FLT_MAX: not over the window
    bool down[3] = {};                    // left, right, middle held
    bool pressed[3] = {};                 // pressed since the last frame

    void Feed(const SDL_Event& event);
    // Hands the state to the interface for the coming frame; while the mouse
    // is captured the interface sees no pointer at all.
    void Apply(ImGuiIO& io, bool captured);
};

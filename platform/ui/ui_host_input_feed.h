#pragma once

// The pointer and key presses as the interface sees them, kept from SDL's
// events rather than polled from SDL: events pushed by tests then work like
// real ones, and a press and release within one frame still reach the
// interface (as a click, or a key pressed for one frame). Internal to the
// display.

#include <cfloat>
#include <vector>

#include <imgui.h>

#include "platform/ui/ui_host.h"

struct UiHost::InputFeed {
    ImVec2 position{-FLT_MAX, -FLT_MAX};  // -FLT_MAX: not over the window
    bool down[3] = {};                    // left, right, middle held
    bool pressed[3] = {};                 // pressed since the last frame
    std::vector<int> pressedKeys;         // scancodes pressed since the last frame

    void Feed(const SDL_Event& event);
    // Hands the state to the interface for the coming frame (after the
    // platform backend's own update); while the mouse is captured the
    // interface sees no pointer at all.
    void Apply(ImGuiIO& io, bool captured);
};

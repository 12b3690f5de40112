#pragma once

// The pointer, keys and text as the interface sees them, queued from SDL's
// events rather than polled from SDL (events pushed by tests then work like
// real ones) and handed to Dear ImGui a frame at a time, so that nothing is
// lost or merged at any frame rate:
// - within one frame a key or a mouse button changes at most once: a press
//   and release that arrive together are a press in this frame and a
//   release in the next, never a key left held;
// - typed text keeps its order with the editing keys around it (Backspace,
//   arrows, Home, Delete...); the keys that type characters are not waited
//   for, so a burst of typing still arrives in one frame;
// - a button change is not merged with motion or a wheel turn after it;
// - a command of the display (a focus key: Tab, Enter in a box) runs alone
//   at the start of a frame, once everything before it has been drawn, and
//   what follows it waits for the next frame.
// What cannot go in this frame waits, in order, for the next. Internal to
// the display.

#include <algorithm>
#include <bitset>
#include <cfloat>
#include <deque>
#include <functional>
#include <string>

#include <imgui.h>

#include "platform/ui/host/ui_host.h"

struct UiHost::InputFeed {
    static constexpr int kKeyCount = 512;  // the interface's key table, indexed by scancode

    struct Change {
        enum class Kind { Motion, Button, Wheel, Key, Text, FocusLost, Command };
        Kind kind = Kind::Motion;
        ImVec2 position{};   // Motion, Button
        int index = 0;       // Button: 0 left, 1 right, 2 middle; Key: scancode
        bool down = false;   // Button, Key
        bool typing = false;  // Key: a key that types a character (no Ctrl, Alt or GUI)
        unsigned modifiers = 0;  // Key: SDL's KMOD_* held with it
        ImVec2 wheel{};      // Wheel: horizontal, vertical
        std::string text;    // Text, UTF-8
        std::function<void()> command;  // Command
    };

    void Feed(const SDL_Event& event);
    // Queues command to run in its turn (see above).
    void FeedCommand(std::function<void()> command);
    // Hands one frame's share of the queue to the interface, after the
    // platform backend's own update. While a window holds the mouse capture
    // the interface sees no pointer, except for the frame in which the press
    // that took the capture arrives.
    void Apply(ImGuiIO& io, bool captured);
    // Changes wait for a coming frame.
    bool Pending() const { return !queue.empty(); }
    // A button press waits: the interface has not yet drawn a frame with it.
    bool PressPending() const {
        return std::any_of(queue.begin(), queue.end(), [](const Change& change) {
            return change.kind == Change::Kind::Button && change.down;
        });
    }

    std::deque<Change> queue;
    // The state last handed to the interface.
    ImVec2 position{-FLT_MAX, -FLT_MAX};  // -FLT_MAX: not over the window
    bool buttons[3] = {};
    std::bitset<kKeyCount> keys;
    unsigned modifiers = 0;
};

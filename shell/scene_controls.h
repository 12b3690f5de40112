#pragma once

// Every key and mouse action of the program, in the order the help panel
// (F1) lists them. The one list to change when a key changes.

#include <array>

struct SceneControl {
    const char* input;   // the key, key combination or mouse action
    const char* action;  // what it does
};

inline constexpr std::array<SceneControl, 27> kSceneControls{{
    {"Up / Down", "swim forward / back"},
    {"Left / Right", "swim left / right"},
    {"Page Up / Page Down", "swim up / down"},
    {"Left drag in the scene", "turn (look around)"},
    {"Right button held too", "roll instead of turning sideways"},
    {"Click a fish", "select it"},
    {"Esc", "clear the selection"},
    {"Space", "pause / resume"},
    {". (period)", "one frame of 1/60 s, while paused"},
    {"Ctrl+R", "reset the flock to its start"},
    {"1 / 2", "chase camera / pike's eye"},
    {"3", "overview: drag to orbit the sphere"},
    {"4", "follow the school nearest the pike"},
    {"Tab", "follow the next school"},
    {"Drag (cameras 3 and 4)", "orbit what the camera looks at"},
    {"Mouse wheel", "zoom (chase, overview, school)"},
    {"S / R / N", "show sphere / radii / neighbours"},
    {"F / C", "show forces / school centroids"},
    {"F1", "this help"},
    {"F2", "statistics"},
    {"F12", "save a screenshot"},
    {"Ctrl+N / Ctrl+O / Ctrl+S", "new / open / save a preset"},
    {"Alt+F/V/P/L/H", "open a menu"},
    {"F10", "select the menu bar"},
    {"F6 / Shift+F6", "next / previous pane"},
    {"Tab in the sheet", "next control (Shift+Tab: back)"},
    {"Enter in a number box", "Apply the page"},
}};

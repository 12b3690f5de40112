#pragma once

// Drives the whole application in-process on SDL's offscreen display: a
// script of steps, each run at the start of a turn of the message loop (a
// step that returns false runs again next turn), and synthetic SDL events
// for the user's clicks, keys and typing. When the script is done the loop
// is asked to end; a script that hangs fails the test after a bound.

#include <cstdint>
#include <deque>
#include <functional>

#include <SDL.h>

#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/core/ui_types.h"
#include "platform/ui/windows/wnd.h"
#include "tests/support/synthetic_input.h"

class UiHost;

class AppScript {
public:
    using Step = std::function<bool()>;

    // Turns after which an unfinished script fails the test and ends the loop.
    static constexpr std::uint64_t kTurnLimit = 3000;

    // Appends a step.
    void Then(Step step) { steps_.push_back(std::move(step)); }
    // Appends a step that only lets turns pass.
    void Wait(int turns);
    // Runs the script on host's turns (takes its turn observer).
    void Attach(UiHost& host);
    bool Finished() const { return steps_.empty(); }

private:
    void OnTurn(std::uint64_t turn);

    std::deque<Step> steps_;
};

// ---- Synthetic input, in the main window's pixels ----


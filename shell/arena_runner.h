#pragma once

#include "shell/program_options.h"

// Runs the arena in a top-level window of its own, or offscreen with
// --headless, until the window is closed or the frames are done. Returns the
// process exit code: 0 on success, 1 when the display, the device or the
// scene could not be made or the screenshot not written (with a message
// naming the problem on standard error).
int RunArena(const ProgramOptions& options);

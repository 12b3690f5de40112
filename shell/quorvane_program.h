#pragma once

// The program as the command line asks for it: the whole application in its
// main window on the display, or offscreen (--headless) for a number of
// engine frames, optionally ending with a screenshot of the whole window,
// with a fixed time step and with frame statistics.

#include "shell/program_options.h"

// The exit status when the --preset file cannot be read or is not valid:
// that of any other bad command line.
constexpr int kBadPresetStatus = 2;

// Runs the current application, which must be a CQuorvaneApp, and returns
// the process exit status: 0 on success; 1 when there is no display to open
// the window on (without --headless), when the application or its scene
// could not start, or when the screenshot could not be written;
// kBadPresetStatus before anything starts when the --preset file is bad. Problems are
// named on standard error.
int RunQuorvane(const ProgramOptions& options);

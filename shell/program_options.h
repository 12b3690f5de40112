#pragma once

#include <optional>
#include <string>

#include "rendering/scene_view_settings.h"

// What the command line asks of the program.
struct ProgramOptions {
    bool help = false;
    bool headless = false;   // render offscreen, no display needed
    long long frames = 600;  // frames to render headless
    std::string screenshot;  // PNG of the last frame, empty: none
    int width = 1280;        // window or offscreen size, pixels
    int height = 800;
    bool sizeGiven = false;           // --size was given (the window keeps its own size otherwise)
    std::optional<double> fixedStep;  // seconds per frame instead of the clock
    bool stats = false;               // print frame-time statistics
    int fish = 0;                     // flock size; 0: the start-up flock
    int threads = 0;                  // neighbour-search threads; 0: all cores
    std::string preset;               // preset file applied at start, empty: none
    std::string screenshotDir;        // folder of File > Save Screenshot, empty: the current one
    RenderLib::SceneViewSettings view;  // --camera, --show, --select, --paused
};

// Parses argv. On a bad option or value returns nothing and sets error to a
// one-line message naming it.
std::optional<ProgramOptions> ParseProgramOptions(int argc, char** argv, std::string& error);

// The --help text.
const char* ProgramUsage();

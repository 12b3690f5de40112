#pragma once

// The presets shipped with the program, in Data/Presets/: looked for in the
// current folder, then beside the program, like the other data.

#include <filesystem>
#include <vector>

// The folder found; empty when there is none.
std::filesystem::path BuiltInPresetFolder();

// Its .toml files: start-up.toml first, then the others by name; at most
// kMaxBuiltInPresets. Empty when there is no folder. Listed on the first
// call and kept, so that the Presets menu and its commands agree.
inline constexpr int kMaxBuiltInPresets = 32;
const std::vector<std::filesystem::path>& BuiltInPresets();

#pragma once

// The application shell's resources, registered as data in the process's
// resource table (platform/ui/resources/resource_table.h): the application's
// name, the main frame's document string, menu, accelerators and icon, the
// About box and the empty form of the left pane. The behaviour pages
// register their own templates.

#include <string>
#include <vector>

// Registers (or registers again) every resource above; the Presets menu
// lists presetNames in order, as commands from ID_PRESET_FIRST. The icon is
// read from its picture file; without it the program has no icon, which is
// no error.
void RegisterShellResources(const std::vector<std::string>& presetNames);

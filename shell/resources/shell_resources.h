#pragma once

// The application shell's resources, registered as data in the process's
// resource table (platform/ui/resource_table.h): the application's name, the
// main frame's document string, menu, accelerators and icon, the About box
// and the empty form of the left pane. The behaviour pages register their
// own templates.

// Registers (or registers again) every resource above. The icon is read from
// its picture file; without it the program has no icon, which is no error.
void RegisterShellResources();

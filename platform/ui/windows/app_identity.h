#pragma once

// The running application as windows and controls see it: the name that
// captions their message boxes and the main window that owns them. The
// application object (CWinApp, above the windows) installs itself here
// while it lives; without one the name is "" and boxes have no owner.

#include <functional>
#include <string>

#include "platform/ui/core/ui_types.h"
#include "platform/window/system.h"

struct AppIdentity {
    std::function<std::string()> name;
    std::function<HWND()> mainWindow;  // its handle, null while there is none
};

// Installs the current application's identity ({} when it goes).
void SetAppIdentity(AppIdentity identity);

// The current application's name ("" without an application).
std::string AfxGetAppName();

// A message box captioned with the application's name; returns IDOK.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
// The same for string resource stringId (a missing string says so).
int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));

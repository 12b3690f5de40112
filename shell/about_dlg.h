#pragma once

// CAboutDlg: the About box (template IDD_ABOUTBOX): the icon, the program's
// name and version, and OK, which closes it. No handlers of its own.

#include "platform/ui/dialogs/dialog.h"
#include "shell/resources/shell_resource_ids.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};

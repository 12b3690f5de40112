#pragma once

// Building a window's controls from a dialog template: one child per
// template entry, in template order, owned by the window, placed in pixels
// converted from dialog units with the current metrics' base units.

#include "platform/ui/resources/dialog_template.h"
#include "platform/ui/core/ui_types.h"

class CWnd;

// Creates the controls of dialog as children of parent (a live window).
// False when a control cannot be created; those made before stay.
bool BuildTemplateControls(CWnd& parent, const DialogTemplate& dialog);
// The pixel size of dialog's client area.
CSize TemplateSizeInPixels(const DialogTemplate& dialog);

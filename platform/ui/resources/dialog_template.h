#pragma once

// A dialog template as data: the caption, the size and the controls of a
// dialog, property page or form, with every position in dialog units (see
// dialog_units.h). The shell's resources register them by id in the
// resource table; dialogs, pages and form views build their controls from
// them.

#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/d3d9_types.h"

enum class ControlKind {
    Static,         // text, left aligned, wrapped at its width
    Icon,           // an icon resource, id of the icon in iconId
    Edit,           // single-line edit box
    PushButton,     // clicking posts the control's id to its dialog
    DefPushButton,  // the default button: Enter presses it in a modal dialog
    Trackbar,       // a slider (CSliderCtrl)
    GroupBox,       // a labelled frame
};

constexpr int IDC_STATIC = -1;  // id of controls nobody addresses

struct DialogControl {
    DialogControl() = default;
    DialogControl(ControlKind kind, int id, std::string text, int x, int y, int cx, int cy,
                  DWORD style = 0, UINT iconId = 0)
        : kind(kind),
          id(id),
          text(std::move(text)),
          x(x),
          y(y),
          cx(cx),
          cy(cy),
          style(style),
          iconId(iconId) {}

    ControlKind kind = ControlKind::Static;
    int id = IDC_STATIC;
    std::string text;  // label, button text or initial edit text
    int x = 0;         // placement in dialog units
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = 0;  // kind-specific style bits (TBS_*, ES_*), see ui_types.h
    UINT iconId = 0;  // ControlKind::Icon only
};

struct DialogTemplate {
    DialogTemplate() = default;
    DialogTemplate(UINT id, std::string caption, int cx, int cy,
                   std::vector<DialogControl> controls = {})
        : id(id), caption(std::move(caption)), cx(cx), cy(cy), controls(std::move(controls)) {}

    UINT id = 0;
    std::string caption;  // dialog title; a property page's tab text
    int cx = 0;           // size in dialog units
    int cy = 0;
    std::string fontName = "MS Shell Dlg";  // informative: the toolkit has one font
    int pointSize = 8;
    std::vector<DialogControl> controls;  // in tab order
};

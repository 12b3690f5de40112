#pragma once

// Moving the keyboard focus among a dialog's controls, as the display does
// for Tab, Shift+Tab and Enter while a control of a dialog in the main
// window has the keys (see UiHost): the keys then never reach the scene.
//
// The tab stops of a dialog are its visible, enabled edit boxes, trackbars
// and push buttons, in the order of its children (the template's order).

#include <vector>

class CButton;
class CWnd;

// The dialog's tab stops in order.
std::vector<CWnd*> TabStops(const CWnd& dialog);
// Whether focus is a tab stop of a dialog (Tab then moves from it).
bool IsTabStopOfDialog(const CWnd& focus);

// Moves the focus from focus to the next tab stop of its parent (the
// previous one when backward), wrapping at either end. A button is given
// the focus with the keys. False, changing nothing, when focus is not a
// tab stop of a dialog.
bool MoveFocusToNextControl(CWnd& focus, bool backward);

// The button that Enter in the edit box focus presses: its dialog's enabled
// default push button. Null when focus is no edit box of a dialog or the
// dialog has no such button.
CButton* DefaultButtonFor(const CWnd& focus);

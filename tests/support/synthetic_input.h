#pragma once

// Synthetic user input for tests of the toolkit and the application on the
// offscreen display: SDL events pushed to the current display's window, and
// where to click to reach a window or a property sheet's tab.

#include <cstdint>
#include <string>

#include <SDL.h>

#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/core/ui_types.h"
#include "platform/ui/windows/wnd.h"

void PushMotion(CPoint point);
void PushButton(std::uint32_t type, CPoint point);
// Moves there, presses and releases the left button.
void Click(CPoint point);
// Presses and releases the key (a tap).
void PushKey(SDL_Keycode key, std::uint16_t modifiers = KMOD_NONE);
// One press or release.
void PushKeyEvent(std::uint32_t type, SDL_Keycode key, std::uint16_t modifiers = KMOD_NONE);
void PushText(const char* text);
// Types the characters as a keyboard does: each key's press, its text, its release.
void Type(const std::string& characters);

// Centre of a window, and of a sheet's tab, in the main window's pixels.
CPoint CentreOf(const CWnd& window);
CPoint CentreOfTab(CPropertySheet& sheet, int index);

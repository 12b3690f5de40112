#pragma once

// Synthetic user input for tests of the toolkit and the application on the
// offscreen display: SDL events pushed to the current display's window, and
// where to click to reach a window or a property sheet's tab.

#include <cstdint>

#include <SDL.h>

#include "platform/ui/property_sheet.h"
#include "platform/ui/ui_types.h"
#include "platform/ui/wnd.h"

void PushMotion(CPoint point);
void PushButton(std::uint32_t type, CPoint point);
// Moves there, presses and releases the left button.
void Click(CPoint point);
void PushKey(SDL_Keycode key, std::uint16_t modifiers = KMOD_NONE);
void PushText(const char* text);

// Centre of a window, and of a sheet's tab, in the main window's pixels.
CPoint CentreOf(const CWnd& window);
CPoint CentreOfTab(CPropertySheet& sheet, int index);

#pragma once

// Virtual-key codes of SDL keys and modifiers, for accelerator tables.

#include <cstdint>
#include <optional>

#include "platform/ui/resources/accelerator_table.h"

// The virtual-key code of an SDL key code: letters ('A'..'Z'), digits,
// F1 to F12, Backspace, Tab, Enter, Escape, Space, Insert, Delete, period, the
// arrows, Page Up and Page Down; none for other keys.
std::optional<std::uint16_t> VirtualKeyForAccelerator(std::int32_t sdlKey);
// The modifiers held according to SDL modifier bits (KMOD_*).
KeyModifiers ModifiersFromSdl(std::uint16_t sdlModifiers);

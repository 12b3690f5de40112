#pragma once

// Resource ids of the application shell: the main frame's resources, the
// About box, the form of the left pane and the start-up failure message.

#include "platform/gfx/d3d9_types.h"

// Menu, accelerator table, icon and document string of the main frame; the
// icon also shows in the About box and the property sheet's header.
constexpr UINT IDR_MAINFRAME = 128;
// The About box's dialog template.
constexpr UINT IDD_ABOUTBOX = 100;
// The empty form the left pane is built on (the sheet is placed on it).
constexpr UINT IDD_QUORVANE_FORM = 130;
// Message shown when OLE cannot start. Deliberately absent from the string
// table: the toolkit then says which message is missing.
constexpr UINT IDP_OLE_INIT_FAILED = 100;

// Save As, beside the toolkit's New, Open and Save.
constexpr UINT ID_FILE_SAVE_AS = 0xE104;
// The Presets menu: the built-in presets in BuiltInPresets() order.
constexpr UINT ID_PRESET_FIRST = 0x8100;
// Flock, Flock Size...: asks for a number of fish and rebuilds the flock.
constexpr UINT ID_FLOCK_SIZE = 0x8200;

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

// The View menu and its keys. The camera commands run in SceneCamera order
// from ID_VIEW_CAMERA_FIRST.
constexpr UINT ID_VIEW_PAUSE = 0x8300;
constexpr UINT ID_VIEW_STEP = 0x8301;
constexpr UINT ID_VIEW_RESET_FLOCK = 0x8302;
constexpr UINT ID_VIEW_CAMERA_FIRST = 0x8310;  // Chase, Pike's Eye, Overview, Follow School
constexpr UINT ID_VIEW_NEXT_SCHOOL = 0x8318;   // the school the Follow School camera follows
constexpr UINT ID_VIEW_SHOW_SPHERE = 0x8320;
constexpr UINT ID_VIEW_SHOW_RADII = 0x8321;
constexpr UINT ID_VIEW_SHOW_NEIGHBOURS = 0x8322;
constexpr UINT ID_VIEW_SHOW_FORCES = 0x8323;
constexpr UINT ID_VIEW_SHOW_CENTROIDS = 0x8324;
constexpr UINT ID_VIEW_STATISTICS = 0x8325;
constexpr UINT ID_VIEW_HELP = 0x8326;
constexpr UINT ID_VIEW_CLEAR_SELECTION = 0x8327;
constexpr UINT ID_VIEW_APPLY_AS_YOU_EDIT = 0x8330;
// File, Save Screenshot: the whole window as a PNG.
constexpr UINT ID_FILE_SAVE_SCREENSHOT = 0xE110;

#pragma once

// The toolkit's standard command and resource ids, with their classic values
// so that menus, accelerator tables and dialog templates given as data read
// the same as the design's.

#include "platform/gfx/d3d9_types.h"

// ---- Dialog results and the buttons that give them ----
constexpr int IDCANCEL = 2;  // IDOK (1) is in platform/window/system.h

// ---- Standard commands ----
constexpr UINT ID_FILE_NEW = 0xE100;   // 57600
constexpr UINT ID_FILE_OPEN = 0xE101;  // 57601
constexpr UINT ID_FILE_CLOSE = 0xE102;
constexpr UINT ID_FILE_SAVE = 0xE103;   // 57603
constexpr UINT ID_EDIT_COPY = 0xE122;   // 57634
constexpr UINT ID_EDIT_CUT = 0xE123;    // 57635
constexpr UINT ID_EDIT_PASTE = 0xE125;  // 57637
constexpr UINT ID_EDIT_UNDO = 0xE12B;   // 57643
constexpr UINT ID_APP_ABOUT = 0xE140;   // 57664
constexpr UINT ID_APP_EXIT = 0xE141;    // 57665
constexpr UINT ID_NEXT_PANE = 0xE150;   // 57680
constexpr UINT ID_PREV_PANE = 0xE151;   // 57681

// ---- Window ids ----
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;  // first pane of a frame or splitter

// ---- Strings ----
constexpr UINT AFX_IDS_APP_TITLE = 0xE000;  // 57344: the application's name

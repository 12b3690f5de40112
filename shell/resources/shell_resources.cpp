#include "shell/resources/shell_resources.h"

#include <optional>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/window/system.h"
#include "shell/built_in_presets.h"
#include "shell/preset_file.h"
#include "shell/resources/icon_file.h"
#include "shell/resources/shell_resource_ids.h"

namespace {

// Fields: window title, document name (empty: "Untitled"), name for New,
// no filter name or extension, file type id and name.
constexpr const char* kDocumentString =
    "Quorvane\n\nQuorvane\n\n\nQuorvane.Document\nQuorvane.Document";

DialogTemplate AboutBox() {
    return {IDD_ABOUTBOX,
            "About Quorvane",
            235,
            55,
            {
                {ControlKind::Icon, IDC_STATIC, "", 11, 17, 20, 20, 0, IDR_MAINFRAME},
                {ControlKind::Static, IDC_STATIC, "Quorvane Version 1.0", 40, 10, 119, 8},
                {ControlKind::DefPushButton, IDOK, "OK", 178, 7, 50, 16},
            }};
}

// New, Open and Save, the edit commands in both their key families, and
// the pane keys. Keys whose command nobody handles do nothing.
std::vector<Accelerator> MainAccelerators() {
    return {
        {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
        {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
        {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
        {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
        {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
        {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
        {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
        {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
        {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
        {FVIRTKEY, VK_F6, ID_NEXT_PANE},
        {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE},
        {FVIRTKEY, VK_F12, ID_FILE_SAVE_SCREENSHOT},
    };
}

std::vector<MenuItem> FileMenu() {
    return {
        {"&New", ID_FILE_NEW},
        {"&Open...", ID_FILE_OPEN},
        {"&Save", ID_FILE_SAVE},
        {"Save &As...", ID_FILE_SAVE_AS},
        {"Save Screens&hot", ID_FILE_SAVE_SCREENSHOT},
        {},
        {"E&xit", ID_APP_EXIT},
    };
}

// One entry per built-in preset, by name; empty when none was found.
std::vector<MenuItem> PresetsMenu() {
    std::vector<MenuItem> items;
    const auto& presets = BuiltInPresets();
    for (std::size_t i = 0; i < presets.size(); ++i) {
        items.push_back({PresetDisplayName(presets[i]), ID_PRESET_FIRST + static_cast<UINT>(i)});
    }
    return items;
}

}  // namespace

void RegisterShellResources() {
    CResourceTable& resources = AfxResources();
    resources.AddString(AFX_IDS_APP_TITLE, "Quorvane");
    resources.AddString(IDR_MAINFRAME, kDocumentString);
    resources.AddDialog(AboutBox());
    resources.AddDialog({IDD_QUORVANE_FORM, "", 186, 191});
    resources.AddMenu({IDR_MAINFRAME,
                       {{"&File", FileMenu()},
                        {"&Presets", PresetsMenu()},
                        {"F&lock", {{"Flock &Size...", ID_FLOCK_SIZE}}},
                        {"&Help", {{"&About Quorvane...", ID_APP_ABOUT}}}}});
    resources.AddAccelerators(IDR_MAINFRAME, MainAccelerators());
    if (std::optional<IconImage> icon = LoadApplicationIcon()) {
        resources.AddIcon(IDR_MAINFRAME, std::move(*icon));
    }
}

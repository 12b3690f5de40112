#include "shell/resources/shell_resources.h"

#include <optional>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/window/system.h"
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

// The View menu's keys. Those without Ctrl or an F-key act only while the
// scene has the keyboard: in a text box they type.
std::vector<Accelerator> ViewAccelerators() {
    constexpr std::uint8_t kScene = FVIRTKEY | FSCENEONLY;
    std::vector<Accelerator> keys = {
        {kScene, VK_SPACE, ID_VIEW_PAUSE},
        {kScene, VK_OEM_PERIOD, ID_VIEW_STEP},
        {FVIRTKEY | FCONTROL, 'R', ID_VIEW_RESET_FLOCK},
        {kScene, VK_TAB, ID_VIEW_NEXT_SCHOOL},
        {kScene, 'S', ID_VIEW_SHOW_SPHERE},
        {kScene, 'R', ID_VIEW_SHOW_RADII},
        {kScene, 'N', ID_VIEW_SHOW_NEIGHBOURS},
        {kScene, 'F', ID_VIEW_SHOW_FORCES},
        {kScene, 'C', ID_VIEW_SHOW_CENTROIDS},
        {FVIRTKEY, VK_F1 + 1, ID_VIEW_STATISTICS},
        {FVIRTKEY, VK_F1, ID_VIEW_HELP},
        {kScene, VK_ESCAPE, ID_VIEW_CLEAR_SELECTION},
    };
    for (UINT camera = 0; camera < 4; ++camera) {
        keys.push_back({kScene, static_cast<std::uint16_t>('1' + camera),
                        static_cast<std::uint16_t>(ID_VIEW_CAMERA_FIRST + camera)});
    }
    return keys;
}

std::vector<MenuItem> ViewMenu() {
    return {
        {"&Pause", ID_VIEW_PAUSE},
        {"S&tep", ID_VIEW_STEP},
        {"&Reset Flock", ID_VIEW_RESET_FLOCK},
        {},
        {"&Camera",
         0,
         {{"&Chase", ID_VIEW_CAMERA_FIRST},
          {"&Pike's Eye", ID_VIEW_CAMERA_FIRST + 1},
          {"&Overview", ID_VIEW_CAMERA_FIRST + 2},
          {"&Follow School", ID_VIEW_CAMERA_FIRST + 3},
          {},
          {"&Next School", ID_VIEW_NEXT_SCHOOL}}},
        {"S&how",
         0,
         {{"Stay-in &Sphere", ID_VIEW_SHOW_SPHERE},
          {"Fish &Radii", ID_VIEW_SHOW_RADII},
          {"&Neighbours", ID_VIEW_SHOW_NEIGHBOURS},
          {"&Forces", ID_VIEW_SHOW_FORCES},
          {"School &Centroids", ID_VIEW_SHOW_CENTROIDS}}},
        {"&Statistics", ID_VIEW_STATISTICS},
        {"H&elp", ID_VIEW_HELP},
        {"Clear Se&lection", ID_VIEW_CLEAR_SELECTION},
        {},
        {"&Apply as You Edit", ID_VIEW_APPLY_AS_YOU_EDIT},
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

// One entry per preset name; empty when there is none.
std::vector<MenuItem> PresetsMenu(const std::vector<std::string>& presetNames) {
    std::vector<MenuItem> items;
    for (std::size_t i = 0; i < presetNames.size(); ++i) {
        items.push_back({presetNames[i], ID_PRESET_FIRST + static_cast<UINT>(i)});
    }
    return items;
}

}  // namespace

void RegisterShellResources(const std::vector<std::string>& presetNames) {
    CResourceTable& resources = AfxResources();
    resources.AddString(AFX_IDS_APP_TITLE, "Quorvane");
    resources.AddString(IDR_MAINFRAME, kDocumentString);
    resources.AddDialog(AboutBox());
    resources.AddDialog({IDD_QUORVANE_FORM, "", 186, 191});
    resources.AddMenu({IDR_MAINFRAME,
                       {{"&File", FileMenu()},
                        {"&View", ViewMenu()},
                        {"&Presets", PresetsMenu(presetNames)},
                        {"F&lock", {{"Flock &Size...", ID_FLOCK_SIZE}}},
                        {"&Help", {{"&About Quorvane...", ID_APP_ABOUT}}}}});
    std::vector<Accelerator> keys = MainAccelerators();
    const std::vector<Accelerator> viewKeys = ViewAccelerators();
    keys.insert(keys.end(), viewKeys.begin(), viewKeys.end());
    resources.AddAccelerators(IDR_MAINFRAME, keys);
    if (std::optional<IconImage> icon = LoadApplicationIcon()) {
        resources.AddIcon(IDR_MAINFRAME, std::move(*icon));
    }
}

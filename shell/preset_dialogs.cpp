#include "shell/preset_dialogs.h"

#include <algorithm>
#include <system_error>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/controls/data_exchange.h"
#include "platform/window/system.h"

namespace fs = std::filesystem;

namespace {

constexpr int kEntryHeight = 12;  // dialog units

// The parent (unless folder is the root), the folders, then the .toml files,
// each group by name; at most CPresetFileDialog::kMaxEntries. An unreadable
// folder lists its parent only.
std::vector<fs::path> ListEntries(const fs::path& folder) {
    std::vector<fs::path> folders;
    std::vector<fs::path> files;
    std::error_code code;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, code)) {
        std::error_code typeCode;
        if (entry.is_directory(typeCode)) {
            folders.push_back(entry.path());
        } else if (entry.path().extension() == ".toml") {
            files.push_back(entry.path());
        }
    }
    std::sort(folders.begin(), folders.end());
    std::sort(files.begin(), files.end());
    std::vector<fs::path> entries;
    if (folder.has_relative_path()) {
        entries.push_back(folder.parent_path());
    }
    entries.insert(entries.end(), folders.begin(), folders.end());
    entries.insert(entries.end(), files.begin(), files.end());
    entries.resize(std::min<std::size_t>(entries.size(), CPresetFileDialog::kMaxEntries));
    return entries;
}

std::string EntryText(const fs::path& folder, const fs::path& entry) {
    if (entry == folder.parent_path() && folder.has_relative_path()) {
        return "..  (up one folder)";
    }
    std::error_code code;
    return entry.filename().string() + (fs::is_directory(entry, code) ? "/" : "");
}

DialogTemplate FileTemplate(PresetDialogMode mode, const fs::path& folder,
                            const std::vector<fs::path>& entries) {
    const bool open = mode == PresetDialogMode::Open;
    const int listTop = 22;
    const int nameTop = listTop + static_cast<int>(entries.size()) * kEntryHeight + 8;
    DialogTemplate dialog;
    dialog.caption = open ? "Open Preset" : "Save Preset As";
    dialog.cx = 260;
    dialog.cy = nameTop + 44;
    dialog.controls.push_back(
        {ControlKind::Static, IDC_STATIC, "Look in: " + folder.string(), 7, 7, 246, 10});
    for (std::size_t i = 0; i < entries.size(); ++i) {
        dialog.controls.push_back({ControlKind::PushButton,
                                   CPresetFileDialog::kFirstEntryId + static_cast<int>(i),
                                   EntryText(folder, entries[i]), 7,
                                   listTop + static_cast<int>(i) * kEntryHeight, 246, 11});
    }
    dialog.controls.push_back(
        {ControlKind::Static, IDC_STATIC, "File &name:", 7, nameTop + 2, 40, 8});
    dialog.controls.push_back(
        {ControlKind::Edit, CPresetFileDialog::kNameId, "", 50, nameTop, 203, 14});
    dialog.controls.push_back(
        {ControlKind::DefPushButton, IDOK, open ? "Open" : "Save", 149, nameTop + 24, 50, 14});
    dialog.controls.push_back(
        {ControlKind::PushButton, IDCANCEL, "Cancel", 203, nameTop + 24, 50, 14});
    return dialog;
}

}  // namespace

CPresetFileDialog::CPresetFileDialog(PresetDialogMode mode, fs::path folder, std::string name,
                                     CWnd* owner)
    : CDialog(0, owner),
      fileName(std::move(name)),
      mode_(mode),
      folder_(std::move(folder)),
      entries_(ListEntries(folder_)) {
    SetIndirectTemplate(FileTemplate(mode_, folder_, entries_));
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        MapCommand(kFirstEntryId + static_cast<UINT>(i), [this, i] { OnEntry(i); });
    }
}

BOOL CPresetFileDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (CWnd* name = GetDlgItem(kNameId)) {
        name->SetFocus();
    }
    return TRUE;
}

void CPresetFileDialog::DoDataExchange(CDataExchange* exchange) {
    DDX_Text(exchange, kNameId, fileName);
}

void CPresetFileDialog::OnEntry(std::size_t index) {
    std::error_code code;
    if (fs::is_directory(entries_[index], code)) {
        enteredFolder_ = entries_[index];
        EndDialog(kEnterFolder);
    } else {
        SetDlgItemText(kNameId, entries_[index].filename().string());
    }
}

fs::path CPresetFileDialog::ChosenPath() const {
    fs::path chosen = folder_ / fileName;  // an absolute name replaces the folder
    if (mode_ == PresetDialogMode::SaveAs && !chosen.has_extension()) {
        chosen += ".toml";
    }
    return chosen;
}

std::optional<fs::path> AskPresetPath(PresetDialogMode mode, fs::path folder,
                                      const std::string& name, CWnd* owner) {
    std::string typed = name;
    for (;;) {
        CPresetFileDialog dialog(mode, folder, typed, owner);
        const int result = dialog.DoModal();
        if (result == CPresetFileDialog::kEnterFolder) {
            folder = dialog.EnteredFolder();
            typed = dialog.fileName;
        } else if (result == IDOK && !dialog.fileName.empty()) {
            return dialog.ChosenPath();
        } else {
            return std::nullopt;
        }
    }
}

CSaveChangesDialog::CSaveChangesDialog(const std::string& documentName, CWnd* owner)
    : CDialog(0, owner) {
    DialogTemplate dialog;
    dialog.caption = "Quorvane";
    dialog.cx = 190;
    dialog.cy = 52;
    dialog.controls = {
        {ControlKind::Static, IDC_STATIC, "Save changes to " + documentName + "?", 7, 9, 176, 10},
        {ControlKind::DefPushButton, kYes, "&Yes", 25, 31, 50, 14},
        {ControlKind::PushButton, kNo, "&No", 79, 31, 50, 14},
        {ControlKind::PushButton, IDCANCEL, "Cancel", 133, 31, 50, 14},
    };
    SetIndirectTemplate(std::move(dialog));
    MapCommand(kYes, [this] { EndDialog(kYes); });
    MapCommand(kNo, [this] { EndDialog(kNo); });
}

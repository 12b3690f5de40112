#pragma once

// The boxes the preset commands ask with:
// - CPresetFileDialog: a folder's entries (its parent, its folders and its
//   .toml files) as a list of buttons above a file-name box. A file's
//   button puts its name into the box; a folder's button shows that folder.
// - CSaveChangesDialog: "Save changes to NAME?" with Yes, No and Cancel.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/dialogs/dialog.h"

enum class PresetDialogMode { Open, SaveAs };

class CPresetFileDialog : public CDialog {
public:
    static constexpr int kNameId = 1152;        // the file-name box
    static constexpr int kFirstEntryId = 1200;  // the entries' buttons, in list order
    static constexpr int kMaxEntries = 16;      // more are left out of the list
    static constexpr int kEnterFolder = 100;    // DoModal's result when a folder was picked

    // folder: the folder listed; name: the file name shown in the box.
    CPresetFileDialog(PresetDialogMode mode, std::filesystem::path folder, std::string name,
                      CWnd* owner = nullptr);

    // Shows the name and puts the keyboard in the name box. TRUE.
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;

    // After IDOK: the box's name taken in the folder (an absolute name as it
    // stands), with ".toml" added to a saved name that has no extension.
    std::filesystem::path ChosenPath() const;
    // After kEnterFolder: the folder picked.
    const std::filesystem::path& EnteredFolder() const { return enteredFolder_; }
    // The entries listed, in order: parent first, then folders, then files.
    const std::vector<std::filesystem::path>& Entries() const { return entries_; }

    std::string fileName;  // the name box

private:
    void OnEntry(std::size_t index);

    PresetDialogMode mode_;
    std::filesystem::path folder_;
    std::filesystem::path enteredFolder_;
    std::vector<std::filesystem::path> entries_;
};

// Shows the file dialog from folder, moving into the folders the user picks,
// until a file is chosen (its path) or the dialog is cancelled (nothing).
std::optional<std::filesystem::path> AskPresetPath(PresetDialogMode mode,
                                                   std::filesystem::path folder,
                                                   const std::string& name, CWnd* owner);

class CSaveChangesDialog : public CDialog {
public:
    static constexpr int kYes = 6;  // DoModal's results, with IDCANCEL
    static constexpr int kNo = 7;

    explicit CSaveChangesDialog(const std::string& documentName, CWnd* owner = nullptr);
};

#include "shell/quorvane_doc.h"

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/docview/win_app.h"
#include "shell/built_in_presets.h"
#include "shell/live_behaviors.h"
#include "shell/preset_dialogs.h"
#include "shell/preset_file.h"
#include "shell/resources/shell_resource_ids.h"
#include "simulation/behavior.h"
#include "simulation/population.h"

namespace fs = std::filesystem;

namespace {

void ShowProblem(const std::string& message) {
    AfxMessageBox(message.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

CWnd* MainWindow() {
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->GetMainWnd() : nullptr;
}

std::optional<PresetValues> StartupValues() {
    std::vector<cBehavior*> startup = CreateStartupBehaviors();
    std::string error;
    std::optional<PresetValues> values = CapturePreset(startup, error);
    for (cBehavior* behavior : startup) {
        delete behavior;
    }
    return values;
}

}  // namespace

CQuorvaneDoc::CQuorvaneDoc() {
    MapCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    MapCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
    MapCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    for (int i = 0; i < kMaxBuiltInPresets; ++i) {
        MapCommand(ID_PRESET_FIRST + static_cast<UINT>(i), [this, i] {
            const auto& presets = BuiltInPresets();
            if (static_cast<std::size_t>(i) < presets.size() && SaveModified()) {
                OpenPreset(presets[static_cast<std::size_t>(i)], /*builtIn=*/true);
            }
        });
    }
}

BOOL CQuorvaneDoc::OnNewDocument() {
    CDocument::OnNewDocument();
    std::vector<cBehavior*>* live = LiveBehaviors();
    const std::optional<PresetValues> startup = StartupValues();
    std::string error;
    if (live != nullptr && startup && ApplyPreset(*startup, *live, error)) {
        UpdateAllViews(nullptr, kHintRefresh);
    }
    return TRUE;
}

bool CQuorvaneDoc::SaveModified() {
    if (!IsModified()) {
        return true;
    }
    CSaveChangesDialog ask(GetTitle(), MainWindow());
    switch (ask.DoModal()) {
        case CSaveChangesDialog::kYes:
            return OnFileSave();
        case CSaveChangesDialog::kNo:
            return true;
        default:
            return false;
    }
}

bool CQuorvaneDoc::OpenPreset(const fs::path& path, bool builtIn) {
    std::vector<cBehavior*>* live = LiveBehaviors();
    std::string error;
    if (live == nullptr) {
        ShowProblem("There is no flock to apply '" + path.string() + "' to.");
        return false;
    }
    if (!ReadPreset(path, *live, error)) {
        ShowProblem(error);
        return false;
    }
    SetPathName(builtIn ? std::string() : path.string());
    SetTitle(PresetDisplayName(path));
    SetModifiedFlag(FALSE);
    UpdateAllViews(nullptr, kHintRefresh);
    return true;
}

bool CQuorvaneDoc::SavePreset(const fs::path& path) {
    std::vector<cBehavior*>* live = LiveBehaviors();
    std::string error;
    if (live == nullptr) {
        ShowProblem("There is no flock to save to '" + path.string() + "'.");
        return false;
    }
    if (!WritePreset(path, *live, error)) {
        ShowProblem(error);
        return false;
    }
    SetPathName(path.string());
    SetTitle(PresetDisplayName(path));
    SetModifiedFlag(FALSE);
    return true;
}

void CQuorvaneDoc::OnFileOpen() {
    if (!SaveModified()) {
        return;
    }
    const fs::path folder = GetPathName().empty() ? BuiltInPresetFolder() : DialogFolder();
    if (const auto path = AskPresetPath(PresetDialogMode::Open, folder, "", MainWindow())) {
        OpenPreset(*path);
    }
}

bool CQuorvaneDoc::OnFileSave() {
    return GetPathName().empty() ? OnFileSaveAs() : SavePreset(GetPathName());
}

bool CQuorvaneDoc::OnFileSaveAs() {
    const auto path =
        AskPresetPath(PresetDialogMode::SaveAs, DialogFolder(), GetTitle() + ".toml", MainWindow());
    return path && SavePreset(*path);
}

fs::path CQuorvaneDoc::DialogFolder() const {
    std::error_code code;
    const fs::path folder = fs::absolute(GetPathName(), code).parent_path();
    return !code && !GetPathName().empty() ? folder : fs::current_path(code);
}

#pragma once

// CQuorvaneDoc: the document is the six behaviours' parameters, kept in the
// live behaviours themselves and stored as a preset file. New puts the
// start-up values back; Open reads a preset into the live behaviours and
// shows it on every page; Save and Save As write them. An Apply on a page
// marks the document modified; New, Open and Exit ask to save it first.
// It is also where the views tell each other about the engine
// (UpdateAllViews with the hints below).

#include <filesystem>

#include "platform/ui/docview/document.h"
#include "platform/ui/core/ui_types.h"

// Hints of UpdateAllViews between the shell's views.
enum QuorvaneUpdateHint : LPARAM {
    kHintRefresh = 0,        // the live engine is (newly) in place: show its values
    kHintEngineDeleted = 1,  // the engine and its behaviours are gone: forget them
};

class CQuorvaneDoc : public CDocument {
public:
    // Maps Open, Save, Save As and the Presets menu's entries.
    CQuorvaneDoc();

    // Untitled and unmodified, with the start-up values in the live
    // behaviours when there are any. TRUE.
    BOOL OnNewDocument() override;

    // When modified, asks "Save changes to TITLE?": Yes saves (false when
    // that fails or is cancelled), No goes on, Cancel gives false.
    bool SaveModified();
    // Reads path into the live behaviours and refreshes every page; the
    // title becomes the preset's name. A built-in preset keeps no path, so
    // Save asks for a new name. False, with a message and nothing changed,
    // for a bad file or without live behaviours.
    bool OpenPreset(const std::filesystem::path& path, bool builtIn = false);
    // Writes the live behaviours to path; on success it becomes the
    // document's path and name. False with a message otherwise; the document
    // stays modified.
    bool SavePreset(const std::filesystem::path& path);

    void OnFileOpen();
    // Save to the document's path, or Save As when it has none.
    bool OnFileSave();
    bool OnFileSaveAs();

private:
    // Where the file dialog starts: the document's folder, else the current
    // folder (Open without a document path starts in the built-in presets).
    std::filesystem::path DialogFolder() const;
};

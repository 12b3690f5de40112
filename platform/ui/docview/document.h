#pragma once

// CDocument: the data side of the document/view model. It knows its views
// and tells them about changes (UpdateAllViews). Commands reach it after the
// active view (see CFrameWnd). A document is read through Serialize from an
// archive; the toolkit never writes documents (the program writes nothing to
// disk), so there is no save path.

#include <string>
#include <vector>

#include "platform/ui/windows/cmd_target.h"
#include "platform/ui/core/ui_types.h"

class CView;
class CDocTemplate;

// What Serialize reads from: a loading archive over a file's bytes.
class CArchive {
public:
    explicit CArchive(std::vector<char> bytes) : bytes_(std::move(bytes)) {}
    bool IsStoring() const { return false; }
    bool IsLoading() const { return true; }
    const std::vector<char>& Bytes() const { return bytes_; }

private:
    std::vector<char> bytes_;
};

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    ~CDocument() override;

    // A new, empty document: DeleteContents, no path, not modified. TRUE.
    virtual BOOL OnNewDocument();
    // Reads path through Serialize. FALSE (and a message) when the file
    // cannot be read.
    virtual BOOL OnOpenDocument(const char* path);
    virtual void DeleteContents() {}
    virtual void Serialize(CArchive& archive) { (void)archive; }

    // Calls OnUpdate(sender, hint, hintObject) on every view but sender, in
    // the order the views were added.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return views_; }

    const std::string& GetTitle() const { return title_; }
    virtual void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return pathName_; }
    void SetPathName(const std::string& path);
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(BOOL modified = TRUE) { modified_ = modified != FALSE; }
    CDocTemplate* GetDocTemplate() const { return docTemplate_; }
    void SetDocTemplate(CDocTemplate* docTemplate) { docTemplate_ = docTemplate; }

private:
    std::vector<CView*> views_;  // not owned
    std::string title_;
    std::string pathName_;
    bool modified_ = false;
    CDocTemplate* docTemplate_ = nullptr;  // not owned
};

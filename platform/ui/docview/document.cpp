#include "platform/ui/docview/document.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/ui/docview/view.h"
#include "platform/ui/windows/app_identity.h"

CDocument::~CDocument() {
    for (CView* view : views_) {
        view->SetDocument(nullptr);
    }
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    pathName_.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path) {
    std::ifstream file(path != nullptr ? path : "", std::ios::binary);
    if (path == nullptr || !file || std::filesystem::is_directory(path)) {
        AfxMessageBox((std::string("Cannot open the file \"") + (path ? path : "") + "\".").c_str(),
                      MB_ICONEXCLAMATION);
        return FALSE;
    }
    CArchive archive(std::vector<char>(std::istreambuf_iterator<char>(file), {}));
    DeleteContents();
    Serialize(archive);
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
    // A copy: a view may leave the document while it updates.
    const std::vector<CView*> views = views_;
    for (CView* view : views) {
        if (view != sender && std::find(views_.begin(), views_.end(), view) != views_.end()) {
            view->OnUpdate(sender, hint, hintObject);
        }
    }
}

void CDocument::AddView(CView* view) {
    if (view != nullptr && std::find(views_.begin(), views_.end(), view) == views_.end()) {
        views_.push_back(view);
        view->SetDocument(this);
    }
}

void CDocument::RemoveView(CView* view) {
    if (std::erase(views_, view) > 0) {
        view->SetDocument(nullptr);
    }
}

void CDocument::SetTitle(const std::string& title) {
    title_ = title;
}

void CDocument::SetPathName(const std::string& path) {
    pathName_ = path;
    SetTitle(std::filesystem::path(path).filename().string());
}

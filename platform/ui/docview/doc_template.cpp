#include "platform/ui/docview/doc_template.h"

#include "platform/ui/docview/create_context.h"
#include "platform/ui/docview/document.h"
#include "platform/ui/docview/frame_wnd.h"
#include "platform/ui/docview/win_app.h"

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass,
                           const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : resourceId_(resourceId),
      documentClass_(documentClass),
      frameClass_(frameClass),
      viewClass_(viewClass) {}

bool CDocTemplate::GetDocString(std::string& text, DocStringIndex index) const {
    text = DocStringField(AfxResources().LoadString(resourceId_).value_or(""), index);
    return !text.empty();
}

CSingleDocTemplate::~CSingleDocTemplate() {
    DropFrame();
    document_.reset();
}

void CSingleDocTemplate::DropFrame() {
    if (frame_ != nullptr && frame_->GetSafeHwnd() != nullptr) {
        frame_->DestroyWindow();
    }
    frame_.reset();
}

bool CSingleDocTemplate::MakeFrame() {
    frame_ = CreateFromRuntimeClass<CFrameWnd>(frameClass_);
    if (frame_ == nullptr) {
        return false;
    }
    CCreateContext context;
    context.newViewClass = viewClass_;
    context.currentDoc = document_.get();
    context.newDocTemplate = this;
    context.currentFrame = frame_.get();
    if (!frame_->LoadFrame(resourceId_, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        frame_.reset();
        return false;
    }
    return true;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* path, BOOL makeVisible) {
    if (frame_ != nullptr && frame_->GetSafeHwnd() == nullptr) {
        DropFrame();  // closed earlier: start again with a new frame and document
        document_.reset();
    }
    const bool newDocument = document_ == nullptr;
    if (newDocument) {
        document_ = CreateFromRuntimeClass<CDocument>(documentClass_);
        if (document_ == nullptr) {
            return nullptr;
        }
        document_->SetDocTemplate(this);
    }
    const bool newFrame = frame_ == nullptr;
    if (newFrame && !MakeFrame()) {
        document_.reset();
        return nullptr;
    }
    BOOL ready = FALSE;
    if (path == nullptr) {
        std::string untitled;
        GetDocString(untitled, DocStringIndex::DocName);
        document_->SetTitle(untitled.empty() ? "Untitled" : untitled);
        ready = document_->OnNewDocument();
    } else {
        ready = document_->OnOpenDocument(path);
        if (ready) {
            document_->SetPathName(path);
        }
    }
    if (!ready) {
        if (newFrame) {
            DropFrame();
            document_.reset();
        }
        return nullptr;
    }
    CWinApp* app = AfxGetApp();
    if (newFrame && app != nullptr && app->GetMainWnd() == nullptr) {
        app->SetMainWnd(frame_.get());
    }
    frame_->InitialUpdateFrame(document_.get(), makeVisible);
    return document_.get();
}

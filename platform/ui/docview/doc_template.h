#pragma once

// Document templates: how the application makes a document with its frame
// and views from class descriptions, for New and Open. A single-document
// template keeps one document and one frame and reuses both: New and Open
// re-initialise the document and send every view its initial update again,
// without making new views.

#include <memory>
#include <string>

#include "platform/ui/windows/cmd_target.h"
#include "platform/ui/resources/resource_table.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
public:
    // resourceId: the frame's resources and the document string (string
    // resourceId: "title\ndocName\nfileNewName\n..."). The classes describe
    // a CDocument, a CFrameWnd and a CView.
    CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass,
                 const CRuntimeClass* frameClass, const CRuntimeClass* viewClass);

    UINT GetResourceId() const { return resourceId_; }
    // Field index of the document string; false when it is empty or absent.
    bool GetDocString(std::string& text, DocStringIndex index) const;

    // New (path null) or Open: the document, shown in its frame; null when
    // the document, frame or views cannot be made or the file read.
    virtual CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) = 0;

protected:
    UINT resourceId_;
    const CRuntimeClass* documentClass_;
    const CRuntimeClass* frameClass_;
    const CRuntimeClass* viewClass_;
};

class CSingleDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
    // Destroys the frame (if still a window) and then the document.
    ~CSingleDocTemplate() override;

    CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) override;
    CDocument* GetDocument() const { return document_.get(); }
    CFrameWnd* GetFrame() const { return frame_.get(); }

private:
    bool MakeFrame();
    void DropFrame();

    std::unique_ptr<CDocument> document_;
    std::unique_ptr<CFrameWnd> frame_;
};

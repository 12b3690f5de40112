#pragma once

// What a frame and its views are created with: the view class to make, the
// document they show and the template that made them. All pointers are not
// owned and may be null.

#include "platform/ui/core/runtime_class.h"

class CDocument;
class CDocTemplate;
class CFrameWnd;
class CView;

struct CCreateContext {
    const CRuntimeClass* newViewClass = nullptr;  // the view a frame or pane makes by default
    CDocument* currentDoc = nullptr;              // the document new views join
    CDocTemplate* newDocTemplate = nullptr;
    CView* lastView = nullptr;
    CFrameWnd* currentFrame = nullptr;
};

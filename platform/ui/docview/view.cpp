#include "platform/ui/docview/view.h"

#include "platform/ui/docview/create_context.h"
#include "platform/ui/docview/document.h"
#include "platform/ui/host/ui_draw.h"

void CDC::FillSolidRect(const CRect& rect, COLORREF color) {
    const ImU32 fill = IM_COL32(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF, 255);
    ImGui::GetWindowDrawList()->AddRectFilled(
        ScreenPoint(client_, static_cast<float>(rect.left), static_cast<float>(rect.top)),
        ScreenPoint(client_, static_cast<float>(rect.right), static_cast<float>(rect.bottom)),
        fill);
}

void CDC::TextOut(int x, int y, const std::string& text) {
    ImGui::GetWindowDrawList()->AddText(
        ScreenPoint(client_, static_cast<float>(x), static_cast<float>(y)), ToolkitColors::kText,
        text.c_str());
}

CView::~CView() {
    if (document_ != nullptr) {
        document_->RemoveView(this);
    }
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.className == nullptr) {
        cs.className = kToolkitWindowClass;
    }
    return TRUE;
}

int CView::OnCreate(CREATESTRUCT* cs) {
    if (cs != nullptr && cs->context != nullptr && cs->context->currentDoc != nullptr) {
        cs->context->currentDoc->AddView(this);
    }
    return 0;
}

void CView::OnDestroy() {
    if (document_ != nullptr) {
        document_->RemoveView(this);
    }
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* /*sender*/, LPARAM /*hint*/, CObject* /*hintObject*/) {}

bool CView::OnCmdMsg(UINT id, CommandAction action) {
    if (CWnd::OnCmdMsg(id, action)) {
        return true;
    }
    return document_ != nullptr && document_->OnCmdMsg(id, action);
}

void CView::Draw(DrawOrigin parentClient) {
    if (!IsWindowVisible()) {
        return;
    }
    const DrawOrigin client = ClientOrigin(parentClient);
    CDC dc(client);
    OnDraw(&dc);
    DrawChildren(client);
}

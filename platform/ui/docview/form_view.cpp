#include "platform/ui/docview/form_view.h"

#include <algorithm>
#include <cstdio>

#include "platform/ui/host/covered_areas.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/controls/template_controls.h"
#include "platform/ui/host/ui_draw.h"

CFormView::CFormView(UINT templateId) : templateId_(templateId) {}

int CFormView::OnCreate(CREATESTRUCT* cs) {
    if (CView::OnCreate(cs) == -1) {
        return -1;
    }
    const DialogTemplate* form = AfxResources().FindDialog(templateId_);
    if (form == nullptr) {
        std::fprintf(stderr, "form template %u is missing\n", templateId_);
        return -1;
    }
    return BuildTemplateControls(*this, *form) ? 0 : -1;
}

void CFormView::OnInitialUpdate() {
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}

CSize CFormView::GetTotalSize() const {
    CSize total;
    if (const DialogTemplate* form = AfxResources().FindDialog(templateId_)) {
        total = TemplateSizeInPixels(*form);
    }
    for (const CWnd* child : Children()) {
        const CRect placement = child->GetPlacement();
        total = CSize(std::max(total.cx, placement.right), std::max(total.cy, placement.bottom));
    }
    return total;
}

void CFormView::Draw(DrawOrigin parentClient) {
    if (!IsWindowVisible()) {
        return;
    }
    const ScreenRect area = PlacementOnScreen(parentClient, GetPlacement());
    const CSize total = GetTotalSize();
    ImGui::SetCursorScreenPos(area.min);
    ImGui::SetNextWindowContentSize(
        ImVec2(static_cast<float>(total.cx), static_cast<float>(total.cy)));
    ImGui::PushID(this);
    CoveredAreas::Add(area);  // the child window's own background fills it
    if (ImGui::BeginChild("##form",
                          ImVec2(std::max(1.0f, area.Width()), std::max(1.0f, area.Height())),
                          false, ImGuiWindowFlags_HorizontalScrollbar)) {
        scroll_ =
            CPoint(static_cast<int>(ImGui::GetScrollX()), static_cast<int>(ImGui::GetScrollY()));
        const DrawOrigin client = ClientOrigin(parentClient);
        CDC dc(client);
        OnDraw(&dc);
        DrawChildren(client);
    }
    ImGui::EndChild();
    ImGui::PopID();
}

#include "platform/ui/controls/button.h"

#include <algorithm>

#include "platform/ui/resources/menu_template.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/host/ui_draw.h"

BOOL CButton::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(kToolkitWindowClass, text, style, rect, parent, id);
}

bool CButton::TakeOverState(CWnd& other) {
    return dynamic_cast<CButton*>(&other) != nullptr;
}

void CButton::Click() {
    // Addressed to the button: if it is destroyed first, the click is dropped.
    PostToTarget(this, [this] {
        if (CWnd* parent = GetParent()) {
            parent->OnCommand(static_cast<UINT>(GetDlgCtrlID()));
        }
    });
}

void CButton::Draw(DrawOrigin parentClient) {
    if (!IsWindowVisible()) {
        return;
    }
    const ScreenRect area = PlacementOnScreen(parentClient, GetPlacement());
    const bool isDefault = (GetStyle() & BS_DEFPUSHBUTTON) != 0;
    ImGui::PushID(this);
    ImGui::SetCursorScreenPos(area.min);
    ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, isDefault ? 2.0f : 1.0f);
    ImGui::PushStyleColor(ImGuiCol_Border,
                          isDefault ? ToolkitColors::kAccent : ToolkitColors::kShadow);
    ImGui::BeginDisabled(!IsWindowEnabled());
    const std::string label = StripMnemonic(GetWindowText()) + "##button";
    if (ImGui::Button(label.c_str(),
                      ImVec2(std::max(1.0f, area.Width()), std::max(1.0f, area.Height())))) {
        NoteFocus();
        Click();
    }
    ImGui::EndDisabled();
    ImGui::PopStyleColor();
    ImGui::PopStyleVar();
    ImGui::PopID();
}

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

void CButton::TakeKeyboardFocus() {
    SetFocus();
    keyboardFocus_ = true;
}

void CButton::HandleKeys() {
    const ImGuiIO& io = ImGui::GetIO();
    if (ImGui::IsKeyPressed(io.KeyMap[ImGuiKey_Space], false) ||
        ImGui::IsKeyPressed(io.KeyMap[ImGuiKey_Enter], false) ||
        ImGui::IsKeyPressed(io.KeyMap[ImGuiKey_KeyPadEnter], false)) {
        Click();
    }
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
        keyboardFocus_ = false;
        Click();
    }
    if (TakeFocusRequest()) {
        TakeKeysFromTextBoxes();
    }
    if (UsesKeys() && IsWindowEnabled()) {
        DrawFocusFrame(area);
        HandleKeys();
    }
    ImGui::EndDisabled();
    ImGui::PopStyleColor();
    ImGui::PopStyleVar();
    ImGui::PopID();
}

#include "platform/ui/controls/edit.h"

#include <algorithm>
#include <string>

#include <imgui.h>
#include <imgui_stdlib.h>

#include "platform/ui/host/ui_draw.h"

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(kToolkitWindowClass, "", style, rect, parent, id);
}

bool CEdit::TakeOverState(CWnd& other) {
    auto* edit = dynamic_cast<CEdit*>(&other);
    if (edit == nullptr) {
        return false;
    }
    limit_ = edit->limit_;
    readOnly_ = edit->readOnly_;
    return true;
}

void CEdit::Draw(DrawOrigin parentClient) {
    if (!IsWindowVisible()) {
        return;
    }
    const ScreenRect area = PlacementOnScreen(parentClient, GetPlacement());
    ImGui::PushID(this);
    ImGui::SetCursorScreenPos(area.min);
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding,
                        ImVec2(3.0f, FramePaddingForHeight(area.Height())));
    ImGui::SetNextItemWidth(std::max(1.0f, area.Width()));
    if (TakeFocusRequest()) {
        ImGui::SetKeyboardFocusHere();
    }
    ImGui::BeginDisabled(!IsWindowEnabled());
    std::string text = GetWindowText();
    ImGuiInputTextFlags flags = ImGuiInputTextFlags_AutoSelectAll;
    if (readOnly_) {
        flags |= ImGuiInputTextFlags_ReadOnly;
    }
    if (ImGui::InputText("##edit", &text, flags)) {
        if (text.size() > GetLimitText()) {
            text.resize(GetLimitText());
        }
        SetWindowText(text);
    }
    if (ImGui::IsItemActivated()) {
        NoteFocus();
    }
    ImGui::EndDisabled();
    ImGui::PopStyleVar();
    ImGui::PopID();
}

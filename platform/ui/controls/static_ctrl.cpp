#include "platform/ui/controls/static_ctrl.h"

#include "platform/ui/resources/menu_template.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/host/ui_draw.h"

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(kToolkitWindowClass, text, style, rect, parent, id);
}

void CStatic::SetIcon(UINT iconId) {
    look_ = Look::Icon;
    iconId_ = iconId;
    standardIcon_ = 0;
}

void CStatic::SetStandardIcon(StandardIcon icon) {
    look_ = Look::Icon;
    iconId_ = 0;
    standardIcon_ = static_cast<int>(icon);
}

bool CStatic::TakeOverState(CWnd& other) {
    auto* label = dynamic_cast<CStatic*>(&other);
    if (label == nullptr) {
        return false;
    }
    look_ = label->look_;
    iconId_ = label->iconId_;
    standardIcon_ = label->standardIcon_;
    return true;
}

void CStatic::DrawIcon(const ScreenRect& area) {
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const float size = std::min(area.Width(), area.Height());
    if (standardIcon_ != 0) {
        DrawStandardIcon(drawList, static_cast<StandardIcon>(standardIcon_), area.min, size);
    } else if (const IconImage* icon = AfxResources().FindIcon(iconId_)) {
        DrawIconImage(drawList, *icon, area.min, size);
    }
}

void CStatic::Draw(DrawOrigin parentClient) {
    if (!IsWindowVisible()) {
        return;
    }
    const ScreenRect area = PlacementOnScreen(parentClient, GetPlacement());
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const std::string text = StripMnemonic(GetWindowText());
    const ImU32 color = IsWindowEnabled() ? ToolkitColors::kText : ToolkitColors::kGrayText;
    switch (look_) {
        case Look::Icon:
            DrawIcon(area);
            break;
        case Look::GroupBox: {
            const float textMiddle = area.min.y + ImGui::GetFontSize() * 0.5f;
            drawList->AddRect(ImVec2(area.min.x, textMiddle), area.max, ToolkitColors::kShadow);
            const ImVec2 textSize = ImGui::CalcTextSize(text.c_str());
            drawList->AddRectFilled(
                ImVec2(area.min.x + 6.0f, area.min.y),
                ImVec2(area.min.x + 10.0f + textSize.x, area.min.y + textSize.y),
                ToolkitColors::kFace);
            drawList->AddText(ImVec2(area.min.x + 8.0f, area.min.y), color, text.c_str());
            break;
        }
        case Look::Text:
            drawList->AddText(ImGui::GetFont(), ImGui::GetFontSize(), area.min, color, text.c_str(),
                              nullptr, area.Width());
            break;
    }
}

#include "platform/ui/host/ui_draw.h"

#include <algorithm>
#include <cstdint>

#include <imgui_internal.h>

#include "platform/ui/core/ui_types.h"

StandardIcon StandardIconForType(UINT messageBoxType) {
    switch (messageBoxType & MB_ICONMASK) {
        case MB_ICONHAND:
            return StandardIcon::Error;
        case MB_ICONEXCLAMATION:
            return StandardIcon::Exclamation;
        case MB_ICONASTERISK:
            return StandardIcon::Information;
        default:
            return StandardIcon::None;
    }
}

ScreenRect PlacementOnScreen(DrawOrigin parentClient, const CRect& placement) {
    return {ScreenPoint(parentClient, static_cast<float>(placement.left),
                        static_cast<float>(placement.top)),
            ScreenPoint(parentClient, static_cast<float>(placement.right),
                        static_cast<float>(placement.bottom))};
}

void TakeKeysFromTextBoxes() {
    if (ImGui::GetIO().WantTextInput) {
        ImGui::ClearActiveID();
    }
}

void DrawFocusFrame(const ScreenRect& area) {
    ImGui::GetWindowDrawList()->AddRect(ImVec2(area.min.x - 1.0f, area.min.y - 1.0f),
                                        ImVec2(area.max.x + 1.0f, area.max.y + 1.0f),
                                        ToolkitColors::kDarkShadow);
}

float FramePaddingForHeight(float height) {
    return std::max(0.0f, (height - ImGui::GetFontSize()) * 0.5f);
}

void DrawIconImage(ImDrawList* drawList, const IconImage& icon, ImVec2 topLeft, float size) {
    if (icon.width <= 0 || icon.height <= 0) {
        return;
    }
    const float scaleX = size / static_cast<float>(icon.width);
    const float scaleY = size / static_cast<float>(icon.height);
    // One rectangle per run of equal pixels in a row keeps the draw list small.
    for (int y = 0; y < icon.height; ++y) {
        int x = 0;
        while (x < icon.width) {
            const std::size_t index = (static_cast<std::size_t>(y) * icon.width + x) * 4;
            const std::uint8_t* pixel = &icon.rgba[index];
            int end = x + 1;
            while (end < icon.width &&
                   std::equal(pixel, pixel + 4,
                              &icon.rgba[(static_cast<std::size_t>(y) * icon.width + end) * 4])) {
                ++end;
            }
            if (pixel[3] != 0) {
                const ImVec2 min(topLeft.x + x * scaleX, topLeft.y + y * scaleY);
                const ImVec2 max(topLeft.x + end * scaleX, topLeft.y + (y + 1) * scaleY);
                drawList->AddRectFilled(min, max, IM_COL32(pixel[0], pixel[1], pixel[2], pixel[3]));
            }
            x = end;
        }
    }
}

void DrawStandardIcon(ImDrawList* drawList, StandardIcon icon, ImVec2 topLeft, float size) {
    const ImVec2 centre(topLeft.x + size * 0.5f, topLeft.y + size * 0.5f);
    const float stroke = std::max(2.0f, size / 10.0f);
    switch (icon) {
        case StandardIcon::Exclamation: {
            drawList->AddTriangleFilled(ImVec2(centre.x, topLeft.y + 1.0f),
                                        ImVec2(topLeft.x + size, topLeft.y + size - 1.0f),
                                        ImVec2(topLeft.x, topLeft.y + size - 1.0f),
                                        IM_COL32(250, 200, 20, 255));
            drawList->AddLine(ImVec2(centre.x, topLeft.y + size * 0.32f),
                              ImVec2(centre.x, topLeft.y + size * 0.68f), ToolkitColors::kText,
                              stroke);
            drawList->AddCircleFilled(ImVec2(centre.x, topLeft.y + size * 0.82f), stroke * 0.6f,
                                      ToolkitColors::kText);
            break;
        }
        case StandardIcon::Information: {
            drawList->AddCircleFilled(centre, size * 0.5f, IM_COL32(30, 100, 210, 255));
            drawList->AddCircleFilled(ImVec2(centre.x, topLeft.y + size * 0.27f), stroke * 0.7f,
                                      ToolkitColors::kHighlight);
            drawList->AddLine(ImVec2(centre.x, topLeft.y + size * 0.42f),
                              ImVec2(centre.x, topLeft.y + size * 0.78f), ToolkitColors::kHighlight,
                              stroke);
            break;
        }
        case StandardIcon::Error: {
            drawList->AddCircleFilled(centre, size * 0.5f, IM_COL32(210, 40, 40, 255));
            const float arm = size * 0.2f;
            drawList->AddLine(ImVec2(centre.x - arm, centre.y - arm),
                              ImVec2(centre.x + arm, centre.y + arm), ToolkitColors::kHighlight,
                              stroke);
            drawList->AddLine(ImVec2(centre.x + arm, centre.y - arm),
                              ImVec2(centre.x - arm, centre.y + arm), ToolkitColors::kHighlight,
                              stroke);
            break;
        }
        case StandardIcon::None:
            break;
    }
}

void ApplyToolkitStyle() {
    ImGui::StyleColorsLight();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowRounding = 0.0f;
    style.ChildRounding = 0.0f;
    style.FrameRounding = 0.0f;
    style.PopupRounding = 0.0f;
    style.ScrollbarRounding = 0.0f;
    style.GrabRounding = 0.0f;
    style.TabRounding = 0.0f;
    style.WindowBorderSize = 1.0f;
    style.FrameBorderSize = 1.0f;
    style.WindowPadding = ImVec2(0.0f, 0.0f);
    style.ItemSpacing = ImVec2(6.0f, 4.0f);
    style.DisabledAlpha = 1.0f;  // a window behind a modal box looks as usual
    ImVec4* colors = style.Colors;
    colors[ImGuiCol_WindowBg] = ImColor(ToolkitColors::kFace);
    colors[ImGuiCol_ChildBg] = ImColor(ToolkitColors::kFace);
    colors[ImGuiCol_PopupBg] = ImColor(ToolkitColors::kFace);
    colors[ImGuiCol_MenuBarBg] = ImColor(ToolkitColors::kFace);
    colors[ImGuiCol_FrameBg] = ImColor(ToolkitColors::kHighlight);
    colors[ImGuiCol_Border] = ImColor(ToolkitColors::kShadow);
    colors[ImGuiCol_Button] = ImColor(IM_COL32(225, 225, 225, 255));
    colors[ImGuiCol_ButtonHovered] = ImColor(IM_COL32(229, 241, 251, 255));
    colors[ImGuiCol_ButtonActive] = ImColor(IM_COL32(204, 228, 247, 255));
    colors[ImGuiCol_TitleBg] = ImColor(IM_COL32(255, 255, 255, 255));
    colors[ImGuiCol_TitleBgActive] = ImColor(IM_COL32(255, 255, 255, 255));
    colors[ImGuiCol_ModalWindowDimBg] = ImVec4(0.0f, 0.0f, 0.0f, 0.15f);
}

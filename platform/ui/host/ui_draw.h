#pragma once

// Drawing helpers shared by the toolkit's windows, on Dear ImGui. Internal
// to the toolkit: only its own .cpp files include this header.

#include <string>

#include <imgui.h>

#include "platform/ui/core/ui_types.h"
#include "platform/ui/resources/resource_table.h"

// The standard icons of message boxes.
enum class StandardIcon { None, Exclamation, Information, Error };

StandardIcon StandardIconForType(UINT messageBoxType);

// Screen position of the client point (x, y) of a window whose client area
// starts at origin.
inline ImVec2 ScreenPoint(DrawOrigin origin, float x, float y) {
    return {origin.x + x, origin.y + y};
}

// The screen rectangle of a child placed at placement in a client area that
// starts at parentClient.
struct ScreenRect {
    ImVec2 min;
    ImVec2 max;
    float Width() const { return max.x - min.x; }
    float Height() const { return max.y - min.y; }
};
ScreenRect PlacementOnScreen(DrawOrigin parentClient, const CRect& placement);

// Vertical frame padding that makes a framed widget (edit box, button)
// exactly height pixels tall in the current font; never negative.
float FramePaddingForHeight(float height);

// A control given the focus by the keyboard takes the keys from the text
// box that was typing (Dear ImGui's active item), so that the box stops
// reading them at once.
void TakeKeysFromTextBoxes();
// The thin frame around a control that has the keyboard focus.
void DrawFocusFrame(const ScreenRect& area);

// Draws icon scaled into the square of side size at topLeft.
void DrawIconImage(ImDrawList* drawList, const IconImage& icon, ImVec2 topLeft, float size);
void DrawStandardIcon(ImDrawList* drawList, StandardIcon icon, ImVec2 topLeft, float size);

// Classic colours of the toolkit.
namespace ToolkitColors {
inline constexpr ImU32 kFace = IM_COL32(240, 240, 240, 255);
inline constexpr ImU32 kShadow = IM_COL32(160, 160, 160, 255);
inline constexpr ImU32 kDarkShadow = IM_COL32(105, 105, 105, 255);
inline constexpr ImU32 kHighlight = IM_COL32(255, 255, 255, 255);
inline constexpr ImU32 kText = IM_COL32(0, 0, 0, 255);
inline constexpr ImU32 kGrayText = IM_COL32(128, 128, 128, 255);
inline constexpr ImU32 kAccent = IM_COL32(0, 120, 215, 255);
}  // namespace ToolkitColors

// Sets the Dear ImGui style to the toolkit's classic desktop look.
void ApplyToolkitStyle();

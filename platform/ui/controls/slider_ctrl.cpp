#include "platform/ui/controls/slider_ctrl.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/ui/controls/trackbar_geometry.h"
#include "platform/ui/host/ui_draw.h"

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(kToolkitWindowClass, "", style, rect, parent, id);
}

void CSliderCtrl::Clamp() {
    position_ = minimum_ > maximum_ ? minimum_ : std::clamp(position_, minimum_, maximum_);
}

void CSliderCtrl::Notify(SliderMove how) {
    if (onMove_) {
        onMove_(how);
    }
}

void CSliderCtrl::MoveThumb(int position, SliderMove how) {
    position_ = position;
    Clamp();
    Notify(how);
}

void CSliderCtrl::SetRange(int minimum, int maximum, BOOL /*redraw*/) {
    minimum_ = minimum;
    maximum_ = maximum;
    MoveThumb(position_, SliderMove::Set);
}

void CSliderCtrl::SetRangeMin(int minimum, BOOL /*redraw*/) {
    minimum_ = minimum;
    MoveThumb(position_, SliderMove::Set);
}

void CSliderCtrl::SetRangeMax(int maximum, BOOL /*redraw*/) {
    maximum_ = maximum;
    MoveThumb(position_, SliderMove::Set);
}

void CSliderCtrl::GetRange(int& minimum, int& maximum) const {
    minimum = minimum_;
    maximum = maximum_;
}

void CSliderCtrl::SetPos(int position) {
    MoveThumb(position, SliderMove::Set);
}

int CSliderCtrl::GetNumTics() const {
    if ((GetStyle() & TBS_AUTOTICKS) == 0 || (GetStyle() & TBS_NOTICKS) != 0) {
        return 0;
    }
    return static_cast<int>(TrackbarTickPositions(minimum_, maximum_, tickFrequency_).size());
}

int CSliderCtrl::SetLineSize(int size) {
    return std::exchange(lineSize_, size);
}
int CSliderCtrl::SetPageSize(int size) {
    return std::exchange(pageSize_, size);
}

bool CSliderCtrl::TakeOverState(CWnd& other) {
    auto* slider = dynamic_cast<CSliderCtrl*>(&other);
    if (slider == nullptr) {
        return false;
    }
    minimum_ = slider->minimum_;
    maximum_ = slider->maximum_;
    position_ = slider->position_;
    tickFrequency_ = slider->tickFrequency_;
    lineSize_ = slider->lineSize_;
    pageSize_ = slider->pageSize_;
    return true;
}

// ---- Drawing and input ----

namespace {

constexpr float kThumbHeight = 18.0f;
constexpr float kTickLength = 4.0f;

}  // namespace

void CSliderCtrl::HandleMouse(float left, float width) {
    const TrackbarGeometry geometry = TrackbarGeometryFor(width);
    const float mouseX = ImGui::GetIO().MousePos.x - left;
    const float thumbX = TrackbarPositionToX(geometry, position_, minimum_, maximum_);
    if (ImGui::IsItemActivated()) {
        NoteFocus();
        dragging_ = std::abs(mouseX - thumbX) <= kTrackbarThumbWidth * 0.5f + 1.0f;
        dragOffset_ = mouseX - thumbX;
        if (!dragging_) {
            MoveThumb(position_ + (mouseX < thumbX ? -pageSize_ : pageSize_), SliderMove::Drag);
        }
    }
    if (ImGui::IsItemActive() && dragging_) {
        const int position =
            TrackbarXToPosition(geometry, mouseX - dragOffset_, minimum_, maximum_);
        if (position != position_) {
            MoveThumb(position, SliderMove::Drag);
        }
    }
    if (ImGui::IsItemDeactivated()) {
        Notify(SliderMove::Released);
    }
    if (!ImGui::IsItemActive()) {
        dragging_ = false;
    }
}

void CSliderCtrl::HandleKeys() {
    if (GetFocus() != this || ImGui::GetIO().WantTextInput) {
        return;
    }
    const ImGuiIO& io = ImGui::GetIO();
    const auto pressed = [&io](ImGuiKey key) { return ImGui::IsKeyPressed(io.KeyMap[key]); };
    const auto move = [this](int position) { MoveThumb(position, SliderMove::Key); };
    if (pressed(ImGuiKey_LeftArrow) || pressed(ImGuiKey_UpArrow)) {
        move(position_ - lineSize_);
    }
    if (pressed(ImGuiKey_RightArrow) || pressed(ImGuiKey_DownArrow)) {
        move(position_ + lineSize_);
    }
    if (pressed(ImGuiKey_PageUp)) {
        move(position_ - pageSize_);
    }
    if (pressed(ImGuiKey_PageDown)) {
        move(position_ + pageSize_);
    }
    if (pressed(ImGuiKey_Home)) {
        move(minimum_);
    }
    if (pressed(ImGuiKey_End)) {
        move(maximum_);
    }
}

void CSliderCtrl::Draw(DrawOrigin parentClient) {
    if (!IsWindowVisible()) {
        return;
    }
    const ScreenRect area = PlacementOnScreen(parentClient, GetPlacement());
    ImGui::PushID(this);
    ImGui::SetCursorScreenPos(area.min);
    ImGui::BeginDisabled(!IsWindowEnabled());
    ImGui::InvisibleButton("##trackbar",
                           ImVec2(std::max(1.0f, area.Width()), std::max(1.0f, area.Height())));
    if (TakeFocusRequest()) {
        TakeKeysFromTextBoxes();
    }
    HandleMouse(area.min.x, area.Width());
    HandleKeys();
    ImGui::EndDisabled();
    if (GetFocus() == this && IsWindowEnabled()) {
        DrawFocusFrame(area);
    }

    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const TrackbarGeometry geometry = TrackbarGeometryFor(area.Width());
    const bool ticksAbove = (GetStyle() & TBS_TOP) != 0;
    const float thumbHeight = std::min(kThumbHeight, area.Height() - 2.0f * kTickLength - 2.0f);
    const float thumbTop = ticksAbove ? area.max.y - thumbHeight - 2.0f : area.min.y + 2.0f;
    const float channelY = thumbTop + thumbHeight * 0.5f;
    drawList->AddRectFilled(ImVec2(area.min.x + geometry.channelLeft - 2.0f, channelY - 2.0f),
                            ImVec2(area.min.x + geometry.channelRight + 2.0f, channelY + 2.0f),
                            IM_COL32(231, 234, 234, 255));
    drawList->AddRect(ImVec2(area.min.x + geometry.channelLeft - 2.0f, channelY - 2.0f),
                      ImVec2(area.min.x + geometry.channelRight + 2.0f, channelY + 2.0f),
                      ToolkitColors::kShadow);
    if (GetNumTics() > 0) {
        const float tickTop =
            ticksAbove ? thumbTop - kTickLength - 2.0f : thumbTop + thumbHeight + 2.0f;
        for (int tick : TrackbarTickPositions(minimum_, maximum_, tickFrequency_)) {
            const float x = area.min.x + TrackbarPositionToX(geometry, tick, minimum_, maximum_);
            drawList->AddLine(ImVec2(x, tickTop), ImVec2(x, tickTop + kTickLength),
                              ToolkitColors::kText);
        }
    }
    const float thumbX = area.min.x + TrackbarPositionToX(geometry, position_, minimum_, maximum_);
    const float half = kTrackbarThumbWidth * 0.5f;
    const ImU32 thumbColor = ImGui::IsItemActive()    ? ToolkitColors::kAccent
                             : ImGui::IsItemHovered() ? IM_COL32(23, 23, 23, 255)
                                                      : IM_COL32(0, 122, 217, 255);
    // The thumb points at the ticks: up with TBS_TOP, down otherwise.
    const float point = ticksAbove ? thumbTop : thumbTop + thumbHeight;
    const float shoulder = ticksAbove ? thumbTop + half : thumbTop + thumbHeight - half;
    const float base = ticksAbove ? thumbTop + thumbHeight : thumbTop;
    ImVec2 outline[5] = {ImVec2(thumbX, point), ImVec2(thumbX + half, shoulder),
                         ImVec2(thumbX + half, base), ImVec2(thumbX - half, base),
                         ImVec2(thumbX - half, shoulder)};
    if (!ticksAbove) {
        std::reverse(outline, outline + 5);  // clockwise on screen either way
    }
    drawList->AddConvexPolyFilled(outline, 5, thumbColor);
    ImGui::PopID();
}

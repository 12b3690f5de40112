#include "platform/ui/docview/pane_view.h"

#include <cstdint>

#include "platform/ui/core/ui_metrics.h"
#include "platform/ui/host/covered_areas.h"
#include "platform/ui/host/ui_draw.h"
#include "platform/ui/docview/pane_overlay_draw.h"

CRect CPaneView::NonClientInsets() const {
    return {0, CurrentUiMetrics().paneCaptionHeight, 0, 0};
}

void CPaneView::ShowCaptionNotice(std::string notice, double seconds) {
    notice_ = std::move(notice);
    noticeEnd_ = std::chrono::steady_clock::now() +
                 std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                     std::chrono::duration<double>(seconds));
}

std::string CPaneView::CaptionText() const {
    if (notice_.empty() || std::chrono::steady_clock::now() >= noticeEnd_) {
        return GetWindowText();
    }
    return GetWindowText() + "    " + notice_;
}

void CPaneView::Draw(DrawOrigin parentClient) {
    if (!IsWindowVisible()) {
        return;
    }
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const ScreenRect outer = PlacementOnScreen(parentClient, GetPlacement());
    const float captionBottom =
        outer.min.y + static_cast<float>(CurrentUiMetrics().paneCaptionHeight);
    drawList->AddRectFilled(outer.min, ImVec2(outer.max.x, captionBottom), ToolkitColors::kFace);
    drawList->AddText(
        ImVec2(outer.min.x + 4.0f,
               outer.min.y + (captionBottom - outer.min.y - ImGui::GetFontSize()) * 0.5f),
        ToolkitColors::kText, CaptionText().c_str());

    const DrawOrigin client = ClientOrigin(parentClient);
    CRect area;
    GetClientRect(&area);
    const ImVec2 min(client.x, client.y);
    const ImVec2 max(client.x + static_cast<float>(area.Width()),
                     client.y + static_cast<float>(area.Height()));
    const PresentedImage image = imageSource_ ? imageSource_() : PresentedImage{};
    if (image.texture == 0 || image.width == 0 || image.height == 0) {
        drawList->AddRectFilled(min, max, IM_COL32(0, 0, 0, 255));
    } else {
        // Texture rows bottom first (an OpenGL framebuffer): swap v.
        const ImVec2 uvTop(0.0f, image.bottomRowFirst ? 1.0f : 0.0f);
        const ImVec2 uvBottom(1.0f, image.bottomRowFirst ? 0.0f : 1.0f);
        const auto texture =
            reinterpret_cast<ImTextureID>(static_cast<std::intptr_t>(image.texture));
        // The image is opaque and made at the area's size: shown pixel for
        // pixel (the device samples it nearest), without blending.
        AddOpaqueImage(drawList, texture, min, max, uvTop, uvBottom);
    }
    DrawPaneOverlays(drawList, overlays_, min, max);
    CoveredAreas::Add({min, max});
    CDC dc(client);
    OnDraw(&dc);
    DrawChildren(client);
}

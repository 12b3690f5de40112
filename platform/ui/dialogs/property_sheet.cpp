#include "platform/ui/dialogs/property_sheet.h"

#include <algorithm>

#include "platform/ui/core/message_queue.h"
#include "platform/ui/dialogs/tab_strip_layout.h"
#include "platform/ui/controls/template_controls.h"
#include "platform/ui/host/ui_draw.h"
#include "platform/ui/core/ui_metrics.h"

namespace {

constexpr int kTabTextPadding = 6;  // each side of a tab's text

}  // namespace

CPropertySheet::CPropertySheet(const char* caption, CWnd* /*parent*/, UINT selectPage)
    : caption_(caption != nullptr ? caption : ""), active_(static_cast<int>(selectPage)) {}

CPropertySheet::~CPropertySheet() {
    for (CPropertyPage* page : pages_) {
        page->sheet_ = nullptr;
    }
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (page == nullptr || GetPageIndex(page) >= 0) {
        return;
    }
    page->sheet_ = this;
    pages_.push_back(page);
    if (GetSafeHwnd() != nullptr) {
        Layout();
    }
}

void CPropertySheet::RemovePage(CPropertyPage* page) {
    const int index = GetPageIndex(page);
    if (index < 0) {
        return;
    }
    page->DestroyWindow();
    ForgetPage(page);
    if (GetSafeHwnd() != nullptr && !pages_.empty()) {
        ShowPage(active_);
    }
}

void CPropertySheet::ForgetPage(CPropertyPage* page) {
    const int index = GetPageIndex(page);
    if (index < 0) {
        return;
    }
    pages_.erase(pages_.begin() + index);
    page->sheet_ = nullptr;
    if (active_ > index || active_ >= static_cast<int>(pages_.size())) {
        active_ = std::max(0, active_ - 1);
    }
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    if (index < 0 || index >= static_cast<int>(pages_.size())) {
        return nullptr;
    }
    return pages_[static_cast<std::size_t>(index)];
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
    const auto found = std::find(pages_.begin(), pages_.end(), page);
    return found == pages_.end() ? -1 : static_cast<int>(found - pages_.begin());
}

// Each tab as wide as its title and its padding.
std::vector<int> CPropertySheet::TabWidths() const {
    std::vector<int> widths;
    for (const CPropertyPage* page : pages_) {
        widths.push_back(static_cast<int>(MeasureTextWidth(page->GetTitle())) +
                         2 * kTabTextPadding);
    }
    return widths;
}

std::vector<CRect> CPropertySheet::GetTabRects() const {
    const std::vector<int> widths = TabWidths();
    CRect client;
    GetClientRect(&client);
    return LayoutTabStrip(widths, client.Width(), CurrentUiMetrics().tabHeight, active_);
}

int CPropertySheet::TabStripHeight() const {
    const std::vector<int> widths = TabWidths();
    CRect client;
    GetClientRect(&client);
    return TabStripRowCount(widths, client.Width()) * CurrentUiMetrics().tabHeight;
}

// Sizes the sheet to its largest page and places the page area under the tabs.
void CPropertySheet::Layout() {
    const int margin = CurrentUiMetrics().sheetMargin;
    CSize largest;
    for (const CPropertyPage* page : pages_) {
        if (const DialogTemplate* dialog = page->GetTemplate()) {
            const CSize size = TemplateSizeInPixels(*dialog);
            largest = CSize(std::max(largest.cx, size.cx), std::max(largest.cy, size.cy));
        }
    }
    const CRect placement = GetPlacement();
    const int width = largest.cx + 2 * margin;
    MoveWindow(placement.left, placement.top, width, placement.Height());
    const int strip = TabStripHeight();
    MoveWindow(placement.left, placement.top, width, strip + largest.cy + 2 * margin);
    pageRect_ = CRect(margin, strip + margin, margin + largest.cx, strip + margin + largest.cy);
    for (CPropertyPage* page : pages_) {
        if (page->GetSafeHwnd() != nullptr) {
            page->MoveWindow(pageRect_);
        }
    }
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD /*exStyle*/) {
    if (parent == nullptr || pages_.empty() ||
        !CWnd::Create(kToolkitWindowClass, caption_.c_str(), style, CRect(0, 0, 0, 0), parent, 0)) {
        return FALSE;
    }
    Layout();
    active_ = std::clamp(active_, 0, GetPageCount() - 1);
    if (!ShowPage(active_)) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

bool CPropertySheet::ShowPage(int index) {
    CPropertyPage* page = GetPage(index);
    if (page == nullptr) {
        return false;
    }
    if (page->GetSafeHwnd() == nullptr && !page->CreatePageWindow(*this, pageRect_)) {
        return false;
    }
    active_ = index;
    page->ShowWindow(SW_SHOW);
    page->OnSetActive();
    return true;
}

BOOL CPropertySheet::SetActivePage(int index) {
    if (GetPage(index) == nullptr) {
        return FALSE;
    }
    if (GetSafeHwnd() == nullptr) {
        active_ = index;  // shown when the sheet is made
        return TRUE;
    }
    CPropertyPage* current = GetActivePage();
    if (index == active_ && current->GetSafeHwnd() != nullptr) {
        return TRUE;
    }
    if (current != nullptr && current->GetSafeHwnd() != nullptr) {
        if (!current->OnKillActive()) {
            return FALSE;
        }
        current->ShowWindow(SW_HIDE);
    }
    if (!ShowPage(index)) {
        if (current != nullptr && current->GetSafeHwnd() != nullptr) {
            current->ShowWindow(SW_SHOW);  // stay where we were
        }
        return FALSE;
    }
    return TRUE;
}

// ---- Drawing ----

void CPropertySheet::DrawTab(DrawOrigin client, const CRect& rect, int index) {
    const bool selected = index == active_;
    CRect tab = rect;
    if (!selected) {
        tab.top += 2;  // the selected tab stands out above its row
    }
    const ImVec2 min =
        ScreenPoint(client, static_cast<float>(tab.left), static_cast<float>(tab.top));
    const ImVec2 max = ScreenPoint(client, static_cast<float>(tab.right),
                                   static_cast<float>(tab.bottom + (selected ? 1 : 0)));
    ImGui::SetCursorScreenPos(min);
    ImGui::PushID(index);
    if (ImGui::InvisibleButton(
            "##tab", ImVec2(std::max(1.0f, max.x - min.x), std::max(1.0f, max.y - min.y))) &&
        !selected) {
        PostToTarget(this, [this, index] { SetActivePage(index); });
    }
    const bool hovered = ImGui::IsItemHovered();
    ImGui::PopID();
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const ImU32 fill = selected  ? ToolkitColors::kHighlight
                       : hovered ? IM_COL32(216, 234, 249, 255)
                                 : ToolkitColors::kFace;
    drawList->AddRectFilled(min, max, fill);
    // Left, top and right edges; the selected tab opens into its page.
    const ImVec2 topLeft = min;
    const ImVec2 topRight(max.x, min.y);
    drawList->AddLine(ImVec2(min.x, max.y), topLeft, ToolkitColors::kShadow);
    drawList->AddLine(topLeft, topRight, ToolkitColors::kShadow);
    drawList->AddLine(topRight, ImVec2(max.x, max.y), ToolkitColors::kShadow);
    const std::string title = pages_[static_cast<std::size_t>(index)]->GetTitle();
    const ImVec2 textSize = ImGui::CalcTextSize(title.c_str());
    drawList->AddText(ImVec2(min.x + (max.x - min.x - textSize.x) * 0.5f,
                             min.y + (max.y - min.y - textSize.y) * 0.5f),
                      ToolkitColors::kText, title.c_str());
}

void CPropertySheet::DrawTabs(DrawOrigin client) {
    const std::vector<CRect> tabs = GetTabRects();
    for (int index = 0; index < static_cast<int>(tabs.size()); ++index) {
        if (index != active_) {
            DrawTab(client, tabs[static_cast<std::size_t>(index)], index);
        }
    }
    if (active_ >= 0 && active_ < static_cast<int>(tabs.size())) {
        DrawTab(client, tabs[static_cast<std::size_t>(active_)], active_);  // over its neighbours
    }
}

void CPropertySheet::Draw(DrawOrigin parentClient) {
    if (!IsWindowVisible()) {
        return;
    }
    const DrawOrigin client = ClientOrigin(parentClient);
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    // The tab control's frame keeps its size when the sheet is made taller.
    const float top = static_cast<float>(TabStripHeight());
    const float right = static_cast<float>(pageRect_.right + CurrentUiMetrics().sheetMargin);
    const float bottom = static_cast<float>(pageRect_.bottom + CurrentUiMetrics().sheetMargin);
    drawList->AddRectFilled(ScreenPoint(client, 0.0f, top), ScreenPoint(client, right, bottom),
                            ToolkitColors::kHighlight);
    drawList->AddRect(ScreenPoint(client, 0.0f, top), ScreenPoint(client, right, bottom),
                      ToolkitColors::kShadow);
    DrawTabs(client);
    ImGui::PushID(this);
    DrawChildren(client);
    ImGui::PopID();
}

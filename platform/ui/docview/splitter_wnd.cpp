#include "platform/ui/docview/splitter_wnd.h"

#include <memory>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/docview/frame_wnd.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/core/runtime_class.h"
#include "platform/ui/host/ui_draw.h"
#include "platform/ui/core/ui_metrics.h"
#include "platform/ui/docview/view.h"

namespace {

// Start of track index along an axis laid out as sizes with bars between.
int TrackStart(const std::vector<int>& sizes, int index, int bar) {
    int start = 0;
    for (int i = 0; i < index; ++i) {
        start += sizes[static_cast<std::size_t>(i)] + bar;
    }
    return start;
}

}  // namespace

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int columns, DWORD style, UINT id) {
    if (parent == nullptr || rows < 1 || columns < 1 || rows > kMaxTracks || columns > kMaxTracks) {
        return FALSE;
    }
    rows_.assign(static_cast<std::size_t>(rows), SplitterTrack{});
    columns_.assign(static_cast<std::size_t>(columns), SplitterTrack{});
    panes_.assign(static_cast<std::size_t>(rows * columns), nullptr);
    CRect client;
    parent->GetClientRect(&client);
    return CWnd::Create(kToolkitWindowClass, "", style, client, parent, id);
}

int CSplitterWnd::IdFromRowCol(int row, int column) const {
    return static_cast<int>(AFX_IDW_PANE_FIRST) + row * kMaxTracks + column;
}

CWnd* CSplitterWnd::GetPane(int row, int column) const {
    if (row < 0 || column < 0 || row >= GetRowCount() || column >= GetColumnCount()) {
        return nullptr;
    }
    // A handle, not a pointer: a pane destroyed on its own is gone from here too.
    return CWnd::FromHandle(panes_[static_cast<std::size_t>(row * GetColumnCount() + column)]);
}

BOOL CSplitterWnd::CreateView(int row, int column, const CRuntimeClass* viewClass,
                              CSize initialSize, CCreateContext* context) {
    if (GetSafeHwnd() == nullptr || row < 0 || column < 0 || row >= GetRowCount() ||
        column >= GetColumnCount() || GetPane(row, column) != nullptr) {
        return FALSE;
    }
    std::unique_ptr<CWnd> made = CreateFromRuntimeClass<CWnd>(viewClass);
    if (made == nullptr) {
        return FALSE;
    }
    columns_[static_cast<std::size_t>(column)].ideal = initialSize.cx;
    rows_[static_cast<std::size_t>(row)].ideal = initialSize.cy;
    CWnd* pane = AdoptChild(std::move(made));
    RecalcLayout();
    if (!pane->Create(nullptr, "", WS_CHILD | WS_VISIBLE, GetPaneRect(row, column), this,
                      static_cast<UINT>(IdFromRowCol(row, column)), context)) {
        return FALSE;  // the object stays owned and is deleted with the splitter
    }
    panes_[static_cast<std::size_t>(row * GetColumnCount() + column)] = pane->GetSafeHwnd();
    return TRUE;
}

CRect CSplitterWnd::GetPaneRect(int row, int column) const {
    if (row < 0 || column < 0 || row >= static_cast<int>(rowSizes_.size()) ||
        column >= static_cast<int>(columnSizes_.size())) {
        return {};
    }
    const int bar = CurrentUiMetrics().splitterBar;
    const int x = TrackStart(columnSizes_, column, bar);
    const int y = TrackStart(rowSizes_, row, bar);
    return {x, y, x + columnSizes_[static_cast<std::size_t>(column)],
            y + rowSizes_[static_cast<std::size_t>(row)]};
}

void CSplitterWnd::SetColumnInfo(int column, int ideal, int minimum) {
    if (column >= 0 && column < GetColumnCount()) {
        columns_[static_cast<std::size_t>(column)] = {ideal, minimum};
    }
}

void CSplitterWnd::GetColumnInfo(int column, int& current, int& minimum) const {
    current = column >= 0 && column < static_cast<int>(columnSizes_.size())
                  ? columnSizes_[static_cast<std::size_t>(column)]
                  : 0;
    minimum = column >= 0 && column < GetColumnCount()
                  ? columns_[static_cast<std::size_t>(column)].minimum
                  : 0;
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum) {
    if (row >= 0 && row < GetRowCount()) {
        rows_[static_cast<std::size_t>(row)] = {ideal, minimum};
    }
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const {
    current = row >= 0 && row < static_cast<int>(rowSizes_.size())
                  ? rowSizes_[static_cast<std::size_t>(row)]
                  : 0;
    minimum = row >= 0 && row < GetRowCount() ? rows_[static_cast<std::size_t>(row)].minimum : 0;
}

void CSplitterWnd::RecalcLayout() {
    CRect client;
    GetClientRect(&client);
    const int bar = CurrentUiMetrics().splitterBar;
    columnSizes_ = LayoutSplitterTracks(columns_, client.Width(), bar);
    rowSizes_ = LayoutSplitterTracks(rows_, client.Height(), bar);
    PlacePanes();
}

void CSplitterWnd::PlacePanes() {
    for (int row = 0; row < GetRowCount(); ++row) {
        for (int column = 0; column < GetColumnCount(); ++column) {
            if (CWnd* pane = GetPane(row, column)) {
                pane->MoveWindow(GetPaneRect(row, column));
            }
        }
    }
}

void CSplitterWnd::TrackColumnBar(int column, int position) {
    if (column < 0 || column + 1 >= GetColumnCount()) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    columns_[static_cast<std::size_t>(column)].ideal = DraggedTrackSize(
        columns_, columnSizes_, column, position, client.Width(), CurrentUiMetrics().splitterBar);
    RecalcLayout();
}

void CSplitterWnd::TrackRowBar(int row, int position) {
    if (row < 0 || row + 1 >= GetRowCount()) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    rows_[static_cast<std::size_t>(row)].ideal = DraggedTrackSize(
        rows_, rowSizes_, row, position, client.Height(), CurrentUiMetrics().splitterBar);
    RecalcLayout();
}

void CSplitterWnd::ActivatePane(bool previous) {
    auto* frame = dynamic_cast<CFrameWnd*>(GetTopLevelParent());
    if (frame == nullptr || panes_.empty()) {
        return;
    }
    const int count = static_cast<int>(panes_.size());
    int current = -1;
    for (int i = 0; i < count; ++i) {
        if (CWnd::FromHandle(panes_[static_cast<std::size_t>(i)]) == frame->GetActiveView()) {
            current = i;
        }
    }
    for (int step = 1; step <= count; ++step) {
        const int next = ((current + (previous ? -step : step)) % count + count) % count;
        if (auto* view =
                dynamic_cast<CView*>(CWnd::FromHandle(panes_[static_cast<std::size_t>(next)]))) {
            frame->SetActiveView(view);
            return;
        }
    }
}

void CSplitterWnd::OnSize(UINT /*type*/, int /*cx*/, int /*cy*/) {
    RecalcLayout();
}

// ---- Drawing ----

void CSplitterWnd::DrawBar(DrawOrigin client, bool betweenColumns, int index) {
    const int bar = CurrentUiMetrics().splitterBar;
    CRect area;
    GetClientRect(&area);
    const std::vector<int>& sizes = betweenColumns ? columnSizes_ : rowSizes_;
    const int offset = TrackStart(sizes, index + 1, bar) - bar;
    const CRect rect = betweenColumns ? CRect(offset, 0, offset + bar, area.Height())
                                      : CRect(0, offset, area.Width(), offset + bar);
    const ScreenRect screen = PlacementOnScreen(client, rect);
    ImGui::SetCursorScreenPos(screen.min);
    ImGui::PushID(betweenColumns ? index : kMaxTracks + index);
    ImGui::InvisibleButton("##bar",
                           ImVec2(std::max(1.0f, screen.Width()), std::max(1.0f, screen.Height())));
    if (ImGui::IsItemHovered() || ImGui::IsItemActive()) {
        ImGui::SetMouseCursor(betweenColumns ? ImGuiMouseCursor_ResizeEW
                                             : ImGuiMouseCursor_ResizeNS);
    }
    const ImVec2 delta = ImGui::GetIO().MouseDelta;
    if (ImGui::IsItemActive() && (betweenColumns ? delta.x : delta.y) != 0.0f) {
        // The bar's middle follows the pointer; the layout changes between frames.
        const ImVec2 mouse = ImGui::GetIO().MousePos;
        const int position =
            static_cast<int>(betweenColumns ? mouse.x - client.x : mouse.y - client.y) - bar / 2;
        PostToTarget(this, [this, betweenColumns, index, position] {
            if (betweenColumns) {
                TrackColumnBar(index, position);
            } else {
                TrackRowBar(index, position);
            }
        });
    }
    ImGui::PopID();
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    drawList->AddRectFilled(screen.min, screen.max, ToolkitColors::kFace);
    drawList->AddRect(screen.min, screen.max, ToolkitColors::kShadow);
}

void CSplitterWnd::Draw(DrawOrigin parentClient) {
    if (!IsWindowVisible()) {
        return;
    }
    const DrawOrigin client = ClientOrigin(parentClient);
    ImGui::PushID(this);
    DrawChildren(client);
    for (int column = 0; column + 1 < GetColumnCount(); ++column) {
        DrawBar(client, true, column);
    }
    for (int row = 0; row + 1 < GetRowCount(); ++row) {
        DrawBar(client, false, row);
    }
    ImGui::PopID();
}

#pragma once

// CSplitterWnd: a static splitter that fills its parent's client area with
// a grid of panes (rows × columns, up to 16 each) separated by bars the user
// drags. Column widths and row heights follow splitter_layout.h: each but
// the last keeps its ideal size (the initial size given to CreateView, then
// wherever the user drags its bar), the last takes the rest. Every layout
// that changes a pane's size sends the pane OnSize.

#include <vector>

#include "platform/ui/docview/splitter_layout.h"
#include "platform/ui/windows/wnd.h"

struct CCreateContext;
struct CRuntimeClass;

class CSplitterWnd : public CWnd {
public:
    static constexpr int kMaxTracks = 16;

    // Makes the splitter in parent with rows × columns panes still to be
    // created; id is the splitter's own control id. FALSE on bad counts.
    BOOL CreateStatic(CWnd* parent, int rows, int columns, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = 0xE900);
    // Makes the pane at (row, column) as an object of viewClass (a CWnd,
    // owned by the splitter) with id IdFromRowCol; initialSize.cx becomes
    // the column's ideal width and initialSize.cy the row's ideal height.
    // FALSE when the cell is taken or out of range, or the window cannot be
    // made.
    BOOL CreateView(int row, int column, const CRuntimeClass* viewClass, CSize initialSize,
                    CCreateContext* context);

    int GetRowCount() const { return static_cast<int>(rows_.size()); }
    int GetColumnCount() const { return static_cast<int>(columns_.size()); }
    int IdFromRowCol(int row, int column) const;
    CWnd* GetPane(int row, int column) const;
    // The client rectangle of cell (row, column) in the splitter's client area.
    CRect GetPaneRect(int row, int column) const;

    void SetColumnInfo(int column, int ideal, int minimum);
    void GetColumnInfo(int column, int& current, int& minimum) const;
    void SetRowInfo(int row, int ideal, int minimum);
    void GetRowInfo(int row, int& current, int& minimum) const;
    // Places the panes for the current size (after changing track infos).
    void RecalcLayout();

    // Moves the bar after column (or row) index as a drag to position
    // (client pixels) would; the layout follows.
    void TrackColumnBar(int column, int position);
    void TrackRowBar(int row, int position);

    // Activates the next (or previous) pane as its frame's view (F6 and Shift+F6).
    void ActivatePane(bool previous);

    void OnSize(UINT type, int cx, int cy) override;
    void Draw(DrawOrigin parentClient) override;

private:
    // The bar after column (or row) index: drawn, and dragged by the user.
    void DrawBar(DrawOrigin client, bool betweenColumns, int index);
    void PlacePanes();

    std::vector<SplitterTrack> rows_;
    std::vector<SplitterTrack> columns_;
    std::vector<int> rowSizes_;
    std::vector<int> columnSizes_;
    std::vector<HWND> panes_;  // row-major handles; the objects are owned through AdoptChild
};

#pragma once

// CPropertySheet: a tabbed window holding property pages, one tab per page
// in the order added. Made as a modeless child (Create); sized to the
// largest page plus the tab rows and a margin. Only the active page's window
// is shown; a page's window is made the first time its tab is shown.
//
// Changing tabs asks the active page first (OnKillActive: a refused number
// keeps it), then hides it, makes the new page's window if needed, shows it
// and calls its OnSetActive. The sheet draws no standard buttons (OK,
// Cancel, Apply Now, Help): a child sheet's pages carry their own.

#include <string>
#include <vector>

#include "platform/ui/dialogs/property_page.h"
#include "platform/ui/windows/wnd.h"

// The header of the sheet: flags (PSH_*) and the icon resource of the sheet.
// Kept for the classic set-up; a child sheet shows neither a help button nor
// an icon, whatever they say.
struct PropertySheetHeader {
    DWORD flags = PSH_HASHELP;
    UINT iconId = 0;
};

class CPropertySheet : public CWnd {
public:
    // caption: the sheet's text; selectPage: the tab shown first.
    explicit CPropertySheet(const char* caption = "", CWnd* parent = nullptr, UINT selectPage = 0);
    // Pages still added forget the sheet (pages outlive nothing of it).
    ~CPropertySheet() override;

    // Adds a tab for page (not owned; must outlive the sheet's window or
    // leave it by being destroyed first).
    void AddPage(CPropertyPage* page);
    // Removes the tab of page; destroys the page's window if it was made.
    void RemovePage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(pages_.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    int GetActiveIndex() const { return active_; }
    CPropertyPage* GetActivePage() const { return GetPage(active_); }
    // Makes page index the active one (see above); FALSE when the index is
    // out of range, the page refused to be left or its window cannot be made.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }

    // Makes the sheet a child of parent at (0, 0) with its fitting size and
    // shows the selected page. False without pages' templates or a parent.
    virtual BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = 0);
    const std::string& GetCaption() const { return caption_; }

    // The page area in the sheet's client coordinates.
    CRect GetPageRect() const { return pageRect_; }
    // Each tab's rectangle in the sheet's client coordinates, in tab order.
    std::vector<CRect> GetTabRects() const;

    void Draw(DrawOrigin parentClient) override;

    PropertySheetHeader header;

private:
    friend class CPropertyPage;
    void ForgetPage(CPropertyPage* page);
    void Layout();
    int TabStripHeight() const;
    std::vector<int> TabWidths() const;
    bool ShowPage(int index);
    void DrawTabs(DrawOrigin client);
    void DrawTab(DrawOrigin client, const CRect& rect, int index);

    std::string caption_;
    std::vector<CPropertyPage*> pages_;  // tab order; not owned
    int active_ = 0;
    CRect pageRect_;
};

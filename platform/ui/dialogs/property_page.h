#pragma once

// CPropertyPage: one tab of a property sheet, built from its dialog
// template; the tab shows the template's caption. The page's window is made
// the first time its tab is shown (OnInitDialog runs then, once) and lives
// until the sheet is destroyed; until then the page's fields keep whatever
// is stored in them.

#include <string>

#include "platform/ui/dialogs/dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId);
    // Leaves its sheet (the sheet forgets the page).
    ~CPropertyPage() override;

    // The tab's text: the template's caption ("" without a template).
    std::string GetTitle() const;
    // The page became the active one; the result is not used. The base returns TRUE.
    virtual BOOL OnSetActive();
    // The page is about to be left: FALSE keeps it active. The base reads
    // the controls (UpdateData(TRUE)), so a refused number keeps the page.
    virtual BOOL OnKillActive();

    CPropertySheet* GetSheet() const { return sheet_; }

private:
    friend class CPropertySheet;
    // Makes the window as a hidden child of sheet at placement (pixels),
    // then runs OnInitDialog. False when the template is missing.
    bool CreatePageWindow(CPropertySheet& sheet, const CRect& placement);

    CPropertySheet* sheet_ = nullptr;  // the sheet the page was added to; not owned
};

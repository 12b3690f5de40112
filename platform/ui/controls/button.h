#pragma once

// CButton: a push button. A click sends the button's id as a command to its
// parent (CWnd::OnCommand), between frames. A default push button
// (BS_DEFPUSHBUTTON) has a heavier border; Enter presses it in a modal dialog.

#include "platform/ui/windows/wnd.h"

class CButton : public CWnd {
public:
    // Creates the button in parent's client area at rect (pixels); text may
    // mark a mnemonic with '&'.
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Sends the click as the user's would (posted, runs between frames).
    void Click();

    void Draw(DrawOrigin parentClient) override;

protected:
    bool TakeOverState(CWnd& other) override;
};

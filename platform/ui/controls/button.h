#pragma once

// CButton: a push button. A click sends the button's id as a command to its
// parent (CWnd::OnCommand), between frames. A default push button
// (BS_DEFPUSHBUTTON) has a heavier border; Enter presses it in a modal dialog.
// A button that Tab gave the focus (TakeKeyboardFocus) keeps the keys, shows
// a focus frame, and Space or Enter presses it; a click gives the focus
// without the keys, which go on to the scene.

#include "platform/ui/windows/wnd.h"

class CButton : public CWnd {
public:
    // Creates the button in parent's client area at rect (pixels); text may
    // mark a mnemonic with '&'.
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Sends the click as the user's would (posted, runs between frames).
    void Click();

    // Gives the button the focus with the keys, as Tab does.
    void TakeKeyboardFocus();

    void Draw(DrawOrigin parentClient) override;
    bool UsesKeys() const override { return keyboardFocus_ && GetFocus() == this; }

protected:
    bool TakeOverState(CWnd& other) override;

private:
    void HandleKeys();

    bool keyboardFocus_ = false;  // the focus came from the keyboard, not a click
};

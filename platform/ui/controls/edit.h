#pragma once

// CEdit: a bordered single-line edit box. Its text is the window text; the
// user's typing changes it directly. Horizontal scrolling as the text grows
// is always on.

#include "platform/ui/windows/wnd.h"

class CEdit : public CWnd {
public:
    // Creates the edit box in parent's client area at rect (pixels).
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Longest text the user can type, in bytes; 0 is the default limit.
    void LimitText(UINT maximum) { limit_ = maximum; }
    UINT GetLimitText() const { return limit_ == 0 ? kDefaultLimit : limit_; }
    void SetReadOnly(BOOL readOnly = TRUE) { readOnly_ = readOnly != FALSE; }
    bool IsReadOnly() const { return readOnly_; }

    void Draw(DrawOrigin parentClient) override;
    bool UsesKeys() const override { return true; }

    static constexpr UINT kDefaultLimit = 30000;

protected:
    bool TakeOverState(CWnd& other) override;

private:
    UINT limit_ = 0;
    bool readOnly_ = false;
};

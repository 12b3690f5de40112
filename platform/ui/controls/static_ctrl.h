#pragma once

// CStatic: a label, an icon or a group box's frame. Text wraps at the
// control's width; an icon is drawn from the resource table (or is one of
// the standard message-box icons) scaled to the control's height.

#include "platform/ui/windows/wnd.h"

enum class StandardIcon;
struct ScreenRect;

class CStatic : public CWnd {
public:
    enum class Look { Text, Icon, GroupBox };

    // Creates the control in parent's client area at rect (pixels).
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent,
                UINT id = static_cast<UINT>(-1));

    void SetLook(Look look) { look_ = look; }
    Look GetLook() const { return look_; }
    // Shows the icon resource iconId.
    void SetIcon(UINT iconId);
    UINT GetIconId() const { return iconId_; }
    void SetStandardIcon(StandardIcon icon);

    void Draw(DrawOrigin parentClient) override;

protected:
    bool TakeOverState(CWnd& other) override;

private:
    void DrawIcon(const ScreenRect& area);

    Look look_ = Look::Text;
    UINT iconId_ = 0;
    int standardIcon_ = 0;  // StandardIcon value; 0 is none
};

#pragma once

// What the display (ui_host.h) needs of the windows it shows, so that it
// depends on no window class: the layers above implement these interfaces
// (the main frame as a DisplayClient, each modal box as a DisplayModal) and
// hand them to the display. The display decides when input goes to them and
// when they are drawn; they decide what it means for their windows.

#include <cstdint>
#include <string>

#include "platform/ui/core/ui_types.h"
#include "platform/ui/resources/accelerator_table.h"

// A left-button press or release that the display gives to a window itself
// rather than to the interface's widgets.
struct LeftButtonEvent {
    CPoint screen;     // pixels in the main window
    bool down = false;  // press, else release
    UINT flags = 0;    // MK_* keys and buttons held
};

// The main window the display was opened for.
class DisplayClient {
public:
    virtual ~DisplayClient() = default;

    // ---- Placement and look ----
    // The main window now has this size in pixels: lay it out again.
    virtual void Resize(int width, int height) = 0;
    // Its size as laid out (the window's size when there is no SDL window).
    virtual CSize LaidOutSize() const = 0;
    virtual bool IsShown() const = 0;
    virtual bool HasMenuBar() const = 0;
    virtual std::string Title() const = 0;
    // The icon resource of the window, 0 for none.
    virtual UINT IconId() const = 0;
    // Draws the window's tree, inside the display's main interface window.
    virtual void Draw() = 0;

    // ---- Input ----
    // The user asks to close the main window (posted: runs between frames).
    virtual void PostClose() = 0;
    // Alt is held or released.
    virtual void SetMenuAltHeld(bool held) = 0;
    // A key for the menu bar; true when the menu took it.
    virtual bool HandleMenuKey(std::uint16_t virtualKey, KeyModifiers held) = 0;
    // A key with an accelerator whose command has a handler; true when used
    // so. Entries only the scene may take count only when sceneHasKeyboard.
    virtual bool TranslateAccelerator(std::uint16_t virtualKey, KeyModifiers held,
                                      bool sceneHasKeyboard) = 0;
    // The window's accelerator table.
    virtual const CAcceleratorTable& Accelerators() const = 0;
    // The menu bar is selected or a menu is down.
    virtual bool MenuHasKeyboard() const = 0;
    // A window that uses the keys (text box, trackbar) has the focus and is
    // visible and enabled: the keys stay in the interface.
    virtual bool FocusKeepsKeys() const = 0;
    // Tab (VK_TAB) or Enter (VK_RETURN) while the focus keeps the keys:
    // whether the focused control takes it (Tab moves among its dialog's
    // controls, Enter presses the dialog's default button). ActOnFocusKey
    // then does it; the display runs it in order with the typing before the
    // key, on the focus it finds then.
    virtual bool FocusTakesKey(std::uint16_t virtualKey) const = 0;
    virtual void ActOnFocusKey(std::uint16_t virtualKey, bool backward) = 0;
    // A left-button event for the window holding the mouse capture.
    virtual void DeliverToCapture(const LeftButtonEvent& event) = 0;
    // A left-button event over the main window: to the window under it that
    // takes presses itself (an image pane), when inside its client area.
    virtual void DeliverToPane(const LeftButtonEvent& event) = 0;
    // A wheel turn of delta (WHEEL_DELTA a notch, positive away from the
    // user) at screen: to the window holding the capture, else to the image
    // pane whose client area holds the point.
    virtual void DeliverWheel(CPoint screen, short delta, UINT flags) = 0;

    // ---- Message boxes ----
    // Shows a modal message box (the display's nested loop runs it).
    virtual void ShowMessageBox(const std::string& text, const std::string& caption,
                                UINT type) = 0;
};

// A modal box the display runs its nested loop for.
class DisplayModal {
public:
    virtual ~DisplayModal() = default;

    virtual std::string Title() const = 0;
    virtual CSize ClientSize() const = 0;
    // Places the box at the screen point (x, y), as large as its client area.
    virtual void PlaceAt(int x, int y) = 0;
    virtual void Draw() = 0;
    // Posts command id to the box (runs between frames): Enter posts the
    // default button's, Escape and the close button IDCANCEL.
    virtual void PostCommand(UINT id) = 0;
    virtual UINT DefaultButtonId() const = 0;
    virtual bool HasEnded() const = 0;
    virtual void End(int result) = 0;
    // What the box answers when nobody can (an unattended display).
    virtual int UnattendedResult() const = 0;
};

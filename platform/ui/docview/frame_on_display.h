#pragma once

// The main frame as the display sees it (display_client.h): the display is
// opened with one of these and owns it; it speaks for the frame's window
// tree, menu bar and accelerators, and shows message boxes as modal boxes.

#include "platform/ui/host/display_client.h"

class CFrameWnd;
class CWnd;

class FrameOnDisplay : public DisplayClient {
public:
    explicit FrameOnDisplay(CFrameWnd& frame) : frame_(frame) {}

    void Resize(int width, int height) override;
    CSize LaidOutSize() const override;
    bool IsShown() const override;
    bool HasMenuBar() const override;
    std::string Title() const override;
    UINT IconId() const override;
    void Draw() override;

    void PostClose() override;
    void SetMenuAltHeld(bool held) override;
    bool HandleMenuKey(std::uint16_t virtualKey, KeyModifiers held) override;
    bool TranslateAccelerator(std::uint16_t virtualKey, KeyModifiers held,
                              bool sceneHasKeyboard) override;
    const CAcceleratorTable& Accelerators() const override;
    bool MenuHasKeyboard() const override;
    bool FocusKeepsKeys() const override;
    bool FocusTakesKey(std::uint16_t virtualKey) const override;
    void ActOnFocusKey(std::uint16_t virtualKey, bool backward) override;
    void DeliverToCapture(const LeftButtonEvent& event) override;
    void DeliverToPane(const LeftButtonEvent& event) override;
    void DeliverWheel(CPoint screen, short delta, UINT flags) override;

    void ShowMessageBox(const std::string& text, const std::string& caption, UINT type) override;

private:
    CWnd* PaneAt(CPoint screen) const;
    CFrameWnd& frame_;
};

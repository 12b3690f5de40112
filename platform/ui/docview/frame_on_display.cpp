#include "platform/ui/docview/frame_on_display.h"

#include "platform/ui/controls/button.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/dialogs/control_focus.h"
#include "platform/ui/dialogs/message_box_dialog.h"
#include "platform/ui/docview/frame_wnd.h"
#include "platform/window/system.h"

namespace {

void DeliverLeftButton(CWnd& target, const LeftButtonEvent& event) {
    const CPoint point = target.ScreenToClient(event.screen);
    if (event.down) {
        target.OnLButtonDown(event.flags, point);
    } else {
        target.OnLButtonUp(event.flags, point);
    }
}

}  // namespace

void FrameOnDisplay::Resize(int width, int height) {
    frame_.MoveWindow(0, 0, width, height);
}

CSize FrameOnDisplay::LaidOutSize() const {
    return frame_.GetPlacement().Size();
}

bool FrameOnDisplay::IsShown() const {
    return frame_.IsWindowVisible();
}

bool FrameOnDisplay::HasMenuBar() const {
    return frame_.GetMenu() != nullptr;
}

std::string FrameOnDisplay::Title() const {
    return frame_.GetFrameTitle();
}

UINT FrameOnDisplay::IconId() const {
    return frame_.GetIconId();
}

void FrameOnDisplay::Draw() {
    frame_.Draw(DrawOrigin{});
}

void FrameOnDisplay::PostClose() {
    CFrameWnd* frame = &frame_;
    PostToTarget(frame, [frame] { frame->OnClose(); });
}

void FrameOnDisplay::SetMenuAltHeld(bool held) {
    frame_.SetMenuAltHeld(held);
}

bool FrameOnDisplay::HandleMenuKey(std::uint16_t virtualKey, KeyModifiers held) {
    return frame_.HandleMenuKey(virtualKey, held);
}

bool FrameOnDisplay::TranslateAccelerator(std::uint16_t virtualKey, KeyModifiers held,
                                          bool sceneHasKeyboard) {
    return frame_.TranslateAccelerator(virtualKey, held, sceneHasKeyboard);
}

const CAcceleratorTable& FrameOnDisplay::Accelerators() const {
    return frame_.GetAccelerators();
}

bool FrameOnDisplay::MenuHasKeyboard() const {
    return frame_.MenuHasKeyboard();
}

bool FrameOnDisplay::FocusKeepsKeys() const {
    // A trackbar or text box that the user gave the focus keeps the keys
    // (arrows move the trackbar) until a click elsewhere takes it.
    const CWnd* focus = CWnd::GetFocus();
    return focus != nullptr && focus->UsesKeys() && focus->IsWindowVisible() &&
           focus->IsWindowEnabled();
}

bool FrameOnDisplay::FocusTakesKey(std::uint16_t virtualKey) const {
    const CWnd* focus = CWnd::GetFocus();
    if (focus == nullptr) {
        return false;
    }
    if (virtualKey == VK_TAB) {
        return IsTabStopOfDialog(*focus);
    }
    return virtualKey == VK_RETURN && DefaultButtonFor(*focus) != nullptr;
}

void FrameOnDisplay::ActOnFocusKey(std::uint16_t virtualKey, bool backward) {
    CWnd* focus = CWnd::GetFocus();
    if (focus == nullptr) {
        return;
    }
    if (virtualKey == VK_TAB) {
        MoveFocusToNextControl(*focus, backward);
    } else if (CButton* button = virtualKey == VK_RETURN ? DefaultButtonFor(*focus) : nullptr) {
        button->Click();
    }
}

void FrameOnDisplay::DeliverToCapture(const LeftButtonEvent& event) {
    if (CWnd* target = CWnd::FromHandle(GetCapture())) {
        DeliverLeftButton(*target, event);
    }
}

// The window that takes the mouse directly whose client area holds screen, or null.
CWnd* FrameOnDisplay::PaneAt(CPoint screen) const {
    CWnd* target = frame_.ChildWindowFromPoint(screen);
    while (target != nullptr && !target->ReceivesMouseButtons()) {
        target = target->GetParent();
    }
    if (target == nullptr) {
        return nullptr;
    }
    CRect client;
    target->GetClientRect(&client);
    return client.PtInRect(target->ScreenToClient(screen)) ? target : nullptr;
}

void FrameOnDisplay::DeliverToPane(const LeftButtonEvent& event) {
    if (CWnd* target = PaneAt(event.screen)) {
        if (event.down) {
            target->NoteFocus();  // a click in the scene gives it the keyboard
        }
        DeliverLeftButton(*target, event);
    }
}

void FrameOnDisplay::DeliverWheel(CPoint screen, short delta, UINT flags) {
    CWnd* target = GetCapture() != nullptr ? CWnd::FromHandle(GetCapture()) : PaneAt(screen);
    if (target != nullptr) {
        target->OnMouseWheel(flags, delta, screen);
    }
}

void FrameOnDisplay::ShowMessageBox(const std::string& text, const std::string& caption,
                                    UINT type) {
    CMessageBoxDialog box(text, caption, type);
    box.DoModal();
}

#include "platform/ui/ui_host.h"

// The display's event handling: what goes to the frame (size changes,
// accelerators, the close request), to image panes (left-button presses) or
// to a capturing window, and what to the interface.

#include <utility>

#include <SDL.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include "platform/ui/command_ids.h"
#include "platform/ui/frame_wnd.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/sdl_virtual_keys.h"
#include "platform/ui/ui_host_input_feed.h"
#include "platform/window/system.h"

namespace {

// MK_* flags of a button message: the held modifiers and buttons.
UINT MouseFlags(bool leftDown) {
    const SDL_Keymod modifiers = SDL_GetModState();
    UINT flags = leftDown ? MK_LBUTTON : 0;
    flags |= (modifiers & KMOD_SHIFT) != 0 ? MK_SHIFT : 0;
    flags |= (modifiers & KMOD_CTRL) != 0 ? MK_CONTROL : 0;
    std::uint8_t keys[256] = {};
    GetKeyboardState(keys);
    flags |= (keys[VK_RBUTTON] & 0x80) != 0 ? MK_RBUTTON : 0;
    return flags;
}

void DeliverLeftButton(CWnd& target, const SDL_MouseButtonEvent& button) {
    const CPoint point = target.ScreenToClient(CPoint(button.x, button.y));
    if (button.type == SDL_MOUSEBUTTONDOWN) {
        target.OnLButtonDown(MouseFlags(true), point);
    } else {
        target.OnLButtonUp(MouseFlags(false), point);
    }
}

}  // namespace

void UiHost::HandleEvent(const SDL_Event& event) {
    if (frame_ == nullptr) {
        return;
    }
    switch (event.type) {
        case SDL_QUIT:
            if (modals_.empty()) {
                CFrameWnd* frame = frame_;
                PostToTarget(frame, [frame] { frame->OnClose(); });
            }
            break;
        case SDL_WINDOWEVENT:
            HandleWindowEvent(event);
            if (interfaceStarted_) {
                ImGui_ImplSDL2_ProcessEvent(&event);
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (DeferKey(event)) {
                break;
            }
            frame_->SetMenuAltHeld((event.key.keysym.mod & KMOD_ALT) != 0);
            keyTaken_ = event.type == SDL_KEYDOWN && (HandleMenuKey(event) || HandleAccelerator(event));
            if (!keyTaken_) {
                input_->Feed(event);
            }
            break;
        case SDL_TEXTINPUT:
            if (DeferKey(event)) {
                break;
            }
            // The characters of a key that was a command (Alt+F, an accelerator) are not typed.
            if (!std::exchange(keyTaken_, false)) {
                input_->Feed(event);
            }
            break;
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.type == SDL_MOUSEBUTTONDOWN) {
                framesAfterPress_ = 0;
            }
            if (!HandleCapturedMouse(event)) {
                input_->Feed(event);
                HandlePaneButton(event);
            } else if (event.type == SDL_MOUSEBUTTONUP) {
                input_->Feed(event);  // the interface saw the press: it sees the release
            }
            break;
        case SDL_MOUSEWHEEL:
            if (!HandleCapturedMouse(event)) {
                input_->Feed(event);
            }
            HandlePaneWheel(event);
            break;
        default:
            break;
    }
}

void UiHost::HandleWindowEvent(const SDL_Event& event) {
    input_->Feed(event);
    if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        const int width = event.window.data1;
        const int height = event.window.data2;
        if (width > 0 && height > 0) {  // a minimised window keeps its layout
            frame_->MoveWindow(0, 0, width, height);
        }
    }
}

bool UiHost::HandleMenuKey(const SDL_Event& event) {
    if (!modals_.empty()) {
        return false;
    }
    const auto key = VirtualKeyForAccelerator(event.key.keysym.sym);
    return key && frame_->HandleMenuKey(*key, ModifiersFromSdl(event.key.keysym.mod));
}

bool UiHost::HandleAccelerator(const SDL_Event& event) {
    if (!modals_.empty() || popupOpen_) {
        return false;
    }
    const auto key = VirtualKeyForAccelerator(event.key.keysym.sym);
    return key && frame_->TranslateAccelerator(*key, ModifiersFromSdl(event.key.keysym.mod),
                                               SceneHasKeyboard());
}

// Keys keep their order: once one waits, the ones after it wait too.
bool UiHost::DeferKey(const SDL_Event& event) {
    if (deferredKeys_.empty()) {
        if (framesAfterPress_ >= kFramesToSettleFocus || event.type != SDL_KEYDOWN ||
            !modals_.empty()) {
            return false;
        }
        const auto key = VirtualKeyForAccelerator(event.key.keysym.sym);
        const KeyModifiers held = ModifiersFromSdl(event.key.keysym.mod);
        const CAcceleratorTable& keys = frame_->GetAccelerators();
        if (!key || keys.Translate(*key, held, true) == keys.Translate(*key, held, false)) {
            return false;  // the same wherever the keyboard is
        }
    }
    deferredKeys_.push_back(event);
    return true;
}

void UiHost::ReplayDeferredKeys() {
    std::vector<SDL_Event> waiting;
    waiting.swap(deferredKeys_);
    for (const SDL_Event& event : waiting) {
        HandleEvent(event);
    }
}

bool UiHost::HandleCapturedMouse(const SDL_Event& event) {
    HWND capture = GetCapture();
    if (capture == nullptr) {
        return false;
    }
    const bool button = event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP;
    if (button && event.button.button == SDL_BUTTON_LEFT) {
        if (CWnd* target = CWnd::FromHandle(capture)) {
            DeliverLeftButton(*target, event.button);
        }
    }
    return true;  // the capturing window has the mouse to itself
}

void UiHost::HandlePaneButton(const SDL_Event& event) {
    const bool button = event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP;
    if (!button || event.button.button != SDL_BUTTON_LEFT || !modals_.empty() || popupOpen_) {
        return;
    }
    // A release that ends a drag in the interface (a splitter bar) belongs to it.
    if (event.type == SDL_MOUSEBUTTONUP && interfaceStarted_ && ImGui::IsAnyItemActive()) {
        return;
    }
    if (CWnd* target = PaneAt(CPoint(event.button.x, event.button.y))) {
        if (event.type == SDL_MOUSEBUTTONDOWN) {
            target->NoteFocus();  // a click in the scene gives it the keyboard
        }
        DeliverLeftButton(*target, event.button);
    }
}

// The capturing window, else the image pane under the pointer, gets the turn.
void UiHost::HandlePaneWheel(const SDL_Event& event) {
    if (!modals_.empty() || popupOpen_ || event.wheel.y == 0) {
        return;
    }
    const CPoint screen(event.wheel.mouseX, event.wheel.mouseY);
    CWnd* target = GetCapture() != nullptr ? CWnd::FromHandle(GetCapture()) : PaneAt(screen);
    if (target != nullptr) {
        const int notches =
            event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        target->OnMouseWheel(MouseFlags(false), static_cast<short>(notches * WHEEL_DELTA), screen);
    }
}

// The window that takes the mouse directly whose client area holds screen, or null.
CWnd* UiHost::PaneAt(CPoint screen) const {
    CWnd* target = frame_->ChildWindowFromPoint(screen);
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

#include "platform/ui/host/ui_host.h"

// The display's event handling: what goes to the main window's client (size
// changes, accelerators, the close request, left-button presses for image
// panes or a capturing window), and what to the interface.

#include <utility>

#include <SDL.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/host/sdl_virtual_keys.h"
#include "platform/ui/host/ui_host_input_feed.h"
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

LeftButtonEvent LeftButton(const SDL_MouseButtonEvent& button) {
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    return LeftButtonEvent{CPoint(button.x, button.y), down, MouseFlags(down)};
}

}  // namespace

void UiHost::HandleEvent(const SDL_Event& event) {
    if (frame_ == nullptr) {
        return;
    }
    switch (event.type) {
        case SDL_QUIT:
            if (modals_.empty()) {
                frame_->PostClose();
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
            keyTaken_ = event.type == SDL_KEYDOWN &&
                        (HandleFocusKey(event) || HandleMenuKey(event) || HandleAccelerator(event));
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
            frame_->Resize(width, height);
        }
    }
}

// The same test as the scene's keyboard routing: the keys are the focused
// control's, so Tab and Enter are too. They act in order with the typing
// before them (the input feed runs them), on the focus they then find.
bool UiHost::HandleFocusKey(const SDL_Event& event) {
    if (!modals_.empty() || popupOpen_ || frame_->MenuHasKeyboard() || !frame_->FocusKeepsKeys()) {
        return false;
    }
    const SDL_Keycode key = event.key.keysym.sym;
    const std::uint16_t virtualKey = key == SDLK_TAB                               ? VK_TAB
                                     : key == SDLK_RETURN || key == SDLK_KP_ENTER ? VK_RETURN
                                                                                  : 0;
    if (virtualKey == 0 || !frame_->FocusTakesKey(virtualKey)) {
        return false;
    }
    const bool backward = (event.key.keysym.mod & KMOD_SHIFT) != 0;
    input_->FeedCommand([this, virtualKey, backward] {
        if (modals_.empty() && frame_ != nullptr) {
            frame_->ActOnFocusKey(virtualKey, backward);
        }
    });
    return true;
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
        const CAcceleratorTable& keys = frame_->Accelerators();
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
    if (GetCapture() == nullptr) {
        return false;
    }
    const bool button = event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP;
    if (button && event.button.button == SDL_BUTTON_LEFT) {
        frame_->DeliverToCapture(LeftButton(event.button));
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
    frame_->DeliverToPane(LeftButton(event.button));
}

// The capturing window, else the image pane under the pointer, gets the turn.
void UiHost::HandlePaneWheel(const SDL_Event& event) {
    if (!modals_.empty() || popupOpen_ || event.wheel.y == 0) {
        return;
    }
    const int notches =
        event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
    frame_->DeliverWheel(CPoint(event.wheel.mouseX, event.wheel.mouseY),
                         static_cast<short>(notches * WHEEL_DELTA), MouseFlags(false));
}

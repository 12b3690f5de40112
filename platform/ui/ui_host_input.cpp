#include "platform/ui/ui_host.h"

// The display's event handling: what goes to the frame (size changes,
// accelerators, the close request), to image panes (left-button presses) or
// to a capturing window, and what to the interface.

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

int ButtonIndex(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return 0;
        case SDL_BUTTON_RIGHT:
            return 1;
        case SDL_BUTTON_MIDDLE:
            return 2;
        default:
            return -1;
    }
}

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

void UiHost::InputFeed::Feed(const SDL_Event& event) {
    switch (event.type) {
        case SDL_MOUSEMOTION:
            position =
                ImVec2(static_cast<float>(event.motion.x), static_cast<float>(event.motion.y));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            position =
                ImVec2(static_cast<float>(event.button.x), static_cast<float>(event.button.y));
            const int index = ButtonIndex(event.button.button);
            if (index >= 0) {
                down[index] = event.type == SDL_MOUSEBUTTONDOWN;
                pressed[index] = pressed[index] || down[index];
            }
            break;
        }
        case SDL_KEYDOWN:
            if (event.key.keysym.scancode > SDL_SCANCODE_UNKNOWN &&
                event.key.keysym.scancode < SDL_NUM_SCANCODES) {
                pressedKeys.push_back(event.key.keysym.scancode);
            }
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
                position = ImVec2(-FLT_MAX, -FLT_MAX);
            }
            break;
        default:
            break;
    }
}

void UiHost::InputFeed::Apply(ImGuiIO& io, bool captured) {
    io.MousePos = captured ? ImVec2(-FLT_MAX, -FLT_MAX) : position;
    for (int i = 0; i < 3; ++i) {
        io.MouseDown[i] = !captured && (down[i] || pressed[i]);
        pressed[i] = false;
    }
    // A key released before this frame still counts as held for it.
    for (int scancode : pressedKeys) {
        if (scancode < IM_ARRAYSIZE(io.KeysDown)) {
            io.KeysDown[scancode] = true;
        }
    }
    pressedKeys.clear();
}

void UiHost::HandleEvent(const SDL_Event& event) {
    if (frame_ != nullptr) {
        switch (event.type) {
            case SDL_QUIT:
                if (modals_.empty()) {
                    CFrameWnd* frame = frame_;
                    PostToTarget(frame, [frame] { frame->OnClose(); });
                }
                break;
            case SDL_WINDOWEVENT:
                HandleWindowEvent(event);
                break;
            case SDL_KEYDOWN:
                if (HandleAccelerator(event)) {
                    return;  // the key was a command; the interface does not see it
                }
                input_->Feed(event);
                break;
            case SDL_MOUSEMOTION:
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
            case SDL_MOUSEWHEEL:
                if (HandleCapturedMouse(event)) {
                    return;
                }
                input_->Feed(event);
                HandlePaneButton(event);
                break;
            default:
                break;
        }
    }
    if (interfaceStarted_) {
        ImGui_ImplSDL2_ProcessEvent(&event);
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

bool UiHost::HandleAccelerator(const SDL_Event& event) {
    if (!modals_.empty() || popupOpen_) {
        return false;
    }
    const auto key = VirtualKeyForAccelerator(event.key.keysym.sym);
    return key && frame_->TranslateAccelerator(*key, ModifiersFromSdl(event.key.keysym.mod));
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
    const CPoint screen(event.button.x, event.button.y);
    CWnd* target = frame_->ChildWindowFromPoint(screen);
    while (target != nullptr && !target->ReceivesMouseButtons()) {
        target = target->GetParent();
    }
    if (target == nullptr) {
        return;
    }
    CRect client;
    target->GetClientRect(&client);
    if (client.PtInRect(target->ScreenToClient(screen))) {
        DeliverLeftButton(*target, event.button);
    }
}

#include "platform/window/sdl_events.h"

#include <SDL.h>

#include "platform/window/system.h"

namespace {

// What SDL was last told, so that SyncSdlMouseState only calls SDL on change.
struct SyncedMouseState {
    bool relative = false;
    bool cursorVisible = true;
};

SyncedMouseState& Synced() {
    static SyncedMouseState state;
    return state;
}

void SetKeyFromSdl(std::int32_t sdlKey, bool down) {
    if (const auto key = VirtualKeyFromSdlKey(sdlKey)) {
        SetKeyDown(*key, down);
    }
}

void SetButtonFromSdl(std::uint8_t button, bool down) {
    if (const auto key = VirtualKeyFromSdlButton(button)) {
        SetKeyDown(*key, down);
    }
}

void MoveCursor(const SDL_MouseMotionEvent& motion) {
    if (GetCapture() != nullptr) {
        MoveVirtualCursorBy(motion.xrel, motion.yrel);
        return;
    }
    int windowX = 0;
    int windowY = 0;
    if (SDL_Window* window = SDL_GetWindowFromID(motion.windowID)) {
        SDL_GetWindowPosition(window, &windowX, &windowY);
    }
    SetVirtualCursor(windowX + motion.x, windowY + motion.y);
}

}  // namespace

std::optional<std::uint8_t> VirtualKeyFromSdlKey(std::int32_t sdlKey) {
    switch (sdlKey) {
        case SDLK_UP:
            return VK_UP;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        default:
            return std::nullopt;
    }
}

std::optional<std::uint8_t> VirtualKeyFromSdlButton(std::uint8_t sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return VK_LBUTTON;
        case SDL_BUTTON_RIGHT:
            return VK_RBUTTON;
        default:
            return std::nullopt;
    }
}

void SyncSdlMouseState() {
    SyncedMouseState& synced = Synced();
    const bool relative = GetCapture() != nullptr;
    if (relative != synced.relative) {
        // Relative mode can be refused (no mouse, offscreen driver); the
        // virtual cursor still sums whatever motion arrives.
        SDL_SetRelativeMouseMode(relative ? SDL_TRUE : SDL_FALSE);
        synced.relative = relative;
    }
    const bool visible = CursorVisible();
    if (visible != synced.cursorVisible) {
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
        synced.cursorVisible = visible;
    }
}

void FeedSdlEvent(const SDL_Event& event) {
    SyncSdlMouseState();
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            SetKeyFromSdl(event.key.keysym.sym, event.type == SDL_KEYDOWN);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            SetButtonFromSdl(event.button.button, event.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_MOUSEMOTION:
            MoveCursor(event.motion);
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                ClearKeyboardState();
            }
            break;
        case SDL_QUIT:
            if (!QuitRequested()) {
                PostQuitMessage(0);
            }
            break;
        default:
            break;
    }
}

int PumpSdlEvents(const std::function<void(const SDL_Event&)>& forward) {
    SyncSdlMouseState();
    int handled = 0;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (forward) {
            forward(event);
        }
        FeedSdlEvent(event);
        ++handled;
    }
    return handled;
}

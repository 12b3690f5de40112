#include "tests/support/synthetic_input.h"

#include "platform/ui/host/ui_host.h"

namespace {

Uint32 WindowId() {
    return SDL_GetWindowID(UiHost::Current()->NativeWindow());
}

}  // namespace

void PushMotion(CPoint point) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = WindowId();
    event.motion.x = point.x;
    event.motion.y = point.y;
    SDL_PushEvent(&event);
}

void PushButton(std::uint32_t type, CPoint point) {
    SDL_Event event{};
    event.type = type;
    event.button.windowID = WindowId();
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = point.x;
    event.button.y = point.y;
    SDL_PushEvent(&event);
}

void Click(CPoint point) {
    PushMotion(point);
    PushButton(SDL_MOUSEBUTTONDOWN, point);
    PushButton(SDL_MOUSEBUTTONUP, point);
}

void PushKeyEvent(std::uint32_t type, SDL_Keycode key, std::uint16_t modifiers) {
    SDL_Event event{};
    event.type = type;
    event.key.windowID = WindowId();
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = modifiers;
    SDL_PushEvent(&event);
}

void PushKey(SDL_Keycode key, std::uint16_t modifiers) {
    PushKeyEvent(SDL_KEYDOWN, key, modifiers);
    PushKeyEvent(SDL_KEYUP, key, modifiers);
}

void Type(const std::string& characters) {
    for (char c : characters) {
        const char text[2] = {c, '\0'};
        PushKeyEvent(SDL_KEYDOWN, static_cast<SDL_Keycode>(c));
        PushText(text);
        PushKeyEvent(SDL_KEYUP, static_cast<SDL_Keycode>(c));
    }
}

void PushText(const char* text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = WindowId();
    SDL_strlcpy(event.text.text, text, sizeof event.text.text);
    SDL_PushEvent(&event);
}

CPoint CentreOf(const CWnd& window) {
    CRect rect;
    window.GetWindowRect(&rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

CPoint CentreOfTab(CPropertySheet& sheet, int index) {
    const CRect tab = sheet.GetTabRects()[static_cast<std::size_t>(index)];
    const CPoint origin = sheet.ClientToScreen(CPoint(0, 0));
    return {origin.x + (tab.left + tab.right) / 2, origin.y + (tab.top + tab.bottom) / 2};
}

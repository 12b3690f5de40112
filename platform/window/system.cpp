#include "platform/window/system.h"

#include <cstdio>
#include <utility>

namespace {

struct SystemState {
    MessageBoxPresenter presenter;
    std::function<void(int)> quitPoster;
    bool quitRequested = false;
    int quitExitCode = 0;
    HWND capture = nullptr;
    POINT cursor;
    bool cursorVisible = true;
    KeyStateTable keys{};
    bool keyboardRoutedToScene = true;
};

SystemState& State() {
    static SystemState state;
    return state;
}

}  // namespace

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    const std::string message = text != nullptr ? text : "";
    const std::string title = caption != nullptr ? caption : "";
    std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
    if (State().presenter) {
        State().presenter(owner, message, title, type);
    }
    return IDOK;
}

void SetMessageBoxPresenter(MessageBoxPresenter presenter) {
    State().presenter = std::move(presenter);
}

MessageBoxPresenter GetMessageBoxPresenter() { return State().presenter; }

void PostQuitMessage(int exitCode) {
    SystemState& state = State();
    state.quitRequested = true;
    state.quitExitCode = exitCode;
    if (state.quitPoster) {
        state.quitPoster(exitCode);
    }
}

bool QuitRequested() { return State().quitRequested; }
int QuitExitCode() { return State().quitExitCode; }
void ClearQuitRequest() {
    State().quitRequested = false;
    State().quitExitCode = 0;
}
void SetQuitPoster(std::function<void(int)> poster) { State().quitPoster = std::move(poster); }

HWND SetCapture(HWND window) {
    HWND previous = State().capture;
    State().capture = window;
    return previous;
}

BOOL ReleaseCapture() {
    State().capture = nullptr;
    return 1;
}

HWND GetCapture() { return State().capture; }

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr) {
        return 0;
    }
    *point = State().cursor;
    return 1;
}

BOOL SetCursorPos(int x, int y) {
    State().cursor = {x, y};
    return 1;
}

bool ShowCursor(bool visible) { return std::exchange(State().cursorVisible, visible); }
bool CursorVisible() { return State().cursorVisible; }

void MoveVirtualCursorBy(int dx, int dy) {
    State().cursor.x += dx;
    State().cursor.y += dy;
}

void SetVirtualCursor(int x, int y) { State().cursor = {x, y}; }

BOOL GetKeyboardState(std::uint8_t* table) {
    if (table == nullptr) {
        return 0;
    }
    const SystemState& state = State();
    for (std::size_t key = 0; key < state.keys.size(); ++key) {
        table[key] = state.keyboardRoutedToScene ? state.keys[key] : 0;
    }
    return 1;
}

void SetKeyDown(std::uint8_t virtualKey, bool down) {
    State().keys[virtualKey] = down ? 0x80 : 0x00;
}

void ClearKeyboardState() { State().keys.fill(0); }
void SetKeyboardRoutedToScene(bool routed) { State().keyboardRoutedToScene = routed; }

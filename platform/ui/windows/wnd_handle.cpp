#include "platform/ui/windows/wnd_handle.h"

#include <unordered_set>

#include "platform/ui/host/ui_host.h"
#include "platform/ui/windows/wnd.h"

namespace {

std::unordered_set<const Window*>& LiveHandles() {
    static std::unordered_set<const Window*> handles;
    return handles;
}

}  // namespace

RECT CWndHandle::GetClientRect() const {
    CRect rect;
    owner_.GetClientRect(&rect);
    return rect;
}

RECT CWndHandle::GetWindowRect() const {
    CRect rect;
    owner_.GetWindowRect(&rect);
    return rect;
}

void CWndHandle::SetText(const std::string& text) {
    owner_.SetWindowText(text);
}
std::string CWndHandle::GetText() const {
    return owner_.GetWindowText();
}

void CWndHandle::SetPlacement(int x, int y, int width, int height) {
    owner_.MoveWindow(x, y, width, height);
}

void* CWndHandle::GetNativeWindow() const {
    const UiHost* host = UiHost::Current();
    return host != nullptr ? host->NativeWindow() : nullptr;
}

BOOL IsWindow(HWND handle) {
    return LiveHandles().count(handle) != 0 ? TRUE : FALSE;
}

// Registration of live handles, used by CWnd only.
void RegisterWindowHandle(const Window* handle) {
    LiveHandles().insert(handle);
}
void UnregisterWindowHandle(const Window* handle) {
    LiveHandles().erase(handle);
}

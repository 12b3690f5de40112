#include "platform/ui/windows/wnd.h"

// Sections: creation and life; tree; geometry; state; data exchange and
// messages; drawing.

#include <algorithm>
#include <utility>

#include "platform/ui/core/message_queue.h"
#include "platform/ui/windows/app_identity.h"
#include "platform/ui/windows/data_exchange_pass.h"
#include "platform/window/system.h"

void RegisterWindowHandle(const Window* handle);
void UnregisterWindowHandle(const Window* handle);

namespace {

CWnd* focusWindow = nullptr;  // the window that has (or asked for) the keyboard focus

int OrZero(int value) {
    return value == CW_USEDEFAULT ? 0 : value;
}

}  // namespace

const char* AfxRegisterWndClass(UINT /*classStyle*/, const void* /*cursor*/,
                                const void* /*background*/, const void* /*icon*/) {
    return kToolkitWindowClass;
}

// ---- Creation and life ----

CWnd::CWnd() : handle_(*this) {}

CWnd::~CWnd() {
    // Children still attached are owned objects or orphans to be: they must
    // not reach back into this half-destroyed object.
    for (CWnd* child : children_) {
        child->parent_ = nullptr;
    }
    children_.clear();
    owned_.clear();
    if (created_) {
        ReleaseWindow();
    }
    DetachFromParent();
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, CCreateContext* context) {
    if (created_) {
        return FALSE;
    }
    CREATESTRUCT cs;
    cs.className = className;
    cs.windowName = windowName != nullptr ? windowName : "";
    cs.style = style;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.parent = parent;
    cs.id = id;
    cs.context = context;
    return CreateFromStruct(cs);
}

BOOL CWnd::CreateFromStruct(CREATESTRUCT cs) {
    if (created_) {
        return FALSE;
    }
    if (!PreCreateWindow(cs) || cs.className == nullptr || cs.className[0] == '\0') {
        return FALSE;
    }
    rect_ = CRect(OrZero(cs.x), OrZero(cs.y), OrZero(cs.x) + std::max(0, OrZero(cs.cx)),
                  OrZero(cs.y) + std::max(0, OrZero(cs.cy)));
    id_ = cs.id;
    style_ = cs.style;
    text_ = cs.windowName;
    visible_ = (cs.style & WS_VISIBLE) != 0;
    enabled_ = (cs.style & WS_DISABLED) == 0;
    created_ = true;
    RegisterWindowHandle(&handle_);
    AttachToParent(cs.parent);
    if (OnCreate(&cs) == -1) {
        DestroyWindow();
        return FALSE;
    }
    CRect client;
    GetClientRect(&client);
    OnSize(SIZE_RESTORED, client.Width(), client.Height());
    return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& /*cs*/) {
    return TRUE;
}
int CWnd::OnCreate(CREATESTRUCT* /*cs*/) {
    return 0;
}

BOOL CWnd::DestroyWindow() {
    if (!created_) {
        return FALSE;
    }
    OnDestroy();
    while (!children_.empty()) {
        CWnd* child = children_.back();
        if (!child->DestroyWindow()) {
            child->DetachFromParent();
        }
        ReleaseOwned(child);  // deletes the child if this window owns it
    }
    ReleaseWindow();
    DetachFromParent();
    PostNcDestroy();
    return TRUE;
}

void CWnd::ReleaseWindow() {
    created_ = false;
    focusRequested_ = false;
    UnregisterWindowHandle(&handle_);
    if (focusWindow == this) {
        focusWindow = nullptr;
    }
    if (GetCapture() == &handle_) {
        ReleaseCapture();
    }
    ForgetPostedMessages(this);
}

HWND CWnd::GetSafeHwnd() const {
    return created_ ? const_cast<CWndHandle*>(&handle_) : nullptr;
}

CWnd* CWnd::FromHandle(HWND handle) {
    if (!IsWindow(handle)) {
        return nullptr;
    }
    return &static_cast<CWndHandle*>(handle)->Owner();
}

// ---- Tree ----

void CWnd::AttachToParent(CWnd* parent) {
    parent_ = parent;
    if (parent != nullptr) {
        parent->children_.push_back(this);
    }
}

void CWnd::DetachFromParent() {
    if (parent_ != nullptr) {
        std::erase(parent_->children_, this);
        parent_ = nullptr;
    }
}

void CWnd::ReplaceChild(CWnd* old, CWnd* replacement) {
    std::replace(children_.begin(), children_.end(), old, replacement);
}

std::unique_ptr<CWnd> CWnd::ReleaseOwned(CWnd* child) {
    for (auto owned = owned_.begin(); owned != owned_.end(); ++owned) {
        if (owned->get() == child) {
            std::unique_ptr<CWnd> released = std::move(*owned);
            owned_.erase(owned);
            return released;
        }
    }
    return nullptr;
}

CWnd* CWnd::AdoptChild(std::unique_ptr<CWnd> child) {
    owned_.push_back(std::move(child));
    return owned_.back().get();
}

CWnd* CWnd::GetTopLevelParent() {
    CWnd* top = this;
    while (top->parent_ != nullptr) {
        top = top->parent_;
    }
    return top;
}

CWnd* CWnd::GetDlgItem(int id) const {
    for (CWnd* child : children_) {
        if (child->GetDlgCtrlID() == id) {
            return child;
        }
    }
    return nullptr;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (created_ || parent == nullptr) {
        return FALSE;
    }
    CWnd* old = parent->GetDlgItem(static_cast<int>(id));
    if (old == nullptr || old == this || !TakeOverState(*old)) {
        return FALSE;
    }
    rect_ = old->rect_;
    id_ = old->id_;
    style_ = old->style_;
    visible_ = old->visible_;
    enabled_ = old->enabled_;
    text_ = old->text_;
    created_ = true;
    RegisterWindowHandle(&handle_);
    parent_ = parent;
    parent->ReplaceChild(old, this);
    if (focusWindow == old) {
        focusWindow = this;
    }
    old->parent_ = nullptr;
    old->ReleaseWindow();
    parent->ReleaseOwned(old);  // the template's object is not needed any more
    return TRUE;
}

// ---- Geometry ----

void CWnd::GetClientRect(RECT* rect) const {
    if (rect == nullptr) {
        return;
    }
    const CRect insets = NonClientInsets();
    const int width = rect_.Width() - insets.left - insets.right;
    const int height = rect_.Height() - insets.top - insets.bottom;
    *rect = CRect(0, 0, std::max(0, width), std::max(0, height));
}

void CWnd::GetWindowRect(RECT* rect) const {
    if (rect == nullptr) {
        return;
    }
    CPoint origin;
    if (parent_ != nullptr) {
        origin = parent_->ClientToScreen(CPoint(0, 0));
    }
    CRect placed = rect_;
    placed.OffsetRect(origin.x, origin.y);
    *rect = placed;
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL /*repaint*/) {
    CRect before;
    GetClientRect(&before);
    rect_ = CRect(x, y, x + std::max(0, width), y + std::max(0, height));
    CRect after;
    GetClientRect(&after);
    if (created_ && (after.Width() != before.Width() || after.Height() != before.Height())) {
        OnSize(SIZE_RESTORED, after.Width(), after.Height());
    }
}

void CWnd::MoveWindow(const RECT& rect, BOOL repaint) {
    MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

CPoint CWnd::ClientToScreen(CPoint point) const {
    DrawOrigin parentClient;
    if (parent_ != nullptr) {
        const CPoint parentOrigin = parent_->ClientToScreen(CPoint(0, 0));
        parentClient = {static_cast<float>(parentOrigin.x), static_cast<float>(parentOrigin.y)};
    }
    const DrawOrigin origin = ClientOrigin(parentClient);
    return {static_cast<int>(origin.x) + point.x, static_cast<int>(origin.y) + point.y};
}

CPoint CWnd::ScreenToClient(CPoint point) const {
    const CPoint origin = ClientToScreen(CPoint(0, 0));
    return {point.x - origin.x, point.y - origin.y};
}

CWnd* CWnd::ChildWindowFromPoint(CPoint screen) {
    if (!created_ || !visible_) {
        return nullptr;
    }
    CRect placement;
    GetWindowRect(&placement);
    if (!placement.PtInRect(screen)) {
        return nullptr;
    }
    for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
        if (CWnd* found = (*child)->ChildWindowFromPoint(screen)) {
            return found;
        }
    }
    return this;
}

// ---- State ----

BOOL CWnd::ShowWindow(int command) {
    const BOOL wasVisible = visible_ ? TRUE : FALSE;
    visible_ = command != SW_HIDE;
    style_ = visible_ ? (style_ | WS_VISIBLE) : (style_ & ~WS_VISIBLE);
    return wasVisible;
}

bool CWnd::IsWindowVisible() const {
    return created_ && visible_ && (parent_ == nullptr || parent_->IsWindowVisible());
}

BOOL CWnd::EnableWindow(BOOL enable) {
    const BOOL wasDisabled = enabled_ ? FALSE : TRUE;
    enabled_ = enable != FALSE;
    return wasDisabled;
}

void CWnd::SetWindowText(const std::string& text) {
    text_ = text;
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    const std::string title = caption != nullptr ? caption : AfxGetAppName();
    return MessageBoxA(GetSafeHwnd(), text, title.c_str(), type);
}

void CWnd::SetFocus() {
    if (created_) {
        focusWindow = this;
        focusRequested_ = true;
    }
}

CWnd* CWnd::GetFocus() {
    return focusWindow;
}

void CWnd::NoteFocus() {
    if (created_) {
        focusWindow = this;
    }
}

bool CWnd::TakeFocusRequest() {
    return std::exchange(focusRequested_, false);
}

void CWnd::UpdateWindow() {}

// ---- Data exchange and messages ----

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return exchange.Failed() ? FALSE : TRUE;
}

BOOL CWnd::OnCommand(UINT id) {
    return OnCmdMsg(id, CommandAction::Execute) ? TRUE : FALSE;
}

// ---- Drawing ----

DrawOrigin CWnd::ClientOrigin(DrawOrigin parentClient) const {
    const CRect insets = NonClientInsets();
    const CPoint scroll = ScrollPosition();
    return {parentClient.x + static_cast<float>(rect_.left + insets.left - scroll.x),
            parentClient.y + static_cast<float>(rect_.top + insets.top - scroll.y)};
}

void CWnd::Draw(DrawOrigin parentClient) {
    if (created_ && visible_) {
        DrawChildren(ClientOrigin(parentClient));
    }
}

void CWnd::DrawChildren(DrawOrigin client) {
    // Drawing never changes the tree: what a click asks for runs later, from
    // the posted messages.
    for (CWnd* child : children_) {
        child->Draw(client);
    }
}

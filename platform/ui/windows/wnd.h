#pragma once

// CWnd: a window of the toolkit. Windows form a tree (parent, children in
// creation order) and keep their state here, free of any drawing library:
// placement in the parent's client area, id, style, text, visibility. The
// display draws the tree each frame (Draw) and delivers input to it; tests
// work the tree without any display.
//
// Life: construct, Create (or a class-specific creation), use, DestroyWindow.
// A window destroyed by its parent's DestroyWindow gets OnDestroy too.
// Destroying is explicit: the base destructor only detaches a still-live
// window from the tree and the display, without calling the overrides of
// OnDestroy (which no longer exist at that point).
//
// Ownership: the C++ object of a window is owned by whoever declared it (a
// member, a local), except windows the toolkit makes for a parent (controls
// from a template, views made by class description), which the parent owns
// (AdoptChild) and deletes after it is destroyed itself.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/windows/cmd_target.h"
#include "platform/ui/core/ui_types.h"
#include "platform/ui/windows/wnd_handle.h"
#include "platform/window/system.h"

class CDataExchange;
struct CCreateContext;

struct CREATESTRUCT {
    const char* className = nullptr;  // null: PreCreateWindow may choose; empty: creation fails
    std::string windowName;
    DWORD style = 0;
    int x = CW_USEDEFAULT;  // pixels in the parent's client area
    int y = CW_USEDEFAULT;
    int cx = CW_USEDEFAULT;
    int cy = CW_USEDEFAULT;
    CWnd* parent = nullptr;
    UINT id = 0;
    CCreateContext* context = nullptr;
};

// Registers a window class and returns its name (never fails here; kept for
// the classic creation path, where an empty class name makes Create fail).
const char* AfxRegisterWndClass(UINT classStyle, const void* cursor = nullptr,
                                const void* background = nullptr, const void* icon = nullptr);
// The class name the toolkit's own windows are created with.
inline constexpr const char* kToolkitWindowClass = "AfxWnd";

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    // ---- Creation and life ----

    // Creates the window in parent's client area (parent may be null for a
    // window of its own), placed at rect (pixels), with id, style and text.
    // Fails (false, no window) when the window exists already, when
    // PreCreateWindow refuses or leaves the class name null or empty (views
    // and frames fill in a null one), or when OnCreate returns -1.
    virtual BOOL Create(const char* className, const char* windowName, DWORD style,
                        const RECT& rect, CWnd* parent, UINT id, CCreateContext* context = nullptr);
    // Destroys the window and, first, its children (last created first):
    // OnDestroy runs on each, then the handle is released and the parent's
    // owned objects for it deleted. False when there was no window.
    BOOL DestroyWindow();
    HWND GetSafeHwnd() const;
    static CWnd* FromHandle(HWND handle);  // null for handles of other windows

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // 0 to go on, -1 to fail the creation.
    virtual int OnCreate(CREATESTRUCT* cs);
    // The window is being destroyed; its children still exist.
    virtual void OnDestroy() {}
    // The window and its children are gone (the last call DestroyWindow makes).
    virtual void PostNcDestroy() {}

    // ---- Tree ----

    CWnd* GetParent() const { return parent_; }
    CWnd* GetTopLevelParent();
    const std::vector<CWnd*>& Children() const { return children_; }
    // The direct child with control id, else null.
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const { return static_cast<int>(id_); }
    void SetDlgCtrlID(int id) { id_ = static_cast<UINT>(id); }
    // Hands a window object to this window to own; returns it.
    CWnd* AdoptChild(std::unique_ptr<CWnd> child);
    // Makes this object the window of parent's child control id: it takes
    // over the control's place, placement, style, text and kind-specific
    // state, and the object that held them is deleted. False when this
    // object is a window already, there is no such control or it is of
    // another kind.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    // ---- Geometry (pixels) ----

    // The client area: left and top 0. rect may be null (nothing happens).
    void GetClientRect(RECT* rect) const;
    // The placement in the main window's coordinates.
    void GetWindowRect(RECT* rect) const;
    // The placement in the parent's client area.
    CRect GetPlacement() const { return rect_; }
    // Moves and sizes the window; OnSize follows when the client size changed.
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    CPoint ClientToScreen(CPoint point) const;
    CPoint ScreenToClient(CPoint point) const;
    // The deepest visible window under point (screen pixels), this one included.
    CWnd* ChildWindowFromPoint(CPoint screen);

    // ---- State ----

    BOOL ShowWindow(int command);
    bool IsWindowVisible() const;  // this and every parent shown
    BOOL EnableWindow(BOOL enable);
    bool IsWindowEnabled() const { return enabled_; }
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const { return text_; }
    DWORD GetStyle() const { return style_; }
    void ModifyStyle(DWORD remove, DWORD add) { style_ = (style_ & ~remove) | add; }
    // A message box owned by this window; caption null: the application's
    // name. Returns IDOK once it is closed.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
    // Asks for the keyboard focus; the display gives it on the next frame.
    void SetFocus();
    static CWnd* GetFocus();
    // True once when a focus request for this window is pending (the display asks).
    bool TakeFocusRequest();
    // Records that the user gave this window the focus (no request pending):
    // a click on a control or in an image pane.
    void NoteFocus();
    // Whether the keys are this window's while it has the focus (text boxes,
    // trackbars); otherwise they go on to the scene.
    virtual bool UsesKeys() const { return false; }
    // Draws the window at once (the display's main frame); the base does nothing.
    virtual void UpdateWindow();
    void Invalidate(BOOL erase = TRUE) { (void)erase; }

    // ---- Data exchange ----

    // Runs DoDataExchange in the asked direction: TRUE reads the controls
    // into the fields, FALSE shows the fields in the controls. False when an
    // entry was refused (the exchange stopped there).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* exchange) { (void)exchange; }

    // ---- Messages ----

    virtual void OnSize(UINT type, int cx, int cy) { (void)type, (void)cx, (void)cy; }
    virtual void OnLButtonDown(UINT flags, CPoint point) { (void)flags, (void)point; }
    virtual void OnLButtonUp(UINT flags, CPoint point) { (void)flags, (void)point; }
    // The mouse wheel turned by delta (WHEEL_DELTA a notch; positive: away
    // from the user) over the window, or anywhere while it holds the
    // capture; point in screen pixels. TRUE when the window used it.
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point) {
        (void)flags, (void)delta, (void)point;
        return FALSE;
    }
    // True for windows that take left-button presses and wheel turns in their
    // client area directly (image panes) instead of through the interface's widgets.
    virtual bool ReceivesMouseButtons() const { return false; }
    // A command from a child control or a menu: routed through OnCmdMsg.
    virtual BOOL OnCommand(UINT id);

    // ---- Drawing (by the display, inside an interface frame) ----

    // Draws the window at its placement from the parent's client origin;
    // the base draws the visible children.
    virtual void Draw(DrawOrigin parentClient);
    // Screen position of this window's client origin when its parent's
    // client area starts at parentClient.
    DrawOrigin ClientOrigin(DrawOrigin parentClient) const;

protected:
    // The creation Create performs, from a filled structure (CW_USEDEFAULT
    // placement values count as 0 here).
    BOOL CreateFromStruct(CREATESTRUCT cs);
    // Insets of the client area inside the placement (e.g. a caption line).
    virtual CRect NonClientInsets() const { return {}; }
    // Offset of the children's coordinates while the client area scrolls.
    virtual CPoint ScrollPosition() const { return {}; }
    // Copies the kind-specific state of a control being taken over; false
    // when other is not of this object's kind. The base copies nothing.
    virtual bool TakeOverState(CWnd& other) {
        (void)other;
        return true;
    }
    void DrawChildren(DrawOrigin client);

private:
    void AttachToParent(CWnd* parent);
    void DetachFromParent();
    void ReleaseWindow();
    void ReplaceChild(CWnd* old, CWnd* replacement);
    std::unique_ptr<CWnd> ReleaseOwned(CWnd* child);

    CWndHandle handle_;
    bool created_ = false;
    bool focusRequested_ = false;
    CWnd* parent_ = nullptr;
    std::vector<CWnd*> children_;               // creation order; not owned
    std::vector<std::unique_ptr<CWnd>> owned_;  // objects this window owns
    CRect rect_;                                // placement in the parent's client area
    UINT id_ = 0;
    DWORD style_ = 0;
    bool visible_ = false;
    bool enabled_ = true;
    std::string text_;
};

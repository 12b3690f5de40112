#pragma once

// CFrameWnd: the main window of the application: a menu bar from the
// resources, an accelerator table, and a client area filled by one child
// (the view, or a splitter of views) with id AFX_IDW_PANE_FIRST.
//
// The top-level frame is the display's window: LoadFrame opens the display
// (an SDL window with an OpenGL context, hidden until the frame is shown), so
// a render engine made during the views' initial update finds its window and
// context in place. Destroying the main frame closes the display and asks
// the application to quit.
//
// Command routing (OnCmdMsg): the active view (then its document), the
// frame's own handlers, next/previous pane when a splitter fills the frame,
// then the application.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ui/resources/accelerator_table.h"
#include "platform/ui/docview/create_context.h"
#include "platform/ui/controls/menu_bar.h"
#include "platform/ui/resources/menu_template.h"
#include "platform/ui/windows/wnd.h"

class CDocument;
class CView;
class UiHost;

class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    // Makes the frame with the resources of resourceId: the title (first
    // field of string resourceId), menu, accelerators and icon (each
    // optional). A frame without parent is the main window and opens the
    // display. Runs PreCreateWindow, OnCreate and (from it) OnCreateClient;
    // FALSE when any refuses or the display cannot open.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, CCreateContext* context = nullptr);
    // Builds the client area; the base makes the context's view class.
    virtual BOOL OnCreateClient(CREATESTRUCT* cs, CCreateContext* context);
    // Makes a view of context's view class filling the client area.
    CWnd* CreateView(CCreateContext* context, UINT id = 0xE900);

    CView* GetActiveView() const;
    void SetActiveView(CView* view, BOOL notify = TRUE);
    CDocument* GetActiveDocument() const;
    // The views' first update: the first view becomes active if none is,
    // every view below the frame gets OnInitialUpdate (in tree order), and
    // the frame is shown when makeVisible.
    void InitialUpdateFrame(CDocument* document, BOOL makeVisible);
    virtual void ActivateFrame(int command = -1);
    // Fits the child AFX_IDW_PANE_FIRST to the client area.
    virtual void RecalcLayout();
    // The user closes the frame: it is destroyed.
    virtual void OnClose();

    // The title as shown: "document - title" with FWS_ADDTOTITLE and an
    // active document, else the title.
    std::string GetFrameTitle() const;
    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    const MenuTemplate* GetMenu() const { return menu_ ? &*menu_ : nullptr; }
    void SetMenu(const MenuTemplate* menu);
    const CAcceleratorTable& GetAccelerators() const { return accelerators_; }
    UINT GetIconId() const { return iconId_; }
    // Posts the command of an accelerator for the key when the command has a
    // handler along the routing; true when the key was used so. Scene-only
    // entries count only when sceneHasKeyboard.
    bool TranslateAccelerator(std::uint16_t virtualKey, KeyModifiers held,
                              bool sceneHasKeyboard = true);
    // "Ctrl+N" for a command that has an accelerator, else "".
    std::string AcceleratorText(UINT command) const;
    // A key for the menu bar (Alt+letter, F10, keys in an open menu); true
    // when the menu took it.
    bool HandleMenuKey(std::uint16_t virtualKey, KeyModifiers held);
    // Alt is held: the menu titles underline their mnemonics.
    void SetMenuAltHeld(bool held) { menuBar_.SetAltHeld(held); }
    // The menu bar is selected or a menu is down: keys are the menu's.
    bool MenuHasKeyboard() const { return menuBar_.IsActive(); }
    const CMenuBar& GetMenuBar() const { return menuBar_; }

    bool OnCmdMsg(UINT id, CommandAction action) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(CREATESTRUCT* cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    void PostNcDestroy() override;
    void UpdateWindow() override;
    void Draw(DrawOrigin parentClient) override;

protected:
    CRect NonClientInsets() const override;

private:
    void DrawMenuBar();
    CMenuBar::Commands MenuCommands();
    bool RouteNextPane(UINT id, CommandAction action);

    UINT resourceId_ = 0;
    std::string title_;
    std::optional<MenuTemplate> menu_;
    CMenuBar menuBar_;
    CAcceleratorTable accelerators_;
    UINT iconId_ = 0;
    HWND activeView_ = nullptr;  // a handle: safe once the view is gone
    bool ownsDisplay_ = false;
};

// The frame that (directly or not) holds window, or null.
CFrameWnd* GetParentFrame(CWnd* window);

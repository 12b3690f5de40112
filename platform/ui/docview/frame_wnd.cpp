#include "platform/ui/docview/frame_wnd.h"

// Sections: creation and life; views; commands and accelerators; drawing.

#include <cstdio>
#include <memory>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/docview/create_context.h"
#include "platform/ui/docview/document.h"
#include "platform/ui/docview/frame_on_display.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/docview/splitter_wnd.h"
#include "platform/ui/host/ui_draw.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/core/ui_metrics.h"
#include "platform/ui/docview/view.h"
#include "platform/ui/docview/win_app.h"
#include "platform/window/system.h"

CFrameWnd* GetParentFrame(CWnd* window) {
    for (CWnd* parent = window != nullptr ? window->GetParent() : nullptr; parent != nullptr;
         parent = parent->GetParent()) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(parent)) {
            return frame;
        }
    }
    return nullptr;
}

// ---- Creation and life ----

CFrameWnd::~CFrameWnd() {
    if (ownsDisplay_) {
        if (UiHost* host = UiHost::Current()) {
            host->RequestClose();
        }
    }
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
    resourceId_ = resourceId;
    const CResourceTable& resources = AfxResources();
    title_ =
        DocStringField(resources.LoadString(resourceId).value_or(""), DocStringIndex::WindowTitle);
    SetMenu(resources.FindMenu(resourceId));
    if (const CAcceleratorTable* table = resources.FindAccelerators(resourceId)) {
        accelerators_ = *table;
    }
    iconId_ = resources.FindIcon(resourceId) != nullptr ? resourceId : 0;
    CREATESTRUCT cs;  // placement left at CW_USEDEFAULT: the display chooses
    cs.windowName = title_;
    cs.style = style;
    cs.parent = parent;
    cs.context = context;
    return CreateFromStruct(cs);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.className == nullptr) {
        cs.className = kToolkitWindowClass;
    }
    return TRUE;
}

int CFrameWnd::OnCreate(CREATESTRUCT* cs) {
    if (GetParent() == nullptr) {
        std::string error;
        UiHost* host = UiHost::Open(std::make_unique<FrameOnDisplay>(*this), cs->windowName,
                                    CSize(cs->cx, cs->cy), &error);
        if (host == nullptr) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return -1;
        }
        ownsDisplay_ = true;
        const CSize size = host->WindowSize();
        MoveWindow(0, 0, size.cx, size.cy);
    }
    if (!OnCreateClient(cs, cs->context)) {
        return -1;
    }
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(CREATESTRUCT* /*cs*/, CCreateContext* context) {
    if (context != nullptr && context->newViewClass != nullptr) {
        return CreateView(context) != nullptr ? TRUE : FALSE;
    }
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
    if (context == nullptr) {
        return nullptr;
    }
    std::unique_ptr<CWnd> made = CreateFromRuntimeClass<CWnd>(context->newViewClass);
    if (made == nullptr) {
        return nullptr;
    }
    CRect client;
    GetClientRect(&client);
    CWnd* view = AdoptChild(std::move(made));
    if (!view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, client, this, id, context)) {
        return nullptr;
    }
    return view;
}

void CFrameWnd::OnSize(UINT /*type*/, int /*cx*/, int /*cy*/) {
    RecalcLayout();
}

void CFrameWnd::RecalcLayout() {
    if (CWnd* pane = GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST))) {
        CRect client;
        GetClientRect(&client);
        pane->MoveWindow(client);
    }
}

void CFrameWnd::OnClose() {
    DestroyWindow();
}

void CFrameWnd::PostNcDestroy() {
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->GetMainWnd() == this) {
        app->SetMainWnd(nullptr);
        PostQuitMessage(0);
    }
    if (ownsDisplay_) {
        ownsDisplay_ = false;
        if (UiHost* host = UiHost::Current()) {
            host->RequestClose();
        }
    }
}

void CFrameWnd::UpdateWindow() {
    if (UiHost* host = UiHost::Current(); host != nullptr && ownsDisplay_) {
        host->RenderNow();
    }
}

CRect CFrameWnd::NonClientInsets() const {
    return {0, menu_ ? CurrentUiMetrics().menuBarHeight : 0, 0, 0};
}

void CFrameWnd::SetMenu(const MenuTemplate* menu) {
    CRect before;
    GetClientRect(&before);
    menu_.reset();
    if (menu != nullptr) {
        menu_ = *menu;
    }
    menuBar_.SetMenu(menu);
    CRect after;
    GetClientRect(&after);
    if (GetSafeHwnd() != nullptr && after.Height() != before.Height()) {
        OnSize(SIZE_RESTORED, after.Width(), after.Height());
    }
}

std::string CFrameWnd::GetFrameTitle() const {
    const CDocument* document = GetActiveDocument();
    if ((GetStyle() & FWS_ADDTOTITLE) == 0 || document == nullptr || document->GetTitle().empty()) {
        return title_;
    }
    return document->GetTitle() + " - " + title_;
}

// ---- Views ----

CView* CFrameWnd::GetActiveView() const {
    return dynamic_cast<CView*>(CWnd::FromHandle(activeView_));
}

void CFrameWnd::SetActiveView(CView* view, BOOL /*notify*/) {
    activeView_ = view != nullptr ? view->GetSafeHwnd() : nullptr;
}

CDocument* CFrameWnd::GetActiveDocument() const {
    const CView* view = GetActiveView();
    return view != nullptr ? view->GetDocument() : nullptr;
}

namespace {

// Every view below window, in tree order (a parent before its children).
void CollectViews(CWnd& window, std::vector<HWND>& views) {
    for (CWnd* child : window.Children()) {
        if (dynamic_cast<CView*>(child) != nullptr) {
            views.push_back(child->GetSafeHwnd());
        }
        CollectViews(*child, views);
    }
}

}  // namespace

void CFrameWnd::InitialUpdateFrame(CDocument* /*document*/, BOOL makeVisible) {
    std::vector<HWND> views;
    CollectViews(*this, views);
    if (GetActiveView() == nullptr && !views.empty()) {
        SetActiveView(dynamic_cast<CView*>(CWnd::FromHandle(views.front())));
    }
    // Handles, not pointers: an initial update may destroy another view.
    for (HWND handle : views) {
        if (auto* view = dynamic_cast<CView*>(CWnd::FromHandle(handle))) {
            view->OnInitialUpdate();
        }
    }
    if (makeVisible) {
        ActivateFrame();
    }
}

void CFrameWnd::ActivateFrame(int command) {
    ShowWindow(command == -1 ? SW_SHOW : command);
}

// ---- Commands and accelerators ----

bool CFrameWnd::RouteNextPane(UINT id, CommandAction action) {
    if (id != ID_NEXT_PANE && id != ID_PREV_PANE) {
        return false;
    }
    auto* splitter = dynamic_cast<CSplitterWnd*>(GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)));
    if (splitter == nullptr) {
        return false;
    }
    if (action == CommandAction::Execute) {
        splitter->ActivatePane(id == ID_PREV_PANE);
    }
    return true;
}

bool CFrameWnd::OnCmdMsg(UINT id, CommandAction action) {
    if (CView* view = GetActiveView(); view != nullptr && view->OnCmdMsg(id, action)) {
        return true;
    }
    if (CWnd::OnCmdMsg(id, action) || RouteNextPane(id, action)) {
        return true;
    }
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(id, action);
}

bool CFrameWnd::TranslateAccelerator(std::uint16_t virtualKey, KeyModifiers held,
                                     bool sceneHasKeyboard) {
    if (menuBar_.IsActive()) {
        return false;  // the menu has the keyboard
    }
    const std::optional<UINT> command = accelerators_.Translate(virtualKey, held, sceneHasKeyboard);
    if (!command || !OnCmdMsg(*command, CommandAction::Query)) {
        return false;
    }
    PostCommand(this, *command);
    return true;
}

namespace {

std::string KeyName(std::uint16_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        return std::string(1, static_cast<char>(key));
    }
    if (key >= VK_F1 && key <= VK_F12) {
        return "F" + std::to_string(key - VK_F1 + 1);
    }
    switch (key) {
        case VK_BACK:
            return "Backspace";
        case VK_INSERT:
            return "Ins";
        case VK_DELETE:
            return "Del";
        case VK_RETURN:
            return "Enter";
        case VK_ESCAPE:
            return "Esc";
        case VK_SPACE:
            return "Space";
        case VK_TAB:
            return "Tab";
        case VK_OEM_PERIOD:
            return ".";
        default:
            return "?";
    }
}

}  // namespace

std::string CFrameWnd::AcceleratorText(UINT command) const {
    for (const Accelerator& entry : accelerators_.Entries()) {
        if (entry.command != command || (entry.flags & FVIRTKEY) == 0) {
            continue;
        }
        std::string text;
        text += (entry.flags & FCONTROL) != 0 ? "Ctrl+" : "";
        text += (entry.flags & FALT) != 0 ? "Alt+" : "";
        text += (entry.flags & FSHIFT) != 0 ? "Shift+" : "";
        return text + KeyName(entry.key);
    }
    return {};
}

// ---- Drawing ----

CMenuBar::Commands CFrameWnd::MenuCommands() {
    return {[this](UINT command) { return OnCmdMsg(command, CommandAction::Query); },
            [this](UINT command) { PostCommand(this, command); },
            [this](UINT command) { return AcceleratorText(command); },
            [this](UINT command) { return OnCmdMsg(command, CommandAction::QueryChecked); }};
}

bool CFrameWnd::HandleMenuKey(std::uint16_t virtualKey, KeyModifiers held) {
    return menuBar_.HandleKey(virtualKey, held, MenuCommands());
}

void CFrameWnd::DrawMenuBar() {
    menuBar_.Draw(MenuCommands());
}

void CFrameWnd::Draw(DrawOrigin parentClient) {
    if (!IsWindowVisible()) {
        return;
    }
    DrawMenuBar();
    ImGui::PushID(this);
    DrawChildren(ClientOrigin(parentClient));
    ImGui::PopID();
}

#include "platform/ui/docview/win_app.h"

#include "platform/ui/core/command_ids.h"
#include "platform/ui/docview/doc_template.h"
#include "platform/ui/dialogs/file_open_dialog.h"
#include "platform/ui/docview/frame_wnd.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/windows/wnd.h"
#include "platform/window/system.h"

namespace {

CWinApp* currentApp = nullptr;

}  // namespace

CWinApp::CWinApp(const char* appName) : appName_(appName != nullptr ? appName : "") {
    currentApp = this;
    SetAppIdentity({[this] { return GetAppName(); },
                    [this] { return mainWnd_ != nullptr ? mainWnd_->GetSafeHwnd() : nullptr; }});
    MapCommand(ID_APP_EXIT, [this] { OnAppExit(); });
}

CWinApp::~CWinApp() {
    CloseAllDocuments();
    if (currentApp == this) {
        currentApp = nullptr;
        SetAppIdentity({});
    }
}

CWinApp* AfxGetApp() {
    return currentApp;
}

std::string CWinApp::GetAppName() const {
    if (!appName_.empty()) {
        return appName_;
    }
    return AfxResources().LoadString(AFX_IDS_APP_TITLE).value_or("");
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return initFailed_ ? 1 : QuitExitCode();
}

BOOL CWinApp::OnIdle(LONG count) {
    return count < 1 ? TRUE : FALSE;
}

int CWinApp::Run() {
    LONG idleCount = 0;
    bool idleWanted = true;
    const auto idle = [this, &idleCount, &idleWanted](bool messagesHandled) {
        if (messagesHandled) {
            idleCount = 0;
            idleWanted = true;
        }
        if (idleWanted) {
            idleWanted = OnIdle(idleCount++) != FALSE;
        }
        return idleWanted;
    };
    while (!QuitRequested()) {
        UiHost* host = UiHost::Current();
        if (host == nullptr) {
            break;  // no display and no main window: nothing can happen any more
        }
        host->RunTurn(idle);
        UiHost::CollectClosed();
    }
    return ExitInstance();
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) {
    if (docTemplate != nullptr) {
        templates_.emplace_back(docTemplate);
    }
}

CDocTemplate* CWinApp::GetDocTemplate(std::size_t index) const {
    return index < templates_.size() ? templates_[index].get() : nullptr;
}

void CWinApp::CloseAllDocuments() {
    while (!templates_.empty()) {
        templates_.pop_back();
    }
}

void CWinApp::OnFileNew() {
    if (CDocTemplate* first = GetDocTemplate(0)) {
        first->OpenDocumentFile(nullptr);
    }
}

void CWinApp::OnFileOpen() {
    CFileOpenDialog dialog(mainWnd_);
    if (dialog.DoModal() == IDOK && !dialog.fileName.empty()) {
        OpenDocumentFile(dialog.fileName.c_str());
    }
}

void CWinApp::OnAppExit() {
    if (auto* frame = dynamic_cast<CFrameWnd*>(mainWnd_)) {
        frame->OnClose();
    } else {
        PostQuitMessage(0);
    }
}

CDocument* CWinApp::OpenDocumentFile(const char* path) {
    CDocTemplate* first = GetDocTemplate(0);
    return first != nullptr ? first->OpenDocumentFile(path) : nullptr;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const {
    for (std::size_t i = 1; i < arguments_.size(); ++i) {
        const std::string& argument = arguments_[i];
        const bool flag = argument.size() > 1 && argument[0] == '-';
        const std::size_t dashes = flag ? argument.find_first_not_of('-') : 0;
        const std::string param =
            flag ? argument.substr(dashes == std::string::npos ? argument.size() : dashes)
                 : argument;
        info.ParseParam(param.c_str(), flag ? TRUE : FALSE,
                        i + 1 == arguments_.size() ? TRUE : FALSE);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    switch (info.shellCommand) {
        case CCommandLineInfo::FileNew:
            if (!OnCmdMsg(ID_FILE_NEW, CommandAction::Execute)) {
                OnFileNew();
            }
            return mainWnd_ != nullptr ? TRUE : FALSE;
        case CCommandLineInfo::FileOpen:
            return OpenDocumentFile(info.fileName.c_str()) != nullptr ? TRUE : FALSE;
        case CCommandLineInfo::FileNothing:
            return TRUE;
    }
    return FALSE;
}

bool CWinApp::OnCmdMsg(UINT id, CommandAction action) {
    return CCmdTarget::OnCmdMsg(id, action);
}

int AfxWinMain(int argc, char** argv) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    app->SetCommandLine(std::vector<std::string>(argv, argv + argc));
    ClearQuitRequest();
    int exitCode = 0;
    if (app->InitInstance()) {
        exitCode = app->Run();
    } else {
        app->SetInitFailed(true);
        exitCode = app->ExitInstance();
    }
    app->CloseAllDocuments();
    app->SetMainWnd(nullptr);
    UiHost::CollectClosed();
    UiHost::Shutdown();
    return exitCode;
}

BOOL AfxOleInit() {
    return TRUE;
}
void AfxEnableControlContainer() {}
void InitCommonControls() {}

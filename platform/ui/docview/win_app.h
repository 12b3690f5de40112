#pragma once

// CWinApp: the application object. Exactly one is current at a time (made
// current by its constructor); a program derives from it and overrides
// InitInstance (start-up) and OnIdle (the idle turn).
//
// AfxWinMain runs the whole life: InitInstance; if it succeeds, Run (the
// message loop) until the quit request, which ends with ExitInstance; then
// the document templates, their frames and the display are destroyed.
//
// The loop, one thread, one turn after another: every waiting event is
// handled (the interface first; presses and size changes in an image pane
// go to that pane); then, while it asks for more, the idle handler runs with
// its count of calls since the last handled message; then the interface is
// drawn and shown; then posted commands run. Modal boxes run nested turns
// that never call the idle handler.
//
// Commands the application handles itself: ID_APP_EXIT (closes the main
// window). New and Open are offered as OnFileNew and OnFileOpen for the
// program to map (MapCommand) as it wishes.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/windows/cmd_target.h"
#include "platform/ui/docview/command_line_info.h"
#include "platform/ui/core/ui_types.h"
#include "platform/ui/windows/app_identity.h"
#include "platform/window/system.h"

class CDocTemplate;
class CDocument;
class CWnd;

class CWinApp : public CCmdTarget {
public:
    // appName: the application's name; null takes string resource
    // AFX_IDS_APP_TITLE (57344) when it is first asked for.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // Start-up; FALSE ends the program at once. The base returns TRUE.
    virtual BOOL InitInstance();
    // After the loop; its result is the exit code. The base returns the
    // quit request's code, or 1 after a failed InitInstance.
    virtual int ExitInstance();
    // One idle turn; count is the number of idle calls since the last
    // handled message (0 first). TRUE asks for another idle turn. The base
    // does the toolkit's housekeeping and returns TRUE for count 0 only.
    virtual BOOL OnIdle(LONG count);
    // The message loop; returns ExitInstance's result.
    virtual int Run();

    // Takes ownership of docTemplate (null is ignored).
    void AddDocTemplate(CDocTemplate* docTemplate);
    CDocTemplate* GetDocTemplate(std::size_t index) const;
    std::size_t GetDocTemplateCount() const { return templates_.size(); }
    // Destroys the templates (their frames, then documents).
    void CloseAllDocuments();

    // New document from the first template.
    void OnFileNew();
    // Asks for a file name in a modal box, then opens it.
    void OnFileOpen();
    // Closes the main window (the loop ends), or asks to quit without one.
    void OnAppExit();
    virtual CDocument* OpenDocumentFile(const char* path);

    // The arguments of AfxWinMain (program name first).
    void SetCommandLine(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }
    void ParseCommandLine(CCommandLineInfo& info) const;
    // New or Open as info asks. FALSE when it fails (no main window after
    // New, or the file not opened).
    BOOL ProcessShellCommand(CCommandLineInfo& info);

    // The settings key: recorded and nothing else (no settings are stored).
    void SetRegistryKey(const char* key) { registryKey_ = key != nullptr ? key : ""; }
    const std::string& GetRegistryKey() const { return registryKey_; }
    // Standard settings: none are kept; the call only records mruCount.
    void LoadStdProfileSettings(UINT mruCount = 4) { mruCount_ = mruCount; }

    CWnd* GetMainWnd() const { return mainWnd_; }
    void SetMainWnd(CWnd* window) { mainWnd_ = window; }
    std::string GetAppName() const;

    bool OnCmdMsg(UINT id, CommandAction action) override;

    // Set by AfxWinMain when InitInstance fails.
    bool InitFailed() const { return initFailed_; }
    void SetInitFailed(bool failed) { initFailed_ = failed; }

private:
    std::string appName_;
    std::vector<std::unique_ptr<CDocTemplate>> templates_;
    std::vector<std::string> arguments_;
    std::string registryKey_;
    UINT mruCount_ = 0;
    CWnd* mainWnd_ = nullptr;  // not owned
    bool initFailed_ = false;
};

// The current application; null when none exists. Its name and the
// message boxes captioned with it are in app_identity.h.
CWinApp* AfxGetApp();
// Runs the current application's life (see above) and returns its exit code.
int AfxWinMain(int argc, char** argv);

// Start-up calls of the classic toolkit; here they prepare nothing and succeed.
BOOL AfxOleInit();
void AfxEnableControlContainer();
void InitCommonControls();

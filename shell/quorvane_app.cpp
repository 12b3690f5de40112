#include "shell/quorvane_app.h"

#include "framework/clock.h"
#include "platform/ui/core/command_ids.h"
#include "platform/ui/docview/doc_template.h"
#include "rendering/flocking_arena_render_engine.h"
#include "shell/3d_view.h"
#include "shell/about_dlg.h"
#include "shell/built_in_presets.h"
#include "shell/flock_size_dialog.h"
#include "shell/live_behaviors.h"
#include "shell/main_frame.h"
#include "shell/preset_file.h"
#include "shell/quorvane_doc.h"
#include "shell/quorvane_view.h"
#include "shell/resources/behavior_page_templates.h"
#include "shell/resources/shell_resource_ids.h"
#include "shell/resources/shell_resources.h"

CQuorvaneApp::CQuorvaneApp() {
    MapCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    MapCommand(ID_FLOCK_SIZE, [this] { OnFlockSize(); });
    MapViewCommands();
    MapCommand(ID_FILE_NEW, [this] {
        CQuorvaneDoc* document = GetDocument();
        if (document == nullptr || document->SaveModified()) {
            OnFileNew();
        }
    });
}

CQuorvaneApp::~CQuorvaneApp() {
    SetLiveBehaviorsSource(nullptr);
    SetBehaviorsAppliedHandler(nullptr);
    SetPageSettingsSource(nullptr);
}

CQuorvaneDoc* CQuorvaneApp::GetDocument() const {
    const auto* frame = dynamic_cast<const CFrameWnd*>(GetMainWnd());
    return frame != nullptr ? dynamic_cast<CQuorvaneDoc*>(frame->GetActiveDocument()) : nullptr;
}

CQuorvaneApp* GetQuorvaneApp() {
    return dynamic_cast<CQuorvaneApp*>(AfxGetApp());
}

RenderLib::Clock& CQuorvaneApp::GetEngineClock() const {
    return engineClock_ != nullptr ? *engineClock_ : RenderLib::Clock::Default();
}

BOOL CQuorvaneApp::InitInstance() {
    std::vector<std::string> presetNames;
    for (const auto& preset : BuiltInPresets()) {
        presetNames.push_back(PresetDisplayName(preset));
    }
    RegisterShellResources(presetNames);
    RegisterBehaviorPageTemplates(AfxResources());
    // The pages read the behaviours of whatever engine is live at the time.
    SetLiveBehaviorsSource([this]() -> std::vector<cBehavior*>* {
        return renderEngine != nullptr ? &renderEngine->behaviors : nullptr;
    });
    SetPageSettingsSource([this] { return PageSettings{applyAsYouEdit_, flockSize_}; });
    SetBehaviorsAppliedHandler([this] {
        if (CQuorvaneDoc* document = GetDocument()) {
            document->SetModifiedFlag(TRUE);
        }
    });

    InitCommonControls();
    CWinApp::InitInstance();
    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    AfxEnableControlContainer();
    SetRegistryKey("Veltrana Applications");
    LoadStdProfileSettings(0);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RuntimeClassOf<CQuorvaneDoc>(),
                                          RuntimeClassOf<CMainFrame>(),
                                          RuntimeClassOf<CQuorvaneView>()));
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine)) {
        return FALSE;
    }
    GetMainWnd()->ShowWindow(SW_SHOW);
    GetMainWnd()->UpdateWindow();
    if (startedHandler_) {
        startedHandler_();
    }
    return TRUE;
}

BOOL CQuorvaneApp::OnIdle(LONG count) {
    CWinApp::OnIdle(count);
    if (renderEngine != nullptr) {
        renderEngine->RenderFrame();
        ++framesRendered_;
        const auto* frame = dynamic_cast<const CMainFrame*>(GetMainWnd());
        if (C3DView* scene = frame != nullptr ? frame->GetSceneView() : nullptr) {
            scene->RefreshPanels();
        }
    }
    return TRUE;
}

void CQuorvaneApp::OnFlockSize() {
    if (renderEngine == nullptr) {
        return;
    }
    CFlockSizeDialog dialog(renderEngine->FishCount(), GetMainWnd());
    if (dialog.DoModal() == IDOK && renderEngine != nullptr) {
        renderEngine->RebuildFlock(dialog.fish);
        flockSize_ = dialog.fish;
    }
}

void CQuorvaneApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}

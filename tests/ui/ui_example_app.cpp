// ui-example: a small application on the user-interface toolkit, built the
// way the program's shell is: a single-document template, a frame split
// into a form (a property sheet with two pages) and an image pane that an
// OpenGL device draws into on every idle turn, a menu, accelerators and an
// About box.
//
//   ui-example [--frames N] [--screenshot FILE.png] [--about] [--prompt]
//
// --frames N ends the program after N drawn frames (0, the default: run
// until closed); --screenshot writes the whole window as it was at that last
// frame; --about opens the About box on the third turn and keeps it open,
// --prompt the same with a message box.
// Exit status 0, or 1 when the screenshot could not be written.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <SDL.h>

#include "platform/gfx/d3d9.h"
#include "platform/gfx/opengl/opengl_direct3d.h"
#include "platform/ui/core/command_ids.h"
#include "platform/ui/controls/data_exchange.h"
#include "platform/ui/docview/doc_template.h"
#include "platform/ui/docview/document.h"
#include "platform/ui/docview/form_view.h"
#include "platform/ui/docview/frame_wnd.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/docview/pane_view.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/controls/slider_ctrl.h"
#include "platform/ui/docview/splitter_wnd.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/docview/win_app.h"
#include "platform/ui/host/window_screenshot.h"
#include "platform/window/sdl_window_system.h"

namespace {

constexpr UINT kMainResource = 128;
constexpr UINT kAboutTemplate = 100;
constexpr UINT kFormTemplate = 130;
constexpr UINT kColourTemplate = 131;
constexpr UINT kMotionTemplate = 132;
constexpr UINT kSpareTemplate = 133;
constexpr UINT kSparePages = 4;  // more tabs than one row holds
const char* const kSpareTitles[kSparePages] = {"Lighting Page", "Camera Page", "Water Page",
                                               "Sound and Music Page"};
constexpr int kSliderId = 1001;
constexpr int kApplyId = 1002;
constexpr int kEditId = 1004;

// What the pages edit and the scene draws.
struct SceneSettings {
    float red = 0.2f;    // 0..1
    float speed = 1.0f;  // turns of the triangle per second... roughly
};
SceneSettings settings;

IconImage MakeIcon() {
    IconImage icon{32, 32, std::vector<std::uint8_t>(32 * 32 * 4)};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const float dx = (x - 15.5f) / 14.0f;
            const float dy = (y - 15.5f) / 9.0f;
            const bool inside = dx * dx + dy * dy <= 1.0f || (x < 6 && std::abs(y - 16) < x);
            std::uint8_t* pixel = &icon.rgba[static_cast<std::size_t>(y * 32 + x) * 4];
            pixel[0] = 40;
            pixel[1] = static_cast<std::uint8_t>(120 + y * 3);
            pixel[2] = 200;
            pixel[3] = inside ? 255 : 0;
        }
    }
    return icon;
}

DialogTemplate PageTemplate(UINT id, const char* caption, const char* slider, const char* edit) {
    DialogTemplate page{id, caption, 186, 90};
    page.controls = {
        {ControlKind::Static, IDC_STATIC, slider, 7, 15, 48, 8},
        {ControlKind::Trackbar, kSliderId, "", 63, 7, 122, 24, TBS_AUTOTICKS | TBS_TOP},
        {ControlKind::Static, IDC_STATIC, edit, 7, 36, 50, 8},
        {ControlKind::Edit, kEditId, "", 63, 33, 67, 14},
        {ControlKind::PushButton, kApplyId, "Apply", 67, 69, 50, 14},
    };
    return page;
}

void RegisterResources() {
    CResourceTable& resources = AfxResources();
    resources.AddString(AFX_IDS_APP_TITLE, "UI Example");
    resources.AddString(kMainResource, "UI Example\n\nUI Example\n\n\nExample.Document");
    resources.AddDialog({kFormTemplate, "", 186, 191});
    resources.AddDialog(PageTemplate(kColourTemplate, "Colour Page", "Red:", "Green:"));
    resources.AddDialog(PageTemplate(kMotionTemplate, "Motion Page", "Spin:", "Speed:"));
    for (UINT i = 0; i < kSparePages; ++i) {
        resources.AddDialog(PageTemplate(kSpareTemplate + i, kSpareTitles[i], "Level:", "Amount:"));
    }
    DialogTemplate about{kAboutTemplate, "About UI Example", 235, 55};
    about.controls = {
        {ControlKind::Icon, IDC_STATIC, "", 11, 17, 20, 20, 0, kMainResource},
        {ControlKind::Static, IDC_STATIC, "UI Example Version 1.0", 40, 10, 119, 8},
        {ControlKind::DefPushButton, IDOK, "OK", 178, 7, 50, 16},
    };
    resources.AddDialog(about);
    resources.AddMenu({kMainResource,
                       {{"&File", {{"E&xit", ID_APP_EXIT}}},
                        {"&Help", {{"&About UI Example...", ID_APP_ABOUT}}}}});
    resources.AddAccelerators(
        kMainResource, {{FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW}, {FVIRTKEY, VK_F6, ID_NEXT_PANE}});
    resources.AddIcon(kMainResource, MakeIcon());
}

// A page with a slider (0..1000) and a number box, applied to settings.
class CExamplePage : public CPropertyPage {
public:
    CExamplePage(UINT templateId, float& sliderValue, float& numberValue)
        : CPropertyPage(templateId), sliderValue_(sliderValue), numberValue_(numberValue) {
        MapCommand(kApplyId, [this] { OnApplyButton(); });
    }
    void Refresh() {
        position_ = static_cast<int>(sliderValue_ * 1000.0f);
        number_ = numberValue_;
        if (GetSafeHwnd() != nullptr) {
            UpdateData(FALSE);
        }
    }
    BOOL OnInitDialog() override {
        CPropertyPage::OnInitDialog();
        slider_.SetRangeMin(0);
        slider_.SetRangeMax(1000);
        slider_.SetTicFreq(100);
        UpdateData(FALSE);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Slider(exchange, kSliderId, position_);
        DDX_Control(exchange, kSliderId, slider_);
        DDX_Text(exchange, kEditId, number_);
    }

private:
    void OnApplyButton() {
        UpdateData(TRUE);
        sliderValue_ = static_cast<float>(position_) * 0.001f;
        numberValue_ = number_;
    }

    float& sliderValue_;
    float& numberValue_;
    int position_ = 0;
    float number_ = 0.0f;
    CSliderCtrl slider_;
};

float spin = 0.5f;
float green = 0.3f;

class CExampleDoc : public CDocument {};

class CExampleFormView : public CFormView {
public:
    CExampleFormView() : CFormView(kFormTemplate) {}
    void OnInitialUpdate() override {
        CFormView::OnInitialUpdate();
        if (sheet_.GetSafeHwnd() != nullptr) {
            return;  // one sheet, whatever number of initial updates
        }
        sheet_.AddPage(&colour_);
        sheet_.AddPage(&motion_);
        for (CExamplePage& page : spare_) {
            sheet_.AddPage(&page);
        }
        sheet_.Create(this, WS_CHILD | WS_VISIBLE, 0);
        CRect client;
        GetClientRect(&client);
        const CRect placement = sheet_.GetPlacement();
        sheet_.MoveWindow(0, 0, placement.Width(), client.Height());
    }
    void OnUpdate(CView*, LPARAM, CObject*) override {
        colour_.Refresh();
        motion_.Refresh();
    }

private:
    CPropertySheet sheet_{"Settings"};
    CExamplePage colour_{kColourTemplate, settings.red, green};
    CExamplePage motion_{kMotionTemplate, spin, settings.speed};
    float spareValues_[2 * kSparePages] = {};
    CExamplePage spare_[kSparePages] = {{kSpareTemplate, spareValues_[0], spareValues_[1]},
                                        {kSpareTemplate + 1, spareValues_[2], spareValues_[3]},
                                        {kSpareTemplate + 2, spareValues_[4], spareValues_[5]},
                                        {kSpareTemplate + 3, spareValues_[6], spareValues_[7]}};
};

class CSceneView;
CSceneView* sceneView = nullptr;

// The image pane: an OpenGL device draws a spinning triangle into it.
class CSceneView : public CPaneView {
public:
    ~CSceneView() override { ReleaseDevice(); }
    void OnInitialUpdate() override {
        CPaneView::OnInitialUpdate();
        sceneView = this;
        if (device_ != nullptr) {
            return;
        }
        direct3D_ = OpenGLDirect3D::Create(D3D_SDK_VERSION);
        D3DPRESENT_PARAMETERS parameters;
        parameters.Windowed = 1;
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
        if (direct3D_ == nullptr ||
            FAILED(direct3D_->CreateDevice(0, D3DDEVTYPE_HAL, GetSafeHwnd(),
                                           D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters,
                                           &device_))) {
            AfxMessageBox("No OpenGL device could be made.", MB_ICONERROR);
            return;
        }
        SetImageSource([this] { return device_->GetPresentedImage(); });
    }
    void OnDestroy() override {
        ReleaseDevice();
        sceneView = nullptr;
        CPaneView::OnDestroy();
    }
    void OnSize(UINT, int cx, int cy) override {
        if (device_ != nullptr && cx > 0 && cy > 0) {
            D3DPRESENT_PARAMETERS parameters;
            parameters.Windowed = 1;
            parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
            parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
            device_->Reset(&parameters);
        }
    }
    void OnLButtonDown(UINT, CPoint) override { SetCapture(GetSafeHwnd()); }
    void OnLButtonUp(UINT, CPoint) override { ReleaseCapture(); }

    void RenderFrame() {
        if (device_ == nullptr) {
            return;
        }
        angle_ += 0.02f * settings.speed;
        const D3DCOLOR clear = 0xFF000000u | static_cast<D3DCOLOR>(settings.red * 255.0f) << 16 |
                               static_cast<D3DCOLOR>(green * 255.0f) << 8 | 0x60u;
        device_->Clear(0, nullptr, D3DCLEAR_TARGET, clear, 1.0f, 0);
        device_->BeginScene();
        DrawTriangle();
        device_->EndScene();
        device_->Present(nullptr, nullptr, nullptr, nullptr);
        GetSafeHwnd()->SetText("Scene : " + std::to_string(++frames_) + " frames");
    }

private:
    struct Vertex {
        float x, y, z;
        D3DCOLOR color;
    };

    void DrawTriangle() {
        constexpr DWORD kFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;
        const float turn = angle_ * (0.5f + spin);
        std::vector<Vertex> vertices;
        const D3DCOLOR colors[3] = {0xFFFF4040, 0xFF40FF40, 0xFF4080FF};
        for (int corner = 0; corner < 3; ++corner) {
            // Clockwise on screen, which the default culling keeps.
            const float a = turn - static_cast<float>(corner) * 2.0943951f;
            vertices.push_back({0.6f * std::cos(a), 0.6f * std::sin(a), 0.5f, colors[corner]});
        }
        IDirect3DVertexBuffer9* buffer = nullptr;
        if (FAILED(device_->CreateVertexBuffer(sizeof(Vertex) * 3, D3DUSAGE_WRITEONLY, kFormat,
                                               D3DPOOL_MANAGED, &buffer, nullptr))) {
            return;
        }
        void* data = nullptr;
        buffer->Lock(0, 0, &data, 0);
        std::copy(vertices.begin(), vertices.end(), static_cast<Vertex*>(data));
        buffer->Unlock();
        device_->SetRenderState(D3DRS_LIGHTING, 0);
        device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device_->SetFVF(kFormat);
        device_->SetStreamSource(0, buffer, 0, sizeof(Vertex));
        device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1);
        device_->SetStreamSource(0, nullptr, 0, 0);
        buffer->Release();
    }

    void ReleaseDevice() {
        SafeRelease(device_);
        SafeRelease(direct3D_);
    }

    IDirect3D9* direct3D_ = nullptr;
    IDirect3DDevice9* device_ = nullptr;
    float angle_ = 0.0f;
    int frames_ = 0;
};

class CExampleFrame : public CFrameWnd {
public:
    BOOL OnCreateClient(CREATESTRUCT*, CCreateContext* context) override {
        return splitter_.CreateStatic(this, 1, 2) &&
               splitter_.CreateView(0, 0, context->newViewClass, CSize(335, 0), context) &&
               splitter_.CreateView(0, 1, RuntimeClassOf<CSceneView>(), CSize(0, 0), context) &&
               (SetActiveView(dynamic_cast<CView*>(splitter_.GetPane(0, 1))), true);
    }

private:
    CSplitterWnd splitter_;
};

struct Options {
    int frames = 0;
    std::string screenshot;
    bool about = false;
    bool prompt = false;
};

class CExampleApp : public CWinApp {
public:
    explicit CExampleApp(Options options) : options_(std::move(options)) {
        MapCommand(ID_APP_ABOUT, [] {
            CDialog about(kAboutTemplate);
            about.DoModal();
        });
        MapCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    }

    BOOL InitInstance() override {
        RegisterResources();
        InitCommonControls();
        if (!AfxOleInit()) {
            return FALSE;
        }
        SetRegistryKey("Example Applications");
        LoadStdProfileSettings(0);
        AddDocTemplate(new CSingleDocTemplate(kMainResource, RuntimeClassOf<CExampleDoc>(),
                                              RuntimeClassOf<CExampleFrame>(),
                                              RuntimeClassOf<CExampleFormView>()));
        CCommandLineInfo info;
        info.shellCommand = CCommandLineInfo::FileNew;
        if (!ProcessShellCommand(info)) {
            return FALSE;
        }
        GetMainWnd()->ShowWindow(SW_SHOW);
        GetMainWnd()->UpdateWindow();
        WatchFrames();
        return TRUE;
    }

    BOOL OnIdle(LONG count) override {
        CWinApp::OnIdle(count);
        if (sceneView != nullptr) {
            sceneView->RenderFrame();
        }
        return TRUE;
    }

    int ExitInstance() override {
        const int code = CWinApp::ExitInstance();
        return screenshotFailed_ ? 1 : code;
    }

private:
    void WatchFrames() {
        UiHost* host = UiHost::Current();
        host->SetTurnObserver([this](const TurnInfo& turn) {
            if (options_.about && turn.turn == 3) {
                PostCommand(this, ID_APP_ABOUT);
            }
            if (options_.prompt && turn.turn == 3) {
                PostToTarget(this, [] { AfxMessageBox(kEnterNumberPrompt, MB_ICONEXCLAMATION); });
            }
            if (options_.screenshot.empty() && options_.frames > 0 &&
                turn.turn > static_cast<std::uint64_t>(options_.frames)) {
                PostQuitMessage(0);
            }
        });
        if (!options_.screenshot.empty() && options_.frames > 0) {
            ScreenshotAfterFrames(
                *host, options_.frames, options_.screenshot,
                [this](bool written) { screenshotFailed_ = !written; }, true);
        }
    }

    Options options_;
    bool screenshotFailed_ = false;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--frames" && i + 1 < argc) {
            options.frames = std::atoi(argv[++i]);
        } else if (argument == "--screenshot" && i + 1 < argc) {
            options.screenshot = argv[++i];
        } else if (argument == "--about") {
            options.about = true;
        } else if (argument == "--prompt") {
            options.prompt = true;
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    // SDL video and the OpenGL library stay loaded until the process ends, so
    // that the leak checker can tell the driver's own allocations by name.
    if (InitSdlVideo(nullptr)) {
        SDL_GL_LoadLibrary(nullptr);
    }
    if (options.about || options.prompt) {
        UiHostOptions host;
        host.unattendedModals = false;  // the box stays open for the screenshot
        UiHost::SetOptions(host);
    }
    CExampleApp app(options);
    return AfxWinMain(argc, argv);
}

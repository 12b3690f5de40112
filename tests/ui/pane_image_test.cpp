// The image pane shows what an OpenGL device drew for it, the right way up
// and in its place, under its caption line: read back from the whole window.

#include <cstdint>
#include <vector>

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/gfx/d3d9.h"
#include "platform/gfx/opengl/opengl_direct3d.h"
#include "platform/gfx/opengl/window_capture.h"
#include "platform/ui/docview/doc_template.h"
#include "platform/ui/docview/document.h"
#include "platform/ui/docview/frame_wnd.h"
#include "platform/ui/docview/pane_view.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/core/ui_metrics.h"
#include "platform/ui/docview/win_app.h"
#include "ui_test_support.h"

namespace {

// Clears its device blue with a red top-left quarter on every frame.
class DevicePane : public CPaneView {
public:
    ~DevicePane() override { Release(); }
    void OnInitialUpdate() override {
        CPaneView::OnInitialUpdate();
        direct3D_ = OpenGLDirect3D::Create(D3D_SDK_VERSION);
        ASSERT_NE(direct3D_, nullptr);
        D3DPRESENT_PARAMETERS parameters;
        parameters.Windowed = 1;
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        ASSERT_EQ(
            direct3D_->CreateDevice(0, D3DDEVTYPE_HAL, GetSafeHwnd(),
                                    D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters, &device_),
            D3D_OK);
        width = static_cast<int>(parameters.BackBufferWidth);
        height = static_cast<int>(parameters.BackBufferHeight);
        SetImageSource([this] { return device_->GetPresentedImage(); });
        GetSafeHwnd()->SetText("Scene : 60 FPS");
    }
    void OnDestroy() override {
        Release();
        CPaneView::OnDestroy();
    }
    void Render() {
        if (device_ == nullptr) {
            return;
        }
        device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
        const D3DRECT quarter{0, 0, width / 2, height / 2};
        device_->Clear(1, &quarter, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0);
        device_->Present(nullptr, nullptr, nullptr, nullptr);
    }
    int width = 0;
    int height = 0;

private:
    void Release() {
        SafeRelease(device_);
        SafeRelease(direct3D_);
    }
    IDirect3D9* direct3D_ = nullptr;
    IDirect3DDevice9* device_ = nullptr;
};

class PaneApp : public CWinApp {
public:
    PaneApp() : CWinApp("Quorvane") {}
    BOOL InitInstance() override {
        AddDocTemplate(new CSingleDocTemplate(128, RuntimeClassOf<CDocument>(),
                                              RuntimeClassOf<CFrameWnd>(),
                                              RuntimeClassOf<DevicePane>()));
        CCommandLineInfo info;
        if (!ProcessShellCommand(info)) {
            return FALSE;
        }
        GetMainWnd()->ShowWindow(SW_SHOW);
        pane = dynamic_cast<DevicePane*>(static_cast<CFrameWnd*>(GetMainWnd())->GetActiveView());
        if (pane == nullptr) {
            return FALSE;
        }
        UiHost::Current()->SetFrameRenderedHook([this](SDL_Window* window) {
            if (++frames == 4) {
                ReadWindowPixels(window, pixels, width, height);
                paneOrigin = pane->ClientToScreen(CPoint(0, 0));
                PostQuitMessage(0);
            }
        });
        return TRUE;
    }
    BOOL OnIdle(LONG) override {
        if (pane != nullptr && pane->GetSafeHwnd() != nullptr) {
            pane->Render();
        }
        return TRUE;
    }

    DevicePane* pane = nullptr;
    int frames = 0;
    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
    CPoint paneOrigin;
};

class PaneImageTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        ASSERT_TRUE(KeepOffscreenOpenGlLoaded());
        UiHostOptions options;
        options.width = 400;
        options.height = 300;
        UiHost::SetOptions(options);
    }
    // The window's pixel at (x, y) as 0xRRGGBB.
    std::uint32_t Pixel(int x, int y) const {
        const std::uint8_t* p = &app.pixels[(static_cast<std::size_t>(y) * app.width + x) * 4];
        return static_cast<std::uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
    }
    PaneApp app;
};

TEST_F(PaneImageTest, DeviceImageFillsTheClientAreaTopRowFirst) {
    char name[] = "ui_tests";
    char* argv[] = {name, nullptr};
    ASSERT_EQ(AfxWinMain(1, argv), 0);
    ASSERT_EQ(app.width, 400);
    ASSERT_EQ(app.height, 300);
    const int captionHeight = CurrentUiMetrics().paneCaptionHeight;
    EXPECT_EQ(app.paneOrigin, CPoint(0, captionHeight));
    const int top = app.paneOrigin.y;
    EXPECT_EQ(Pixel(10, top + 5), 0xFF0000u);              // the red quarter is at the top left
    EXPECT_EQ(Pixel(10, app.height - 5), 0x0000FFu);       // bottom left
    EXPECT_EQ(Pixel(app.width - 10, top + 5), 0x0000FFu);  // top right
    EXPECT_EQ(Pixel(app.width / 2 - 3, top + (app.height - top) / 2 - 3), 0xFF0000u);
    // Shown pixel for pixel: the quarter's edge is sharp on both axes.
    const int quarterBottom = top + (app.height - top) / 2;
    EXPECT_EQ(Pixel(app.width / 2 - 1, top + 5), 0xFF0000u);
    EXPECT_EQ(Pixel(app.width / 2, top + 5), 0x0000FFu);
    EXPECT_EQ(Pixel(10, quarterBottom - 1), 0xFF0000u);
    EXPECT_EQ(Pixel(10, quarterBottom), 0x0000FFu);
    EXPECT_NE(Pixel(app.width - 10, captionHeight / 2), 0x0000FFu);  // the caption line is no image
}

}  // namespace

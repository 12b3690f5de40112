#pragma once

// The application on a detached display (window logic only, no drawing)
// with its engine on the recording device, reading the generated data
// beside the test program; message boxes are recorded as "caption: text".

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/recording/recording_device.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/host/ui_host.h"
#include "platform/window/system.h"
#include "shell/3d_view.h"
#include "shell/main_frame.h"
#include "shell/quorvane_app.h"
#include "simulation/random_source.h"

class DetachedAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxResources().Clear();
        while (DispatchPostedMessages() > 0) {
        }
        ClearQuitRequest();
        ReleaseCapture();
        SetVirtualCursor(0, 0);
        SharedRandom().Seed(1);
        UiHostOptions options;
        options.detached = true;
        options.width = 800;
        options.height = 500;
        UiHost::SetOptions(options);
        direct3D = new RecordingDirect3D();
        direct3D->adapters.push_back(TypicalAdapter());
        RecordingDirect3D* installed = direct3D;
        SetDirect3DFactory([installed](UINT) {
            installed->AddRef();
            return installed;
        });
        SetMessageBoxPresenter([this](HWND, const std::string& text, const std::string& caption,
                                      UINT) { messages.push_back(caption + ": " + text); });
    }

    void TearDown() override {
        app.CloseAllDocuments();
        app.SetMainWnd(nullptr);
        UiHost::Shutdown();
        SetDirect3DFactory({});
        SetMessageBoxPresenter(nullptr);
        direct3D->Release();
        AfxResources().Clear();
        ClearQuitRequest();
        ReleaseCapture();
    }

    void Start() { ASSERT_TRUE(app.InitInstance()); }
    C3DView* Scene() const { return dynamic_cast<CMainFrame*>(app.GetMainWnd())->GetSceneView(); }
    std::size_t Presents() const { return direct3D->Log().Matching("Present(").size(); }

    RecordingDirect3D* direct3D = nullptr;
    std::vector<std::string> messages;
    CQuorvaneApp app;
};

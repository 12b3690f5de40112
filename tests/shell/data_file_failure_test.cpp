// The application started on a copy of its data in which one file is
// missing or damaged: every data file the program reads against every kind
// of damage. The test program lives in a folder of its own, so the media
// search finds nothing beside it and the copy is all there is.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/media_search.h"
#include "platform/gfx/recording/recording_device.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/host/ui_host.h"
#include "platform/window/system.h"
#include "shell/3d_view.h"
#include "shell/main_frame.h"
#include "shell/quorvane_app.h"
#include "tools/asset_generator/asset_generator.h"

namespace {

namespace fs = std::filesystem;

// A kind of damage, and the words the program gives for it.
struct Damage {
    std::function<void(const fs::path&)> inflict;
    std::string imageReason;
    std::string modelReason;
};

const Damage kDamages[] = {
    {[](const fs::path& file) { fs::remove(file); }, "no such file", "no such file"},
    {[](const fs::path& file) { fs::resize_file(file, 0); }, "empty", "empty"},
    {[](const fs::path& file) { fs::resize_file(file, fs::file_size(file) / 2); }, "truncated",
     "truncated"},
    {[](const fs::path& file) {
         std::mt19937 random(7);
         std::ofstream out(file, std::ios::binary | std::ios::trunc);
         for (int i = 0; i < 4096; ++i) {
             out.put(static_cast<char>(random() & 0xFF));
         }
     },
     "not a PNG/JPEG image", "not a model file"},
    {[](const fs::path& file) {
         fs::remove(file);
         fs::create_directory(file);
     },
     "is a directory", "is a directory"},
};

struct Outcome {
    bool sceneStarted = false;
    std::vector<std::string> messages;  // "caption: text"
    std::string errors;                 // standard error
};

// The application on a detached display with its engine on the recording
// device, started in the current folder and shut down again.
Outcome StartApplication() {
    AfxResources().Clear();
    while (DispatchPostedMessages() > 0) {
    }
    ClearQuitRequest();
    UiHostOptions options;
    options.detached = true;
    UiHost::SetOptions(options);
    auto* direct3D = new RecordingDirect3D();
    direct3D->adapters.push_back(TypicalAdapter());
    SetDirect3DFactory([direct3D](UINT) {
        direct3D->AddRef();
        return direct3D;
    });
    Outcome outcome;
    SetMessageBoxPresenter([&](HWND, const std::string& text, const std::string& caption, UINT) {
        outcome.messages.push_back(caption + ": " + text);
    });
    testing::internal::CaptureStderr();
    {
        CQuorvaneApp app;
        app.InitInstance();
        const auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
        outcome.sceneStarted = frame != nullptr && frame->GetSceneView()->EngineStarted();
        app.CloseAllDocuments();
        app.SetMainWnd(nullptr);
        UiHost::Shutdown();
    }
    outcome.errors = testing::internal::GetCapturedStderr();
    SetDirect3DFactory({});
    SetMessageBoxPresenter(nullptr);
    direct3D->Release();
    AfxResources().Clear();
    ClearQuitRequest();
    return outcome;
}

class DataFileFailure : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorvane_data_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        // Two folders down, so that the search's "../" and "../../" stay inside root.
        work = root / "a" / "b";
        fs::create_directories(work);
        previousFolder = fs::current_path();
        fs::current_path(work);
        unsetenv(RenderLib::kSdkMediaVariable);
    }
    void TearDown() override {
        fs::current_path(previousFolder);
        fs::remove_all(root);
    }

    // A fresh copy of the generated data in the current folder.
    void CopyData() {
        fs::remove_all(work / "Data");
        fs::copy(QUORVANE_DATA_DIR, work / "Data", fs::copy_options::recursive);
    }

    fs::path root;
    fs::path work;
    fs::path previousFolder;
};

TEST_F(DataFileFailure, EachDamagedFileIsNamedWithWhyAndOnlyTheIconIsOptional) {
    CopyData();
    const Outcome intact = StartApplication();
    ASSERT_TRUE(intact.sceneStarted) << intact.errors;
    EXPECT_TRUE(intact.messages.empty());
    EXPECT_EQ(intact.errors.find("warning"), std::string::npos) << intact.errors;

    for (const std::string& file : assets::AssetGenerator::OutputFiles()) {
        for (const Damage& damage : kDamages) {
            CopyData();
            damage.inflict(work / "Data" / file);
            const Outcome outcome = StartApplication();
            // Named as "…Data/<file>: <reason>" whether found (full path) or not.
            const std::string named =
                "Data/" + file + ": " +
                (file.ends_with(".x") ? damage.modelReason : damage.imageReason);
            const std::string context = named + "\n" + outcome.errors;
            if (file == "icon.png") {
                EXPECT_TRUE(outcome.sceneStarted) << context;
                EXPECT_TRUE(outcome.messages.empty()) << context;
                EXPECT_NE(outcome.errors.find("warning"), std::string::npos) << context;
                EXPECT_NE(outcome.errors.find(named), std::string::npos) << context;
                continue;
            }
            EXPECT_FALSE(outcome.sceneStarted) << context;
            EXPECT_EQ(outcome.messages.size(), 1u) << context;
            if (outcome.messages.empty()) {
                continue;
            }
            EXPECT_EQ(outcome.messages[0].rfind("Fatal Error!: ", 0), 0u) << outcome.messages[0];
            EXPECT_NE(outcome.messages[0].find(named), std::string::npos) << outcome.messages[0];
            for (const std::string& other : assets::AssetGenerator::OutputFiles()) {
                EXPECT_TRUE(other == file || outcome.messages[0].find(other) == std::string::npos)
                    << named << " alone is damaged, yet " << outcome.messages[0];
            }
        }
    }
}

}  // namespace

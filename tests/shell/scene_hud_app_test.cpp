// The scene pane's panels and File > Save Screenshot in the whole
// application on SDL's offscreen display, drawn for real: the statistics
// and help panels show in the saved picture of the window, the caption says
// where it went, and a folder that is gone gives a message naming the file
// and the reason.

#include <unistd.h>

#include <filesystem>
#include <regex>
#include <string>

#include <SDL.h>
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include "framework/fixed_step_clock.h"
#include "platform/gfx/opengl/opengl_direct3d.h"
#include "platform/ui/windows/cmd_target.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/host/window_screenshot.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/system.h"
#include "rendering/flocking_arena_render_engine.h"
#include "shell/3d_view.h"
#include "shell/main_frame.h"
#include "shell/quorvane_app.h"
#include "shell/resources/shell_resource_ids.h"
#include "simulation/random_source.h"
#include "tests/shell/app_script.h"
#include "tests/shell/offscreen_app_test.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 800;
constexpr int kHeight = 520;

// Pixels in [x0, x1) × [y0, y1) that are light and colourless: the panels'
// writing, never the blue water or sky.
int LightGreys(const WindowPixels& picture, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const std::uint8_t* p = &picture.rgba[(y * picture.width + x) * 4];
            count += p[0] > 190 && p[1] > 190 && p[2] > 190 && std::abs(p[0] - p[2]) < 20;
        }
    }
    return count;
}

WindowPixels LoadPng(const fs::path& path) {
    WindowPixels picture;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 4);
    picture.rgba.assign(pixels, pixels + (pixels ? picture.width * picture.height * 4 : 0));
    stbi_image_free(pixels);
    return picture;
}

class SceneHudAppTest : public OffscreenAppTest {
protected:
    SceneHudAppTest() : OffscreenAppTest(kWidth, kHeight) {}

    void SetUp() override {
        OffscreenAppTest::SetUp();
        folder = fs::temp_directory_path() / ("hud-app-" + std::to_string(getpid()));
        fs::create_directories(folder);
        app.SetScreenshotFolder(folder.string());
    }

    void TearDown() override {
        OffscreenAppTest::TearDown();
        fs::remove_all(folder);
    }

    fs::path folder;
};

TEST_F(SceneHudAppTest, SavedScreenshotShowsThePanelsAndTheCaptionSaysWhere) {
    WindowPixels plain, picture;
    fs::path saved;
    std::vector<std::string> messages;
    script.Wait(3);
    script.Then([&] {
        CaptureAfterNextFrame(*UiHost::Current(), [&](WindowPixels pixels) { plain = pixels; });
        return true;
    });
    script.Then([&] { return plain.width > 0; });
    script.Then([&] {
        app.renderEngine->viewSettings.showStatistics = true;
        app.renderEngine->viewSettings.showHelp = true;
        PostCommand(Frame(), ID_FILE_SAVE_SCREENSHOT);  // the scene, the active view, takes it
        return true;
    });
    script.Then([&] {
        for (const auto& entry : fs::directory_iterator(folder)) {
            saved = entry.path();
        }
        return !saved.empty();
    });
    script.Then([&] {
        EXPECT_NE(Scene()->CaptionText().find("Screenshot saved: " + saved.string()),
                  std::string::npos)
            << Scene()->CaptionText();
        picture = LoadPng(saved);
        fs::remove_all(folder);  // the folder is gone by the next screenshot
        SetMessageBoxPresenter([&](HWND, const std::string& text, const std::string&, UINT) {
            messages.push_back(text);
        });
        PostCommand(Frame(), ID_FILE_SAVE_SCREENSHOT);
        return true;
    });
    script.Then([&] { return !messages.empty(); });
    ASSERT_EQ(RunApplication(), 0);

    EXPECT_TRUE(std::regex_match(saved.filename().string(),
                                 std::regex(R"(quorvane-\d{4}-\d\d-\d\d-\d{6}\.png)")))
        << saved;
    ASSERT_EQ(picture.width, kWidth);
    ASSERT_EQ(picture.height, kHeight);
    // The statistics at the scene image's top left; the help at its top
    // right, moved below them in a pane too narrow for both side by side.
    const int left = CMainFrame::kFormPaneWidth + 10;
    const int top = 45;
    EXPECT_LT(LightGreys(plain, left, top, left + 250, top + 60), 20);
    EXPECT_GT(LightGreys(picture, left, top, left + 250, top + 60), 300);
    EXPECT_LT(LightGreys(plain, kWidth - 200, top + 130, kWidth - 10, top + 330), 20);
    EXPECT_GT(LightGreys(picture, kWidth - 200, top + 130, kWidth - 10, top + 330), 300);

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("could not be saved as " + folder.string() + "/quorvane-"),
              std::string::npos)
        << messages[0];
    EXPECT_NE(messages[0].find(": the folder does not exist."), std::string::npos) << messages[0];
}

}  // namespace

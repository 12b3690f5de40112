// The SDL window layer under the offscreen driver: windows made through the
// factory, the window-system services and the video error text.

#include <string>

#include <SDL.h>
#include <gtest/gtest.h>

#include "opengl_test_support.h"
#include "platform/window/sdl_window.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/system.h"

namespace {

class SdlWindowTest : public ::testing::Test {
protected:
    void SetUp() override { PrepareOffscreenOpenGL(); }
    void TearDown() override {
        if (window_ != nullptr) {
            DestroyPlatformWindow(window_);
        }
        ClearQuitRequest();
    }

    HWND Create(const std::string& title, int width, int height) {
        WindowCreation creation;
        creation.title = title;
        creation.width = width;
        creation.height = height;
        window_ = CreatePlatformWindow(creation);
        return window_;
    }

    HWND window_ = nullptr;
};

TEST_F(SdlWindowTest, FactoryMakesAnSdlWindowOfTheRequestedSize) {
    ASSERT_NE(Create("Quorvane", 200, 150), nullptr);
    const RECT client = window_->GetClientRect();
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 150);
    EXPECT_NE(window_->GetNativeWindow(), nullptr);
    EXPECT_TRUE(window_->ShowsPresentedImage());
    EXPECT_EQ(window_->GetStyle(), WindowStyle::Overlapped);
}

TEST_F(SdlWindowTest, TextIsTheTitle) {
    ASSERT_NE(Create("Quorvane", 100, 100), nullptr);
    EXPECT_EQ(window_->GetText(), "Quorvane");
    window_->SetText("Scene : 60 FPS");
    EXPECT_EQ(window_->GetText(), "Scene : 60 FPS");
    EXPECT_STREQ(SDL_GetWindowTitle(static_cast<SDL_Window*>(window_->GetNativeWindow())),
                 "Scene : 60 FPS");
}

TEST_F(SdlWindowTest, PlacementResizesTheClientArea) {
    ASSERT_NE(Create("placed", 100, 100), nullptr);
    window_->SetPlacement(50, 50, 400, 300);
    const RECT client = window_->GetClientRect();
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
    const RECT outer = window_->GetWindowRect();
    EXPECT_GE(outer.right - outer.left, 400);
}

TEST_F(SdlWindowTest, DefaultSizeIsUsedWhenNoneIsGiven) {
    ASSERT_NE(Create("default", CW_USEDEFAULT, CW_USEDEFAULT), nullptr);
    const RECT client = window_->GetClientRect();
    EXPECT_GT(client.right, 0);
    EXPECT_GT(client.bottom, 0);
}

TEST_F(SdlWindowTest, QuitMessageBecomesAnSdlQuitEvent) {
    SDL_FlushEvent(SDL_QUIT);
    PostQuitMessage(3);
    EXPECT_TRUE(QuitRequested());
    EXPECT_EQ(QuitExitCode(), 3);
    EXPECT_EQ(SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT), 1);
    SDL_FlushEvent(SDL_QUIT);
}

// ---- Display detection and the video error text (no SDL needed) ----

TEST(RealDisplayAvailable, DisplaylessDriversNeverShowBoxes) {
    EXPECT_FALSE(RealDisplayAvailable("offscreen", ":0", nullptr));
    EXPECT_FALSE(RealDisplayAvailable("dummy", ":0", "wayland-0"));
    EXPECT_FALSE(RealDisplayAvailable("x11", nullptr, nullptr));
    EXPECT_FALSE(RealDisplayAvailable(nullptr, "", ""));
    EXPECT_TRUE(RealDisplayAvailable("x11", ":0", nullptr));
    EXPECT_TRUE(RealDisplayAvailable(nullptr, nullptr, "wayland-0"));
}

TEST(SdlVideoFailureMessage, NamesTheProblemTheCauseAndTheWayOut) {
    const std::string message = SdlVideoFailureMessage("x11 not available");
    EXPECT_NE(message.find("video"), std::string::npos);
    EXPECT_NE(message.find("x11 not available"), std::string::npos);
    EXPECT_NE(message.find("SDL_VIDEODRIVER=offscreen"), std::string::npos);
    EXPECT_NE(message.find("--headless"), std::string::npos);
    EXPECT_EQ(SdlVideoFailureMessage("").find("()"), std::string::npos);
}

}  // namespace

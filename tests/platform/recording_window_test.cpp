#include <gtest/gtest.h>

#include "platform/gfx/recording/recording_window.h"

namespace {

TEST(RecordingWindowTest, PlacementMovesTheWindowAndSizesTheClientArea) {
    RecordingWindow window(640, 480);
    window.SetPlacement(50, 50, 400, 400);
    const RECT outer = window.GetWindowRect();
    EXPECT_EQ(outer.left, 50);
    EXPECT_EQ(outer.bottom, 450);
    const RECT client = window.GetClientRect();
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 400);
    ASSERT_EQ(window.placements.size(), 1u);
    EXPECT_EQ(window.placements[0].right, 450);
    EXPECT_EQ(window.calls, std::vector<std::string>{"SetPlacement(50, 50, 400, 400)"});

    window.SetClientSize(200, 100);  // a user resize is not a recorded call
    EXPECT_EQ(window.GetClientRect().right, 200);
    EXPECT_EQ(window.GetWindowRect().left, 50);
    EXPECT_EQ(window.calls.size(), 1u);
}

TEST(RecordingWindowTest, TextStyleAndMenuAreRecordedInOrder) {
    RecordingWindow window(320, 200, "Scene");
    EXPECT_EQ(window.GetText(), "Scene");
    window.SetText("Scene : 60 FPS");
    window.SetText("Scene : 59 FPS");
    window.RemoveMenu();
    window.SetStyle(WindowStyle::Popup);
    EXPECT_EQ(window.GetText(), "Scene : 59 FPS");
    EXPECT_EQ(window.texts, (std::vector<std::string>{"Scene : 60 FPS", "Scene : 59 FPS"}));
    EXPECT_EQ(window.GetStyle(), WindowStyle::Popup);
    EXPECT_FALSE(window.hasMenu);
    EXPECT_EQ(window.menuRemovals, 1);
    EXPECT_EQ(window.calls.back(), "SetStyle(Popup)");
    EXPECT_EQ(window.GetNativeWindow(), nullptr);
    EXPECT_FALSE(window.ShowsPresentedImage());
}

TEST(RecordingWindowTest, AnAttachedLogInterleavesWindowAndDeviceCalls) {
    auto log = std::make_shared<CallLog>();
    RecordingWindow window;
    window.AttachLog(log);
    auto* device = new RecordingDevice(log, CapableCaps(), D3DPRESENT_PARAMETERS{}, &window);
    window.SetStyle(WindowStyle::Overlapped);
    D3DPRESENT_PARAMETERS parameters;
    device->Reset(&parameters);
    EXPECT_EQ(log->Lines(), (std::vector<std::string>{"SetStyle(Overlapped)", "Reset(ptr)"}));
    device->Release();
}

}  // namespace

#include <gtest/gtest.h>

#include "platform/gfx/recording/recording_window.h"
#include "platform/window/system.h"

namespace {

// The services are process-wide; every case starts from the same state.
class SystemTest : public ::testing::Test {
protected:
    SystemTest() { ResetSystem(); }
    ~SystemTest() override { ResetSystem(); }

    static void ResetSystem() {
        SetMessageBoxPresenter(nullptr);
        SetQuitPoster(nullptr);
        ClearQuitRequest();
        ReleaseCapture();
        SetCursorPos(0, 0);
        ShowCursor(true);
        ClearKeyboardState();
        SetKeyboardRoutedToScene(true);
    }

    RecordingWindow window;
};

TEST_F(SystemTest, CaptureReportsThePreviousHolderAndIsReleased) {
    RecordingWindow other;
    EXPECT_EQ(SetCapture(&window), nullptr);
    EXPECT_EQ(SetCapture(&other), &window);
    EXPECT_EQ(GetCapture(), &other);
    EXPECT_EQ(ReleaseCapture(), 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SystemTest, VirtualCursorSumsMotionAndIsResetBySetCursorPos) {
    SetCapture(&window);
    SetCursorPos(100, 100);
    MoveVirtualCursorBy(5, -3);
    MoveVirtualCursorBy(-12, 40);
    POINT point;
    ASSERT_EQ(GetCursorPos(&point), 1);
    EXPECT_EQ(point.x, 93);
    EXPECT_EQ(point.y, 137);

    SetCursorPos(10, 20);
    MoveVirtualCursorBy(1, 1);
    ASSERT_EQ(GetCursorPos(&point), 1);
    EXPECT_EQ(point.x, 11);
    EXPECT_EQ(point.y, 21);
    EXPECT_EQ(GetCursorPos(nullptr), 0);

    SetVirtualCursor(-4, 7);
    ASSERT_EQ(GetCursorPos(&point), 1);
    EXPECT_EQ(point.x, -4);
}

TEST_F(SystemTest, ShowCursorReturnsThePreviousState) {
    EXPECT_TRUE(ShowCursor(false));
    EXPECT_FALSE(CursorVisible());
    EXPECT_FALSE(ShowCursor(false));
    EXPECT_FALSE(ShowCursor(true));
    EXPECT_TRUE(CursorVisible());
}

TEST_F(SystemTest, KeysReadAsUpWhileTheKeyboardIsNotRoutedToTheScene) {
    KeyStateTable table{};
    SetKeyDown(VK_UP, true);
    SetKeyDown(VK_RBUTTON, true);
    SetKeyDown(0xFF, true);  // the last entry of the table
    ASSERT_EQ(GetKeyboardState(table.data()), 1);
    EXPECT_EQ(table[VK_UP], 0x80);
    EXPECT_EQ(table[VK_RBUTTON], 0x80);
    EXPECT_EQ(table[0xFF], 0x80);
    EXPECT_EQ(table[VK_DOWN], 0);

    SetKeyboardRoutedToScene(false);
    ASSERT_EQ(GetKeyboardState(table.data()), 1);
    for (std::uint8_t value : table) {
        EXPECT_EQ(value, 0);
    }
    SetKeyboardRoutedToScene(true);  // the held keys are still held
    ASSERT_EQ(GetKeyboardState(table.data()), 1);
    EXPECT_EQ(table[VK_UP], 0x80);

    SetKeyDown(VK_UP, false);
    ASSERT_EQ(GetKeyboardState(table.data()), 1);
    EXPECT_EQ(table[VK_UP], 0);
    EXPECT_EQ(GetKeyboardState(nullptr), 0);
}

TEST_F(SystemTest, MessageBoxGoesToThePresenterAndReturnsOk) {
    std::vector<std::string> shown;
    HWND owner = nullptr;
    UINT shownType = 0;
    SetMessageBoxPresenter(
        [&](HWND from, const std::string& text, const std::string& caption, UINT type) {
            owner = from;
            shown.push_back(caption + "|" + text);
            shownType = type;
        });
    EXPECT_EQ(MessageBoxA(&window, "Device creation failed.", "Fatal Error!", MB_ICONERROR), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OK), IDOK);  // null texts are empty
    EXPECT_EQ(shown, (std::vector<std::string>{"Fatal Error!|Device creation failed.", "|"}));
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(shownType, MB_OK);

    SetMessageBoxPresenter(nullptr);  // standard error only
    EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", MB_OK), IDOK);
    EXPECT_EQ(shown.size(), 2u);
}

TEST_F(SystemTest, QuitRequestKeepsItsExitCodeUntilCleared) {
    std::vector<int> posted;
    SetQuitPoster([&](int code) { posted.push_back(code); });
    EXPECT_FALSE(QuitRequested());
    PostQuitMessage(3);
    EXPECT_TRUE(QuitRequested());
    EXPECT_EQ(QuitExitCode(), 3);
    EXPECT_EQ(posted, std::vector<int>{3});
    ClearQuitRequest();
    EXPECT_FALSE(QuitRequested());
    EXPECT_EQ(QuitExitCode(), 0);
}

}  // namespace

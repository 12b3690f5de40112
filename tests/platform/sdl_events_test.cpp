// The SDL event pump: SDL events into the key table, the virtual cursor and
// the quit request of platform/window/system.h.

#include <array>
#include <cstdint>

#include <SDL.h>
#include <gtest/gtest.h>

#include "opengl_test_support.h"
#include "platform/window/sdl_events.h"
#include "platform/window/system.h"

namespace {

SDL_Event KeyEvent(SDL_Keycode key, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.sym = key;
    return event;
}

SDL_Event ButtonEvent(std::uint8_t button, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    return event;
}

SDL_Event MotionEvent(int x, int y, int dx, int dy) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    return event;
}

std::uint8_t KeyState(std::uint8_t key) {
    std::array<std::uint8_t, 256> table{};
    EXPECT_TRUE(GetKeyboardState(table.data()));
    return table[key];
}

class SdlEventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareOffscreenOpenGL();
        Reset();
    }
    void TearDown() override { Reset(); }
    static void Reset() {
        ClearKeyboardState();
        ReleaseCapture();
        SetVirtualCursor(0, 0);
        ClearQuitRequest();
        ShowCursor(true);
        SyncSdlMouseState();
    }
};

TEST(VirtualKeys, ProgramKeysMapToTheirCodes) {
    EXPECT_EQ(VirtualKeyFromSdlKey(SDLK_UP), VK_UP);
    EXPECT_EQ(VirtualKeyFromSdlKey(SDLK_DOWN), VK_DOWN);
    EXPECT_EQ(VirtualKeyFromSdlKey(SDLK_LEFT), VK_LEFT);
    EXPECT_EQ(VirtualKeyFromSdlKey(SDLK_RIGHT), VK_RIGHT);
    EXPECT_EQ(VirtualKeyFromSdlKey(SDLK_PAGEUP), VK_PRIOR);
    EXPECT_EQ(VirtualKeyFromSdlKey(SDLK_PAGEDOWN), VK_NEXT);
    EXPECT_FALSE(VirtualKeyFromSdlKey(SDLK_a).has_value());
    EXPECT_EQ(VirtualKeyFromSdlButton(SDL_BUTTON_LEFT), VK_LBUTTON);
    EXPECT_EQ(VirtualKeyFromSdlButton(SDL_BUTTON_RIGHT), VK_RBUTTON);
    EXPECT_FALSE(VirtualKeyFromSdlButton(SDL_BUTTON_MIDDLE).has_value());
}

TEST_F(SdlEventsTest, KeysAndButtonsAreHeldBetweenPressAndRelease) {
    FeedSdlEvent(KeyEvent(SDLK_PAGEUP, true));
    FeedSdlEvent(ButtonEvent(SDL_BUTTON_RIGHT, true));
    EXPECT_EQ(KeyState(VK_PRIOR), 0x80);
    EXPECT_EQ(KeyState(VK_RBUTTON), 0x80);
    EXPECT_EQ(KeyState(VK_UP), 0);
    FeedSdlEvent(KeyEvent(SDLK_PAGEUP, false));
    FeedSdlEvent(ButtonEvent(SDL_BUTTON_RIGHT, false));
    EXPECT_EQ(KeyState(VK_PRIOR), 0);
    EXPECT_EQ(KeyState(VK_RBUTTON), 0);
}

TEST_F(SdlEventsTest, LosingFocusReleasesHeldKeys) {
    FeedSdlEvent(KeyEvent(SDLK_UP, true));
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    FeedSdlEvent(focus);
    EXPECT_EQ(KeyState(VK_UP), 0);
}

TEST_F(SdlEventsTest, CapturedMotionSumsIntoTheVirtualCursor) {
    WindowCreation creation;
    creation.width = creation.height = 32;
    HWND holder = CreatePlatformWindow(creation);
    ASSERT_NE(holder, nullptr);
    SetCapture(holder);
    SetCursorPos(100, 100);
    FeedSdlEvent(MotionEvent(7, 7, 5, -3));
    FeedSdlEvent(MotionEvent(7, 7, 2, 10));
    POINT cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 107);
    EXPECT_EQ(cursor.y, 107);
    ReleaseCapture();
    SyncSdlMouseState();
    DestroyPlatformWindow(holder);
}

TEST_F(SdlEventsTest, UncapturedMotionFollowsThePointer) {
    FeedSdlEvent(MotionEvent(30, 40, 5, 5));
    POINT cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 30);  // no window: window position taken as 0, 0
    EXPECT_EQ(cursor.y, 40);
}

TEST_F(SdlEventsTest, CloseRequestBecomesTheQuitRequest) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    FeedSdlEvent(quit);
    EXPECT_TRUE(QuitRequested());
    EXPECT_EQ(QuitExitCode(), 0);
    SDL_FlushEvent(SDL_QUIT);
}

TEST_F(SdlEventsTest, PumpHandsEveryEventToTheForwarderAndTheState) {
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_Event down = KeyEvent(SDLK_LEFT, true);
    SDL_PushEvent(&down);
    SDL_Event button = ButtonEvent(SDL_BUTTON_LEFT, true);
    SDL_PushEvent(&button);
    int forwarded = 0;
    const int handled = PumpSdlEvents([&forwarded](const SDL_Event&) { ++forwarded; });
    EXPECT_GE(handled, 2);
    EXPECT_EQ(forwarded, handled);
    EXPECT_EQ(KeyState(VK_LEFT), 0x80);
    EXPECT_EQ(KeyState(VK_LBUTTON), 0x80);
    EXPECT_EQ(PumpSdlEvents(), 0);  // nothing waiting: the idle turn
}

}  // namespace

// Keyboard and mouse through the whole toolkit as a user meets them, on the
// offscreen display: events pushed between two turns arrive together, as
// they do when the program draws few frames a second.

#include <chrono>
#include <string>

#include <imgui.h>

#include "platform/ui/host/ui_host_input_feed.h"
#include "tests/ui/toolkit_test_app.h"

namespace {

using Clock = std::chrono::steady_clock;

// Waits until the interface's key repeat would have started (a key held by
// mistake then acts again).
Step WaitPastKeyRepeat() {
    auto until = std::make_shared<Clock::time_point>();
    return [until] {
        if (*until == Clock::time_point{}) {
            *until = Clock::now() + std::chrono::milliseconds(600);
        }
        return Clock::now() >= *until;
    };
}

Step Do(std::function<void()> action) {
    return [action = std::move(action)] {
        action();
        return true;
    };
}

class UiInputTest : public UiHostTest {
protected:
    RatePage& Alignment() { return app.Frame()->Form()->alignment; }
    std::string RateText() { return Alignment().GetDlgItemText(kAlignmentRate); }
    const CMenuBar& Menu() { return app.Frame()->GetMenuBar(); }
    void Run(std::initializer_list<Step> steps) {
        app.steps.push_back(Wait(2));
        app.steps.insert(app.steps.end(), steps);
        EXPECT_EQ(RunApplication(), 0);
    }
};

TEST_F(UiInputTest, KeysTappedWithinOneFrameActOnceAndTypingKeepsItsOrder) {
    Run({Do([&] { Click(CentreOf(*Alignment().GetDlgItem(kAlignmentRate))); }), Wait(2),
         // All between two frames: empty the box, type, then edit its start.
         Do([] {
             PushKey(SDLK_END);
             for (int i = 0; i < 3; ++i) {
                 PushKey(SDLK_BACKSPACE);
             }
             Type("12345678");
             PushKey(SDLK_HOME);
             PushKey(SDLK_DELETE);
             Type("9");
         }),
         WaitPastKeyRepeat(), Do([&] {
             EXPECT_EQ(RateText(), "92345678");
             EXPECT_FALSE(UiHost::Current() != nullptr && Menu().IsActive());
             // One quick Backspace takes one character, however long after.
             PushKey(SDLK_END);
             PushKey(SDLK_BACKSPACE);
         }),
         WaitPastKeyRepeat(), Do([&] { EXPECT_EQ(RateText(), "9234567"); })});
}

TEST_F(UiInputTest, ArrowsMoveTheFocusedTrackbarUntilAClickInTheSceneTakesThem) {
    int position = 0;
    Run({Do([&] { Click(CentreOf(Alignment().gainSlider)); }), Wait(2), Do([&] {
             position = Alignment().gainSlider.GetPos();
             EXPECT_FALSE(SceneReadsKeys());
             PushKey(SDLK_LEFT);
         }),
         WaitPastKeyRepeat(), Do([&] {
             EXPECT_EQ(Alignment().gainSlider.GetPos(), position - 1);
             Click(CentreOf(*app.Frame()->Pane()));
         }),
         Wait(2), Do([&] {
             EXPECT_TRUE(SceneReadsKeys());
             PushKey(SDLK_LEFT);
         }),
         WaitPastKeyRepeat(),
         Do([&] { EXPECT_EQ(Alignment().gainSlider.GetPos(), position - 1); })});
}

TEST_F(UiInputTest, MenusOpenByMouseAfterASceneClickAndWorkByKeys) {
    const int bar = CurrentUiMetrics().menuBarHeight;
    const CPoint file(20, bar / 2);
    Run({Do([&] { Click(CentreOf(*app.Frame()->Pane())); }), Wait(2), Do([&] { Click(file); }),
         Wait(2), Do([&] {
             EXPECT_EQ(Menu().OpenIndex(), 0);
             EXPECT_FALSE(SceneReadsKeys());
             PushKey(SDLK_ESCAPE);
         }),
         Wait(2), Do([&] {
             EXPECT_FALSE(Menu().IsActive());
             PushKeyEvent(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
             PushKey(SDLK_h, KMOD_LALT);
             PushKeyEvent(SDL_KEYUP, SDLK_LALT);
         }),
         Wait(2), Do([&] {
             EXPECT_EQ(Menu().OpenIndex(), 1);
             EXPECT_EQ(Menu().HighlightIndex(), 0);
             PushKey(SDLK_LEFT);  // to File, its Exit highlighted
         }),
         Wait(2), Do([&] {
             EXPECT_EQ(Menu().OpenIndex(), 0);
             PushKey(SDLK_ESCAPE);
             PushKey(SDLK_F10);  // the bar, File selected
         }),
         Wait(2), Do([&] {
             EXPECT_EQ(Menu().OpenIndex(), -1);
             EXPECT_EQ(Menu().SelectedIndex(), 0);
             PushKey(SDLK_RIGHT);
             PushKey(SDLK_RETURN);  // drops Help
             PushKey(SDLK_RETURN);  // About Quorvane...
         }),
         [&] { return app.about != nullptr; }, Do([] { PushKey(SDLK_RETURN); }),
         [&] { return app.about == nullptr; },
         Do([&] { EXPECT_FALSE(Menu().IsActive()); })});
    EXPECT_EQ(app.aboutShown, 1);
}

// The queue's rules on their own: what each frame hands the interface.
TEST(InputFeedTest, EachFrameTakesWhatItCanWithoutMergingChanges) {
    ASSERT_TRUE(KeepOffscreenOpenGlLoaded());  // SDL's key codes and names
    struct Frame {
        std::string keysDown;  // scancodes' key names held, in scancode order
        std::string text;
        bool leftDown = false;
    };
    const auto key = [](Uint32 type, SDL_Keycode code, Uint16 mod = KMOD_NONE) {
        SDL_Event event{};
        event.type = type;
        event.key.keysym.sym = code;
        event.key.keysym.scancode = SDL_GetScancodeFromKey(code);
        event.key.keysym.mod = mod;
        return event;
    };
    const auto text = [](const char* characters) {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        SDL_strlcpy(event.text.text, characters, sizeof event.text.text);
        return event;
    };
    const auto button = [](Uint32 type) {
        SDL_Event event{};
        event.type = type;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = 5;
        event.button.y = 5;
        return event;
    };
    struct Case {
        const char* name;
        std::vector<SDL_Event> events;
        std::vector<Frame> frames;
    };
    const std::vector<Case> cases = {
        {"a tap is a press, then a release",
         {key(SDL_KEYDOWN, SDLK_DELETE), key(SDL_KEYUP, SDLK_DELETE)},
         {{"Delete", ""}, {"", ""}}},
        {"typing keys do not hold back the text",
         {key(SDL_KEYDOWN, SDLK_1), text("1"), key(SDL_KEYUP, SDLK_1), key(SDL_KEYDOWN, SDLK_2),
          text("2"), key(SDL_KEYUP, SDLK_2)},
         {{"1 2", "12"}, {"", ""}}},
        {"text waits for the editing key before it",
         {text("1"), key(SDL_KEYDOWN, SDLK_BACKSPACE), key(SDL_KEYUP, SDLK_BACKSPACE), text("2")},
         {{"", "1"}, {"Backspace", ""}, {"", "2"}}},
        {"a shortcut letter is not a typing key",
         {key(SDL_KEYDOWN, SDLK_LCTRL, KMOD_LCTRL), key(SDL_KEYDOWN, SDLK_a, KMOD_LCTRL),
          key(SDL_KEYUP, SDLK_a, KMOD_LCTRL), key(SDL_KEYUP, SDLK_LCTRL)},
         {{"A Left Ctrl", ""}, {"", ""}}},
        {"a click within one frame is a press, then a release",
         {button(SDL_MOUSEBUTTONDOWN), button(SDL_MOUSEBUTTONUP)},
         {{"", "", true}, {"", "", false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UiHost::InputFeed feed;
        for (const SDL_Event& event : c.events) {
            feed.Feed(event);
        }
        for (const Frame& expected : c.frames) {
            ImGuiIO io;
            feed.Apply(io, false);
            std::string keysDown;
            for (int scancode = 0; scancode < UiHost::InputFeed::kKeyCount; ++scancode) {
                if (io.KeysDown[scancode]) {
                    keysDown += (keysDown.empty() ? "" : " ");
                    keysDown += SDL_GetKeyName(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode)));
                }
            }
            std::string typed;
            for (ImWchar character : io.InputQueueCharacters) {
                typed += static_cast<char>(character);
            }
            EXPECT_EQ(keysDown, expected.keysDown);
            EXPECT_EQ(typed, expected.text);
            EXPECT_EQ(io.MouseDown[0], expected.leftDown);
        }
        EXPECT_FALSE(feed.Pending());
    }
}

}  // namespace

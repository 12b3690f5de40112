#include "platform/ui/host/ui_host_input_feed.h"

// The queue's rules follow Dear ImGui's own input queue of later versions
// ("trickling"), with one difference: keys that type characters do not hold
// back the text or the other keys, so fast typing is not slowed to a
// character a frame.

#include <algorithm>
#include <iterator>

#include <SDL.h>

namespace {

using Change = UiHost::InputFeed::Change;

int ButtonIndex(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return 0;
        case SDL_BUTTON_RIGHT:
            return 1;
        case SDL_BUTTON_MIDDLE:
            return 2;
        default:
            return -1;
    }
}

// A key whose press types a character (the text arrives as its own event):
// printable keys and the keypad's, without Ctrl, Alt or the GUI key.
bool TypesCharacter(const SDL_Keysym& keysym) {
    if ((keysym.mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) != 0) {
        return false;
    }
    if (keysym.sym >= SDLK_SPACE && keysym.sym <= SDLK_z) {
        return true;
    }
    return keysym.scancode >= SDL_SCANCODE_KP_DIVIDE && keysym.scancode <= SDL_SCANCODE_KP_PERIOD &&
           keysym.scancode != SDL_SCANCODE_KP_ENTER;
}

ImVec2 PointOf(int x, int y) {
    return ImVec2(static_cast<float>(x), static_cast<float>(y));
}

// What has changed in the frame being filled: the rules for what may follow.
struct FrameChanges {
    unsigned buttons = 0;  // bit per button changed
    bool moved = false;
    bool wheeled = false;
    bool keyPressed = false;  // a key that does not type went down
    bool typed = false;
    std::bitset<UiHost::InputFeed::kKeyCount> keys;  // keys changed
};

}  // namespace

void UiHost::InputFeed::Feed(const SDL_Event& event) {
    Change change;
    switch (event.type) {
        case SDL_MOUSEMOTION:
            change.kind = Change::Kind::Motion;
            change.position = PointOf(event.motion.x, event.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            change.kind = Change::Kind::Button;
            change.index = ButtonIndex(event.button.button);
            change.down = event.type == SDL_MOUSEBUTTONDOWN;
            change.position = PointOf(event.button.x, event.button.y);
            if (change.index < 0) {
                return;
            }
            break;
        case SDL_MOUSEWHEEL:
            change.kind = Change::Kind::Wheel;
            change.wheel = ImVec2(static_cast<float>(event.wheel.x),
                                  static_cast<float>(event.wheel.y));
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
                change.wheel = ImVec2(-change.wheel.x, -change.wheel.y);
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            change.kind = Change::Kind::Key;
            change.index = event.key.keysym.scancode;
            change.down = event.type == SDL_KEYDOWN;
            change.typing = TypesCharacter(event.key.keysym);
            change.modifiers = event.key.keysym.mod;
            if (change.index <= SDL_SCANCODE_UNKNOWN || change.index >= kKeyCount) {
                return;
            }
            break;
        case SDL_TEXTINPUT:
            change.kind = Change::Kind::Text;
            change.text = event.text.text;
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
                change.kind = Change::Kind::Motion;
                change.position = ImVec2(-FLT_MAX, -FLT_MAX);
            } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                change.kind = Change::Kind::FocusLost;
            } else {
                return;
            }
            break;
        default:
            return;
    }
    queue.push_back(std::move(change));
}

void UiHost::InputFeed::FeedCommand(std::function<void()> command) {
    Change change;
    change.kind = Change::Kind::Command;
    change.command = std::move(command);
    queue.push_back(std::move(change));
}

void UiHost::InputFeed::Apply(ImGuiIO& io, bool captured) {
    FrameChanges frame;
    std::deque<Change> later;           // typing keys that changed already: next frame
    std::bitset<kKeyCount> keysWaiting;  // keys with a change in later: theirs wait too
    bool stopped = false;
    while (!queue.empty() && !stopped) {
        Change& change = queue.front();
        switch (change.kind) {
            case Change::Kind::Motion:
                if (change.position.x != position.x || change.position.y != position.y) {
                    stopped = frame.buttons != 0 || frame.wheeled || frame.keyPressed ||
                              frame.typed;
                    if (!stopped) {
                        position = change.position;
                        frame.moved = true;
                    }
                }
                break;
            case Change::Kind::Button: {
                const unsigned bit = 1u << change.index;
                if (buttons[change.index] != change.down) {
                    stopped = (frame.buttons & bit) != 0 || frame.wheeled;
                    if (!stopped) {
                        buttons[change.index] = change.down;
                        position = change.position;
                        frame.buttons |= bit;
                    }
                }
                break;
            }
            case Change::Kind::Wheel:
                stopped = frame.moved || frame.buttons != 0;
                if (!stopped) {
                    io.MouseWheelH += change.wheel.x;
                    io.MouseWheel += change.wheel.y;
                    frame.wheeled = true;
                }
                break;
            case Change::Kind::Key: {
                const auto key = static_cast<std::size_t>(change.index);
                if (change.typing && (keysWaiting[key] || (frame.keys[key] && keys[key] != change.down))) {
                    keysWaiting[key] = true;
                    later.push_back(std::move(change));
                    queue.pop_front();
                    continue;
                }
                if (keys[key] != change.down) {
                    const bool editing = !change.typing && change.down;
                    stopped = frame.keys[key] || (editing && (frame.typed || frame.buttons != 0));
                    if (!stopped) {
                        keys[key] = change.down;
                        frame.keys[key] = true;
                        frame.keyPressed = frame.keyPressed || editing;
                    }
                }
                if (!stopped) {
                    modifiers = change.modifiers;
                }
                break;
            }
            case Change::Kind::Text:
                stopped = frame.keyPressed || frame.buttons != 0 || frame.moved;
                if (!stopped) {
                    io.AddInputCharactersUTF8(change.text.c_str());
                    frame.typed = true;
                }
                break;
            case Change::Kind::Command:
                stopped = frame.buttons != 0 || frame.moved || frame.wheeled || frame.typed ||
                          frame.keys.any() || !later.empty();
                if (!stopped) {
                    const std::function<void()> command = std::move(change.command);
                    queue.pop_front();
                    command();
                    stopped = true;  // the rest waits for the command's effect to be drawn
                    continue;
                }
                break;
            case Change::Kind::FocusLost:
                // Nothing held outlives the window's focus: its releases never come.
                stopped = frame.buttons != 0 || frame.keys.any();
                if (!stopped) {
                    keys.reset();
                    std::fill(std::begin(buttons), std::end(buttons), false);
                    modifiers = 0;
                }
                break;
        }
        if (!stopped) {
            queue.pop_front();
        }
    }
    queue.insert(queue.begin(), std::make_move_iterator(later.begin()),
                 std::make_move_iterator(later.end()));

    // The press that takes the capture reaches the interface (a click away
    // from a text box ends its editing); after it the pointer is hidden.
    if (captured && frame.buttons == 0) {
        position = ImVec2(-FLT_MAX, -FLT_MAX);
        std::fill(std::begin(buttons), std::end(buttons), false);
    }
    io.MousePos = position;
    for (int i = 0; i < 3; ++i) {
        io.MouseDown[i] = buttons[i];
    }
    for (int key = 0; key < kKeyCount; ++key) {
        io.KeysDown[key] = keys[static_cast<std::size_t>(key)];
    }
    io.KeyCtrl = (modifiers & KMOD_CTRL) != 0;
    io.KeyShift = (modifiers & KMOD_SHIFT) != 0;
    io.KeyAlt = (modifiers & KMOD_ALT) != 0;
    io.KeySuper = (modifiers & KMOD_GUI) != 0;
}

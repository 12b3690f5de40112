#pragma once

// The SDL event pump: turns SDL's keyboard, mouse, focus and quit events into
// the window-system state of platform/window/system.h (key table, virtual
// cursor, quit request) and keeps SDL's relative mouse mode and cursor
// visibility in step with the capture and ShowCursor state.

#include <cstdint>
#include <functional>
#include <optional>

union SDL_Event;

// The virtual-key code of an SDL key code, for the keys the program reads
// (arrows, Page Up, Page Down); none for the others.
std::optional<std::uint8_t> VirtualKeyFromSdlKey(std::int32_t sdlKey);
// The virtual-key code of an SDL mouse button (left, right); none for others.
std::optional<std::uint8_t> VirtualKeyFromSdlButton(std::uint8_t sdlButton);

// Applies one event to the window-system state:
// - key and mouse-button presses and releases set and clear the key table;
// - losing keyboard focus releases every key (held keys would stick);
// - while a window holds the capture, relative motion moves the virtual
//   cursor; otherwise the cursor follows the pointer in screen pixels;
// - SDL_QUIT becomes the quit request (PostQuitMessage(0)) unless one is
//   already pending.
void FeedSdlEvent(const SDL_Event& event);

// Turns SDL's relative mouse mode on while a window holds the capture and
// off otherwise, and shows or hides the cursor as ShowCursor last asked.
// Cheap when nothing changed; FeedSdlEvent and PumpSdlEvents call it.
void SyncSdlMouseState();

// Polls every waiting event, hands each to forward first (when set; the user
// interface sees events before the scene) and then to FeedSdlEvent. Returns
// the number of events handled: 0 means "no message waiting", the idle turn.
int PumpSdlEvents(const std::function<void(const SDL_Event&)>& forward = nullptr);

#pragma once

// Process-wide services of the window system that the program calls by their
// classic names: message boxes, the quit request, mouse capture and the
// cursor, and the keyboard state table. The state lives here, free of any
// toolkit; the SDL event pump (platform/window/sdl_events) feeds it, and tests
// set it directly.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/window/window.h"

// ---- Message boxes ----

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;

// Shows a modal message and returns IDOK once the user has read it. The text
// always goes to standard error as "caption: text" too. What shows it is the
// installed presenter: SDL's simple message box until the user interface
// exists, its own modal box afterwards, a recorder in tests; without one
// (no display) standard error is all.
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

using MessageBoxPresenter =
    std::function<void(HWND owner, const std::string& text, const std::string& caption, UINT type)>;
void SetMessageBoxPresenter(MessageBoxPresenter presenter);
// The installed presenter (empty when none), so that a layer that installs
// its own for a while can put the previous one back.
MessageBoxPresenter GetMessageBoxPresenter();

// ---- Quit request ----

// Asks the application's loop to end with exitCode; the installed poster (the
// SDL one pushes an SDL_QUIT event) is told as well.
void PostQuitMessage(int exitCode);
bool QuitRequested();
int QuitExitCode();
void ClearQuitRequest();
void SetQuitPoster(std::function<void(int exitCode)> poster);

// ---- Mouse capture and cursor ----
// While a window holds the capture, the cursor is virtual: relative motion
// is summed into it, SetCursorPos resets it, and the real pointer stays put
// (warping is unreliable under Wayland and in virtual machines).

HWND SetCapture(HWND window);  // returns the previous holder
BOOL ReleaseCapture();
HWND GetCapture();
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
// Shows (true) or hides (false) the cursor; returns the previous state.
bool ShowCursor(bool visible);
bool CursorVisible();

// Called by the event pump: relative motion while captured, absolute
// position otherwise.
void MoveVirtualCursorBy(int dx, int dy);
void SetVirtualCursor(int x, int y);

// ---- Keyboard state ----
// 256 entries indexed by virtual-key code; 0x80 set while the key is held.

constexpr std::uint8_t VK_LBUTTON = 0x01;
constexpr std::uint8_t VK_RBUTTON = 0x02;
constexpr std::uint8_t VK_PRIOR = 0x21;  // Page Up
constexpr std::uint8_t VK_NEXT = 0x22;   // Page Down
constexpr std::uint8_t VK_LEFT = 0x25;
constexpr std::uint8_t VK_UP = 0x26;
constexpr std::uint8_t VK_RIGHT = 0x27;
constexpr std::uint8_t VK_DOWN = 0x28;

using KeyStateTable = std::array<std::uint8_t, 256>;

// Copies the current table; false when no keyboard state is available.
BOOL GetKeyboardState(std::uint8_t* table);
void SetKeyDown(std::uint8_t virtualKey, bool down);
void ClearKeyboardState();
// While false, GetKeyboardState reports every key up (a text box has focus).
void SetKeyboardRoutedToScene(bool routed);

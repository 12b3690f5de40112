#pragma once

// The SDL services behind platform/window: initialising SDL video with an
// error text a user can act on, and installing the window factory, the quit
// poster (an SDL_QUIT event) and the message-box presenter (SDL's simple
// message box, only where a real display exists).

#include <string>

// The text shown when SDL video cannot start: names the problem, SDL's own
// reason (sdlError, may be empty) and how to run without a display.
std::string SdlVideoFailureMessage(const std::string& sdlError);

// Initialises SDL's video subsystem (reference counted by SDL: every
// successful call needs one ShutdownSdlVideo). On failure returns false and,
// when error is not null, sets it to SdlVideoFailureMessage.
bool InitSdlVideo(std::string* error);
void ShutdownSdlVideo();

// True when message boxes can reach a person: the video driver (the current
// one, else the SDL_VIDEODRIVER request; either may be null) is not one of
// the display-less drivers (offscreen, dummy) and an X11 or Wayland display
// is named (display, waylandDisplay: the environment values, may be null).
bool RealDisplayAvailable(const char* videoDriver, const char* display, const char* waylandDisplay);
// The same question for this process, from SDL and the environment.
bool RealDisplayAvailable();

// Initialises SDL video and installs the SDL window factory, quit poster and
// message-box presenter. False (error set when not null) when video cannot
// start; nothing is installed then.
bool InstallSdlWindowSystem(std::string* error = nullptr);
// Removes what InstallSdlWindowSystem installed and releases its hold on SDL
// video. Windows made through the factory must be destroyed first.
void UninstallSdlWindowSystem();

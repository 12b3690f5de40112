#pragma once

// Reading a whole window's pixels, for screenshots of the program with its
// user interface: the default framebuffer of the OpenGL context current on
// the window, read after drawing and before the swap.

#include <cstdint>
#include <vector>

struct SDL_Window;

// Reads window's back buffer as tightly packed RGBA, top row first, sized
// to its drawable size. The caller's context must be current on window.
// False (rgba empty) when the window is null or has no pixels. Leaves the
// context's framebuffer bindings and pack alignment as it found them.
bool ReadWindowPixels(SDL_Window* window, std::vector<std::uint8_t>& rgba, int& width, int& height);

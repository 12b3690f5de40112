#pragma once

// Writes RGBA images as PNG files, for screenshots and rendering tests.

#include <cstdint>
#include <string>
#include <vector>

// Writes width × height tightly packed RGBA pixels to path. rgba holds rows
// top first, or bottom first (as OpenGL reads them back) when
// bottomRowFirst; the file always has the top row first. False when the
// sizes do not match the data or the file cannot be written.
bool WritePng(const std::string& path, const std::vector<std::uint8_t>& rgba, std::uint32_t width,
              std::uint32_t height, bool bottomRowFirst = false);

// Encodes width × height tightly packed RGBA pixels, top row first, as the
// bytes of a PNG file into png. False when the sizes do not match the data.
bool EncodePng(const std::vector<std::uint8_t>& rgba, std::uint32_t width, std::uint32_t height,
               std::vector<std::uint8_t>& png);

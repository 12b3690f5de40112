#pragma once

// The texture formats the OpenGL backend stores, with the OpenGL upload
// parameters that read their memory layout unchanged (rows top first, each
// pixel a little-endian word in the device's A-R-G-B bit order).

#include <cstdint>
#include <optional>

#include "platform/gfx/d3d9_types.h"

struct TextureFormatInfo {
    D3DFORMAT format = D3DFMT_UNKNOWN;
    UINT bytesPerPixel = 0;
    std::uint32_t glInternalFormat = 0;
    std::uint32_t glFormat = 0;
    std::uint32_t glType = 0;
    bool opaque = false;  // no alpha bits stored: alpha reads as 1
};

// A8R8G8B8, X8R8G8B8, R5G6B5, X1R5G5B5, A1R5G5B5, A4R4G4B4; none for others.
std::optional<TextureFormatInfo> FindTextureFormat(D3DFORMAT format);

// Depth-stencil formats a back buffer can have: D24S8, D24X8, D16.
bool IsSupportedDepthFormat(D3DFORMAT format);
// Back-buffer formats (also the display format): X8R8G8B8, A8R8G8B8.
bool IsSupportedBackBufferFormat(D3DFORMAT format);

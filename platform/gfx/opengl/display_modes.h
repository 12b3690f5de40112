#pragma once

// The display modes the OpenGL adapter object reports, built from what SDL
// says about a display. Every mode is D3DFMT_X8R8G8B8; a refresh rate of 0
// (unknown) is reported as 60 Hz, and modes without a size are dropped.

#include <vector>

#include "platform/gfx/d3d9_types.h"

struct ReportedMode {
    int width = 0;
    int height = 0;
    int refreshRate = 0;  // Hz, 0 when unknown
};

// The desktop mode to report: the reported one made sane, or 1920 × 1080
// at 60 Hz when it has no size.
D3DDISPLAYMODE SaneDesktopMode(const ReportedMode& reported);

// The list for one display: the sane reported modes without duplicates,
// sorted by width, height and refresh rate. With supplement (display-less
// drivers report odd or no modes), or when nothing sane was reported, the
// desktop mode and 640×480, 800×600, 1024×768 and 1280×800 at 60 Hz join it.
std::vector<D3DDISPLAYMODE> BuildDisplayModes(const std::vector<ReportedMode>& reported,
                                              const D3DDISPLAYMODE& desktop, bool supplement);

#pragma once

// Checks and resolves a device's presentation parameters for the OpenGL
// backend, apart from any OpenGL call. What the backend offers: one back
// buffer of X8R8G8B8 or A8R8G8B8 (UNKNOWN in a window means the desktop's
// X8R8G8B8), no multisampling, depth D24S8, D24X8 or D16, presentation
// intervals DEFAULT, ONE and IMMEDIATE.

#include "platform/gfx/d3d9_types.h"

// D3D_OK, or D3DERR_INVALIDCALL naming nothing (the caller reports). A full
// screen needs its size and a concrete format; a window may leave both 0.
// maxSize: the largest back-buffer side in pixels.
HRESULT CheckPresentParameters(const D3DPRESENT_PARAMETERS& parameters, UINT maxSize);

struct BackBufferSize {
    UINT width = 1;
    UINT height = 1;
};

// The parameters' size, each 0 replaced by the client area's (at least 1,
// as a minimised window has an empty client area).
BackBufferSize ResolveBackBufferSize(const D3DPRESENT_PARAMETERS& parameters, const RECT& client);

// The depth format the back buffer gets: the auto depth-stencil format when
// enabled, else D3DFMT_UNKNOWN (no depth buffer).
D3DFORMAT DepthFormatOf(const D3DPRESENT_PARAMETERS& parameters);

// OpenGL swap interval: 0 for D3DPRESENT_INTERVAL_IMMEDIATE, else 1.
int SwapIntervalFor(UINT presentationInterval);

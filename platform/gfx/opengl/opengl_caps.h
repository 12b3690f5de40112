#pragma once

// The capabilities the OpenGL backend reports for its one device type (HAL):
// everything the program requires (dithering, Gouraud shading, culling both
// ways and none, every depth comparison, the texture operations the shader
// emulates, point, linear and, when OpenGL has it, anisotropic filtering,
// hardware transform and lighting, presentation intervals IMMEDIATE and
// ONE). No pure device: states stay readable.

#include "platform/gfx/d3d9_types.h"
#include "platform/gfx/opengl/gl_context.h"

// gl: what the OpenGL implementation offers; with gl.version 0 (unknown)
// anisotropy 16 and textures of 8192 pixels are assumed.
D3DCAPS9 MakeOpenGLCaps(UINT adapter, const GlCapabilities& gl);

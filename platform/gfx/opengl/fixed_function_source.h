#pragma once

// The GLSL text of the fixed-function program of one key: only the inputs,
// outputs, uniforms and texture reads the key uses, and the stages and fog as
// straight-line code. What the program computes (see FixedFunctionKey for
// how states become a key):
// - transforms: clip = Projection × View × World × p with the program's
//   row-major, row-vector matrices uploaded unchanged (same sixteen floats as
//   the column-major, column-vector OpenGL matrix); depth 0..1 remapped to
//   -w..w when the key says so;
// - diffuse: the vertex colour, else the material diffuse; with lighting on
//   (no light sources exist in this device) the lit colour (uniform) with
//   the diffuse alpha;
// - current starts as the diffuse; each enabled stage replaces it by its
//   colour and alpha operations; the result is clamped to 0..1;
// - fog mixes the fog colour in by the formula's factor of the view-space
//   depth, clamped to 0..1;
// - alpha written: current's, or 1 for an opaque target.
//
// Uniforms: uWorld, uView, uProjection (mat4); uMaterialDiffuse (vec4,
// without vertex colour); uLitColor (vec4, lighting); uTexture0, uTexture1
// (samplers of units 0 and 1, for sampled stages); uFogDensity (EXP, EXP2);
// uFogStart, uFogEnd (LINEAR); uFogColor (vec3, any fog). Vertex inputs at
// the locations FixedFunctionProgram binds.

#include <string>

#include "platform/gfx/opengl/fixed_function_key.h"

struct FixedFunctionSources {
    std::string vertex;
    std::string fragment;
};

FixedFunctionSources FixedFunctionSourcesOf(const FixedFunctionKey& key);

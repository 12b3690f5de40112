#pragma once

// Pure translations of device states into OpenGL enumerations, kept apart
// from the calls that apply them so each rule can be checked on its own.

#include <array>
#include <cstdint>

#include "platform/gfx/d3d9_types.h"
#include "platform/gfx/opengl/device_state.h"

struct CullSetting {
    bool enabled = false;
    std::uint32_t frontFace = 0;  // GL_CW or GL_CCW
    std::uint32_t cullFace = 0;   // GL_BACK or GL_FRONT
};

// D3DCULL_CCW removes triangles that run counter-clockwise on screen,
// D3DCULL_CW clockwise ones, D3DCULL_NONE nothing. The image is drawn with
// the top row at the top of clip space both in the framebuffer object and on
// the window, so screen-space winding is OpenGL's window-space winding.
CullSetting CullSettingFor(DWORD cullMode);

// D3DCMP_NEVER (1) to D3DCMP_ALWAYS (8) in the same order as OpenGL's
// GL_NEVER to GL_ALWAYS; other values fall back to GL_LEQUAL.
std::uint32_t CompareFunctionFor(DWORD compare);

// GL_REPEAT, GL_MIRRORED_REPEAT, GL_CLAMP_TO_EDGE or GL_CLAMP_TO_BORDER;
// unknown modes wrap.
std::uint32_t AddressModeFor(DWORD address);

// The OpenGL minification filter of a minification and mip filter pair
// (anisotropic minification filters linearly), and the magnification filter.
std::uint32_t MinFilterFor(DWORD minFilter, DWORD mipFilter);
std::uint32_t MagFilterFor(DWORD magFilter);
// The anisotropy to ask for: maxAnisotropy clamped to [1, limit] when either
// filter is anisotropic, else 1.
float AnisotropyFor(DWORD minFilter, DWORD magFilter, DWORD maxAnisotropy, float limit);

// The OpenGL sampler parameters of one stage's sampler states.
struct SamplerSettings {
    std::uint32_t wrapS = 0;  // AddressModeFor
    std::uint32_t wrapT = 0;
    std::uint32_t minFilter = 0;  // MinFilterFor
    std::uint32_t magFilter = 0;
    std::array<float, 4> borderColor{};
    float lodBias = 0.0f;
    float minLod = 0.0f;         // D3DSAMP_MAXMIPLEVEL: the largest level used
    float maxAnisotropy = 1.0f;  // AnisotropyFor; only applied when anisotropy exists

    bool operator==(const SamplerSettings&) const = default;
};

// The settings of sampler states for a texture of levels mip levels (0: no
// texture). A texture of one level has no mip filter: it samples the same,
// and a rasterizer that knows no mip level can be chosen skips working out
// each pixel's level of detail. anisotropyLimit: the implementation's
// largest anisotropy.
SamplerSettings SamplerSettingsFor(const std::array<DWORD, DeviceState::kSamplerStates>& sampler,
                                   UINT levels, float anisotropyLimit);

// GL_FILL, GL_LINE or GL_POINT.
std::uint32_t PolygonModeFor(DWORD fillMode);

// OpenGL primitive and the number of vertices (or indices) that
// primitiveCount primitives use; 0 for an unknown primitive type.
std::uint32_t PrimitiveModeFor(D3DPRIMITIVETYPE type);
std::uint64_t VertexCountFor(D3DPRIMITIVETYPE type, UINT primitiveCount);

// A 0xAARRGGBB colour as four floats r, g, b, a in 0..1.
void ColorToFloats(D3DCOLOR color, float out[4]);

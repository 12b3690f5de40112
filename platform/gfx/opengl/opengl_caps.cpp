#include "platform/gfx/opengl/opengl_caps.h"

namespace {

constexpr DWORD kFallbackAnisotropy = 16;
constexpr DWORD kFallbackTextureSize = 8192;
constexpr DWORD kAllComparisons = 0xFF;      // D3DPCMPCAPS_NEVER to _ALWAYS
constexpr DWORD kTextureOpSelectArg2 = 0x4;  // D3DTEXOPCAPS_SELECTARG2

}  // namespace

D3DCAPS9 MakeOpenGLCaps(UINT adapter, const GlCapabilities& gl) {
    D3DCAPS9 caps;
    caps.DeviceType = D3DDEVTYPE_HAL;
    caps.AdapterOrdinal = adapter;
    caps.PresentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE;
    caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    caps.PrimitiveMiscCaps = D3DPMISCCAPS_CULLNONE | D3DPMISCCAPS_CULLCW | D3DPMISCCAPS_CULLCCW;
    caps.RasterCaps = D3DPRASTERCAPS_DITHER | D3DPRASTERCAPS_FOGTABLE;
    caps.ZCmpCaps = kAllComparisons;
    caps.ShadeCaps = D3DPSHADECAPS_COLORGOURAUDRGB;
    caps.TextureFilterCaps = D3DPTFILTERCAPS_MINFPOINT | D3DPTFILTERCAPS_MINFLINEAR |
                             D3DPTFILTERCAPS_MIPFPOINT | D3DPTFILTERCAPS_MIPFLINEAR |
                             D3DPTFILTERCAPS_MAGFPOINT | D3DPTFILTERCAPS_MAGFLINEAR;
    caps.TextureOpCaps = D3DTEXOPCAPS_DISABLE | D3DTEXOPCAPS_SELECTARG1 | kTextureOpSelectArg2 |
                         D3DTEXOPCAPS_MODULATE;
    // Unknown capabilities (gl.version 0: no context could be probed) are
    // assumed to be the common ones.
    const bool known = gl.version != 0;
    const bool anisotropy = known ? gl.anisotropy : true;
    if (anisotropy) {
        caps.RasterCaps |= D3DPRASTERCAPS_ANISOTROPY;
        caps.TextureFilterCaps |= D3DPTFILTERCAPS_MINFANISOTROPIC | D3DPTFILTERCAPS_MAGFANISOTROPIC;
        caps.MaxAnisotropy = known && gl.maxAnisotropy >= 1.0f
                                 ? static_cast<DWORD>(gl.maxAnisotropy)
                                 : kFallbackAnisotropy;
    } else {
        caps.MaxAnisotropy = 1;
    }
    caps.MaxTextureWidth =
        gl.maxTextureSize > 0 ? static_cast<DWORD>(gl.maxTextureSize) : kFallbackTextureSize;
    caps.MaxTextureHeight = caps.MaxTextureWidth;
    caps.MaxSimultaneousTextures = 2;
    caps.MaxPrimitiveCount = 0xFFFFF;
    caps.MaxVertexIndex = 0xFFFFFF;
    return caps;
}

#include "rendering/device_selection_policy.h"

namespace RenderLib {

namespace {
constexpr UINT kMinWidth = 640;
constexpr UINT kMinHeight = 480;
constexpr UINT kMinRefreshRate = 60;

bool HasAll(DWORD bits, DWORD required) {
    return (bits & required) == required;
}
}  // namespace

bool CMyD3DInit::ValidateDisplayMode(const D3DDISPLAYMODE& mode) {
    return mode.Width >= kMinWidth && mode.Height >= kMinHeight &&
           mode.RefreshRate >= kMinRefreshRate;
}

bool CMyD3DInit::ValidateDevice(D3DDEVTYPE, const D3DCAPS9& caps) {
    return HasAll(caps.RasterCaps, D3DPRASTERCAPS_DITHER) &&
           HasAll(caps.ShadeCaps, D3DPSHADECAPS_COLORGOURAUDRGB) &&
           HasAll(caps.PrimitiveMiscCaps, D3DPMISCCAPS_CULLCCW) &&
           HasAll(caps.ZCmpCaps, D3DPCMPCAPS_LESSEQUAL) &&
           HasAll(caps.TextureOpCaps, D3DTEXOPCAPS_SELECTARG1);
}

bool CMyD3DInit::ValidateBackBufferFormat(D3DFORMAT, bool) {
    return true;
}

bool CMyD3DInit::ValidateDepthStencilFormat(D3DFORMAT) {
    return true;
}

bool CMyD3DInit::ValidateMultiSampleType(D3DMULTISAMPLE_TYPE) {
    return true;
}

bool CMyD3DInit::ValidateVertexProcessingType(VertexProcessingType vertexProcessingType) {
    return vertexProcessingType != VertexProcessingType::Mixed;
}

bool CMyD3DInit::ValidatePresentInterval(UINT) {
    return true;
}

}  // namespace RenderLib

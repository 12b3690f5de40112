#include "platform/gfx/opengl/present_parameters.h"

#include <algorithm>

#include "platform/gfx/opengl/texture_format.h"

namespace {

bool IsSupportedInterval(UINT interval) {
    return interval == D3DPRESENT_INTERVAL_DEFAULT || interval == D3DPRESENT_INTERVAL_ONE ||
           interval == D3DPRESENT_INTERVAL_IMMEDIATE;
}

bool IsSupportedSwapEffect(D3DSWAPEFFECT effect) {
    return effect == D3DSWAPEFFECT_DISCARD || effect == D3DSWAPEFFECT_FLIP ||
           effect == D3DSWAPEFFECT_COPY;
}

bool FormatFits(const D3DPRESENT_PARAMETERS& parameters) {
    if (parameters.Windowed != 0 && parameters.BackBufferFormat == D3DFMT_UNKNOWN) {
        return true;
    }
    return IsSupportedBackBufferFormat(parameters.BackBufferFormat);
}

bool SizeFits(const D3DPRESENT_PARAMETERS& parameters, UINT maxSize) {
    if (parameters.BackBufferWidth > maxSize || parameters.BackBufferHeight > maxSize) {
        return false;
    }
    if (parameters.Windowed != 0) {
        return parameters.FullScreen_RefreshRateInHz == 0;
    }
    return parameters.BackBufferWidth != 0 && parameters.BackBufferHeight != 0;
}

}  // namespace

HRESULT CheckPresentParameters(const D3DPRESENT_PARAMETERS& parameters, UINT maxSize) {
    const bool depthFits = parameters.EnableAutoDepthStencil == 0 ||
                           IsSupportedDepthFormat(parameters.AutoDepthStencilFormat);
    const bool valid = FormatFits(parameters) && SizeFits(parameters, maxSize) && depthFits &&
                       parameters.BackBufferCount <= 3 &&
                       parameters.MultiSampleType == D3DMULTISAMPLE_NONE &&
                       IsSupportedSwapEffect(parameters.SwapEffect) &&
                       IsSupportedInterval(parameters.PresentationInterval);
    return valid ? D3D_OK : D3DERR_INVALIDCALL;
}

BackBufferSize ResolveBackBufferSize(const D3DPRESENT_PARAMETERS& parameters, const RECT& client) {
    const auto clientWidth = static_cast<UINT>(std::max(client.right - client.left, 1));
    const auto clientHeight = static_cast<UINT>(std::max(client.bottom - client.top, 1));
    return {parameters.BackBufferWidth != 0 ? parameters.BackBufferWidth : clientWidth,
            parameters.BackBufferHeight != 0 ? parameters.BackBufferHeight : clientHeight};
}

D3DFORMAT DepthFormatOf(const D3DPRESENT_PARAMETERS& parameters) {
    return parameters.EnableAutoDepthStencil != 0 ? parameters.AutoDepthStencilFormat
                                                  : D3DFMT_UNKNOWN;
}

int SwapIntervalFor(UINT presentationInterval) {
    return presentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE ? 0 : 1;
}

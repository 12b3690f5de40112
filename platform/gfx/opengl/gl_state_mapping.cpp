#include "platform/gfx/opengl/gl_state_mapping.h"

#include <algorithm>

#include <epoxy/gl.h>

CullSetting CullSettingFor(DWORD cullMode) {
    switch (cullMode) {
        case D3DCULL_CCW:
            return {true, GL_CW, GL_BACK};
        case D3DCULL_CW:
            return {true, GL_CW, GL_FRONT};
        default:
            return {false, GL_CW, GL_BACK};
    }
}

std::uint32_t CompareFunctionFor(DWORD compare) {
    if (compare < 1 || compare > 8) {
        return GL_LEQUAL;
    }
    return GL_NEVER + (compare - 1);
}

std::uint32_t AddressModeFor(DWORD address) {
    switch (address) {
        case D3DTADDRESS_MIRROR:
            return GL_MIRRORED_REPEAT;
        case D3DTADDRESS_CLAMP:
            return GL_CLAMP_TO_EDGE;
        case D3DTADDRESS_BORDER:
            return GL_CLAMP_TO_BORDER;
        default:
            return GL_REPEAT;
    }
}

std::uint32_t MinFilterFor(DWORD minFilter, DWORD mipFilter) {
    const bool linear = minFilter == D3DTEXF_LINEAR || minFilter == D3DTEXF_ANISOTROPIC;
    switch (mipFilter) {
        case D3DTEXF_POINT:
            return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
        case D3DTEXF_LINEAR:
        case D3DTEXF_ANISOTROPIC:
            return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
        default:
            return linear ? GL_LINEAR : GL_NEAREST;
    }
}

std::uint32_t MagFilterFor(DWORD magFilter) {
    return magFilter == D3DTEXF_LINEAR || magFilter == D3DTEXF_ANISOTROPIC ? GL_LINEAR : GL_NEAREST;
}

float AnisotropyFor(DWORD minFilter, DWORD magFilter, DWORD maxAnisotropy, float limit) {
    if (minFilter != D3DTEXF_ANISOTROPIC && magFilter != D3DTEXF_ANISOTROPIC) {
        return 1.0f;
    }
    return std::clamp(static_cast<float>(maxAnisotropy), 1.0f, std::max(limit, 1.0f));
}

SamplerSettings SamplerSettingsFor(const std::array<DWORD, DeviceState::kSamplerStates>& sampler,
                                   UINT levels, float anisotropyLimit) {
    SamplerSettings settings;
    settings.wrapS = AddressModeFor(sampler[D3DSAMP_ADDRESSU]);
    settings.wrapT = AddressModeFor(sampler[D3DSAMP_ADDRESSV]);
    const DWORD mipFilter = levels > 1 ? sampler[D3DSAMP_MIPFILTER] : D3DTEXF_NONE;
    settings.minFilter = MinFilterFor(sampler[D3DSAMP_MINFILTER], mipFilter);
    settings.magFilter = MagFilterFor(sampler[D3DSAMP_MAGFILTER]);
    ColorToFloats(sampler[D3DSAMP_BORDERCOLOR], settings.borderColor.data());
    settings.lodBias = DwordToFloat(sampler[D3DSAMP_MIPMAPLODBIAS]);
    settings.minLod = static_cast<float>(sampler[D3DSAMP_MAXMIPLEVEL]);
    settings.maxAnisotropy = AnisotropyFor(sampler[D3DSAMP_MINFILTER], sampler[D3DSAMP_MAGFILTER],
                                           sampler[D3DSAMP_MAXANISOTROPY], anisotropyLimit);
    return settings;
}

std::uint32_t PolygonModeFor(DWORD fillMode) {
    switch (fillMode) {
        case D3DFILL_POINT:
            return GL_POINT;
        case D3DFILL_WIREFRAME:
            return GL_LINE;
        default:
            return GL_FILL;
    }
}

std::uint32_t PrimitiveModeFor(D3DPRIMITIVETYPE type) {
    switch (type) {
        case D3DPT_POINTLIST:
            return GL_POINTS;
        case D3DPT_LINELIST:
            return GL_LINES;
        case D3DPT_LINESTRIP:
            return GL_LINE_STRIP;
        case D3DPT_TRIANGLELIST:
            return GL_TRIANGLES;
        case D3DPT_TRIANGLESTRIP:
            return GL_TRIANGLE_STRIP;
        case D3DPT_TRIANGLEFAN:
            return GL_TRIANGLE_FAN;
        default:
            return 0;
    }
}

std::uint64_t VertexCountFor(D3DPRIMITIVETYPE type, UINT primitiveCount) {
    const std::uint64_t count = primitiveCount;
    switch (type) {
        case D3DPT_POINTLIST:
            return count;
        case D3DPT_LINELIST:
            return 2 * count;
        case D3DPT_LINESTRIP:
            return count + 1;
        case D3DPT_TRIANGLELIST:
            return 3 * count;
        case D3DPT_TRIANGLESTRIP:
        case D3DPT_TRIANGLEFAN:
            return count + 2;
        default:
            return 0;
    }
}

void ColorToFloats(D3DCOLOR color, float out[4]) {
    out[0] = static_cast<float>((color >> 16) & 0xFF) / 255.0f;
    out[1] = static_cast<float>((color >> 8) & 0xFF) / 255.0f;
    out[2] = static_cast<float>(color & 0xFF) / 255.0f;
    out[3] = static_cast<float>((color >> 24) & 0xFF) / 255.0f;
}

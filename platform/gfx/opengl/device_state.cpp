#include "platform/gfx/opengl/device_state.h"

namespace {

constexpr DWORD kTrue = 1;
constexpr DWORD kBlendZero = 1;
constexpr DWORD kBlendOne = 2;

void SetSamplerDefaults(std::array<DWORD, DeviceState::kSamplerStates>& sampler) {
    sampler[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
    sampler[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
    sampler[D3DSAMP_ADDRESSW] = D3DTADDRESS_WRAP;
    sampler[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
    sampler[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
    sampler[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
    sampler[D3DSAMP_MAXANISOTROPY] = 1;
}

void SetStageDefaults(DWORD stage, std::array<DWORD, DeviceState::kStageStates>& states) {
    // Stage 0 modulates its texture with the diffuse colour; later stages
    // start disabled.
    states[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
    states[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
    states[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
    states[D3DTSS_COLORARG2] = D3DTA_CURRENT;
    states[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    states[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
    states[D3DTSS_TEXCOORDINDEX] = stage;
    states[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
}

}  // namespace

DeviceState DeviceState::Defaults(bool hasDepthBuffer, UINT width, UINT height) {
    DeviceState state;
    auto& render = state.renderStates;
    render[D3DRS_ZENABLE] = hasDepthBuffer ? D3DZB_TRUE : D3DZB_FALSE;
    render[D3DRS_FILLMODE] = D3DFILL_SOLID;
    render[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
    render[D3DRS_ZWRITEENABLE] = kTrue;
    render[D3DRS_SRCBLEND] = kBlendOne;
    render[D3DRS_DESTBLEND] = kBlendZero;
    render[D3DRS_CULLMODE] = D3DCULL_CCW;
    render[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    render[D3DRS_FOGSTART] = FloatToDword(0.0f);
    render[D3DRS_FOGEND] = FloatToDword(1.0f);
    render[D3DRS_FOGDENSITY] = FloatToDword(1.0f);
    render[D3DRS_LIGHTING] = kTrue;
    for (DWORD stage = 0; stage < kStages; ++stage) {
        SetSamplerDefaults(state.samplerStates[stage]);
        SetStageDefaults(stage, state.stageStates[stage]);
    }
    state.viewport = {0, 0, width, height, 0.0f, 1.0f};
    return state;
}

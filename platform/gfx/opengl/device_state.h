#pragma once

// The device's state as the program sets it (render, sampler and stage
// states, transforms, material, viewport, vertex format), kept on the CPU and
// turned into OpenGL state at every draw. Values follow the classic device's
// defaults, which a fresh device and every Reset start from.

#include <array>

#include "platform/gfx/d3d9_types.h"
#include "platform/gfx/device_contract.h"

struct DeviceState {
    static constexpr DWORD kStages = DeviceContract::kTextureStages;
    static constexpr DWORD kRenderStates = DeviceContract::kRenderStates;
    static constexpr DWORD kSamplerStates = DeviceContract::kSamplerStates;
    static constexpr DWORD kStageStates = DeviceContract::kStageStates;

    std::array<DWORD, kRenderStates> renderStates{};
    std::array<std::array<DWORD, kSamplerStates>, kStages> samplerStates{};
    std::array<std::array<DWORD, kStageStates>, kStages> stageStates{};
    D3DMATRIX world;
    D3DMATRIX view;
    D3DMATRIX projection;
    D3DMATERIAL9 material;
    D3DVIEWPORT9 viewport;
    DWORD vertexFormat = 0;

    // The defaults for a back buffer of width × height; depth testing starts
    // on only when the device has a depth buffer.
    static DeviceState Defaults(bool hasDepthBuffer, UINT width, UINT height);

    DWORD Render(D3DRENDERSTATETYPE state) const { return renderStates[state]; }
    float RenderFloat(D3DRENDERSTATETYPE state) const { return DwordToFloat(renderStates[state]); }
    DWORD Sampler(DWORD stage, D3DSAMPLERSTATETYPE type) const {
        return samplerStates[stage][type];
    }
    DWORD Stage(DWORD stage, D3DTEXTURESTAGESTATETYPE type) const {
        return stageStates[stage][type];
    }
};

#pragma once

// The device settings record: which adapter, display mode, device type and
// surface formats a device is created or reset with. Written by the two
// settings selections of CD3DInitialize, read by its CreateDisplay and
// ResetDisplay and by the render engine. Plain data of fixed layout: a
// windowed flag in a 32-bit slot, then the windowed block, then the
// full-screen block, each twelve 32-bit values. Zero-initialised by default.

#include <cstddef>
#include <cstdint>

#include "platform/gfx/d3d9_types.h"

namespace RenderLib {

// How a device processes vertices; the values are part of the settings record.
enum class VertexProcessingType : std::uint32_t {
    Software = 1,
    Mixed = 2,
    Hardware = 3,
    PureHardware = 4,
};

// One complete choice of device settings (windowed or full screen).
struct D3DSettingsBlock {
    UINT adapterOrdinal = 0;
    D3DDISPLAYMODE displayMode;  // windowed: the desktop mode; full screen: the mode to set
    D3DDEVTYPE deviceType = static_cast<D3DDEVTYPE>(0);  // 0 until a selection writes it
    D3DFORMAT backBufferFormat = D3DFMT_UNKNOWN;
    D3DFORMAT depthStencilFormat = D3DFMT_UNKNOWN;
    D3DMULTISAMPLE_TYPE multiSampleType = D3DMULTISAMPLE_NONE;
    DWORD multiSampleQuality = 0;
    VertexProcessingType vertexProcessingType = static_cast<VertexProcessingType>(0);
    UINT presentInterval = 0;  // a D3DPRESENT_INTERVAL_* value
};

struct D3DSettings {
    BOOL windowed = 0;  // nonzero: the windowed block is the active one
    D3DSettingsBlock windowedSettings;
    D3DSettingsBlock fullscreenSettings;

    // The block every operation on this record uses.
    const D3DSettingsBlock& Active() const {
        return windowed != 0 ? windowedSettings : fullscreenSettings;
    }
};

static_assert(sizeof(D3DSettingsBlock) == 12 * sizeof(std::uint32_t),
              "a settings block is twelve 32-bit values");
static_assert(sizeof(D3DSettings) == 25 * sizeof(std::uint32_t),
              "the settings record is a 32-bit flag and two blocks");
static_assert(offsetof(D3DSettings, windowedSettings) == 4 &&
                  offsetof(D3DSettings, fullscreenSettings) == 52,
              "the blocks follow the flag without padding");

}  // namespace RenderLib

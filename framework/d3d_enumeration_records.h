#pragma once

// The tree CD3DInitialize builds from what the adapter object reports:
// adapters, each with its usable display modes and device types, each device
// type with its device combinations (adapter format x back-buffer format x
// windowed), each combination with the settings that work with it. Every list
// keeps the order of enumeration, which is the order of preference: the
// settings selections take the first entry of each of a combination's lists.
// Parents own their children. A record in the tree never has an empty list:
// enumeration drops records whose lists come out empty.

#include <memory>
#include <vector>

#include "framework/d3d_settings.h"
#include "platform/gfx/d3d9_types.h"

namespace RenderLib {

// One way to drive an adapter: a display format with a back-buffer format,
// windowed or full screen, and what a device can use with it.
struct D3DDeviceCombo {
    UINT adapterOrdinal = 0;
    D3DDEVTYPE deviceType = D3DDEVTYPE_HAL;
    D3DCAPS9 caps;                             // a copy of the device type's caps
    D3DFORMAT adapterFormat = D3DFMT_UNKNOWN;  // the display format
    D3DFORMAT backBufferFormat = D3DFMT_UNKNOWN;
    bool windowed = false;
    std::vector<D3DMULTISAMPLE_TYPE> multiSampleTypes;
    // Quality-level count reported for the multisample type at the same index.
    std::vector<DWORD> multiSampleQualities;
    std::vector<D3DFORMAT> depthStencilFormats;
    std::vector<VertexProcessingType> vertexProcessingTypes;
    std::vector<UINT> presentIntervals;  // D3DPRESENT_INTERVAL_* values
};

// One device type (HAL, software or reference) of an adapter.
struct D3DDeviceInfo {
    D3DDEVTYPE deviceType = D3DDEVTYPE_HAL;
    D3DCAPS9 caps;
    std::vector<std::unique_ptr<D3DDeviceCombo>> combos;
};

struct D3DAdapterInfo {
    UINT ordinal = 0;
    D3DADAPTER_IDENTIFIER9 identifier;         // as reported (flags 0); zero if unreadable
    std::vector<D3DDISPLAYMODE> displayModes;  // validated modes, in enumeration order
    std::vector<std::unique_ptr<D3DDeviceInfo>> devices;
};

}  // namespace RenderLib

#pragma once

// The program's device policy: which display modes and devices the
// enumeration keeps. Everything else is accepted. One instance serves one use
// (device creation, or one reset) and is destroyed at the end of it.

#include "framework/d3d_initialize.h"

namespace RenderLib {

class CMyD3DInit : public CD3DInitialize {
public:
    // Modes of at least 640 x 480 at 60 Hz or more; a mode reporting 0 Hz is refused.
    bool ValidateDisplayMode(const D3DDISPLAYMODE& mode) override;
    // Devices offering dithering, Gouraud shading, counter-clockwise culling,
    // the less-or-equal depth test and the select-first-argument texture
    // operation: the states the render engine sets on every device.
    bool ValidateDevice(D3DDEVTYPE deviceType, const D3DCAPS9& caps) override;
    bool ValidateBackBufferFormat(D3DFORMAT backBufferFormat, bool windowed) override;
    bool ValidateDepthStencilFormat(D3DFORMAT depthStencilFormat) override;
    bool ValidateMultiSampleType(D3DMULTISAMPLE_TYPE multiSampleType) override;
    // Every type except Mixed.
    bool ValidateVertexProcessingType(VertexProcessingType vertexProcessingType) override;
    bool ValidatePresentInterval(UINT presentInterval) override;
};

}  // namespace RenderLib

#pragma once

// The drawable interface of the scene and a world matrix paired with a drawable.

#include "platform/gfx/d3d9.h"

namespace RenderLib {

class CRenderObject {
public:
    virtual ~CRenderObject() = default;
    // Frees all device resources and loaded data.
    virtual HRESULT Release() = 0;
    // Draws with the device's current world transform. The two reserved
    // values keep the slot's shape: the scene passes 1 and 1, and no drawable
    // reads them.
    virtual HRESULT Render(IDirect3DDevice9* device, DWORD reserved1, DWORD reserved2) = 0;
    // Writes min x, y, z, max x, y, z.
    virtual HRESULT GetBounds(float box[6]) = 0;
    // Advances the animation by elapsed seconds; nothing in the base.
    virtual void Animate(IDirect3DDevice9*, float) {}
};

struct CModelInstance {
    D3DMATRIX world;                  // identity at construction
    CRenderObject* object = nullptr;  // not owned
};

}  // namespace RenderLib

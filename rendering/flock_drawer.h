#pragma once

// CFlockDrawer: draws the world's fish with one instanced draw per model
// (stream-frequency instancing) instead of one draw per fish. Each frame it
// poses every fish's model instance exactly as the entity's own Render does,
// leaves out the fish whose bounding sphere lies outside the view, writes the
// world matrices of the rest into one instance buffer, model after model, and
// lets each model draw itself once for all of its fish. Models are shared and
// animated once per frame, so every fish of a model shows the same pose
// either way; only the number of device calls changes.
//
// Owns its instance buffer (managed pool, grown to the largest frame's
// count). Models are drawn in the order of their first fish in the world.

#include <vector>

#include "framework/render_object.h"
#include "platform/gfx/d3d9.h"

class cWorld;

namespace RenderLib {

class CFlockDrawer {
public:
    CFlockDrawer() = default;
    ~CFlockDrawer();  // Release
    CFlockDrawer(const CFlockDrawer&) = delete;
    CFlockDrawer& operator=(const CFlockDrawer&) = delete;

    // Draws every drawable fish of world (the player's entity and fish
    // without a model are not drawn) with the device's view and projection.
    // The device's world transform is left as it was; streams 0 and 1 end
    // with frequency 1 and stream 1 unbound.
    void Draw(IDirect3DDevice9* device, cWorld& world);
    // Fish drawn and left out by the last Draw.
    UINT DrawnCount() const { return drawn_; }
    UINT CulledCount() const { return culled_; }
    // Releases the instance buffer and forgets the models' bounds.
    void Release();

private:
    struct Batch {
        CRenderObject* object = nullptr;       // not owned
        float centre[3] = {0.0f, 0.0f, 0.0f};  // of the bounding sphere, model space
        float radius = -1.0f;                  // negative: never culled
        std::vector<D3DMATRIX> worlds;         // this frame's visible instances
    };

    Batch& BatchFor(CRenderObject* object);
    bool ReserveInstances(IDirect3DDevice9* device, UINT count);
    bool WriteInstances(UINT total);

    std::vector<Batch> batches_;
    IDirect3DVertexBuffer9* instances_ = nullptr;  // owned
    UINT capacity_ = 0;                            // matrices instances_ holds
    UINT drawn_ = 0;
    UINT culled_ = 0;
};

}  // namespace RenderLib

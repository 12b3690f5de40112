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
// Distant fish: a model may be given a low-detail stand-in (SetLowDetail,
// the generator's "<fish>_low.x": same bones, swim animation, texture and
// outline, about 3% of the triangles). Fish whose position lies farther than
// kLowDetailDistance from the eye are drawn with it, in a second instanced
// draw for that model, so each model costs at most two draws. Of the nearer
// fish that have a stand-in, only the kFullDetailFish nearest to the eye are
// drawn in full; the rest take the stand-in too. On a software rasteriser
// the cost of a fish is its triangles, and a full model a few dozen pixels
// long is almost all sub-pixel triangles, so this bounds the cost of a large
// flock near the eye without touching a small one.
//
// Owns its instance buffer (managed pool, grown to the largest frame's
// count). Models are drawn in the order of their first fish in the world.

#include <cstddef>
#include <utility>
#include <vector>

#include "framework/render_object.h"
#include "platform/gfx/d3d9.h"

class cWorld;

namespace RenderLib {

class CFlockDrawer {
public:
    // Where fish switch to their low-detail model, in world units from the
    // eye. There a 45-unit bass spans 17 pixels and a 32-unit bluegill 12
    // at the default 1280x800 window (vertical field of view 55 degrees:
    // 768 pixels per unit at distance 1), and the fog (exponential, density
    // 0.001) has taken 86% of their colour, so the coarser mesh does not
    // show. The start-up flock never gets there: its schools start within
    // about 400 units of the eye and stay inside a sphere of radius 1000
    // around the origin, where the player starts; so its picture is
    // exactly that of the full models. Larger flocks (--fish) spread far
    // beyond it, which is where the saving counts.
    static constexpr float kLowDetailDistance = 2000.0f;
    // Fish nearer than kLowDetailDistance drawn in full at most, the
    // nearest first (equal distances: in world order). The start-up flock
    // has 28 fish, so it is always drawn in full, exactly as without the
    // bound.
    static constexpr std::size_t kFullDetailFish = 32;

    CFlockDrawer() = default;
    ~CFlockDrawer();  // Release
    CFlockDrawer(const CFlockDrawer&) = delete;
    CFlockDrawer& operator=(const CFlockDrawer&) = delete;

    // Draws every drawable fish of world (the player's entity and fish
    // without a model are not drawn) with the device's view and projection.
    // The device's world transform is left as it was; streams 0 and 1 end
    // with frequency 1 and stream 1 unbound.
    void Draw(IDirect3DDevice9* device, cWorld& world);
    // From now on, fish of full beyond kLowDetailDistance are drawn with
    // low instead (null: always with full). Neither is owned; both must
    // stay alive while the drawer draws with them. Kept across Release.
    void SetLowDetail(CRenderObject* full, CRenderObject* low);
    // Fish drawn (with either model), of those drawn with a low-detail
    // model, and left out by the last Draw.
    UINT DrawnCount() const { return drawn_; }
    UINT LowDetailCount() const { return lowDetail_; }
    UINT CulledCount() const { return culled_; }
    // Releases the instance buffer and forgets the models' bounds.
    void Release();

private:
    // Squared distance from the eye, then place in world order: orders the
    // fish nearest first, equal distances in world order.
    using NearKey = std::pair<float, UINT>;
    // A fish in view.
    struct Visible {
        D3DMATRIX world;
        NearKey key;
        bool distant = false;  // beyond kLowDetailDistance (or not finite)
    };
    struct Batch {
        CRenderObject* object = nullptr;       // not owned
        CRenderObject* lowDetail = nullptr;    // not owned; null: none
        float centre[3] = {0.0f, 0.0f, 0.0f};  // of the bounding sphere, model space
        float radius = -1.0f;                  // negative: never culled
        std::vector<D3DMATRIX> worlds;         // this frame's visible near instances
        std::vector<D3DMATRIX> farWorlds;      // and those drawn with lowDetail
        std::vector<Visible> visible;          // this frame's, in world order
    };

    Batch& BatchFor(CRenderObject* object);
    // The key of the last near fish with a stand-in that is drawn in full.
    NearKey FullDetailCutoff();
    void SplitByDetail();
    CRenderObject* LowDetailFor(const CRenderObject* object) const;
    void DrawInstances(IDirect3DDevice9* device, CRenderObject* object, UINT first, UINT count);
    bool ReserveInstances(IDirect3DDevice9* device, UINT count);
    bool WriteInstances(UINT total);

    std::vector<Batch> batches_;
    std::vector<std::pair<CRenderObject*, CRenderObject*>> lowDetails_;  // full, low
    std::vector<NearKey> nearKeys_;  // scratch of FullDetailCutoff
    IDirect3DVertexBuffer9* instances_ = nullptr;  // owned
    UINT capacity_ = 0;                            // matrices instances_ holds
    UINT drawn_ = 0;
    UINT lowDetail_ = 0;
    UINT culled_ = 0;
};

}  // namespace RenderLib

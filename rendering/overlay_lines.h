#pragma once

// Line overlays of the scene: segments in world coordinates, each with its
// own colour, collected into one list and drawn through the device as a
// single line list, unlit, unfogged and untextured but depth tested, so that
// fish in front hide them and they show in every captured frame.

#include <vector>

#include "base/vector_math.h"
#include "platform/gfx/d3d9.h"

namespace RenderLib {

struct OverlayVertex {
    float x, y, z;
    D3DCOLOR colour;
};
inline constexpr DWORD kOverlayVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;

class COverlayLines {
public:
    // A wire sphere: kSphereParallels circles of latitude between the poles
    // and kSphereMeridians great circles through them, each of
    // kCircleSegments segments.
    static constexpr int kSphereParallels = 5;
    static constexpr int kSphereMeridians = 4;
    static constexpr int kCircleSegments = 32;

    void Clear() { vertices_.clear(); }
    void AddLine(const Vector3& from, const Vector3& to, D3DCOLOR colour);
    // Nothing for a radius that is not positive and finite.
    void AddWireSphere(const Vector3& centre, float radius, D3DCOLOR colour);
    // Three segments along the axes, each halfSize either side of centre.
    void AddCross(const Vector3& centre, float halfSize, D3DCOLOR colour);

    UINT LineCount() const { return static_cast<UINT>(vertices_.size() / 2); }
    const std::vector<OverlayVertex>& Vertices() const { return vertices_; }

private:
    // The circle about centre in the plane of the unit vectors u and v.
    void AddCircle(const Vector3& centre, const Vector3& u, const Vector3& v, float radius,
                   D3DCOLOR colour);

    std::vector<OverlayVertex> vertices_;  // two per segment
};

// Draws a COverlayLines with the identity world transform. Its vertex
// buffer lives in the managed pool and grows to the largest list drawn.
class COverlayDrawer {
public:
    COverlayDrawer() = default;
    ~COverlayDrawer() { Release(); }

    // Sets the states the overlay needs (it leaves lighting, fog and the
    // second texture stage off and no texture on stage 0) and draws. D3D_OK
    // for an empty list; the device's failure otherwise.
    HRESULT Draw(IDirect3DDevice9* device, const COverlayLines& lines);
    void Release();

    COverlayDrawer(const COverlayDrawer&) = delete;
    COverlayDrawer& operator=(const COverlayDrawer&) = delete;

private:
    HRESULT Upload(IDirect3DDevice9* device, const std::vector<OverlayVertex>& vertices);
    void SetDrawState(IDirect3DDevice9* device) const;

    IDirect3DVertexBuffer9* buffer_ = nullptr;  // counted reference; null until the first draw
    UINT capacity_ = 0;                         // vertices buffer_ holds
};

}  // namespace RenderLib

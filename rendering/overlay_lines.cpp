#include "rendering/overlay_lines.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace RenderLib {

namespace {

OverlayVertex VertexAt(const Vector3& p, D3DCOLOR colour) {
    return {p.x, p.y, p.z, colour};
}

}  // namespace

void COverlayLines::AddLine(const Vector3& from, const Vector3& to, D3DCOLOR colour) {
    vertices_.push_back(VertexAt(from, colour));
    vertices_.push_back(VertexAt(to, colour));
}

void COverlayLines::AddCircle(const Vector3& centre, const Vector3& u, const Vector3& v,
                              float radius, D3DCOLOR colour) {
    const auto pointAt = [&](int step) {
        const float angle = 2.0f * std::numbers::pi_v<float> * static_cast<float>(step) /
                            static_cast<float>(kCircleSegments);
        return centre + (radius * std::cos(angle)) * u + (radius * std::sin(angle)) * v;
    };
    for (int step = 0; step < kCircleSegments; ++step) {
        AddLine(pointAt(step), pointAt(step + 1), colour);
    }
}

void COverlayLines::AddWireSphere(const Vector3& centre, float radius, D3DCOLOR colour) {
    if (!(radius > 0.0f) || !std::isfinite(radius)) {
        return;
    }
    const Vector3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
    for (int parallel = 1; parallel <= kSphereParallels; ++parallel) {
        const float latitude = std::numbers::pi_v<float> *
                               (static_cast<float>(parallel) / (kSphereParallels + 1) - 0.5f);
        const Vector3 ring = centre + (radius * std::sin(latitude)) * y;
        AddCircle(ring, x, z, radius * std::cos(latitude), colour);
    }
    for (int meridian = 0; meridian < kSphereMeridians; ++meridian) {
        const float longitude =
            std::numbers::pi_v<float> * static_cast<float>(meridian) / kSphereMeridians;
        AddCircle(centre, std::cos(longitude) * x + std::sin(longitude) * z, y, radius, colour);
    }
}

void COverlayLines::AddCross(const Vector3& centre, float halfSize, D3DCOLOR colour) {
    const Vector3 axes[3] = {{halfSize, 0, 0}, {0, halfSize, 0}, {0, 0, halfSize}};
    for (const Vector3& axis : axes) {
        AddLine(centre - axis, centre + axis, colour);
    }
}

HRESULT COverlayDrawer::Draw(IDirect3DDevice9* device, const COverlayLines& lines) {
    if (device == nullptr || lines.LineCount() == 0) {
        return D3D_OK;
    }
    if (const HRESULT uploaded = Upload(device, lines.Vertices()); FAILED(uploaded)) {
        return uploaded;
    }
    SetDrawState(device);
    device->SetStreamSource(0, buffer_, 0, sizeof(OverlayVertex));
    return device->DrawPrimitive(D3DPT_LINELIST, 0, lines.LineCount());
}

void COverlayDrawer::SetDrawState(IDirect3DDevice9* device) const {
    const Matrix4 identity;
    device->SetTransform(D3DTS_WORLD, &identity);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_FOGENABLE, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device->SetTexture(0, nullptr);  // a stage without a texture reads white
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    device->SetFVF(kOverlayVertexFormat);
}

// The buffer grows to twice what is asked, so that a list that grows a
// little each frame does not make a new buffer each frame.
HRESULT COverlayDrawer::Upload(IDirect3DDevice9* device,
                               const std::vector<OverlayVertex>& vertices) {
    const auto count = static_cast<UINT>(vertices.size());
    if (count > capacity_) {
        Release();
        const UINT wanted = std::max<UINT>(count * 2, 1024);
        if (const HRESULT created = device->CreateVertexBuffer(
                wanted * sizeof(OverlayVertex), D3DUSAGE_WRITEONLY, kOverlayVertexFormat,
                D3DPOOL_MANAGED, &buffer_, nullptr);
            FAILED(created)) {
            buffer_ = nullptr;
            return created;
        }
        capacity_ = wanted;
    }
    void* data = nullptr;
    const UINT bytes = count * static_cast<UINT>(sizeof(OverlayVertex));
    if (const HRESULT locked = buffer_->Lock(0, bytes, &data, 0); FAILED(locked)) {
        return locked;
    }
    std::memcpy(data, vertices.data(), bytes);
    return buffer_->Unlock();
}

void COverlayDrawer::Release() {
    SafeRelease(buffer_);
    capacity_ = 0;
}

}  // namespace RenderLib

#include "framework/camera.h"

#include "framework/matrix_helpers.h"
#include "framework/player.h"

namespace RenderLib {

namespace {
const Vector3 kZero{0.0f, 0.0f, 0.0f};

Vector3 Column(const Matrix4& m, int column) {
    return {m.m[0][column], m.m[1][column], m.m[2][column]};
}
}  // namespace

void CCamera::SetTarget(CPlayer* player) {
    target = player;
}

void CCamera::ClearTarget() {
    target = nullptr;
}

void CCamera::SetPosition(const Vector3& point) {
    position = point;
    viewDirty = true;
}

void CCamera::Move(const Vector3& delta) {
    position += delta;
    viewDirty = true;
}

void CCamera::Rotate(float, float, float) {}

void CCamera::Update(float, float) {}

void CCamera::CopyFrom(const CCamera*) {}

void CCamera::SetViewport(UINT x, UINT y, UINT width, UINT height, float nearClip, float farClip,
                          IDirect3DDevice9* device) {
    viewport = {x, y, width, height, 0.0f, 1.0f};
    nearPlane = nearClip;
    farPlane = farClip;
    projectionDirty = true;
    if (device != nullptr) {
        device->SetViewport(&viewport);
    }
}

const D3DMATRIX& CCamera::GetProjectionMatrix() {
    if (projectionDirty) {
        // A minimised window reports a zero-sized viewport; a finite aspect
        // keeps the matrix usable until the real size comes back.
        float aspect = 1.0f;
        if (viewport.Width != 0 && viewport.Height != 0) {
            aspect = static_cast<float>(viewport.Width) / static_cast<float>(viewport.Height);
        }
        projection = MatrixPerspectiveFovLH(fov * kDegreesToRadians, aspect, nearPlane, farPlane);
        projectionDirty = false;
    }
    return projection;
}

void CCamera::ApplyProjection(IDirect3DDevice9* device) {
    if (device != nullptr) {
        device->SetTransform(D3DTS_PROJECTION, &GetProjectionMatrix());
    }
}

const D3DMATRIX& CCamera::GetViewMatrix() {
    if (viewDirty) {
        Normalize(look, look);
        right = Normalize(Cross(up, look));
        up = Normalize(Cross(look, right));
        view = MatrixViewFromAxes(right, up, look, position);
        viewDirty = false;
    }
    return view;
}

HRESULT CCamera::ApplyView(IDirect3DDevice9* device) {
    if (device == nullptr) {
        return S_OK;
    }
    return device->SetTransform(D3DTS_VIEW, &GetViewMatrix());
}

void CCamera::LookAt(const Vector3& point) {
    if (target == nullptr) {
        return;
    }
    const Matrix4 m = MatrixLookAtLH(position, point, target->GetUp());
    const Vector3 x = Column(m, 0);
    const Vector3 z = Column(m, 2);
    // A degenerate look-at (eye on the point, or looking along the up
    // reference) would zero the axes for good; keep the old ones instead.
    if (x == kZero || z == kZero) {
        return;
    }
    right = x;
    up = Column(m, 1);
    look = z;
    viewDirty = true;
}

void CCamera::SetBounds(const float box[6]) {
    for (int i = 0; i < 6; ++i) {
        bounds[i] = box[i];
    }
}

void CCamera::SetPose(const Vector3& point, const Vector3& newRight, const Vector3& newUp,
                      const Vector3& newLook) {
    position = point;
    right = newRight;
    up = newUp;
    look = newLook;
    viewDirty = true;
}

void CCamera::CopyStateFrom(const CCamera& source) {
    position = source.position;
    right = source.right;
    look = source.look;
    up = source.up;
    fov = source.fov;
    nearPlane = source.nearPlane;
    farPlane = source.farPlane;
    viewport = source.viewport;
    SetBounds(source.bounds);
    viewDirty = true;
    projectionDirty = true;
}

void CCamera::Level() { LevelAxes(right, up, look); }

void CCamera::RotatePositionAboutTarget(const Matrix4& rotation) {
    const Vector3 offset = position - target->GetPosition();
    position = TransformCoord(offset, rotation) + target->GetPosition();
}

}  // namespace RenderLib

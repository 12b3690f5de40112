// The arena's frame: input, update and drawing, and what it does when the
// device is reset or the window resized.

#include <cmath>

#include "framework/matrix_helpers.h"
#include "platform/window/system.h"
#include "rendering/flocking_arena_render_engine.h"

namespace RenderLib {

namespace {

bool Held(const std::uint8_t* keys, std::uint8_t virtualKey) { return (keys[virtualKey] & 0xF0) != 0; }

DWORD DirectionFlags(const std::uint8_t* keys) {
    DWORD flags = 0;
    flags |= Held(keys, VK_UP) ? kMoveForward : 0;
    flags |= Held(keys, VK_DOWN) ? kMoveBackward : 0;
    flags |= Held(keys, VK_LEFT) ? kMoveLeft : 0;
    flags |= Held(keys, VK_RIGHT) ? kMoveRight : 0;
    flags |= Held(keys, VK_PRIOR) ? kMoveUp : 0;
    flags |= Held(keys, VK_NEXT) ? kMoveDown : 0;
    return flags;
}

}  // namespace

// Paused, the player neither turns nor moves; a drag still orbits the
// overview and school cameras, and every camera goes on being applied.
void CFlockingArenaRenderEngine::ProcessInput() {
    BeginFrameTime();
    std::uint8_t keys[256];
    if (!GetKeyboardState(keys)) {
        return;
    }
    float dx = 0.0f, dy = 0.0f;
    if (window != nullptr && GetCapture() == window) {
        ShowCursor(false);
        POINT cursor;
        GetCursorPos(&cursor);
        const auto movedX = static_cast<float>(cursor.x - rememberedCursor.x);
        const auto movedY = static_cast<float>(cursor.y - rememberedCursor.y);
        pressTravel_ += std::abs(movedX) + std::abs(movedY);
        dx = movedX * kMouseSensitivity;
        dy = movedY * kMouseSensitivity;
        SetCursorPos(rememberedCursor.x, rememberedCursor.y);
    }
    if (dx != 0.0f || dy != 0.0f) {
        TurnFromMouse(dx, dy, Held(keys, VK_RBUTTON));
    }
    if (advancing_) {
        const DWORD flags = DirectionFlags(keys);
        if (flags != 0) {
            player.MoveByDirections(flags, frameSeconds_ * kKeyThrust, true);
        }
        player.Update(frameSeconds_);
    }
    UseSceneCamera();
    if (camera != nullptr && device != nullptr) {
        camera->ApplyView(device);
    }
}

void CFlockingArenaRenderEngine::UpdateScene() {
    CRenderEngine::UpdateScene();
    FollowSelection();
    if (!advancing_) {
        return;  // paused: the flock and the fins stand still
    }
    world.Update(frameSeconds_);
    simulatedSeconds += frameSeconds_;
    pikeMesh.Animate(device, frameSeconds_);
    bluegillMesh.Animate(device, frameSeconds_);
    blackbassMesh.Animate(device, frameSeconds_);
    pikeLowMesh.Animate(device, frameSeconds_);
    bluegillLowMesh.Animate(device, frameSeconds_);
    blackbassLowMesh.Animate(device, frameSeconds_);
}

void CFlockingArenaRenderEngine::DrawScene() {
    device->SetRenderState(D3DRS_FOGENABLE, TRUE);
    device->SetRenderState(D3DRS_FOGCOLOR, kFogColor);
    device->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_EXP);
    device->SetRenderState(D3DRS_FOGDENSITY, FloatToDword(FogDensity()));
    DrawSkyBox();
    if (viewSettings.camera != SceneCamera::PikesEye) {
        player.Render(device);  // seen from inside, the pike would only hide the view
    }
    if (instancedFlock) {
        flockDrawer.Draw(device, world);
    } else {
        world.Render(device);
    }
    DrawOverlays();
    device->SetTransform(D3DTS_WORLD, &worldMatrix);
}

// The cube follows the eye and writes no depth, so it stays a background
// behind everything drawn after it, at any camera position.
void CFlockingArenaRenderEngine::DrawSkyBox() {
    if (camera == nullptr || device == nullptr) {
        return;
    }
    const Vector3& eye = camera->GetPosition();
    const D3DMATRIX around = MatrixTranslation(eye.x, eye.y + 1.3f, eye.z);
    device->SetTransform(D3DTS_WORLD, &around);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    device->SetFVF(skyBox.GetVertexFormat());
    device->SetIndices(skyBox.GetIndexBuffer());
    device->SetStreamSource(0, skyBox.GetVertexBuffer(), 0, skyBox.GetStride());
    for (UINT face = 0; face < kSkyBoxFaces; ++face) {
        device->SetTexture(0, skyBoxTextures[face]);
        device->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, 24, face * 4, 2);
    }
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetTransform(D3DTS_WORLD, &worldMatrix);
}

// The camera's part runs even when the base found the device unfit, as long
// as there is a device to hand the matrices to.
void CFlockingArenaRenderEngine::RestoreDeviceState() {
    CRenderEngine::RestoreDeviceState();
    if (camera == nullptr) {
        return;
    }
    ApplyCameraViewport();
    if (device != nullptr) {
        camera->ApplyView(device);
        camera->ApplyProjection(device);
    }
}

void CFlockingArenaRenderEngine::ReleaseResources() {
    CRenderEngine::ReleaseResources();
    flockDrawer.Release();
    overlayDrawer.Release();
    pikeMesh.Release();
    bluegillMesh.Release();
    blackbassMesh.Release();
    pikeLowMesh.Release();
    bluegillLowMesh.Release();
    blackbassLowMesh.Release();
    ReleaseSkyBoxTextures();
}

void CFlockingArenaRenderEngine::OnSize(UINT type, std::int32_t width, std::int32_t height) {
    if (type == kSizeMinimized) {
        active = false;
        return;
    }
    active = true;
    viewport.width = width;
    viewport.height = height;
    if (device == nullptr) {
        return;
    }
    if (camera != nullptr) {
        ApplyCameraViewport();
    }
    ResetDevice(nullptr);
    RestoreDeviceState();
}

}  // namespace RenderLib

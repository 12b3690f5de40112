// gfx-demo: draws one frame with the OpenGL device, without a display, and
// writes it as a PNG.
//
//   gfx-demo [OUTPUT.png]      (default gfx-demo.png)
//
// The frame: a dark blue clear, a textured quad in the upper left (its
// texture yellow above blue, with a red top-left corner, so the image's
// orientation shows at a glance) and a triangle with red, green and blue
// corners in the lower right. Exit status 0 when the PNG was written, 1 when
// the frame read back is not what was drawn, 2 when no device could be made.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <SDL.h>

#include "platform/gfx/d3d9.h"
#include "platform/gfx/opengl/opengl_direct3d.h"
#include "platform/image/png_writer.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/window.h"

namespace {

constexpr UINT kWidth = 320;
constexpr UINT kHeight = 240;
constexpr DWORD kTexturedFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct Vertex {
    float x, y, z;
    D3DCOLOR color;
    float u, v;
};

IDirect3DTexture9* MakeTexture(IDirect3DDevice9* device) {
    constexpr UINT kSize = 8;
    IDirect3DTexture9* texture = nullptr;
    if (FAILED(device->CreateTexture(kSize, kSize, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture,
                                     nullptr))) {
        return nullptr;
    }
    D3DLOCKED_RECT locked;
    texture->LockRect(0, &locked, nullptr, 0);
    for (UINT row = 0; row < kSize; ++row) {
        auto* pixels = reinterpret_cast<D3DCOLOR*>(static_cast<std::uint8_t*>(locked.pBits) +
                                                   row * locked.Pitch);
        for (UINT column = 0; column < kSize; ++column) {
            const bool corner = row < 2 && column < 2;
            pixels[column] = corner ? 0xFFFF0000 : (row < kSize / 2 ? 0xFFFFD700 : 0xFF1E50FF);
        }
    }
    texture->UnlockRect(0);
    return texture;
}

HRESULT DrawVertices(IDirect3DDevice9* device, const std::vector<Vertex>& vertices,
                     D3DPRIMITIVETYPE type, UINT primitives) {
    IDirect3DVertexBuffer9* buffer = nullptr;
    const auto bytes = static_cast<UINT>(vertices.size() * sizeof(Vertex));
    HRESULT result = device->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, kTexturedFormat,
                                                D3DPOOL_MANAGED, &buffer, nullptr);
    if (FAILED(result)) {
        return result;
    }
    void* data = nullptr;
    buffer->Lock(0, 0, &data, 0);
    std::memcpy(data, vertices.data(), bytes);
    buffer->Unlock();
    device->SetFVF(kTexturedFormat);
    device->SetStreamSource(0, buffer, 0, sizeof(Vertex));
    result = device->DrawPrimitive(type, 0, primitives);
    device->SetStreamSource(0, nullptr, 0, 0);
    buffer->Release();
    return result;
}

void DrawFrame(IDirect3DDevice9* device, IDirect3DTexture9* texture) {
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00102040, 1.0f, 0);
    device->BeginScene();
    device->SetRenderState(D3DRS_LIGHTING, 0);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    device->SetTexture(0, texture);
    // Clockwise on screen, as the default culling (D3DCULL_CCW) keeps.
    DrawVertices(device,
                 {{-0.8f, 0.8f, 0.5f, 0xFFFFFFFF, 0, 0},
                  {0.2f, 0.8f, 0.5f, 0xFFFFFFFF, 1, 0},
                  {-0.8f, -0.2f, 0.5f, 0xFFFFFFFF, 0, 1},
                  {0.2f, -0.2f, 0.5f, 0xFFFFFFFF, 1, 1}},
                 D3DPT_TRIANGLESTRIP, 2);
    device->SetTexture(0, nullptr);
    DrawVertices(device,
                 {{0.3f, -0.3f, 0.5f, 0xFFFF0000, 0, 0},
                  {0.9f, -0.9f, 0.5f, 0xFF00FF00, 0, 0},
                  {0.3f, -0.9f, 0.5f, 0xFF0000FF, 0, 0}},
                 D3DPT_TRIANGLELIST, 1);
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
}

// The quad's upper half must read yellow and its lower half blue, with the
// top row first.
bool FrameLooksRight(const std::vector<std::uint8_t>& rgba) {
    const auto pixel = [&rgba](UINT x, UINT y) { return rgba.data() + (y * kWidth + x) * 4; };
    const std::uint8_t* upper = pixel(kWidth * 3 / 10, kHeight * 3 / 20);
    const std::uint8_t* lower = pixel(kWidth * 3 / 10, kHeight * 11 / 20);
    return upper[0] > 200 && upper[1] > 150 && upper[2] < 50 && lower[2] > 200 && lower[0] < 80;
}

IDirect3DDevice9* CreateDevice(IDirect3D9* direct3D, HWND window) {
    D3DPRESENT_PARAMETERS parameters;
    parameters.Windowed = 1;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.BackBufferCount = 1;
    parameters.EnableAutoDepthStencil = 1;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    IDirect3DDevice9* device = nullptr;
    direct3D->CreateDevice(0, D3DDEVTYPE_HAL, window,
                           D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED,
                           &parameters, &device);
    return device;
}

int Run(const std::string& output) {
    WindowCreation creation;
    creation.title = "gfx-demo";
    creation.width = static_cast<int>(kWidth);
    creation.height = static_cast<int>(kHeight);
    HWND window = CreatePlatformWindow(creation);
    IDirect3D9* direct3D = window != nullptr ? Direct3DCreate9(D3D_SDK_VERSION) : nullptr;
    IDirect3DDevice9* device = direct3D != nullptr ? CreateDevice(direct3D, window) : nullptr;
    if (device == nullptr) {
        std::fprintf(stderr, "gfx-demo: no OpenGL device could be created\n");
        SafeRelease(direct3D);
        return 2;
    }
    IDirect3DTexture9* texture = MakeTexture(device);
    DrawFrame(device, texture);
    std::vector<std::uint8_t> rgba;
    UINT width = 0;
    UINT height = 0;
    device->ReadBackBuffer(rgba, width, height);
    SafeRelease(texture);
    SafeRelease(device);
    SafeRelease(direct3D);
    DestroyPlatformWindow(window);
    if (!FrameLooksRight(rgba)) {
        std::fprintf(stderr, "gfx-demo: the frame read back is not the one drawn\n");
        return 1;
    }
    if (!WritePng(output, rgba, width, height)) {
        std::fprintf(stderr, "gfx-demo: could not write %s\n", output.c_str());
        return 2;
    }
    std::printf("gfx-demo: wrote %s (%ux%u)\n", output.c_str(), width, height);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string output = argc > 1 ? argv[1] : "gfx-demo.png";
    setenv("SDL_VIDEODRIVER", "offscreen", 0);  // headless unless told otherwise
    std::string error;
    if (!InstallSdlWindowSystem(&error)) {
        std::fprintf(stderr, "gfx-demo: %s\n", error.c_str());
        return 2;
    }
    InstallOpenGLDirect3D();
    // Keeps the OpenGL driver loaded until exit (see mesa_leak_suppressions.cpp);
    // SDL video therefore stays up too, since quitting it with the library
    // held would drop SDL's own record of the library.
    SDL_GL_LoadLibrary(nullptr);
    return Run(output);
}

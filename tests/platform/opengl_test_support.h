#pragma once

// Shared set-up of the OpenGL rendering tests: SDL's offscreen video driver
// (a real OpenGL context through EGL and Mesa, no display), a window from the
// SDL window system, an adapter object and a device on it, and helpers to
// draw simple geometry and read pixels back.

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/d3d9.h"
#include "platform/gfx/opengl/gl_context.h"

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;
};

// A vertex with position and colour (D3DFVF_XYZ | D3DFVF_DIFFUSE).
struct ColorVertex {
    float x, y, z;
    D3DCOLOR color;
};
constexpr DWORD kColorVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;

// A vertex with position, colour and one texture coordinate pair (0x142).
struct TexturedVertex {
    float x, y, z;
    D3DCOLOR color;
    float u, v;
};
constexpr DWORD kTexturedVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// Selects the offscreen driver unless the environment already chose one, and
// installs the SDL window system and the OpenGL factory once per process.
void PrepareOffscreenOpenGL();

class OpenGLFixture : public ::testing::Test {
protected:
    static constexpr UINT kWidth = 64;
    static constexpr UINT kHeight = 48;

    void SetUp() override;
    void TearDown() override;

    // Creates the device with options (windowed, D24S8 depth, client size).
    void CreateDevice(const OpenGLOptions& options = {});
    D3DPRESENT_PARAMETERS WindowedParameters() const;

    // Identity transforms, lighting off, no culling: clip space = positions.
    void UsePlainState();
    // Draws a triangle list of vertices of format vertexFormat.
    template <class Vertex>
    HRESULT Draw(const std::vector<Vertex>& vertices, DWORD vertexFormat,
                 D3DPRIMITIVETYPE type = D3DPT_TRIANGLELIST);
    // Two triangles covering [x0, x1] × [y0, y1] in clip space at depth z.
    static std::vector<ColorVertex> Quad(float x0, float y0, float x1, float y1, float z,
                                         D3DCOLOR color);
    // An A8R8G8B8 texture from 0xAARRGGBB pixels, rows top first.
    IDirect3DTexture9* MakeTexture(UINT width, UINT height, const std::vector<D3DCOLOR>& pixels);

    // The back buffer's pixel at (x, y), top-left origin.
    Rgba Pixel(UINT x, UINT y);

    HWND window_ = nullptr;
    IDirect3D9* direct3D_ = nullptr;
    IDirect3DDevice9* device_ = nullptr;
    std::vector<IDirect3DVertexBuffer9*> buffers_;  // released at tear-down
};

template <class Vertex>
HRESULT OpenGLFixture::Draw(const std::vector<Vertex>& vertices, DWORD vertexFormat,
                            D3DPRIMITIVETYPE type) {
    IDirect3DVertexBuffer9* buffer = nullptr;
    const auto bytes = static_cast<UINT>(vertices.size() * sizeof(Vertex));
    HRESULT result = device_->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, vertexFormat,
                                                 D3DPOOL_MANAGED, &buffer, nullptr);
    if (FAILED(result)) {
        return result;
    }
    buffers_.push_back(buffer);
    void* data = nullptr;
    buffer->Lock(0, 0, &data, 0);
    std::copy(vertices.begin(), vertices.end(), static_cast<Vertex*>(data));
    buffer->Unlock();
    device_->SetFVF(vertexFormat);
    device_->SetStreamSource(0, buffer, 0, sizeof(Vertex));
    UINT primitives = static_cast<UINT>(vertices.size() / 3);
    if (type == D3DPT_TRIANGLESTRIP || type == D3DPT_TRIANGLEFAN) {
        primitives = static_cast<UINT>(vertices.size() - 2);
    }
    return device_->DrawPrimitive(type, 0, primitives);
}

// True when two colours differ by at most tolerance in every channel.
::testing::AssertionResult Near(const Rgba& actual, const Rgba& expected, int tolerance = 1);

#include "tests/platform/opengl_test_support.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include <SDL.h>

#include "platform/gfx/opengl/opengl_direct3d.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/window.h"

void PrepareOffscreenOpenGL() {
    static const bool prepared = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        std::string error;
        if (!InstallSdlWindowSystem(&error)) {
            ADD_FAILURE() << error;
            return false;
        }
        // Held to the end of the process, so that the driver stays loaded
        // (see mesa_leak_suppressions.cpp).
        SDL_GL_LoadLibrary(nullptr);
        InstallOpenGLDirect3D();
        return true;
    }();
    ASSERT_TRUE(prepared);
}

void OpenGLFixture::SetUp() {
    PrepareOffscreenOpenGL();
    WindowCreation creation;
    creation.title = "OpenGL test";
    creation.width = static_cast<int>(kWidth);
    creation.height = static_cast<int>(kHeight);
    window_ = CreatePlatformWindow(creation);
    ASSERT_NE(window_, nullptr);
    direct3D_ = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(direct3D_, nullptr);
}

void OpenGLFixture::TearDown() {
    for (IDirect3DVertexBuffer9* buffer : buffers_) {
        buffer->Release();
    }
    buffers_.clear();
    SafeRelease(device_);
    SafeRelease(direct3D_);
    if (window_ != nullptr) {
        DestroyPlatformWindow(window_);
    }
}

D3DPRESENT_PARAMETERS OpenGLFixture::WindowedParameters() const {
    D3DPRESENT_PARAMETERS parameters;
    parameters.Windowed = 1;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.BackBufferCount = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.EnableAutoDepthStencil = 1;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    return parameters;
}

void OpenGLFixture::CreateDevice(const OpenGLOptions& options) {
    if (!options.allowClipControl) {
        // A separate adapter object carries the option to its devices.
        InstallOpenGLDirect3D(options);
        SafeRelease(direct3D_);
        direct3D_ = Direct3DCreate9(D3D_SDK_VERSION);
        InstallOpenGLDirect3D();
        ASSERT_NE(direct3D_, nullptr);
    }
    D3DPRESENT_PARAMETERS parameters = WindowedParameters();
    ASSERT_EQ(direct3D_->CreateDevice(0, D3DDEVTYPE_HAL, window_,
                                      D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters, &device_),
              D3D_OK);
    ASSERT_NE(device_, nullptr);
    EXPECT_EQ(parameters.BackBufferWidth, kWidth);
    EXPECT_EQ(parameters.BackBufferHeight, kHeight);
}

void OpenGLFixture::UsePlainState() {
    const D3DMATRIX identity;
    device_->SetTransform(D3DTS_WORLD, &identity);
    device_->SetTransform(D3DTS_VIEW, &identity);
    device_->SetTransform(D3DTS_PROJECTION, &identity);
    device_->SetRenderState(D3DRS_LIGHTING, 0);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
}

std::vector<ColorVertex> OpenGLFixture::Quad(float x0, float y0, float x1, float y1, float z,
                                             D3DCOLOR color) {
    return {{x0, y0, z, color}, {x0, y1, z, color}, {x1, y1, z, color},
            {x0, y0, z, color}, {x1, y1, z, color}, {x1, y0, z, color}};
}

IDirect3DTexture9* OpenGLFixture::MakeTexture(UINT width, UINT height,
                                              const std::vector<D3DCOLOR>& pixels) {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(device_->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                     &texture, nullptr),
              D3D_OK);
    D3DLOCKED_RECT locked;
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (UINT row = 0; row < height; ++row) {
        // D3DCOLOR words in little-endian memory are the bytes B, G, R, A.
        std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + row * locked.Pitch,
                    pixels.data() + row * width, width * 4);
    }
    EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
    return texture;
}

Rgba OpenGLFixture::Pixel(UINT x, UINT y) {
    std::vector<std::uint8_t> rgba;
    UINT width = 0;
    UINT height = 0;
    EXPECT_EQ(device_->ReadBackBuffer(rgba, width, height), D3D_OK);
    if (x >= width || y >= height) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") outside " << width << "x" << height;
        return {};
    }
    const std::uint8_t* p = rgba.data() + (std::size_t{y} * width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

::testing::AssertionResult Near(const Rgba& actual, const Rgba& expected, int tolerance) {
    const auto close = [tolerance](int a, int b) { return std::abs(a - b) <= tolerance; };
    if (close(actual.r, expected.r) && close(actual.g, expected.g) && close(actual.b, expected.b) &&
        close(actual.a, expected.a)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got (" << actual.r << ", " << actual.g << ", " << actual.b << ", " << actual.a
           << "), expected (" << expected.r << ", " << expected.g << ", " << expected.b << ", "
           << expected.a << ") within " << tolerance;
}

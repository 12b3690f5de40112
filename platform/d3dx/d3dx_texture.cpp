#include "platform/d3dx/d3dx_texture.h"

#include <stb_image.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3dx/d3dx_mesh.h"
#include "platform/d3dx/file_bytes.h"

namespace {
void Report(const char* name, const std::string& reason) {
    std::fprintf(stderr, "D3DXCreateTextureFromFileA: %s: %s\n", name, reason.c_str());
}

struct ImageFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

// Copies RGBA rows into the locked level as B, G, R, A.
void CopyRows(const stbi_uc* rgba, int width, int height, const D3DLOCKED_RECT& locked) {
    for (int y = 0; y < height; ++y) {
        const stbi_uc* from = rgba + static_cast<std::size_t>(y) * width * 4;
        auto* to =
            static_cast<std::uint8_t*>(locked.pBits) + static_cast<std::size_t>(y) * locked.Pitch;
        for (int x = 0; x < width; ++x, from += 4, to += 4) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            to[3] = from[3];
        }
    }
}

HRESULT Upload(IDirect3DDevice9* device, const stbi_uc* rgba, int width, int height,
               const char* name, IDirect3DTexture9** texture) {
    HRESULT result = device->CreateTexture(static_cast<UINT>(width), static_cast<UINT>(height), 1,
                                           0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, texture, nullptr);
    if (FAILED(result)) {
        Report(name, "the device refused a " + std::to_string(width) + "x" +
                         std::to_string(height) + " texture");
        return result;
    }
    D3DLOCKED_RECT locked;
    result = (*texture)->LockRect(0, &locked, nullptr, 0);
    if (SUCCEEDED(result) && (locked.pBits == nullptr || locked.Pitch < width * 4)) {
        (*texture)->UnlockRect(0);
        result = D3DERR_INVALIDCALL;
    }
    if (FAILED(result)) {
        Report(name, "cannot lock the texture");
        SafeRelease(*texture);
        return result;
    }
    CopyRows(rgba, width, height, locked);
    (*texture)->UnlockRect(0);
    return D3D_OK;
}
}  // namespace

HRESULT D3DXCreateTextureFromFileInMemoryNamed(IDirect3DDevice9* device, const void* data,
                                               std::size_t size, const char* name,
                                               IDirect3DTexture9** texture) {
    if (texture != nullptr) {
        *texture = nullptr;
    }
    const char* label = name != nullptr ? name : "(memory)";
    if (device == nullptr || data == nullptr || texture == nullptr) {
        Report(label, "invalid argument");
        return D3DERR_INVALIDCALL;
    }
    if (size == 0 || size > static_cast<std::size_t>(INT_MAX)) {
        Report(label, size == 0 ? "empty file" : "file too large");
        return D3DXERR_INVALIDDATA;
    }
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<stbi_uc, ImageFree> rgba(stbi_load_from_memory(
        static_cast<const stbi_uc*>(data), static_cast<int>(size), &width, &height, &channels, 4));
    if (rgba == nullptr || width <= 0 || height <= 0) {
        const char* reason = stbi_failure_reason();
        Report(label,
               std::string("cannot decode (") + (reason != nullptr ? reason : "unknown") + ")");
        return D3DXERR_INVALIDDATA;
    }
    return Upload(device, rgba.get(), width, height, label, texture);
}

HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* device, const char* fileName,
                                   IDirect3DTexture9** texture) {
    if (texture != nullptr) {
        *texture = nullptr;
    }
    if (device == nullptr || fileName == nullptr || texture == nullptr) {
        Report(fileName != nullptr ? fileName : "(null)", "invalid argument");
        return D3DERR_INVALIDCALL;
    }
    std::vector<std::uint8_t> bytes;
    const std::string problem = ReadFileBytes(fileName, bytes);
    if (!problem.empty()) {
        Report(fileName, problem);
        return D3DERR_NOTFOUND;
    }
    return D3DXCreateTextureFromFileInMemoryNamed(device, bytes.data(), bytes.size(), fileName,
                                                  texture);
}

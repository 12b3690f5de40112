#include "platform/d3dx/d3dx_texture.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3dx/d3dx_load_failure.h"
#include "platform/d3dx/d3dx_mesh.h"
#include "platform/d3dx/file_bytes.h"
#include "platform/image/picture_decoder.h"

namespace {
void Report(const char* name, const std::string& reason) {
    D3DXReportLoadFailure("D3DXCreateTextureFromFileA", name, reason);
}

// Copies RGBA rows into the locked level as B, G, R, A.
void CopyRows(const DecodedPicture& picture, const D3DLOCKED_RECT& locked) {
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* from =
            picture.rgba.data() + static_cast<std::size_t>(y) * picture.width * 4;
        auto* to =
            static_cast<std::uint8_t*>(locked.pBits) + static_cast<std::size_t>(y) * locked.Pitch;
        for (int x = 0; x < picture.width; ++x, from += 4, to += 4) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            to[3] = from[3];
        }
    }
}

HRESULT Upload(IDirect3DDevice9* device, const DecodedPicture& picture, const char* name,
               IDirect3DTexture9** texture) {
    const int width = picture.width;
    const int height = picture.height;
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
    CopyRows(picture, locked);
    (*texture)->UnlockRect(0);
    return D3D_OK;
}
}  // namespace

HRESULT D3DXCreateTextureFromFileInMemoryNamed(IDirect3DDevice9* device, const void* data,
                                               std::size_t size, const char* name,
                                               IDirect3DTexture9** texture) {
    D3DXClearLoadFailure();
    if (texture != nullptr) {
        *texture = nullptr;
    }
    const char* label = name != nullptr ? name : "(memory)";
    if (device == nullptr || data == nullptr || texture == nullptr) {
        Report(label, "invalid argument");
        return D3DERR_INVALIDCALL;
    }
    DecodedPicture picture;
    std::string reason;
    if (!DecodePicture(static_cast<const std::uint8_t*>(data), size, picture, reason)) {
        Report(label, reason);
        return D3DXERR_INVALIDDATA;
    }
    return Upload(device, picture, label, texture);
}

HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* device, const char* fileName,
                                   IDirect3DTexture9** texture) {
    D3DXClearLoadFailure();
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
    // An empty file leaves data null; it is still a file, and empty.
    static const std::uint8_t kNothing = 0;
    return D3DXCreateTextureFromFileInMemoryNamed(device, bytes.empty() ? &kNothing : bytes.data(),
                                                  bytes.size(), fileName, texture);
}

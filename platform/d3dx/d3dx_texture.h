#pragma once

// Textures from PNG and JPEG files. The picture becomes one A8R8G8B8 level in
// the managed pool, rows top first, exactly as decoded: no flip, no resize,
// no mipmaps.
//
// Every failure also writes one line to standard error naming the file and
// the reason in plain words, e.g. "D3DXCreateTextureFromFileA: Data/sky.jpg:
// no such file", and keeps the reason for D3DXGetLastLoadFailure.

#include <cstddef>

#include "platform/gfx/d3d9.h"

// Results: D3D_OK with *texture holding a new reference; D3DERR_INVALIDCALL
// for a null argument; D3DERR_NOTFOUND when the file cannot be opened or
// read; D3DXERR_INVALIDDATA when it is not a complete PNG or JPEG picture;
// the device's status when it refuses the texture or its lock. *texture is
// null after any failure.
HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* device, const char* fileName,
                                   IDirect3DTexture9** texture);

// The same for an image held in memory; name only labels the messages.
HRESULT D3DXCreateTextureFromFileInMemoryNamed(IDirect3DDevice9* device, const void* data,
                                               std::size_t size, const char* name,
                                               IDirect3DTexture9** texture);

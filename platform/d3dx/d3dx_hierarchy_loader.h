#pragma once

// Loading a .x model (text or binary; not compressed) as a frame hierarchy
// with meshes, skin information and its first animation set.
//
// The file is first checked by our own scanner (x_file_scanner.h), then read
// by Assimp's X importer. Everything arrives as stored in the file:
// positions, frame and bone-offset matrices, face winding and texture
// coordinates (Assimp's conversion to right-handed is undone with
// aiProcess_ConvertToLeftHanded; texture v passes through 1 - (1 - v), which
// is exact for v in [0.5, 1] and within 2^-25 below). Each .x mesh becomes one
// mesh container whose vertices are the file's, in the file's order (see
// x_mesh_builder.h); polygons are split into fans.
//
// Animation: the first animation set of the file plays on the controller
// (looping). Its keys are read as the importer reads them: a rotation key
// stored as (w, x, y, z) in the file is the rotation of the quaternion
// (x, y, z, -w), that is the conjugate of what is written (the .x
// convention); scale and translation keys are used as written; a frame
// whose animation lacks one kind of key keeps that part of its own matrix.
// Without AnimTicksPerSecond a second has 4800 ticks.
//
// Failures write one line to standard error naming the file and the reason
// in plain words ("no such file", "empty", "truncated (...)", "not a model
// file", "damaged (...)"), kept for D3DXGetLastLoadFailure.

#include <cstddef>

#include "platform/d3dx/d3dx_animation_controller.h"
#include "platform/d3dx/d3dx_frame.h"

constexpr double kDefaultTicksPerSecond = 4800.0;

// Loads fileName with meshOptions (D3DXMESH_MANAGED for managed buffers)
// through allocator. On success *frameHierarchy is the root (its siblings
// are further top-level frames) and *animationController the controller
// (null when the file has no animation, or when animationController is
// null). userDataLoader must be null. Results: D3D_OK; D3DERR_INVALIDCALL
// for a bad argument; D3DERR_NOTFOUND when the file cannot be read;
// D3DXERR_INVALIDDATA when it is not a .x file this layer can load; or the
// status of a refusing allocator or device. After a failure nothing is left
// allocated.
HRESULT D3DXLoadMeshHierarchyFromXA(const char* fileName, DWORD meshOptions,
                                    IDirect3DDevice9* device, ID3DXAllocateHierarchy* allocator,
                                    void* userDataLoader, D3DXFRAME** frameHierarchy,
                                    ID3DXAnimationController** animationController);

// The same for a file held in memory (size bytes); messages name it "(memory)".
HRESULT D3DXLoadMeshHierarchyFromXInMemory(const void* data, std::size_t size, DWORD meshOptions,
                                           IDirect3DDevice9* device,
                                           ID3DXAllocateHierarchy* allocator, void* userDataLoader,
                                           D3DXFRAME** frameHierarchy,
                                           ID3DXAnimationController** animationController);

#pragma once

// Matrix, vector and quaternion routines of the 3D utility layer, in the
// device's convention: row-major matrices acting on row vectors (p' = p * M),
// left-handed frame. Every out pointer may alias an input; each routine
// returns its out pointer.

#include "platform/gfx/d3d9_types.h"

using D3DXMATRIX = D3DMATRIX;
using D3DXVECTOR3 = Vector3;
using D3DXQUATERNION = Quaternion;  // (x, y, z, w); rotates as q v q*

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
// out = a * b: a's transform first, then b's.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);
D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* out, const D3DXMATRIX* m);
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float x, float y, float z);
// The rotation of q, used as given (not normalised).
D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q);
// Scale, then rotate, then translate.
D3DXMATRIX* D3DXMatrixScaleRotationTranslation(D3DXMATRIX* out, const D3DXVECTOR3* scale,
                                               const D3DXQUATERNION* rotation,
                                               const D3DXVECTOR3* translation);

// Spherical interpolation from a (t = 0) to b (t = 1) along the shorter arc:
// b is negated first when a and b lie in opposite hemispheres. Nearly equal
// rotations fall back to a normalised linear blend.
D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* a,
                                    const D3DXQUATERNION* b, float t);
D3DXVECTOR3* D3DXVec3Lerp(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b, float t);

// (p, 1) * M, divided by the resulting w unless w is 0 or 1.
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* p, const D3DXMATRIX* m);
// (v, 0) * M: rotation and scale only.
D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);

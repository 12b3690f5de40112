#include "platform/d3dx/d3dx_math.h"

#include <cmath>

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out) {
    *out = D3DXMATRIX{};
    return out;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b) {
    D3DXMATRIX product;  // out may alias a or b
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a->m[row][k] * b->m[k][column];
            }
            product.m[row][column] = sum;
        }
    }
    *out = product;
    return out;
}

D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* out, const D3DXMATRIX* m) {
    D3DXMATRIX transposed;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            transposed.m[row][column] = m->m[column][row];
        }
    }
    *out = transposed;
    return out;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z) {
    *out = MatrixTranslation(x, y, z);
    return out;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float x, float y, float z) {
    D3DXMatrixIdentity(out);
    out->m[0][0] = x;
    out->m[1][1] = y;
    out->m[2][2] = z;
    return out;
}

D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q) {
    *out = TransformFromRotationTranslation(*q, Vector3{});
    return out;
}

D3DXMATRIX* D3DXMatrixScaleRotationTranslation(D3DXMATRIX* out, const D3DXVECTOR3* scale,
                                               const D3DXQUATERNION* rotation,
                                               const D3DXVECTOR3* translation) {
    D3DXMATRIX result = TransformFromRotationTranslation(*rotation, *translation);
    const float factors[3] = {scale->x, scale->y, scale->z};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            result.m[row][column] *= factors[row];
        }
    }
    *out = result;
    return out;
}

D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* a,
                                    const D3DXQUATERNION* b, float t) {
    float cosine = a->x * b->x + a->y * b->y + a->z * b->z + a->w * b->w;
    float sign = 1.0f;
    if (cosine < 0.0f) {
        cosine = -cosine;
        sign = -1.0f;
    }
    float weightA = 1.0f - t;
    float weightB = t;
    if (cosine < 0.9999f) {
        const float angle = std::acos(cosine);
        const float inverseSine = 1.0f / std::sin(angle);
        weightA = std::sin((1.0f - t) * angle) * inverseSine;
        weightB = std::sin(t * angle) * inverseSine;
    }
    weightB *= sign;
    D3DXQUATERNION result{weightA * a->x + weightB * b->x, weightA * a->y + weightB * b->y,
                          weightA * a->z + weightB * b->z, weightA * a->w + weightB * b->w};
    if (cosine >= 0.9999f) {
        const float length = std::sqrt(result.x * result.x + result.y * result.y +
                                       result.z * result.z + result.w * result.w);
        if (length > 0.0f) {
            result = {result.x / length, result.y / length, result.z / length, result.w / length};
        }
    }
    *out = result;
    return out;
}

D3DXVECTOR3* D3DXVec3Lerp(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b, float t) {
    *out = {a->x + (b->x - a->x) * t, a->y + (b->y - a->y) * t, a->z + (b->z - a->z) * t};
    return out;
}

D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* p, const D3DXMATRIX* m) {
    *out = TransformCoord(*p, *m);
    return out;
}

D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m) {
    *out = TransformNormal(*v, *m);
    return out;
}

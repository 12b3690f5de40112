#pragma once

// Instanced drawing through the classic stream-frequency mechanism, and the
// rules of it that every device implementation checks alike.
//
// SetStreamSourceFreq(0, D3DSTREAMSOURCE_INDEXEDDATA | n) makes each indexed
// draw draw its geometry n times (n instances); SetStreamSourceFreq(1,
// D3DSTREAMSOURCE_INSTANCEDATA | 1) marks stream 1 as the instance stream,
// which advances once per instance. The devices' fixed-function emulation
// reads one world matrix per instance from it: 16 floats laid out as a
// D3DMATRIX (row vectors), at the stream's offset and stride (at least 64
// bytes), in place of the D3DTS_WORLD transform. Setting 1 on both streams
// (the default, and what Reset restores) ends instancing.

#include "platform/gfx/d3d9_types.h"

constexpr UINT D3DSTREAMSOURCE_INDEXEDDATA = 1u << 30;
constexpr UINT D3DSTREAMSOURCE_INSTANCEDATA = 2u << 30;

// The stream that holds the instances' world matrices, and their size.
constexpr UINT kInstanceStream = 1;
constexpr UINT kInstanceMatrixBytes = 64;

// Whether SetStreamSourceFreq accepts setting for stream: stream 0 takes 1
// or INDEXEDDATA with a count of at least 1; stream 1 takes 1 or
// INSTANCEDATA | 1; other streams take only 1.
constexpr bool StreamFrequencyAllowed(UINT stream, UINT setting) {
    if (setting == 1) {
        return true;
    }
    constexpr UINT kCountMask = (1u << 30) - 1;
    if (stream == 0) {
        return (setting & ~kCountMask) == D3DSTREAMSOURCE_INDEXEDDATA &&
               (setting & kCountMask) >= 1;
    }
    return stream == kInstanceStream && setting == (D3DSTREAMSOURCE_INSTANCEDATA | 1);
}

// The number of instances an indexed draw makes under the two streams'
// settings: 0 when they do not instance (plain drawing), else the count of
// stream 0's setting. Both settings must be allowed ones.
constexpr UINT InstanceCountOf(UINT stream0Setting, UINT stream1Setting) {
    if ((stream0Setting & D3DSTREAMSOURCE_INDEXEDDATA) == 0 ||
        stream1Setting != (D3DSTREAMSOURCE_INSTANCEDATA | 1)) {
        return 0;
    }
    return stream0Setting & ((1u << 30) - 1);
}

// Whether an instance stream of size bytes, read from offset with stride,
// holds count matrices.
constexpr bool InstancesFit(std::uint64_t size, std::uint64_t offset, std::uint64_t stride,
                            std::uint64_t count) {
    return stride >= kInstanceMatrixBytes && count >= 1 &&
           offset + (count - 1) * stride + kInstanceMatrixBytes <= size;
}

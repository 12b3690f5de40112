#pragma once

// Decoding the program's pictures (PNG and JPEG files held in memory) into
// RGBA pixels, with the reason in plain words when they cannot be decoded.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // width × height pixels, R G B A, top row first
};

// Decodes size bytes of a PNG or JPEG file into picture. False when they are
// no complete picture, with why in reason: "empty", "not a PNG/JPEG image"
// (the signature is neither), "truncated" (the file ends before its last
// chunk or its end-of-image marker), "too large", "out of memory", or
// "damaged (...)" with the decoder's own words. picture is untouched then.
bool DecodePicture(const std::uint8_t* data, std::size_t size, DecodedPicture& picture,
                   std::string& reason);

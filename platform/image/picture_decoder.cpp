#include "platform/image/picture_decoder.h"

#include <climits>
#include <cstring>
#include <memory>

#include <stb/stb_image.h>

// The file's own structure is checked before stb_image sees it: stb_image
// decodes whatever its format detection accepts (a TGA has no signature, so
// random bytes may pass for one) and fills a JPEG cut short with grey
// instead of failing, so neither "not a picture" nor "truncated" could be
// told from its answer alone.

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kJpegSignature[3] = {0xFF, 0xD8, 0xFF};

struct PixelsFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

std::uint32_t BigEndian32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | bytes[3];
}

bool StartsWith(const std::uint8_t* data, std::size_t size, const std::uint8_t* prefix,
                std::size_t length) {
    return size >= length && std::memcmp(data, prefix, length) == 0;
}

// Every chunk (length, type, data, CRC) lies inside the file and the last
// one read is IEND.
bool PngComplete(const std::uint8_t* data, std::size_t size) {
    std::size_t at = sizeof kPngSignature;
    while (size - at >= 12) {
        const std::uint64_t length = BigEndian32(data + at);
        if (length > size - at - 12) {
            return false;
        }
        if (std::memcmp(data + at + 4, "IEND", 4) == 0) {
            return true;
        }
        at += 12 + static_cast<std::size_t>(length);
    }
    return false;
}

// Walks the marker segments to the end-of-image marker. Inside scan data a
// 0xFF byte is followed by 0x00 (a stuffed byte) or a restart marker, so the
// next real marker is the first 0xFF followed by anything else.
bool JpegComplete(const std::uint8_t* data, std::size_t size) {
    std::size_t at = 2;
    while (at + 1 < size) {
        if (data[at] != 0xFF) {
            return true;  // not a marker where one belongs: damage, for the decoder to name
        }
        const std::uint8_t marker = data[at + 1];
        if (marker == 0xFF) {
            ++at;  // fill byte
            continue;
        }
        at += 2;
        if (marker == 0xD9) {
            return true;
        }
        const bool standalone = marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
        if (standalone) {
            continue;
        }
        if (at + 2 > size) {
            return false;
        }
        at += (std::size_t{data[at]} << 8) | data[at + 1];
        if (marker != 0xDA) {
            continue;
        }
        while (at + 1 < size &&
               !(data[at] == 0xFF && data[at + 1] != 0x00 && (data[at + 1] & 0xF8) != 0xD0)) {
            ++at;
        }
    }
    return false;
}

// stb_image's short failure reasons in the words the program's messages use.
std::string DecoderFailureWords(const char* failure) {
    const std::string text = failure != nullptr ? failure : "unknown";
    if (text == "outofmem") {
        return "out of memory";
    }
    if (text == "too large") {
        return "too large";
    }
    if (text == "outofdata" || text == "read past buffer") {
        return "truncated";
    }
    if (text == "unknown image type") {
        return "not a PNG/JPEG image";
    }
    return "damaged (" + text + ")";
}

// Why data cannot be a complete PNG or JPEG file; empty when nothing is
// seen wrong before decoding.
std::string StructureProblem(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return "empty";
    }
    if (size > static_cast<std::size_t>(INT_MAX)) {
        return "too large";
    }
    if (StartsWith(data, size, kPngSignature, sizeof kPngSignature)) {
        return PngComplete(data, size) ? "" : "truncated";
    }
    if (StartsWith(data, size, kJpegSignature, sizeof kJpegSignature)) {
        return JpegComplete(data, size) ? "" : "truncated";
    }
    // A file cut inside its signature is a picture that was cut short.
    const bool cutPng = size < sizeof kPngSignature && std::memcmp(data, kPngSignature, size) == 0;
    const bool cutJpeg =
        size < sizeof kJpegSignature && std::memcmp(data, kJpegSignature, size) == 0;
    return cutPng || cutJpeg ? "truncated" : "not a PNG/JPEG image";
}

}  // namespace

bool DecodePicture(const std::uint8_t* data, std::size_t size, DecodedPicture& picture,
                   std::string& reason) {
    reason = StructureProblem(data, size);
    if (!reason.empty()) {
        return false;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<stbi_uc, PixelsFree> pixels(
        stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 4));
    if (pixels == nullptr || width <= 0 || height <= 0) {
        reason = DecoderFailureWords(pixels == nullptr ? stbi_failure_reason() : "0-pixel image");
        return false;
    }
    picture.width = width;
    picture.height = height;
    picture.rgba.assign(pixels.get(), pixels.get() + std::size_t{4} * width * height);
    return true;
}

#include "platform/image/png_writer.h"

#include <cstring>
#include <limits>

#include <stb/stb_image_write.h>

namespace {

std::vector<std::uint8_t> FlipRows(const std::vector<std::uint8_t>& rgba, std::size_t rowBytes,
                                   std::uint32_t height) {
    std::vector<std::uint8_t> flipped(rgba.size());
    for (std::uint32_t row = 0; row < height; ++row) {
        std::memcpy(flipped.data() + row * rowBytes, rgba.data() + (height - 1 - row) * rowBytes,
                    rowBytes);
    }
    return flipped;
}

}  // namespace

namespace {

bool SizesMatch(const std::vector<std::uint8_t>& rgba, std::uint32_t width, std::uint32_t height) {
    constexpr std::uint64_t kMaxSide = std::numeric_limits<int>::max() / 4;
    return width != 0 && height != 0 && width <= kMaxSide && height <= kMaxSide &&
           rgba.size() == std::uint64_t{width} * height * 4;
}

void AppendBytes(void* context, void* data, int size) {
    auto* png = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    png->insert(png->end(), bytes, bytes + size);
}

}  // namespace

bool EncodePng(const std::vector<std::uint8_t>& rgba, std::uint32_t width, std::uint32_t height,
               std::vector<std::uint8_t>& png) {
    png.clear();
    if (!SizesMatch(rgba, width, height)) {
        return false;
    }
    return stbi_write_png_to_func(AppendBytes, &png, static_cast<int>(width),
                                  static_cast<int>(height), 4, rgba.data(),
                                  static_cast<int>(width * 4)) != 0;
}

bool WritePng(const std::string& path, const std::vector<std::uint8_t>& rgba, std::uint32_t width,
              std::uint32_t height, bool bottomRowFirst) {
    if (!SizesMatch(rgba, width, height)) {
        return false;
    }
    const std::size_t rowBytes = std::size_t{width} * 4;
    const std::vector<std::uint8_t> topFirst =
        bottomRowFirst ? FlipRows(rgba, rowBytes, height) : std::vector<std::uint8_t>();
    const std::uint8_t* pixels = bottomRowFirst ? topFirst.data() : rgba.data();
    return stbi_write_png(path.c_str(), static_cast<int>(width), static_cast<int>(height), 4,
                          pixels, static_cast<int>(rowBytes)) != 0;
}

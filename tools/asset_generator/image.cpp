#include "tools/asset_generator/image.h"

#include <algorithm>
#include <cmath>

#include <stb_image_write.h>

namespace assets {

namespace {

std::uint8_t ToByte(double channel) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0, 1.0) * 255.0));
}

}  // namespace

Color Mix(const Color& from, const Color& to, double t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Color Scale(const Color& c, double factor) {
    return {c.r * factor, c.g * factor, c.b * factor, c.a};
}

Color FromBytes(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0, 1.0};
}

Image::Image(int width, int height, int channels)
    : width_(width),
      height_(height),
      channels_(channels),
      bytes_(static_cast<std::size_t>(width) * height * channels, 0) {}

void Image::Set(int x, int y, const Color& c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    std::uint8_t* pixel = &bytes_[(static_cast<std::size_t>(y) * width_ + x) * channels_];
    pixel[0] = ToByte(c.r);
    pixel[1] = ToByte(c.g);
    pixel[2] = ToByte(c.b);
    if (channels_ == 4) {
        pixel[3] = ToByte(c.a);
    }
}

Color Image::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return {};
    }
    const std::uint8_t* pixel = &bytes_[(static_cast<std::size_t>(y) * width_ + x) * channels_];
    const double alpha = channels_ == 4 ? pixel[3] / 255.0 : 1.0;
    return {pixel[0] / 255.0, pixel[1] / 255.0, pixel[2] / 255.0, alpha};
}

bool Image::WritePng(const std::string& path) const {
    return stbi_write_png(path.c_str(), width_, height_, channels_, bytes_.data(),
                          width_ * channels_) != 0;
}

bool Image::WriteJpeg(const std::string& path, int quality) const {
    return stbi_write_jpg(path.c_str(), width_, height_, channels_, bytes_.data(), quality) != 0;
}

}  // namespace assets

#pragma once

// An 8-bit RGB or RGBA picture in memory, top row first (row 0 is v = 0 of a
// texture), and its output as PNG or JPEG.

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

// A colour with channels in 0..1 (values outside are clamped when stored).
struct Color {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    double a = 1.0;
};

Color Mix(const Color& from, const Color& to, double t);
Color Scale(const Color& c, double factor);  // RGB scaled, alpha kept
Color FromBytes(int r, int g, int b);

class Image {
public:
    // A width × height picture with 3 (RGB) or 4 (RGBA) channels, all zero.
    Image(int width, int height, int channels);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Channels() const { return channels_; }

    // x in 0..width-1 from the left, y in 0..height-1 from the top; out of
    // range coordinates are ignored by Set and read as black by Get.
    void Set(int x, int y, const Color& c);
    Color Get(int x, int y) const;

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

    // Write the picture; false when the file cannot be written. The bytes
    // depend only on the pixels, so equal pictures give equal files.
    bool WritePng(const std::string& path) const;
    bool WriteJpeg(const std::string& path, int quality) const;

private:
    int width_;
    int height_;
    int channels_;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace assets

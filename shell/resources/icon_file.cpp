#include "shell/resources/icon_file.h"

#include <memory>

#include <stb_image.h>

#include "framework/media_search.h"

namespace {

struct PixelsFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

std::optional<IconImage> LoadIconFile(const std::string& path) {
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<stbi_uc, PixelsFree> pixels(
        stbi_load(path.c_str(), &width, &height, &channels, 4));
    if (pixels == nullptr || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    IconImage icon{width, height, {}};
    icon.rgba.assign(pixels.get(), pixels.get() + static_cast<std::size_t>(width) * height * 4);
    return icon;
}

std::optional<IconImage> LoadApplicationIcon() {
    char path[RenderLib::kMaxMediaPath] = {};
    if (RenderLib::FindMediaFile(path, RenderLib::kMaxMediaPath, kIconFileName) != S_OK) {
        return std::nullopt;
    }
    return LoadIconFile(path);
}

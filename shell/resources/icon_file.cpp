#include "shell/resources/icon_file.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "framework/data_file_failure.h"
#include "framework/media_search.h"
#include "platform/d3dx/file_bytes.h"
#include "platform/image/picture_decoder.h"

std::optional<IconImage> LoadIconFile(const std::string& path, std::string* reason) {
    std::vector<std::uint8_t> bytes;
    DecodedPicture picture;
    std::string problem = ReadFileBytes(path.c_str(), bytes);
    if (problem.empty() && DecodePicture(bytes.data(), bytes.size(), picture, problem)) {
        return IconImage{picture.width, picture.height, std::move(picture.rgba)};
    }
    if (reason != nullptr) {
        *reason = problem;
    }
    return std::nullopt;
}

std::optional<IconImage> LoadApplicationIcon() {
    char path[RenderLib::kMaxMediaPath] = {};
    std::string reason = "no such file";
    std::optional<IconImage> icon;
    if (RenderLib::FindMediaFile(path, RenderLib::kMaxMediaPath, kIconFileName) == S_OK) {
        icon = LoadIconFile(path, &reason);
    }
    if (!icon) {
        const std::string shown = RenderLib::ShownPath(path[0] != '\0' ? path : kIconFileName);
        std::fprintf(stderr, "quorvane: warning: the window has no icon: %s: %s\n", shown.c_str(),
                     reason.c_str());
    }
    return icon;
}

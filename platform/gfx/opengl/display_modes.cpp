#include "platform/gfx/opengl/display_modes.h"

#include <algorithm>
#include <tuple>

namespace {

constexpr UINT kAssumedRefreshRate = 60;
constexpr D3DDISPLAYMODE kFallbackDesktop{1920, 1080, kAssumedRefreshRate, D3DFMT_X8R8G8B8};
constexpr D3DDISPLAYMODE kStandardModes[] = {
    {640, 480, kAssumedRefreshRate, D3DFMT_X8R8G8B8},
    {800, 600, kAssumedRefreshRate, D3DFMT_X8R8G8B8},
    {1024, 768, kAssumedRefreshRate, D3DFMT_X8R8G8B8},
    {1280, 800, kAssumedRefreshRate, D3DFMT_X8R8G8B8},
};

bool IsSane(const ReportedMode& mode) {
    return mode.width > 0 && mode.height > 0;
}

D3DDISPLAYMODE ToDisplayMode(const ReportedMode& mode) {
    const UINT refresh =
        mode.refreshRate > 0 ? static_cast<UINT>(mode.refreshRate) : kAssumedRefreshRate;
    return {static_cast<UINT>(mode.width), static_cast<UINT>(mode.height), refresh,
            D3DFMT_X8R8G8B8};
}

auto Key(const D3DDISPLAYMODE& mode) {
    return std::make_tuple(mode.Width, mode.Height, mode.RefreshRate);
}

}  // namespace

D3DDISPLAYMODE SaneDesktopMode(const ReportedMode& reported) {
    return IsSane(reported) ? ToDisplayMode(reported) : kFallbackDesktop;
}

std::vector<D3DDISPLAYMODE> BuildDisplayModes(const std::vector<ReportedMode>& reported,
                                              const D3DDISPLAYMODE& desktop, bool supplement) {
    std::vector<D3DDISPLAYMODE> modes;
    for (const ReportedMode& mode : reported) {
        if (IsSane(mode)) {
            modes.push_back(ToDisplayMode(mode));
        }
    }
    if (supplement || modes.empty()) {
        modes.push_back(desktop);
        modes.insert(modes.end(), std::begin(kStandardModes), std::end(kStandardModes));
    }
    const auto less = [](const auto& a, const auto& b) { return Key(a) < Key(b); };
    const auto same = [](const auto& a, const auto& b) { return Key(a) == Key(b); };
    std::sort(modes.begin(), modes.end(), less);
    modes.erase(std::unique(modes.begin(), modes.end(), same), modes.end());
    return modes;
}

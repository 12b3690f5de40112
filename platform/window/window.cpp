#include "platform/window/window.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

struct WindowRegistry {
    WindowFactory factory;
    std::vector<std::unique_ptr<Window>> windows;  // every window made through the factory
};

WindowRegistry& Registry() {
    static WindowRegistry registry;
    return registry;
}

}  // namespace

HWND CreatePlatformWindow(const WindowCreation& creation) {
    WindowRegistry& registry = Registry();
    if (!registry.factory) {
        return nullptr;
    }
    HWND window = registry.factory(creation);
    if (window != nullptr) {
        registry.windows.emplace_back(window);
    }
    return window;
}

void DestroyPlatformWindow(HWND window) {
    auto& windows = Registry().windows;
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [window](const auto& owned) { return owned.get() == window; }),
                  windows.end());
}

void SetWindowFactory(WindowFactory factory) { Registry().factory = std::move(factory); }

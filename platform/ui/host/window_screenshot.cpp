#include "platform/ui/host/window_screenshot.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/gfx/opengl/window_capture.h"
#include "platform/image/png_writer.h"
#include "platform/ui/host/ui_host.h"
#include "platform/window/system.h"

void ScreenshotAfterFrames(UiHost& host, int frames, std::string path,
                           std::function<void(bool written)> done, bool quit) {
    auto left = std::make_shared<int>(frames);
    host.SetFrameRenderedHook(
        [left, path = std::move(path), done = std::move(done), quit](SDL_Window* window) {
            if (*left <= 0 || --*left > 0) {
                return;
            }
            std::vector<std::uint8_t> rgba;
            int width = 0;
            int height = 0;
            const bool written = ReadWindowPixels(window, rgba, width, height) &&
                                 WritePng(path, rgba, static_cast<std::uint32_t>(width),
                                          static_cast<std::uint32_t>(height));
            if (!written) {
                std::fprintf(stderr, "the screenshot %s could not be written\n", path.c_str());
            }
            if (done) {
                done(written);
            }
            if (quit) {
                PostQuitMessage(0);
            }
        });
}

void CaptureAfterNextFrame(UiHost& host, std::function<void(WindowPixels pixels)> done) {
    host.AddNextFrameHook([done = std::move(done)](SDL_Window* window) {
        WindowPixels pixels;
        if (!ReadWindowPixels(window, pixels.rgba, pixels.width, pixels.height)) {
            pixels = WindowPixels{};
        }
        done(std::move(pixels));
    });
}

#include "platform/ui/host/sdl_virtual_keys.h"

#include <SDL.h>

#include "platform/window/sdl_events.h"

std::optional<std::uint16_t> VirtualKeyForAccelerator(std::int32_t sdlKey) {
    if (sdlKey >= SDLK_a && sdlKey <= SDLK_z) {
        return static_cast<std::uint16_t>('A' + (sdlKey - SDLK_a));
    }
    if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9) {
        return static_cast<std::uint16_t>('0' + (sdlKey - SDLK_0));
    }
    if (sdlKey >= SDLK_F1 && sdlKey <= SDLK_F12) {
        return static_cast<std::uint16_t>(VK_F1 + (sdlKey - SDLK_F1));
    }
    switch (sdlKey) {
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_RETURN:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_PERIOD:
            return VK_OEM_PERIOD;
        default:
            break;
    }
    if (const auto scene = VirtualKeyFromSdlKey(sdlKey)) {
        return *scene;  // arrows, Page Up, Page Down
    }
    return std::nullopt;
}

KeyModifiers ModifiersFromSdl(std::uint16_t sdlModifiers) {
    KeyModifiers held;
    held.shift = (sdlModifiers & KMOD_SHIFT) != 0;
    held.control = (sdlModifiers & KMOD_CTRL) != 0;
    held.alt = (sdlModifiers & KMOD_ALT) != 0;
    return held;
}

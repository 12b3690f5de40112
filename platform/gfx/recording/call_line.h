#pragma once

// Formatting of one call-log line: the call's name and its arguments in
// declared order, separated by ", ". Integers and enumerations are decimal,
// floats use %g, pointers are "null" or "ptr", colours (wrapped in HexColor)
// are "0x" and eight upper-case hex digits. Internal to the recording device.

#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/gfx/d3d9_types.h"

// A D3DCOLOR argument, logged in hex rather than decimal.
struct HexColor {
    D3DCOLOR value = 0;
};

namespace call_line {

inline void Append(std::string& line, HexColor color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(color.value));
    line += text;
}

inline void Append(std::string& line, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    line += text;
}

inline void Append(std::string& line, std::nullptr_t) {
    line += "null";
}

template <class T>
void Append(std::string& line, T* pointer) {
    line += pointer != nullptr ? "ptr" : "null";
}

template <class T>
requires std::is_integral_v<T> || std::is_enum_v<T>
void Append(std::string& line, T value) {
    if constexpr (std::is_enum_v<T>) {
        Append(line, static_cast<std::underlying_type_t<T>>(value));
    } else if constexpr (std::is_signed_v<T>) {
        line += std::to_string(static_cast<long long>(value));
    } else {
        line += std::to_string(static_cast<unsigned long long>(value));
    }
}

}  // namespace call_line

// "Name(a, b, c)".
template <class... Args>
std::string FormatCall(std::string_view name, const Args&... args) {
    std::string line(name);
    line += '(';
    bool first = true;
    [[maybe_unused]] auto add = [&line, &first](const auto& argument) {
        if (!first) {
            line += ", ";
        }
        first = false;
        call_line::Append(line, argument);
    };
    (add(args), ...);
    line += ')';
    return line;
}

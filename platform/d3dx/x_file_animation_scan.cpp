// Animations of a .x file: animation sets, their animations and keys.

#include "platform/d3dx/x_file_object_scanner.h"

namespace xfile_scan {

bool Scanner::ParseAnimationSet() {
    return ParseHead(nullptr) &&
           WalkBlock("animation set", {{"Animation", [this] { return ParseAnimation(); }}});
}

// AnimationOptions, among others, is skipped as an unknown object.
bool Scanner::ParseAnimation() {
    ++animationCount_;
    return ParseHead(nullptr) &&
           WalkBlock("animation", {{"AnimationKey", [this] { return ParseAnimationKey(); }},
                                   {"{", [this] {  // the animated frame's name
                                        std::string name;
                                        return tokens_.NextToken(name) &&
                                               tokens_.CheckClosingBrace();
                                    }}});
}

bool Scanner::ParseAnimationKey() {
    std::uint32_t type, count;
    if (!ParseHead(nullptr) || !tokens_.ReadInt(type) || !tokens_.ReadInt(count)) {
        return false;
    }
    if (type > 4) {
        return tokens_.Fail("unknown animation key type");
    }
    const std::uint32_t valueCount = type == 0 ? 4 : type <= 2 ? 3 : 16;
    for (std::uint32_t k = 0; k < count; ++k) {
        std::uint32_t time, values;
        if (!tokens_.ReadInt(time) || !tokens_.ReadInt(values)) {
            return false;
        }
        if (values != valueCount) {
            return tokens_.Fail("wrong number of values in an animation key");
        }
        const bool vector = type == 1 || type == 2;
        const bool parsed =
            vector ? ReadVector(3)
                   : ReadFloats(static_cast<int>(valueCount)) && tokens_.CheckSemicolon();
        if (!parsed || !tokens_.CheckSeparator()) {
            return false;
        }
    }
    return tokens_.CheckClosingBrace();
}

}  // namespace xfile_scan

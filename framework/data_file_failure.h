#pragma once

// A data file the program could not use, and why: what the start-up message
// lists, one line per file.

#include <algorithm>
#include <string>

namespace RenderLib {

struct DataFileFailure {
    std::string file;    // the path tried, folders separated by '/'
    std::string reason;  // plain words: "no such file", "truncated", ...
};

// path as messages show it: every '\' read as the folder separator '/'.
inline std::string ShownPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

}  // namespace RenderLib

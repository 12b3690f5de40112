#pragma once

// Locating data files. Models and textures are named by short relative names
// such as "Data\Models\blackbass.x"; the search tries a fixed list of places
// relative to the current directory, to the program's own directory and to
// the SDK media folder, and returns the first path under which something
// (file or directory) exists.
//
// Names may separate folders with '\' or '/'; paths are built with '/'. Every
// candidate is formed in a kMaxMediaPath-character work buffer, truncated when
// longer (and then tested as truncated), always zero-terminated.

#include <cstdint>

#include "platform/gfx/d3d9_types.h"

namespace RenderLib {

// Characters of a work path, terminating zero included.
constexpr int kMaxMediaPath = 260;

// Result of a search that found nothing (the Win32 error 2 wrapped as an HRESULT).
constexpr HRESULT kFileNotFound = MakeResult(0x80070002u);

// Environment variable holding the SDK samples folder; its "Media" subfolder
// is the last place searched. Unset (or empty) means there is none.
constexpr const char* kSdkMediaVariable = "QUORVANE_MEDIA_DIR";

// Searches for name (zero-terminated) and writes the path found into out,
// which holds capacity characters (at most capacity - 1 are written, then a
// zero). Results:
//   S_OK            out holds the first existing candidate;
//   E_INVALIDARG    out or name is null, or capacity < 10; out is untouched;
//   E_FAIL          name is empty, or its full path needs kMaxMediaPath characters
//                   or more; out is empty;
//   kFileNotFound   nothing exists; out holds name as given;
//   a failure of GetSdkMediaPath, when the search reaches the SDK folder
//                   without finding anything; out is empty.
HRESULT FindMediaFile(char* out, std::int32_t capacity, const char* name);

// The same search with the program's own file given as modulePath (an
// absolute path such as /proc/self/exe names) instead of read from the
// system. A null modulePath, or one without a '/', skips the candidates
// built on the program's folder.
HRESULT FindMediaFile(char* out, std::int32_t capacity, const char* name, const char* modulePath);

// Writes the SDK media folder, "<QUORVANE_MEDIA_DIR>/Media/", into out
// (capacity characters). Results: S_OK; E_INVALIDARG when out is null,
// capacity < 1 or the folder with its "/Media/" needs capacity characters or
// more; E_FAIL when the variable is unset or empty, or its value with its
// terminating zero does not fit in capacity. out is empty after any failure
// (when it exists).
HRESULT GetSdkMediaPath(char* out, std::int32_t capacity);

}  // namespace RenderLib

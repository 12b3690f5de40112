#include "framework/media_search.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace RenderLib {

namespace {

constexpr std::int32_t kMinimumCapacity = 10;
constexpr char kMediaSuffix[] = "/Media/";

struct WorkPath {
    char text[kMaxMediaPath] = {};
};

// Copies at most capacity - 1 characters of text and a terminating zero.
void CopyTruncated(char* out, std::size_t capacity, const char* text) {
    const std::size_t length = std::min(std::strlen(text), capacity - 1);
    std::memcpy(out, text, length);
    out[length] = '\0';
}

// Something exists under path: a file, a directory or anything else stat sees.
bool Exists(const char* path) {
    struct stat status;
    return ::stat(path, &status) == 0;
}

// The absolute, lexically normalised form of name ('\' read as '/'), as the
// full-path expansion against the current directory gives it. False when the
// name is empty, the current directory is unknown, or the result needs
// kMaxMediaPath characters or more.
bool ExpandFullPath(const char* name, WorkPath& full) {
    std::string slashed(name);
    if (slashed.empty()) {
        return false;
    }
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    std::filesystem::path path(slashed);
    if (path.is_relative()) {
        std::error_code error;
        const std::filesystem::path current = std::filesystem::current_path(error);
        if (error) {
            return false;
        }
        path = current / path;
    }
    std::string text = path.lexically_normal().string();
    // "a/b/.." normalises to "a/"; only a name that ends in a separator
    // names its folder with one.
    if (slashed.back() != '/' && text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    if (text.size() >= static_cast<std::size_t>(kMaxMediaPath)) {
        return false;
    }
    CopyTruncated(full.text, sizeof full.text, text.c_str());
    return true;
}

// The running program's file, from /proc/self/exe; empty when unreadable.
WorkPath ReadModulePath() {
    WorkPath module;
    const ssize_t length = ::readlink("/proc/self/exe", module.text, sizeof module.text - 1);
    module.text[length > 0 ? length : 0] = '\0';
    return module;
}

// The program's folder (without its final '/') and its file name without
// the extension, split from a module path.
struct ProgramPlace {
    WorkPath folder;
    WorkPath name;
};

bool SplitModulePath(const char* modulePath, ProgramPlace& place) {
    if (modulePath == nullptr) {
        return false;
    }
    const char* slash = std::strrchr(modulePath, '/');
    if (slash == nullptr) {
        return false;
    }
    const std::size_t folderLength =
        std::min<std::size_t>(slash - modulePath, sizeof place.folder.text - 1);
    std::memcpy(place.folder.text, modulePath, folderLength);
    place.folder.text[folderLength] = '\0';
    CopyTruncated(place.name.text, sizeof place.name.text, slash + 1);
    if (char* dot = std::strrchr(place.name.text, '.')) {
        *dot = '\0';
    }
    return true;
}

// Formats one candidate into a work buffer, truncating what does not fit.
template <class... Args>
WorkPath Format(const char* format, Args... args) {
    WorkPath candidate;
    const int written = std::snprintf(candidate.text, sizeof candidate.text, format, args...);
    if (written < 0) {
        candidate.text[0] = '\0';
    }
    return candidate;
}

// Candidates 2 to 16, in search order; those built on the program's folder
// only when it is known. Returns how many were written into candidates.
int ListCandidates(const char* leaf, const ProgramPlace* program, WorkPath (&candidates)[15]) {
    int count = 0;
    candidates[count++] = Format("../%s", leaf);
    candidates[count++] = Format("../../%s", leaf);
    if (program == nullptr) {
        return count;
    }
    const char* dir = program->folder.text;
    static constexpr const char* kBesideProgram[] = {
        "%s/%s",
        "%s/Data/Models/%s",
        "%s/Data/Textures/%s",
        "%s/Data/Startup/%s",
        "%s/Data/Generated/%s",
        "%s/Data/%s",
        "%s/../Data/Models/%s",
        "%s/../Data/Textures/%s",
        "%s/../Data/Startup/%s",
        "%s/../Data/Generated/%s",
        "%s/../Data/%s",
        "%s/../../%s",
    };
    for (const char* format : kBesideProgram) {
        candidates[count++] = Format(format, dir, leaf);
    }
    candidates[count++] = Format("%s/../%s/%s", dir, program->name.text, leaf);
    return count;
}

}  // namespace

HRESULT FindMediaFile(char* out, std::int32_t capacity, const char* name) {
    const WorkPath module = ReadModulePath();
    return FindMediaFile(out, capacity, name, module.text[0] != '\0' ? module.text : nullptr);
}

HRESULT FindMediaFile(char* out, std::int32_t capacity, const char* name, const char* modulePath) {
    if (name == nullptr || out == nullptr || capacity < kMinimumCapacity) {
        return E_INVALIDARG;
    }
    out[0] = '\0';
    const std::size_t outChars = static_cast<std::size_t>(capacity);

    WorkPath full;
    if (!ExpandFullPath(name, full)) {
        return E_FAIL;
    }
    if (Exists(full.text)) {
        CopyTruncated(out, outChars, full.text);
        return S_OK;
    }
    // Later candidates use the file part alone: folders in the name are dropped.
    const char* leaf = std::strrchr(full.text, '/') + 1;

    ProgramPlace program;
    const bool programKnown = SplitModulePath(modulePath, program);
    WorkPath candidates[15];
    const int count = ListCandidates(leaf, programKnown ? &program : nullptr, candidates);
    for (int i = 0; i < count; ++i) {
        if (Exists(candidates[i].text)) {
            CopyTruncated(out, outChars, candidates[i].text);
            return S_OK;
        }
    }

    WorkPath media;
    const HRESULT mediaResult = GetSdkMediaPath(media.text, kMaxMediaPath);
    if (FAILED(mediaResult)) {
        return mediaResult;
    }
    const WorkPath inMedia = Format("%s%s", media.text, leaf);
    if (Exists(inMedia.text)) {
        CopyTruncated(out, outChars, inMedia.text);
        return S_OK;
    }
    CopyTruncated(out, outChars, name);
    return kFileNotFound;
}

HRESULT GetSdkMediaPath(char* out, std::int32_t capacity) {
    if (out == nullptr || capacity < 1) {
        return E_INVALIDARG;
    }
    out[0] = '\0';
    const char* value = std::getenv(kSdkMediaVariable);
    if (value == nullptr || value[0] == '\0') {
        return E_FAIL;
    }
    const std::size_t available = static_cast<std::size_t>(capacity);
    const std::size_t length = std::strlen(value);
    // The value and its terminating zero must fit, as a stored string value must.
    if (length + 1 > available) {
        return E_FAIL;
    }
    if (length + std::strlen(kMediaSuffix) >= available) {
        return E_INVALIDARG;
    }
    std::memcpy(out, value, length);
    std::memcpy(out + length, kMediaSuffix, sizeof kMediaSuffix);
    return S_OK;
}

}  // namespace RenderLib

#include "platform/d3dx/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
std::string PlainWords(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return "no such file";
        case EISDIR:
            return "is a directory";
        case EACCES:
        case EPERM:
            return "permission denied";
        default:
            return std::string("cannot be read (") + std::strerror(error) + ")";
    }
}
}  // namespace

std::string ReadFileBytes(const char* path, std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return PlainWords(errno);
    }
    std::uint8_t block[65536];
    std::size_t count;
    while ((count = std::fread(block, 1, sizeof block, file)) > 0) {
        bytes.insert(bytes.end(), block, block + count);
    }
    // A directory opens but fails its first read (EISDIR).
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    return failed ? PlainWords(error) : std::string();
}

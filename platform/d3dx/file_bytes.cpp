#include "platform/d3dx/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

std::string ReadFileBytes(const char* path, std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return std::string("cannot open (") + std::strerror(errno) + ")";
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
    return failed ? std::string("cannot read (") + std::strerror(error) + ")" : std::string();
}

#pragma once

// Reading a whole file into memory for the loaders of this layer.

#include <cstdint>
#include <string>
#include <vector>

// Appends the bytes of path to bytes. Returns an empty string on success,
// otherwise the reason in plain words: "no such file", "is a directory",
// "permission denied", or "cannot be read (...)" with the system's words.
std::string ReadFileBytes(const char* path, std::vector<std::uint8_t>& bytes);

#pragma once

// The program's screenshots as files: PNGs named by the local date and time
// ("quorvane-2026-12-09-014233.png") in a chosen folder, never written over
// an existing file (a second one in the same second is "...-2.png", then
// "-3" and on).

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

// The name of a screenshot taken at localTime; copy 2 and up adds "-copy".
std::string ScreenshotFileName(const std::tm& localTime, int copy = 1);

struct ScreenshotOutcome {
    bool saved = false;
    std::filesystem::path path;  // the file written, or the one that could not be
    std::string reason;          // why it was not written, in words; empty when saved
};

// Writes width × height RGBA pixels (top row first) as a new PNG in folder
// (empty: the current folder) under the first free name for localTime. A
// failure (no pixels, no such folder, no permission, a full disk) leaves no
// partial file behind.
ScreenshotOutcome SaveScreenshot(const std::filesystem::path& folder, const std::tm& localTime,
                                 const std::vector<std::uint8_t>& rgba, int width, int height);

// Why folder cannot take screenshots (it does not exist, is not a folder or
// cannot be written to); empty when it can.
std::string ScreenshotFolderProblem(const std::filesystem::path& folder);

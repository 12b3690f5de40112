#include "shell/screenshot_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "platform/image/png_writer.h"

namespace {

// Copies of one second tried before giving up.
constexpr int kMostCopies = 1000;

std::string ReasonOf(int error) {
    switch (error) {
        case ENOENT:
            return "the folder does not exist";
        case ENOTDIR:
            return "part of the folder's path is not a folder";
        case EACCES:
        case EPERM:
            return "there is no permission to write in the folder";
        case EROFS:
            return "the folder is on a read-only file system";
        case ENOSPC:
        case EDQUOT:
            return "the disk is full";
        default:
            return std::strerror(error);
    }
}

// Writes bytes to a file at path that must not exist yet. 0 when written,
// else the error (EEXIST: the name is taken); a part-written file is removed.
int WriteNewFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (file == nullptr) {
        return errno;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int error = written ? 0 : errno;
    if (std::fclose(file) != 0 && error == 0) {
        error = errno;
    }
    if (written && error == 0) {
        return 0;
    }
    std::remove(path.c_str());
    return error != 0 ? error : EIO;
}

}  // namespace

std::string ScreenshotFileName(const std::tm& localTime, int copy) {
    char name[64];
    std::strftime(name, sizeof name, "quorvane-%Y-%m-%d-%H%M%S", &localTime);
    std::string text = name;
    if (copy > 1) {
        text += "-" + std::to_string(copy);
    }
    return text + ".png";
}

ScreenshotOutcome SaveScreenshot(const std::filesystem::path& folder, const std::tm& localTime,
                                 const std::vector<std::uint8_t>& rgba, int width, int height) {
    ScreenshotOutcome outcome;
    std::error_code ignored;
    const std::filesystem::path where =
        std::filesystem::absolute(folder.empty() ? std::filesystem::path(".") : folder, ignored)
            .lexically_normal();
    outcome.path = where / ScreenshotFileName(localTime);
    std::vector<std::uint8_t> png;
    if (width <= 0 || height <= 0 ||
        !EncodePng(rgba, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
                   png)) {
        outcome.reason = "the window could not be read";
        return outcome;
    }
    for (int copy = 1; copy <= kMostCopies; ++copy) {
        outcome.path = where / ScreenshotFileName(localTime, copy);
        const int error = WriteNewFile(outcome.path, png);
        if (error == 0) {
            outcome.saved = true;
            return outcome;
        }
        if (error != EEXIST) {
            outcome.reason = ReasonOf(error);
            return outcome;
        }
    }
    outcome.reason = "every name for this second is taken";
    return outcome;
}

std::string ScreenshotFolderProblem(const std::filesystem::path& folder) {
    std::error_code error;
    const auto status = std::filesystem::status(folder, error);
    if (!std::filesystem::exists(status)) {
        return "there is no folder '" + folder.string() + "'";
    }
    if (!std::filesystem::is_directory(status)) {
        return "'" + folder.string() + "' is not a folder";
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        return "cannot write in '" + folder.string() + "': " + ReasonOf(errno);
    }
    return "";
}

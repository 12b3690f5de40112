#include "shell/built_in_presets.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

fs::path BuiltInPresetFolder() {
    const fs::path relative = fs::path("Data") / "Presets";
    std::error_code code;
    if (fs::is_directory(relative, code)) {
        return fs::absolute(relative, code);
    }
    const fs::path program = fs::read_symlink("/proc/self/exe", code);
    if (!code && fs::is_directory(program.parent_path() / relative, code)) {
        return program.parent_path() / relative;
    }
    return {};
}

namespace {

std::vector<fs::path> ListBuiltInPresets() {
    std::vector<fs::path> presets;
    const fs::path folder = BuiltInPresetFolder();
    std::error_code code;
    if (folder.empty()) {
        return presets;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, code)) {
        if (entry.path().extension() == ".toml") {
            presets.push_back(entry.path());
        }
    }
    std::sort(presets.begin(), presets.end(), [](const fs::path& a, const fs::path& b) {
        const bool aStart = a.filename() == "start-up.toml";
        const bool bStart = b.filename() == "start-up.toml";
        return aStart != bStart ? aStart : a < b;
    });
    presets.resize(std::min<std::size_t>(presets.size(), kMaxBuiltInPresets));
    return presets;
}

}  // namespace

const std::vector<fs::path>& BuiltInPresets() {
    static const std::vector<fs::path> presets = ListBuiltInPresets();
    return presets;
}

#include "shell/program_options.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

#include "platform/cli/command_line.h"
#include "shell/screenshot_file.h"
#include "simulation/population.h"
#include "simulation/world.h"

namespace {

constexpr int kMinimumSide = 16;
constexpr int kMaximumSide = 8192;

// "WxH" with both sides within [kMinimumSide, kMaximumSide].
bool ParseSize(std::string_view text, ProgramOptions& options, std::string& error) {
    const auto separator = text.find('x');
    if (separator == std::string_view::npos) {
        error = "--size: '" + std::string(text) + "' is not WIDTHxHEIGHT (for example 1280x800)";
        return false;
    }
    const auto width =
        ParseInteger("--size width", text.substr(0, separator), kMinimumSide, kMaximumSide, error);
    if (!width)
        return false;
    const auto height = ParseInteger("--size height", text.substr(separator + 1), kMinimumSide,
                                     kMaximumSide, error);
    if (!height)
        return false;
    options.width = static_cast<int>(*width);
    options.height = static_cast<int>(*height);
    options.sizeGiven = true;
    return true;
}

bool ParseCamera(std::string_view text, RenderLib::SceneViewSettings& view, std::string& error) {
    using RenderLib::SceneCamera;
    constexpr std::pair<std::string_view, SceneCamera> kNames[] = {
        {"chase", SceneCamera::Chase},
        {"eye", SceneCamera::PikesEye},
        {"overview", SceneCamera::Overview},
        {"school", SceneCamera::FollowSchool}};
    for (const auto& [name, camera] : kNames) {
        if (text == name) {
            view.camera = camera;
            return true;
        }
    }
    error = "--camera: '" + std::string(text) + "' is not one of chase, eye, overview, school";
    return false;
}

// A comma list of the overlays and panels to show.
bool ParseShow(std::string_view text, RenderLib::SceneViewSettings& view, std::string& error) {
    using Settings = RenderLib::SceneViewSettings;
    constexpr std::pair<std::string_view, bool Settings::*> kNames[] = {
        {"sphere", &Settings::showSphere},
        {"radii", &Settings::showRadii},
        {"neighbours", &Settings::showNeighbours},
        {"forces", &Settings::showForces},
        {"centroids", &Settings::showCentroids},
        {"stats", &Settings::showStatistics},
        {"help", &Settings::showHelp}};
    while (true) {
        const auto comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const auto* found = std::find_if(std::begin(kNames), std::end(kNames),
                                         [item](const auto& entry) { return entry.first == item; });
        if (found == std::end(kNames)) {
            error = "--show: '" + std::string(item) +
                    "' is not one of sphere, radii, neighbours, forces, centroids, stats, help";
            return false;
        }
        view.*(found->second) = true;
        if (comma == std::string_view::npos) {
            return true;
        }
        text.remove_prefix(comma + 1);
    }
}

bool TakesValue(std::string_view name) {
    return name == "--frames" || name == "--screenshot" || name == "--size" ||
           name == "--fixed-step" || name == "--fish" || name == "--threads" ||
           name == "--preset" || name == "--screenshot-dir" ||
           name == "--camera" || name == "--show" || name == "--select";
}

bool ApplyValue(std::string_view name, std::string_view value, ProgramOptions& options,
                std::string& error) {
    if (name == "--frames") {
        const auto frames = ParseInteger(name, value, 1, 10'000'000, error);
        if (!frames)
            return false;
        options.frames = *frames;
    } else if (name == "--screenshot") {
        if (value.empty()) {
            error = "--screenshot: the file name is empty";
            return false;
        }
        options.screenshot = value;
    } else if (name == "--size") {
        return ParseSize(value, options, error);
    } else if (name == "--fish") {
        const auto fish = ParseInteger(name, value, kMinimumFlockSize, kMaximumFlockSize, error);
        if (!fish)
            return false;
        options.fish = static_cast<int>(*fish);
    } else if (name == "--threads") {
        const auto threads = ParseInteger(name, value, 1, cWorld::kMaxThreads, error);
        if (!threads)
            return false;
        options.threads = static_cast<int>(*threads);
    } else if (name == "--preset") {
        options.preset = value;
    } else if (name == "--screenshot-dir") {
        const std::string problem = value.empty() ? "the folder name is empty"
                                                  : ScreenshotFolderProblem(std::string(value));
        if (!problem.empty()) {
            error = "--screenshot-dir: " + problem;
            return false;
        }
        options.screenshotDir = value;
    } else if (name == "--camera") {
        return ParseCamera(value, options.view, error);
    } else if (name == "--show") {
        return ParseShow(value, options.view, error);
    } else if (name == "--select") {
        const auto fish = ParseInteger(name, value, 0, kMaximumFlockSize - 1, error);
        if (!fish)
            return false;
        options.view.selectedFish = static_cast<int>(*fish);
    } else {
        const auto step = ParseReal(name, value, 0.0, 1.0, error);
        if (!step)
            return false;
        options.fixedStep = *step;
    }
    return true;
}

}  // namespace

std::optional<ProgramOptions> ParseProgramOptions(int argc, char** argv, std::string& error) {
    ProgramOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--headless") {
            options.headless = true;
        } else if (name == "--stats") {
            options.stats = true;
        } else if (name == "--paused") {
            options.view.paused = true;
        } else if (TakesValue(name)) {
            if (i + 1 >= argc) {
                error = std::string(name) + ": a value is missing";
                return std::nullopt;
            }
            if (!ApplyValue(name, argv[++i], options, error)) {
                return std::nullopt;
            }
        } else {
            error = "unknown option '" + std::string(name) + "' (see --help)";
            return std::nullopt;
        }
    }
    if (!options.screenshot.empty() && !options.headless) {
        error = "--screenshot needs --headless";
        return std::nullopt;
    }
    const int flock = options.fish > 0 ? options.fish : kStartupFlockSize;
    if (options.view.selectedFish >= flock) {
        error = "--select: fish " + std::to_string(options.view.selectedFish) +
                " is not in a flock of " + std::to_string(flock) + " (0 to " +
                std::to_string(flock - 1) + ")";
        return std::nullopt;
    }
    return options;
}

const char* ProgramUsage() {
    return "Usage: quorvane [--fish N] [--threads N] [--preset FILE.toml]\n"
           "                [--screenshot-dir DIR]\n"
           "                [--camera NAME] [--show LIST] [--select N] [--paused]\n"
           "                [--headless --frames N [--screenshot FILE.png] [--size WxH]\n"
           "                [--fixed-step SECONDS] [--stats]]\n"
           "\n"
           "Four schools of fish swim under six steering behaviours; you fly a fish of\n"
           "your own and they flee it; the property sheet beside them tunes the\n"
           "behaviours as they swim. Without options the program opens its window.\n"
           "\n"
           "  --fish N              a flock of N fish in four equal schools, 4 to 100000,\n"
           "                        spread to keep the start-up density (default: the\n"
           "                        start-up flock of 28)\n"
           "  --threads N           threads for the flock's neighbour search, 1 to 256\n"
           "                        (default: all cores); the flock swims the same\n"
           "                        with any number\n"
           "  --headless            render offscreen, without a display\n"
           "  --frames N            frames to render headless, 1 to 10000000 (default 600)\n"
           "  --screenshot FILE     write the whole window after the last frame as a PNG\n"
           "                        (headless only)\n"
           "  --size WxH            size of the window in pixels, 16 to 8192 each\n"
           "                        (default 1280x800 headless; on a display, a size\n"
           "                        that fits the screen)\n"
           "  --fixed-step SECONDS  advance every frame by exactly this time, 0 to 1,\n"
           "                        so that two runs give the same image\n"
           "  --stats               print the frame count, mean and worst frame time and\n"
           "                        frames per second\n"
           "  --preset FILE.toml    start with the behaviour values of this preset file;\n"
           "                        a file that is not valid ends the program at once\n"
           "  --screenshot-dir DIR  the folder where F12 (File > Save Screenshot) writes\n"
           "                        (default: the current folder)\n"
           "  --camera NAME         start with this camera: chase (the default), eye,\n"
           "                        overview or school\n"
           "  --show LIST           start showing these, a comma list of sphere, radii,\n"
           "                        neighbours, forces, centroids, stats and help\n"
           "  --select N            select fish N (by creation, from 0) of the flock\n"
           "  --paused              start with the flock and your fish paused\n"
           "  --help                show this text\n"
           "\n"
           "Keys: arrows move forward, back, left and right; Page Up and Page Down move\n"
           "up and down. Drag with the left mouse button in the scene to turn; hold the\n"
           "right button as well to roll. The keys fly your fish while the scene has the\n"
           "keyboard: click in it. Space pauses, . steps one frame, Ctrl+R resets the\n"
           "flock, 1 to 4 choose the camera (chase, pike's eye, overview, follow\n"
           "school), Tab the next school, the mouse wheel zooms. Alt+F, Alt+V, Alt+P\n"
           "and Alt+H open the menus; F10 selects the menu bar. On a page of the sheet,\n"
           "Apply writes its values into the behaviour that every fish shares.\n";
}

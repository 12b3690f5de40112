#include "shell/program_options.h"

#include <string_view>

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

bool TakesValue(std::string_view name) {
    return name == "--frames" || name == "--screenshot" || name == "--size" ||
           name == "--fixed-step" || name == "--fish" || name == "--threads" ||
           name == "--preset" || name == "--screenshot-dir";
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
    return options;
}

const char* ProgramUsage() {
    return "Usage: quorvane [--fish N] [--threads N] [--preset FILE.toml]\n"
           "                [--screenshot-dir DIR]\n"
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
           "  --help                show this text\n"
           "\n"
           "Keys: arrows move forward, back, left and right; Page Up and Page Down move\n"
           "up and down. Drag with the left mouse button in the scene to turn; hold the\n"
           "right button as well to roll. The keys fly your fish while the scene has the\n"
           "keyboard: click in it. Alt+F, Alt+P and Alt+H open the menus; F10 selects\n"
           "the menu bar. On a page of the sheet, Apply writes its values into the\n"
           "behaviour that every fish shares.\n";
}

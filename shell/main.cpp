// Quorvane: four schools of fish under six steering behaviours, and a fish of
// your own that they flee.

#include <cstdio>
#include <string>

#include "shell/arena_runner.h"
#include "shell/program_options.h"

int main(int argc, char** argv) {
    std::string error;
    const auto options = ParseProgramOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "quorvane: %s\n", error.c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(ProgramUsage(), stdout);
        return 0;
    }
    return RunArena(*options);
}

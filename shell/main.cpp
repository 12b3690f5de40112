// Quorvane: four schools of fish under six steering behaviours, and a fish of
// your own that they flee; beside them a property sheet that tunes the
// behaviours while the flock swims.

#include <cstdio>
#include <string>

#include "shell/program_options.h"
#include "shell/quorvane_app.h"
#include "shell/quorvane_program.h"

// The one application object, made before start-up.
CQuorvaneApp theApp;

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
    return RunQuorvane(*options);
}

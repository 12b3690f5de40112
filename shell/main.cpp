// Quorvane: four schools of fish under six steering behaviours, and a fish of
// your own that they flee; beside them a property sheet that tunes the
// behaviours while the flock swims.

#include <cstdio>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "shell/program_options.h"
#include "shell/quorvane_app.h"
#include "shell/quorvane_program.h"

// The one application object, made before start-up.
CQuorvaneApp theApp;

namespace {

// The software renderer allocates and frees its per-frame working memory
// every frame. With the C library's default of handing freed memory at the
// heap's top back to the system, each frame then grows the heap again and
// faults its pages in afresh: a quarter of a frame's time at the start-up
// flock. Keeping up to 256 MiB of freed memory, and growing by 64 MiB at a
// time, ends that.
void KeepFreedMemoryForTheNextFrame() {
#if defined(__GLIBC__)
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_TOP_PAD, 64 << 20);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    KeepFreedMemoryForTheNextFrame();
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

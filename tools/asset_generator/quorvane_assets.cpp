// Build-time generator of the program's data files: fish models and their
// textures, the sky box and the icon.
//
//   quorvane-assets DATA_DIR     writes everything below DATA_DIR
//                                (normally <build>/bin/Data)

#include <cstdio>

#include "tools/asset_generator/asset_generator.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: quorvane-assets DATA_DIR\n");
        return 2;
    }
    assets::AssetGenerator generator(argv[1]);
    if (!generator.Run()) {
        std::fprintf(stderr, "quorvane-assets: %s\n", generator.Error().c_str());
        return 1;
    }
    return 0;
}

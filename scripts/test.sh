#!/usr/bin/env bash
# Sets everything up and runs every test.
#   scripts/test.sh              plain build in build/
#   scripts/test.sh --sanitize   the same suite under AddressSanitizer + UBSan
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh "$@"

build_dir=build
[ "${1:-}" = "--sanitize" ] && build_dir=build-sanitize
export SDL_VIDEODRIVER=offscreen
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)"

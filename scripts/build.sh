#!/usr/bin/env bash
# Configures and builds Quorvane.
#   scripts/build.sh              plain build into build/
#   scripts/build.sh --sanitize   AddressSanitizer + UBSan build into build-sanitize/
# Extra arguments after the options go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
cmake_args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --sanitize) build_dir=build-sanitize
                cmake_args+=(-DQUORVANE_SANITIZE=ON -DQUORVANE_BENCHMARKS=OFF
                             -DCMAKE_BUILD_TYPE=Debug) ;;
    *) cmake_args+=("$1") ;;
  esac
  shift
done
if [ -n "${CI:-}" ]; then
  cmake_args+=(-DQUORVANE_WERROR=ON)
fi

cmake -S . -B "$build_dir" -G Ninja "${cmake_args[@]}"
cmake --build "$build_dir" --parallel "$(nproc)"

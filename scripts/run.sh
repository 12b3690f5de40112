#!/usr/bin/env bash
# Sets everything up, builds and runs Quorvane. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
exec build/bin/quorvane "$@"

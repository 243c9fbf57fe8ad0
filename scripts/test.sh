#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
CMAKE_ARGS="${CMAKE_ARGS:--DWERROR=ON}" ./scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
./scripts/with_display.sh ctest --test-dir "$BUILD_DIR" --output-on-failure -j 2 "$@"

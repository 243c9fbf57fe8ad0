#!/usr/bin/env bash
# Installs what is missing and builds the game, its tools and its tests.
# BUILD_DIR (default build) and extra CMake options may be given in CMAKE_ARGS.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja ${CMAKE_ARGS:-}
fi
cmake --build "$BUILD_DIR" -j "$(nproc)"

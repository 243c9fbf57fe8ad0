#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once on the normal
# build, once more on an AddressSanitizer + UndefinedBehaviorSanitizer build.
# SKIP_SANITIZERS=1 and SKIP_FUZZ=1 skip the slower passes while developing.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
BUILD_DIR=$BUILD_DIR CMAKE_ARGS="${CMAKE_ARGS:--DWERROR=ON}" ./scripts/build.sh
./scripts/with_display.sh ctest --test-dir "$BUILD_DIR" --output-on-failure -j 2 "$@"

if [ "${SKIP_SANITIZERS:-0}" != 1 ]; then
  ASAN_DIR=${ASAN_BUILD_DIR:-build-asan}
  BUILD_DIR=$ASAN_DIR CMAKE_ARGS="-DSANITIZE=ON -DWERROR=ON" ./scripts/build.sh
  # The graphics libraries keep allocations for the process's life, so leak
  # reports would be theirs, not ours; memory errors and UB still stop a test.
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ./scripts/with_display.sh ctest --test-dir "$ASAN_DIR" --output-on-failure -j 2 -E e2e "$@"
fi

# A short run of every fuzz target over the file readers.
if [ "${SKIP_FUZZ:-0}" != 1 ]; then
  MEDIA_DIR="$BUILD_DIR/run/media" PRISTINE_LEVELS="$BUILD_DIR/pristine/data.txt" ./scripts/fuzz.sh
fi

#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
exec "${BUILD_DIR:-build}/run/mugcellar"

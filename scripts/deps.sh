#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need.
# Quick when everything is already there: only missing packages are fetched.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ninja-build
  liballegro5-dev liballegro-image5-dev liballegro-ttf5-dev
  liballegro-audio5-dev liballegro-acodec5-dev
  libgtest-dev googletest
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils imagemagick
  python3-pil python3-numpy vorbis-tools fonts-liberation2
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

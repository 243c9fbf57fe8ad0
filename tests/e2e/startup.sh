#!/usr/bin/env bash
# The built game started as a player starts it: from another directory, in a
# real window, with and without a sound device, and with media missing.
# Usage: startup.sh RUN_DIR   (needs DISPLAY, xdotool and ImageMagick)
set -uo pipefail
RUN_DIR=$1
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
source "$(dirname "$0")/lib.sh"

# Starts the game from /, waits for its window, checks it shows the level,
# presses Escape and checks a clean end. $1: HOME to use (ALSA set-up).
play_and_quit() {
  local home=$1 label=$2
  : >"$SCRATCH/stderr"
  GAME_HOME=$home start_game
  if ! wait_window; then
    fail "$label: no window"; kill_game; return
  fi
  local geometry
  geometry=$(xdotool getwindowgeometry "$WIN" | awk '/Geometry/ {print $2}')
  [ "$geometry" = "1024x768" ] || fail "$label: window is $geometry"
  wait_picture || fail "$label: the window shows no level"
  quit_game
  [ "$GAME_STATUS" -eq 0 ] || fail "$label: exit status $GAME_STATUS ($(cat "$SCRATCH/stderr"))"
  check_files "$label"
  ls "$SCRATCH/run/media" | grep -q '\.tmp$' && fail "$label: temporary file left behind"
}

# Starts the game expecting a fatal start-up error naming $2.
expect_fatal() {
  local label=$1 name=$2
  (cd / && timeout 20 "$SCRATCH/run/mugcellar" 2>"$SCRATCH/stderr")
  local status=$?
  [ $status -ne 0 ] && [ $status -ne 124 ] || fail "$label: exit status $status"
  grep -q "$name" "$SCRATCH/stderr" || fail "$label: message does not name $name: $(cat "$SCRATCH/stderr")"
}

null_home=$SCRATCH/null-home
mkdir -p "$null_home"
printf 'pcm.!default { type null }\n' > "$null_home/.asoundrc"
no_device_home=$SCRATCH/no-device-home
mkdir -p "$no_device_home"
printf 'pcm.!default { type hw card 77 }\nctl.!default { type hw card 77 }\n' > "$no_device_home/.asoundrc"

fresh_copy
play_and_quit "$null_home" "null sound device"
fresh_copy
play_and_quit "$no_device_home" "no sound device"

for picture in graf1.png gs.png ge.png pijak.jpg promienie.png arial.ttf arialbd.ttf; do
  fresh_copy
  rm "$SCRATCH/run/media/$picture"
  expect_fatal "missing $picture" "media/$picture"
done

fresh_copy
rm "$SCRATCH/run/media/samp/s2.wav"
play_and_quit "$null_home" "missing sample"

report

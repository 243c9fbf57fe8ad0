#!/usr/bin/env bash
# The built game started as a player starts it: from another directory, in a
# real window, with and without a sound device, and with media missing.
# Usage: startup.sh RUN_DIR   (needs DISPLAY, xdotool and ImageMagick)
set -uo pipefail
RUN_DIR=$1
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

fresh_copy() {
  rm -rf "$SCRATCH/run"
  cp -r "$RUN_DIR" "$SCRATCH/run"
  rm -f "$SCRATCH/run/media/dataB.txt" "$SCRATCH/run/media/dataC.txt" "$SCRATCH/run/media/dataXX.txt"
}

# Starts the game from /, waits for its window, checks it shows the level,
# presses Escape and checks a clean end. $1: HOME to use (ALSA set-up).
play_and_quit() {
  local home=$1 label=$2
  (cd / && HOME=$home timeout 30 "$SCRATCH/run/mugcellar" 2>"$SCRATCH/stderr") &
  local pid=$!
  local win
  win=$(timeout 10 xdotool search --sync --name "Mug Cellar" | head -1)
  if [ -z "$win" ]; then
    fail "$label: no window"; kill $pid 2>/dev/null; wait $pid; return
  fi
  local geometry
  geometry=$(xdotool getwindowgeometry "$win" | awk '/Geometry/ {print $2}')
  [ "$geometry" = "1024x768" ] || fail "$label: window is $geometry"
  xdotool windowfocus --sync "$win" 2>/dev/null
  # The level's tiles: many colours, not a blank window (the first frame may
  # take a while on a loaded machine).
  local colours=0
  for _ in $(seq 40); do
    import -window "$win" "$SCRATCH/shot.png" 2>/dev/null
    colours=$(convert "$SCRATCH/shot.png" -format %k info: 2>/dev/null || echo 0)
    [ "${colours:-0}" -gt 4 ] && break
    sleep 0.25
  done
  [ "${colours:-0}" -gt 4 ] || fail "$label: window shows only $colours colours"
  xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
  wait $pid
  local status=$?
  [ $status -eq 0 ] || fail "$label: exit status $status ($(cat "$SCRATCH/stderr"))"
  for f in data.txt dataB.txt dataC.txt; do
    [ -s "$SCRATCH/run/media/$f" ] || fail "$label: media/$f missing after the game"
  done
  [ ! -e "$SCRATCH/run/media/dataXX.txt" ] || fail "$label: media/dataXX.txt left behind"
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

echo "$((failures == 0 ? 1 : 0)) passed, $((failures > 0 ? 1 : 0)) failed"
exit $((failures > 0))

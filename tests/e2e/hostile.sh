#!/usr/bin/env bash
# The built game on data files a player may have broken: every case must
# start, show the level, help, the menu and the level grid, and quit cleanly
# leaving whole files.
# Usage: hostile.sh RUN_DIR   (needs DISPLAY, xdotool and ImageMagick)
# ONLY="case ..." runs some cases; KEEP_SHOTS=DIR keeps their pictures.
set -uo pipefail
RUN_DIR=$1
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
source "$(dirname "$0")/lib.sh"

media() { echo "$SCRATCH/run/media/$1"; }

every_text_line_a_format() {
  for i in $(seq 0 98); do printf 'L%02d %%s%%n%%x %%d%%n%%s %%99999999d %%\r\n' "$i"; done >"$(media teksty_100.txt)"
}
random_texts() { head -c 30000 /dev/urandom >"$(media teksty_100.txt)"; }
negative_progress() {
  for _ in $(seq 51); do printf -- '-7 '; done >"$(media dataB.txt)"
  for _ in $(seq 51); do printf -- '-1 '; done >"$(media dataC.txt)"
}
huge_progress() {
  for _ in $(seq 51); do printf '99999999999 '; done >"$(media dataB.txt)"
  for _ in $(seq 51); do printf '99999999999\n'; done >"$(media dataC.txt)"
}
non_numeric_progress() {
  printf '2 x %%n 1.5 -- 0x10 3 abc' >"$(media dataB.txt)"
  head -c 400 /dev/urandom >"$(media dataC.txt)"
}
random_level_file() { head -c 70000 /dev/urandom >"$(media data.txt)"; }
empty_level_file() { : >"$(media data.txt)"; }
three_line_level_file() { head -3 "$(media data.txt)" >"$(media data.new)" && mv "$(media data.new)" "$(media data.txt)"; }
unlocked_0() { store_level 0; }
unlocked_52() { store_level 52; }
unlocked_999() { store_level 999; }

# case function : level the game must have saved after the visit
cases=(
  "every_text_line_a_format:1"
  "random_texts:1"
  "negative_progress:1"
  "huge_progress:1"
  "non_numeric_progress:1"
  "random_level_file:"
  "empty_level_file:1"
  "three_line_level_file:1"
  "unlocked_0:1"
  "unlocked_52:50"
  "unlocked_999:50"
)

visit_screens() {
  local label=$1
  wait_picture || { fail "$label: the level is not shown"; return 1; }
  settle
  cp "$SCRATCH/ref.ppm" "$SCRATCH/$label-level.ppm"
  press_until_change i || { fail "$label: help does not open"; return 1; }
  press_until_change Return || { fail "$label: help does not close"; return 1; }
  press_until_change m || { fail "$label: the menu does not open"; return 1; }
  click_at 512 346
  wait_grid || { fail "$label: the level grid does not open"; return 1; }
  cp "$SCRATCH/ref.ppm" "$SCRATCH/$label-grid.ppm"
  press_until_change Return || { fail "$label: the level grid does not close"; return 1; }
}

for entry in "${cases[@]}"; do
  label=${entry%%:*}
  [[ -z "${ONLY:-}" || " $ONLY " == *" $label "* ]] || continue
  expected_level=${entry#*:}
  fresh_copy
  "$label"
  cp "$(media data.txt)" "$SCRATCH/before.txt"
  : >"$SCRATCH/stderr"
  start_game
  if ! wait_window; then
    fail "$label: no window ($(cat "$SCRATCH/stderr"))"
    kill_game; continue
  fi
  visit_screens "$label"
  quit_game
  [ "$GAME_STATUS" -eq 0 ] || fail "$label: exit status $GAME_STATUS ($(cat "$SCRATCH/stderr"))"
  check_files "$label"
  ls "$(media '')" | grep -q '\.tmp$' && fail "$label: temporary file left behind"
  if [ -n "$expected_level" ]; then
    [ "$(saved_level)" = "$expected_level" ] || fail "$label: saved level $(saved_level), expected $expected_level"
    # The level records go back unchanged (those that were there).
    kept=$(($(wc -l <"$SCRATCH/before.txt") - 1))
    [ "$kept" -le 0 ] || cmp -s <(tail -n +2 "$SCRATCH/before.txt") <(tail -n +2 "$(media data.txt)" | head -n "$kept") ||
      fail "$label: level records changed"
  fi
  [ -n "${KEEP_SHOTS:-}" ] && cp "$SCRATCH"/"$label"-*.ppm "$KEEP_SHOTS"/ 2>/dev/null
  echo "done: $label"
done
report

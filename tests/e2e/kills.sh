#!/usr/bin/env bash
# The built game killed (SIGKILL) at random moments, over and over: while it
# starts, plays, ends a level and saves, and quits. After every kill the
# files must be whole and the next start must resume at a level that was
# saved. Level 1 is replaced by one that ends in a single step, so level
# ends (and their saves) happen often.
# Usage: kills.sh RUN_DIR LEVEL_TOOL LEVEL_DIR   (needs DISPLAY, xdotool)
# ROUNDS (default 20) sets the number of kills.
set -uo pipefail
RUN_DIR=$1
LEVEL_TOOL=$2
LEVEL_DIR=$3
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
source "$(dirname "$0")/lib.sh"
media=$SCRATCH/run/media

# Level 1: the player beside an open exit door.
mkdir "$SCRATCH/levels"
cp "$LEVEL_DIR"/*.txt "$SCRATCH/levels/"
{
  printf 'title: One Step\nidea: The door is open.\nsolution: R\n'
  printf '  21  21  21  21  21  21  21  21  21  21  21  21  21\n'
  printf '  21  69   8   0   0   0   0   0   0   0   0   0  21\n'
  for _ in $(seq 7); do printf '  21   0   0   0   0   0   0   0   0   0   0   0  21\n'; done
  printf '  21  21  21  21  21  21  21  21  21  21  21  21  21\n'
} >"$SCRATCH/levels/01.txt"
fresh_copy
"$LEVEL_TOOL" build "$SCRATCH/levels" "$media/data.txt" || { fail "cannot build the level file"; report; }
tail -n +2 "$media/data.txt" >"$SCRATCH/records.txt"

records_unchanged() { tail -n +2 "$media/data.txt" | cmp -s - "$SCRATCH/records.txt"; }

# Ends level 1 (one step right), leaves the result screen and goes on.
finish_level() {
  press Right
  for _ in $(seq 14); do
    sleep 0.4
    kill -0 "$GAME_PID" 2>/dev/null || return
    press Return
  done
}

# Kills the game $1 seconds after its next save of data.txt (a new file
# takes the old one's name) or after 12 s; notes a seen save in $SCRATCH/saw.
kill_after_save() {
  local before
  before=$(stat -c %i "$media/data.txt")
  for _ in $(seq 120); do
    [ "$(stat -c %i "$media/data.txt" 2>/dev/null)" != "$before" ] && { touch "$SCRATCH/saw"; break; }
    sleep 0.1
  done
  sleep "$1"
  kill -KILL "$GAME_PID" 2>/dev/null
}

saved=1
rounds=${ROUNDS:-20}
saves_cut=0
for round in $(seq "$rounds"); do
  kind=$((round % 4))
  # A level-end round starts at level 1, so that level ends keep coming.
  if [ $((kind % 2)) -eq 1 ] && [ "$saved" != 1 ]; then
    store_level 1
    saved=1
  fi
  : >"$SCRATCH/stderr"
  rm -f "$SCRATCH/saw"
  start_game
  fraction=$(printf '%02d' $((RANDOM % 100)))
  case $kind in
    0) # anywhere in start-up or play
      sleep "$((RANDOM % 3)).$fraction"
      what="during start-up or play" ;;
    1) # anywhere in a level's end: the fade, the result screen, the saves, the next level
      wait_window && wait_picture
      (sleep "$((RANDOM % 8 + 1)).$fraction"; kill -KILL "$GAME_PID" 2>/dev/null) &
      finish_level
      wait $! 2>/dev/null
      what="during a level end" ;;
    2) # during the quit: the save and the fade
      wait_window && wait_picture
      xdotool keydown Escape
      sleep "0.$((RANDOM % 6))$fraction"
      what="during the quit" ;;
    3) # right after a level end's first save, in or before the second
      wait_window && wait_picture
      kill_after_save "0.$((RANDOM % 4))$fraction" &
      finish_level
      wait $! 2>/dev/null
      [ -e "$SCRATCH/saw" ] && saves_cut=$((saves_cut + 1))
      what="after a level end's save" ;;
  esac
  kill_game
  xdotool keyup Escape 2>/dev/null
  check_files "round $round ($what)" running
  records_unchanged || fail "round $round ($what): level records changed"
  now=$(saved_level)
  case $saved:$now in
    1:1 | 2:2) ;;
    1:2) [ $((kind % 2)) -eq 1 ] || fail "round $round ($what): saved level went from 1 to 2 without a level end" ;;
    *) fail "round $round ($what): saved level $now, was $saved" ;;
  esac
  saved=$now
done
[ "$saves_cut" -gt 0 ] || fail "no kill came right after a save"
echo "$saves_cut kills right after a save"

# A last start after all the kills resumes and quits cleanly.
: >"$SCRATCH/stderr"
start_game
if wait_window && wait_picture; then
  quit_game
  [ "$GAME_STATUS" -eq 0 ] || fail "last start: exit status $GAME_STATUS ($(cat "$SCRATCH/stderr"))"
else
  fail "last start: no level shown ($(cat "$SCRATCH/stderr"))"
  kill_game
fi
check_files "last start"
records_unchanged || fail "last start: level records changed"
[ "$(saved_level)" = "$saved" ] || fail "last start: saved level $(saved_level), expected $saved"
ls "$media" | grep -q '\.tmp$' && fail "last start: temporary file left behind"
report

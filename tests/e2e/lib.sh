# Helpers for the scripts that drive the built game on an X display.
# Sourced; expects SCRATCH (a temporary directory) and RUN_DIR to be set.

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

report() {
  echo "$((failures == 0 ? 1 : 0)) passed, $((failures > 0 ? 1 : 0)) failed"
  exit $((failures > 0))
}

# A fresh install in $SCRATCH/run: the game and its media, no progress files.
fresh_copy() {
  rm -rf "$SCRATCH/run"
  cp -r "$RUN_DIR" "$SCRATCH/run"
  rm -f "$SCRATCH/run/media/dataB.txt" "$SCRATCH/run/media/dataC.txt" "$SCRATCH/run/media/dataXX.txt"
}

# Starts the game from / in the background (GAME_HOME: the HOME it sees, for
# its sound set-up); sets GAME_PID, the game's own
# process id (so that a signal reaches the game itself). The caller bounds
# its life: quit_game or kill_game.
start_game() {
  (cd / && HOME=${GAME_HOME:-$HOME} exec "$SCRATCH/run/mugcellar" 2>>"$SCRATCH/stderr") &
  GAME_PID=$!
}

kill_game() {
  kill -KILL "$GAME_PID" 2>/dev/null
  wait "$GAME_PID" 2>/dev/null
}

# Waits for the game's window; sets WIN (empty when none came).
wait_window() {
  WIN=$(timeout 40 xdotool search --sync --name "Mug Cellar" 2>/dev/null | head -1)
  [ -n "$WIN" ] && xdotool windowfocus --sync "$WIN" 2>/dev/null
  [ -n "$WIN" ]
}

# A screenshot of the display's middle half, where every screen differs
# from the level (a small uncompressed picture: cheap on a loaded machine).
shot() { import -window root -crop 512x384+256+192 +repage -depth 8 "$1" 2>/dev/null; }

# Waits are bounded in seconds, not in tries: on a loaded machine a
# screenshot alone may take seconds.

# Waits until the screen shows the level (many colours); the first frame may
# take a while on a loaded machine. Leaves the picture in $SCRATCH/ref.ppm.
wait_picture() {
  local colours=0 deadline=$((SECONDS + 30))
  while [ $SECONDS -lt $deadline ]; do
    shot "$SCRATCH/ref.ppm"
    colours=$(convert "$SCRATCH/ref.ppm" -format %k info: 2>/dev/null || echo 0)
    [ "${colours:-0}" -gt 4 ] && return 0
    sleep 0.3
  done
  return 1
}

# Keys must be held for a while: the game polls the keyboard state.
press() {
  xdotool keydown "$1"; sleep 0.3; xdotool keyup "$1"
}

click_at() {
  xdotool mousemove --window "$WIN" "$1" "$2"; sleep 0.3
  xdotool mousedown 1; sleep 0.3; xdotool mouseup 1
}

# Pixels in which two screenshots differ.
differing() {
  local n
  n=$(compare -metric AE -fuzz 8% "$1" "$2" null: 2>&1 | cut -d' ' -f1)
  echo "${n%%.*}"
}

# True once the screen differs from $SCRATCH/ref.ppm in over a quarter of
# the pixels (a screen opened or closed, not just an animated tile) and has
# then come to rest (a fade is over, so the next key is not lost in it); the
# resting picture becomes the reference.
wait_change() {
  local deadline=$((SECONDS + ${1:-20}))
  while [ $SECONDS -lt $deadline ]; do
    sleep 0.3
    shot "$SCRATCH/now.ppm"
    if [ "$(differing "$SCRATCH/ref.ppm" "$SCRATCH/now.ppm")" -gt 49152 ] 2>/dev/null; then
      mv "$SCRATCH/now.ppm" "$SCRATCH/ref.ppm"
      settle
      return 0
    fi
  done
  return 1
}

# Waits (at most 10 s) until a screenshot differs from the one before
# ($SCRATCH/ref.ppm) in under 2 % of the pixels; the last becomes the reference.
settle() {
  local deadline=$((SECONDS + 10))
  while [ $SECONDS -lt $deadline ]; do
    sleep 0.3
    shot "$SCRATCH/now.ppm"
    local n
    n=$(differing "$SCRATCH/ref.ppm" "$SCRATCH/now.ppm")
    mv "$SCRATCH/now.ppm" "$SCRATCH/ref.ppm"
    [ "$n" -lt 4000 ] 2>/dev/null && return 0
  done
}

# Presses a key (up to three times, a loaded machine may miss one) until the
# screen changes.
press_until_change() {
  for _ in 1 2 3; do
    press "$1"
    wait_change && return 0
  done
  return 1
}

# Waits for the level grid: its green outline. The picture of the grid
# becomes the reference.
wait_grid() {
  local deadline=$((SECONDS + 20))
  while [ $SECONDS -lt $deadline ]; do
    case $(import -window root -crop 1x1+47+300 -depth 8 txt:- 2>/dev/null) in
      *"(0,122,0)"*) shot "$SCRATCH/ref.ppm"; return 0 ;;
    esac
    sleep 0.3
  done
  return 1
}

# Presses Escape until the game ends (bounded); sets GAME_STATUS.
quit_game() {
  for _ in 1 2 3 4 5; do
    press Escape
    for _ in $(seq 40); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.25; done
    kill -0 "$GAME_PID" 2>/dev/null || break
  done
  if kill -0 "$GAME_PID" 2>/dev/null; then
    kill_game
    GAME_STATUS=124
  else
    wait "$GAME_PID"
    GAME_STATUS=$?
  fi
}

# The saved files are whole: data.txt 550 lines each ending in CR LF,
# dataB.txt and dataC.txt 51 integers each followed by one space, and no
# temporary or plain level file left behind. $1: label; $2: "running" when
# the game may still hold its plain level file.
check_files() {
  local label=$1 media=$SCRATCH/run/media
  local lines crlf
  lines=$(tr -cd '\n' <"$media/data.txt" | wc -c)
  crlf=$(LC_ALL=C grep -ac $'\r$' "$media/data.txt")
  [ "$lines" -eq 550 ] && [ "$crlf" -eq 550 ] && [ "$(tail -c 2 "$media/data.txt" | od -An -c | tr -d ' ')" = '\r\n' ] ||
    fail "$label: data.txt has $lines lines, $crlf with CR LF"
  for f in dataB.txt dataC.txt; do
    [ ! -e "$media/$f" ] || grep -Eq '^(-?[0-9]+ ){51}$' "$media/$f" ||
      fail "$label: $f is not 51 integers: $(head -c 300 "$media/$f")"
  done
  [ "${2:-}" = running ] || [ ! -e "$media/dataXX.txt" ] || fail "$label: dataXX.txt left behind"
}

# Line 1 of data.txt decoded: the saved unlocked level.
saved_level() {
  head -1 "$SCRATCH/run/media/data.txt" | tr -d '\r' | tr '+;<=>?@ABCD' ' 0123456789' | tr -d ' '
}

# Writes an unlocked level into line 1 of data.txt, encoded as the game stores it.
store_level() {
  local media=$SCRATCH/run/media
  { printf ' %s\r\n' "$1" | tr ' 0123456789' '+;<=>?@ABCD'; tail -n +2 "$media/data.txt"; } >"$media/data.new"
  mv "$media/data.new" "$media/data.txt"
}

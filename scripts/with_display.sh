#!/usr/bin/env bash
# Runs a command with an X display (a private Xvfb when there is none) and an
# ALSA configuration whose default device is the null device, so sound plays.
set -euo pipefail
GAME_HOME=$(mktemp -d)
XVFB_PID=
cleanup() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$GAME_HOME"
}
trap cleanup EXIT
printf 'pcm.!default { type null }\n' > "$GAME_HOME/.asoundrc"
export HOME=$GAME_HOME
if [ -z "${DISPLAY:-}" ]; then
  # Xvfb picks a free display number itself and writes it to the fd.
  exec 5> "$GAME_HOME/display"
  Xvfb -displayfd 5 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  exec 5>&-
  for _ in $(seq 100); do [ -s "$GAME_HOME/display" ] && break; sleep 0.05; done
  [ -s "$GAME_HOME/display" ] || { echo "with_display: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$(head -1 "$GAME_HOME/display")
fi
"$@"

#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for FUZZ_SECONDS (default
# 60), seeded with the real data files. Fails on any crash or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
SECONDS_EACH=${FUZZ_SECONDS:-60}
FUZZ_DIR=build-fuzz
if [ ! -f "$FUZZ_DIR/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$FUZZ_DIR" -G Ninja -DFUZZ=ON -DWERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$FUZZ_DIR" -j "$(nproc)"

MEDIA=${MEDIA_DIR:-build/run/media}
PRISTINE=${PRISTINE_LEVELS:-build/pristine/data.txt}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK"/{level_file,level_record,progress,text_table,text_format}
cp "$PRISTINE" "$WORK/level_file/" 2>/dev/null || true
[ -f "$PRISTINE" ] && head -c 544 "$PRISTINE" | tr '\000-\377' '\365-\377\000-\364' > "$WORK/level_record/first" || true
printf '2 0 3 1 0 0 95 ' > "$WORK/progress/best"
printf ' 12\r\n  21  21\r\n' > "$WORK/progress/levels"
cp "$MEDIA/teksty_100.txt" "$WORK/text_table/" 2>/dev/null || true
printf 'Poziom %%d z %%d' > "$WORK/text_format/level"
printf '%%s %%n %%x %%d' > "$WORK/text_format/hostile"

export ASAN_OPTIONS=detect_leaks=0
for target in level_file level_record progress text_table text_format; do
  echo "fuzzing $target for ${SECONDS_EACH}s"
  (cd "$WORK" && "$OLDPWD/$FUZZ_DIR/tools/fuzz/fuzz_$target" -max_total_time="$SECONDS_EACH" \
     -print_final_stats=0 -close_fd_mask=3 "$WORK/$target" 2>"$WORK/$target.log") || {
    tail -40 "$WORK/$target.log"
    echo "fuzz_$target found a fault"
    exit 1
  }
  grep -E '^#[0-9]+.*DONE' "$WORK/$target.log" | tail -1 || true
done
echo "fuzzing: 5 passed, 0 failed"
